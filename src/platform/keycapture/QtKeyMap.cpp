#include "platform/keycapture/QtKeyMap.h"

#include "platform/keycapture/PhysicalKeyMap.h"

#include <QKeyEvent>

#include <unordered_map>

namespace {

// X11 and Wayland key codes are Linux input codes shifted by 8.
constexpr quint32 kEvdevKeyCodeOffset = 8;

using KeyTable = std::unordered_map<int, std::uint8_t>;

const KeyTable& MainKeys()
{
    static const KeyTable table = [] {
        KeyTable keys{
            {Qt::Key_Escape, 0x1B}, {Qt::Key_Tab, 0x09}, {Qt::Key_Backtab, 0x09},
            {Qt::Key_Backspace, 0x08}, {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},
            {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E}, {Qt::Key_Pause, 0x13},
            {Qt::Key_Print, 0x2C}, {Qt::Key_SysReq, 0x2C}, {Qt::Key_Clear, 0x0C},
            {Qt::Key_Home, 0x24}, {Qt::Key_End, 0x23}, {Qt::Key_Left, 0x25}, {Qt::Key_Up, 0x26},
            {Qt::Key_Right, 0x27}, {Qt::Key_Down, 0x28}, {Qt::Key_PageUp, 0x21},
            {Qt::Key_PageDown, 0x22}, {Qt::Key_Shift, 0xA0}, {Qt::Key_Control, 0xA2},
            {Qt::Key_Meta, 0x5B}, {Qt::Key_Alt, 0xA4}, {Qt::Key_AltGr, 0xA5},
            {Qt::Key_CapsLock, 0x14}, {Qt::Key_NumLock, 0x90}, {Qt::Key_ScrollLock, 0x91},
            {Qt::Key_Super_L, 0x5B}, {Qt::Key_Super_R, 0x5C}, {Qt::Key_Menu, 0x5D},
            {Qt::Key_Space, 0x20}, {Qt::Key_Sleep, 0x5F},
            // The symbol keys, with the symbol Shift types on each.
            {Qt::Key_Minus, 0xBD}, {Qt::Key_Underscore, 0xBD}, {Qt::Key_Equal, 0xBB},
            {Qt::Key_Plus, 0xBB}, {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB},
            {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD}, {Qt::Key_Backslash, 0xDC},
            {Qt::Key_Bar, 0xDC}, {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Colon, 0xBA},
            {Qt::Key_Apostrophe, 0xDE}, {Qt::Key_QuoteDbl, 0xDE}, {Qt::Key_QuoteLeft, 0xC0},
            {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_Comma, 0xBC}, {Qt::Key_Less, 0xBC},
            {Qt::Key_Period, 0xBE}, {Qt::Key_Greater, 0xBE}, {Qt::Key_Slash, 0xBF},
            {Qt::Key_Question, 0xBF},
            // The digit row's shifted symbols.
            {Qt::Key_Exclam, 0x31}, {Qt::Key_At, 0x32}, {Qt::Key_NumberSign, 0x33},
            {Qt::Key_Dollar, 0x34}, {Qt::Key_Percent, 0x35}, {Qt::Key_AsciiCircum, 0x36},
            {Qt::Key_Ampersand, 0x37}, {Qt::Key_Asterisk, 0x38}, {Qt::Key_ParenLeft, 0x39},
            {Qt::Key_ParenRight, 0x30},
            {Qt::Key_VolumeMute, 0xAD}, {Qt::Key_VolumeDown, 0xAE}, {Qt::Key_VolumeUp, 0xAF},
            {Qt::Key_MediaNext, 0xB0}, {Qt::Key_MediaPrevious, 0xB1}, {Qt::Key_MediaStop, 0xB2},
            {Qt::Key_MediaPlay, 0xB3}, {Qt::Key_MediaTogglePlayPause, 0xB3},
        };
        for (int digit = 0; digit <= 9; ++digit)
            keys.emplace(Qt::Key_0 + digit, static_cast<std::uint8_t>(0x30 + digit));
        for (int letter = 0; letter < 26; ++letter)
            keys.emplace(Qt::Key_A + letter, static_cast<std::uint8_t>(0x41 + letter));
        for (int function = 0; function < 24; ++function)
            keys.emplace(Qt::Key_F1 + function, static_cast<std::uint8_t>(0x70 + function));
        return keys;
    }();
    return table;
}

// Keys with the keypad modifier: with Num Lock off the digit keys arrive as the movement
// keys printed under the digits.
const KeyTable& KeypadKeys()
{
    static const KeyTable table = [] {
        KeyTable keys{
            {Qt::Key_Insert, 0x60}, {Qt::Key_End, 0x61}, {Qt::Key_Down, 0x62},
            {Qt::Key_PageDown, 0x63}, {Qt::Key_Left, 0x64}, {Qt::Key_Clear, 0x65},
            {Qt::Key_Right, 0x66}, {Qt::Key_Home, 0x67}, {Qt::Key_Up, 0x68},
            {Qt::Key_PageUp, 0x69}, {Qt::Key_Asterisk, 0x6A}, {Qt::Key_Plus, 0x6B},
            {Qt::Key_Minus, 0x6D}, {Qt::Key_Period, 0x6E}, {Qt::Key_Comma, 0x6E},
            {Qt::Key_Delete, 0x6E}, {Qt::Key_Slash, 0x6F}, {Qt::Key_Enter, 0x0D},
            {Qt::Key_Return, 0x0D},
        };
        for (int digit = 0; digit <= 9; ++digit)
            keys.emplace(Qt::Key_0 + digit, static_cast<std::uint8_t>(0x60 + digit));
        return keys;
    }();
    return table;
}

std::uint8_t Lookup(const KeyTable& table, int key)
{
    const auto found = table.find(key);
    return found == table.end() ? 0 : found->second;
}

}  // namespace

NativeScanCodes NativeScanCodesOf(QStringView platformName)
{
    if (platformName == u"xcb" || platformName.startsWith(u"wayland"))
        return NativeScanCodes::Evdev;
    if (platformName == u"windows")
        return NativeScanCodes::PcSet1;
    return NativeScanCodes::None;
}

std::uint8_t VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const std::uint8_t keypad = Lookup(KeypadKeys(), key); keypad != 0)
            return keypad;
    }
    return Lookup(MainKeys(), key);
}

std::uint8_t VirtualKeyOfKeyEvent(const QKeyEvent& event, NativeScanCodes numbering)
{
    const quint32 scanCode = event.nativeScanCode();
    std::uint8_t physical = 0;
    if (numbering == NativeScanCodes::Evdev && scanCode >= kEvdevKeyCodeOffset)
        physical = VirtualKeyFromEvdevCode(scanCode - kEvdevKeyCodeOffset);
    else if (numbering == NativeScanCodes::PcSet1)
        physical = VirtualKeyFromPcScanCode(scanCode);
    return physical != 0 ? physical : VirtualKeyFromQtKey(event.key(), event.modifiers());
}
