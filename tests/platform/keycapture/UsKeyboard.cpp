#include "UsKeyboard.h"

namespace {

constexpr unsigned kE0 = 0x100;

UsKey Key(const char* name, unsigned evdev, unsigned scan, int qtKey, std::uint8_t vk)
{
    return {name, evdev, scan, qtKey, false, vk, vk};
}

UsKey Keypad(const char* name, unsigned evdev, unsigned scan, int qtKey, std::uint8_t vk)
{
    return {name, evdev, scan, qtKey, true, vk, vk};
}

// A right-hand modifier: the Qt key names only the key, the left one's code comes back.
UsKey RightModifier(const char* name, unsigned evdev, unsigned scan, int qtKey, std::uint8_t vk,
                    std::uint8_t fromQtKey)
{
    return {name, evdev, scan, qtKey, false, vk, fromQtKey};
}

}  // namespace

const std::vector<UsKey>& UsKeyboardKeys()
{
    static const std::vector<UsKey> keys = [] {
        std::vector<UsKey> list{
            // Top row.
            Key("Esc", 1, 0x01, Qt::Key_Escape, 0x1B),
            Key("F1", 59, 0x3B, Qt::Key_F1, 0x70), Key("F2", 60, 0x3C, Qt::Key_F2, 0x71),
            Key("F3", 61, 0x3D, Qt::Key_F3, 0x72), Key("F4", 62, 0x3E, Qt::Key_F4, 0x73),
            Key("F5", 63, 0x3F, Qt::Key_F5, 0x74), Key("F6", 64, 0x40, Qt::Key_F6, 0x75),
            Key("F7", 65, 0x41, Qt::Key_F7, 0x76), Key("F8", 66, 0x42, Qt::Key_F8, 0x77),
            Key("F9", 67, 0x43, Qt::Key_F9, 0x78), Key("F10", 68, 0x44, Qt::Key_F10, 0x79),
            Key("F11", 87, 0x57, Qt::Key_F11, 0x7A), Key("F12", 88, 0x58, Qt::Key_F12, 0x7B),
            Key("Print Screen", 99, kE0 | 0x37, Qt::Key_Print, 0x2C),
            Key("Scroll Lock", 70, 0x46, Qt::Key_ScrollLock, 0x91),
            Key("Pause", 119, 0x45, Qt::Key_Pause, 0x13),
            // Digit row.
            Key("`", 41, 0x29, Qt::Key_QuoteLeft, 0xC0),
            Key("1", 2, 0x02, Qt::Key_1, 0x31), Key("2", 3, 0x03, Qt::Key_2, 0x32),
            Key("3", 4, 0x04, Qt::Key_3, 0x33), Key("4", 5, 0x05, Qt::Key_4, 0x34),
            Key("5", 6, 0x06, Qt::Key_5, 0x35), Key("6", 7, 0x07, Qt::Key_6, 0x36),
            Key("7", 8, 0x08, Qt::Key_7, 0x37), Key("8", 9, 0x09, Qt::Key_8, 0x38),
            Key("9", 10, 0x0A, Qt::Key_9, 0x39), Key("0", 11, 0x0B, Qt::Key_0, 0x30),
            Key("-", 12, 0x0C, Qt::Key_Minus, 0xBD), Key("=", 13, 0x0D, Qt::Key_Equal, 0xBB),
            Key("Backspace", 14, 0x0E, Qt::Key_Backspace, 0x08),
            // Upper letter row.
            Key("Tab", 15, 0x0F, Qt::Key_Tab, 0x09),
            Key("Q", 16, 0x10, Qt::Key_Q, 'Q'), Key("W", 17, 0x11, Qt::Key_W, 'W'),
            Key("E", 18, 0x12, Qt::Key_E, 'E'), Key("R", 19, 0x13, Qt::Key_R, 'R'),
            Key("T", 20, 0x14, Qt::Key_T, 'T'), Key("Y", 21, 0x15, Qt::Key_Y, 'Y'),
            Key("U", 22, 0x16, Qt::Key_U, 'U'), Key("I", 23, 0x17, Qt::Key_I, 'I'),
            Key("O", 24, 0x18, Qt::Key_O, 'O'), Key("P", 25, 0x19, Qt::Key_P, 'P'),
            Key("[", 26, 0x1A, Qt::Key_BracketLeft, 0xDB), Key("]", 27, 0x1B, Qt::Key_BracketRight, 0xDD),
            Key("\\", 43, 0x2B, Qt::Key_Backslash, 0xDC),
            // Home row.
            Key("Caps Lock", 58, 0x3A, Qt::Key_CapsLock, 0x14),
            Key("A", 30, 0x1E, Qt::Key_A, 'A'), Key("S", 31, 0x1F, Qt::Key_S, 'S'),
            Key("D", 32, 0x20, Qt::Key_D, 'D'), Key("F", 33, 0x21, Qt::Key_F, 'F'),
            Key("G", 34, 0x22, Qt::Key_G, 'G'), Key("H", 35, 0x23, Qt::Key_H, 'H'),
            Key("J", 36, 0x24, Qt::Key_J, 'J'), Key("K", 37, 0x25, Qt::Key_K, 'K'),
            Key("L", 38, 0x26, Qt::Key_L, 'L'),
            Key(";", 39, 0x27, Qt::Key_Semicolon, 0xBA), Key("'", 40, 0x28, Qt::Key_Apostrophe, 0xDE),
            Key("Enter", 28, 0x1C, Qt::Key_Return, 0x0D),
            // Lower letter row.
            Key("Left Shift", 42, 0x2A, Qt::Key_Shift, 0xA0),
            Key("Z", 44, 0x2C, Qt::Key_Z, 'Z'), Key("X", 45, 0x2D, Qt::Key_X, 'X'),
            Key("C", 46, 0x2E, Qt::Key_C, 'C'), Key("V", 47, 0x2F, Qt::Key_V, 'V'),
            Key("B", 48, 0x30, Qt::Key_B, 'B'), Key("N", 49, 0x31, Qt::Key_N, 'N'),
            Key("M", 50, 0x32, Qt::Key_M, 'M'),
            Key(",", 51, 0x33, Qt::Key_Comma, 0xBC), Key(".", 52, 0x34, Qt::Key_Period, 0xBE),
            Key("/", 53, 0x35, Qt::Key_Slash, 0xBF),
            RightModifier("Right Shift", 54, 0x36, Qt::Key_Shift, 0xA1, 0xA0),
            // Bottom row.
            Key("Left Ctrl", 29, 0x1D, Qt::Key_Control, 0xA2),
            Key("Left Win", 125, kE0 | 0x5B, Qt::Key_Super_L, 0x5B),
            Key("Left Alt", 56, 0x38, Qt::Key_Alt, 0xA4),
            Key("Space", 57, 0x39, Qt::Key_Space, 0x20),
            Key("Right Alt", 100, kE0 | 0x38, Qt::Key_AltGr, 0xA5),
            Key("Right Win", 126, kE0 | 0x5C, Qt::Key_Super_R, 0x5C),
            Key("Menu", 127, kE0 | 0x5D, Qt::Key_Menu, 0x5D),
            RightModifier("Right Ctrl", 97, kE0 | 0x1D, Qt::Key_Control, 0xA3, 0xA2),
            // Editing and arrow keys.
            Key("Insert", 110, kE0 | 0x52, Qt::Key_Insert, 0x2D),
            Key("Home", 102, kE0 | 0x47, Qt::Key_Home, 0x24),
            Key("Page Up", 104, kE0 | 0x49, Qt::Key_PageUp, 0x21),
            Key("Delete", 111, kE0 | 0x53, Qt::Key_Delete, 0x2E),
            Key("End", 107, kE0 | 0x4F, Qt::Key_End, 0x23),
            Key("Page Down", 109, kE0 | 0x51, Qt::Key_PageDown, 0x22),
            Key("Up", 103, kE0 | 0x48, Qt::Key_Up, 0x26),
            Key("Left", 105, kE0 | 0x4B, Qt::Key_Left, 0x25),
            Key("Down", 108, kE0 | 0x50, Qt::Key_Down, 0x28),
            Key("Right", 106, kE0 | 0x4D, Qt::Key_Right, 0x27),
            // Keypad, digits as Num Lock on gives them.
            Key("Num Lock", 69, kE0 | 0x45, Qt::Key_NumLock, 0x90),
            Keypad("Keypad /", 98, kE0 | 0x35, Qt::Key_Slash, 0x6F),
            Keypad("Keypad *", 55, 0x37, Qt::Key_Asterisk, 0x6A),
            Keypad("Keypad -", 74, 0x4A, Qt::Key_Minus, 0x6D),
            Keypad("Keypad 7", 71, 0x47, Qt::Key_7, 0x67), Keypad("Keypad 8", 72, 0x48, Qt::Key_8, 0x68),
            Keypad("Keypad 9", 73, 0x49, Qt::Key_9, 0x69),
            Keypad("Keypad +", 78, 0x4E, Qt::Key_Plus, 0x6B),
            Keypad("Keypad 4", 75, 0x4B, Qt::Key_4, 0x64), Keypad("Keypad 5", 76, 0x4C, Qt::Key_5, 0x65),
            Keypad("Keypad 6", 77, 0x4D, Qt::Key_6, 0x66),
            Keypad("Keypad 1", 79, 0x4F, Qt::Key_1, 0x61), Keypad("Keypad 2", 80, 0x50, Qt::Key_2, 0x62),
            Keypad("Keypad 3", 81, 0x51, Qt::Key_3, 0x63),
            Keypad("Keypad Enter", 96, kE0 | 0x1C, Qt::Key_Enter, 0x0D),
            Keypad("Keypad 0", 82, 0x52, Qt::Key_0, 0x60),
            Keypad("Keypad .", 83, 0x53, Qt::Key_Period, 0x6E),
        };
        return list;
    }();
    return keys;
}
