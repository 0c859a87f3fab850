#include "platform/keycapture/PhysicalKeyMap.h"

#include <array>

namespace {

struct KeyRow {
    unsigned position;  // evdev code or set-1 scan code with 0x100 for the 0xE0 prefix
    std::uint8_t virtualKey;
};

// Letters in keyboard order: the rows QWERTYUIOP, ASDFGHJKL and ZXCVBNM sit on consecutive
// codes in both numberings.
constexpr char kLetterRows[3][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr unsigned kLetterRowStarts[3] = {0x10, 0x1E, 0x2C};  // the same in both numberings

// Keys whose evdev code and set-1 scan code agree: evdev numbered the AT keyboard's
// make codes, from Esc (1) to F12 (88). Letters and digits are filled by rule.
constexpr KeyRow kSharedRows[] = {
    {0x01, 0x1B},  // Esc
    {0x0B, 0x30},  // 0 (1..9 are 0x02..0x0A)
    {0x0C, 0xBD}, {0x0D, 0xBB}, {0x0E, 0x08}, {0x0F, 0x09},  // - = Backspace Tab
    {0x1A, 0xDB}, {0x1B, 0xDD}, {0x1C, 0x0D}, {0x1D, 0xA2},  // [ ] Enter left Ctrl
    {0x27, 0xBA}, {0x28, 0xDE}, {0x29, 0xC0}, {0x2A, 0xA0},  // ; ' ` left Shift
    {0x2B, 0xDC},                                            // backslash
    {0x33, 0xBC}, {0x34, 0xBE}, {0x35, 0xBF}, {0x36, 0xA1},  // , . / right Shift
    {0x37, 0x6A}, {0x38, 0xA4}, {0x39, 0x20}, {0x3A, 0x14},  // keypad * left Alt Space Caps
    {0x46, 0x91},                                            // Scroll Lock
    {0x47, 0x67}, {0x48, 0x68}, {0x49, 0x69}, {0x4A, 0x6D},  // keypad 7 8 9 -
    {0x4B, 0x64}, {0x4C, 0x65}, {0x4D, 0x66}, {0x4E, 0x6B},  // keypad 4 5 6 +
    {0x4F, 0x61}, {0x50, 0x62}, {0x51, 0x63}, {0x52, 0x60},  // keypad 1 2 3 0
    {0x53, 0x6E},                                            // keypad .
    {0x57, 0x7A}, {0x58, 0x7B},                              // F11 F12
};

// Linux codes past F12, where the two numberings part.
constexpr KeyRow kEvdevRows[] = {
    {69, 0x90},  {96, 0x0D},  {97, 0xA3},  {98, 0x6F},  {99, 0x2C},  {100, 0xA5},
    {102, 0x24}, {103, 0x26}, {104, 0x21}, {105, 0x25}, {106, 0x27}, {107, 0x23},
    {108, 0x28}, {109, 0x22}, {110, 0x2D}, {111, 0x2E}, {113, 0xAD}, {114, 0xAE},
    {115, 0xAF}, {119, 0x13}, {121, 0x6C}, {125, 0x5B}, {126, 0x5C}, {127, 0x5D},
    {142, 0x5F}, {163, 0xB0}, {164, 0xB3}, {165, 0xB1}, {166, 0xB2},
};
constexpr unsigned kEvdevF13 = 183;  // F13..F24 are 183..194

// Windows scan codes past F12, and the keys with the 0xE0 prefix.
constexpr unsigned kExtended = 0x100;
constexpr KeyRow kPcScanRows[] = {
    {0x45, 0x13},             {kExtended | 0x45, 0x90}, {0x54, 0x2C},  // Pause, Num Lock, Alt+SysRq
    {kExtended | 0x1C, 0x0D}, {kExtended | 0x1D, 0xA3}, {kExtended | 0x35, 0x6F},
    {kExtended | 0x37, 0x2C}, {kExtended | 0x38, 0xA5}, {kExtended | 0x46, 0x13},  // Ctrl+Break
    {kExtended | 0x47, 0x24}, {kExtended | 0x48, 0x26}, {kExtended | 0x49, 0x21},
    {kExtended | 0x4B, 0x25}, {kExtended | 0x4D, 0x27}, {kExtended | 0x4F, 0x23},
    {kExtended | 0x50, 0x28}, {kExtended | 0x51, 0x22}, {kExtended | 0x52, 0x2D},
    {kExtended | 0x53, 0x2E}, {kExtended | 0x5B, 0x5B}, {kExtended | 0x5C, 0x5C},
    {kExtended | 0x5D, 0x5D}, {kExtended | 0x5F, 0x5F}, {kExtended | 0x20, 0xAD},
    {kExtended | 0x2E, 0xAE}, {kExtended | 0x30, 0xAF}, {kExtended | 0x19, 0xB0},
    {kExtended | 0x10, 0xB1}, {kExtended | 0x24, 0xB2}, {kExtended | 0x22, 0xB3},
    {0x76, 0x87},  // F24 (F13..F23 are 0x64..0x6E)
};
constexpr unsigned kPcF13 = 0x64;

constexpr std::size_t kEvdevTableSize = 256;
constexpr std::size_t kPcTableSize = 0x200;

template <std::size_t Size>
constexpr void FillShared(std::array<std::uint8_t, Size>& table)
{
    for (unsigned digit = 1; digit <= 9; ++digit)
        table[1 + digit] = static_cast<std::uint8_t>('0' + digit);
    for (int row = 0; row < 3; ++row) {
        for (unsigned column = 0; kLetterRows[row][column] != '\0'; ++column)
            table[kLetterRowStarts[row] + column] = static_cast<std::uint8_t>(kLetterRows[row][column]);
    }
    for (unsigned key = 0; key < 10; ++key)
        table[0x3B + key] = static_cast<std::uint8_t>(0x70 + key);  // F1..F10
    for (const KeyRow& row : kSharedRows)
        table[row.position] = row.virtualKey;
}

constexpr std::array<std::uint8_t, kEvdevTableSize> MakeEvdevTable()
{
    std::array<std::uint8_t, kEvdevTableSize> table{};
    FillShared(table);
    for (const KeyRow& row : kEvdevRows)
        table[row.position] = row.virtualKey;
    for (unsigned key = 0; key < 12; ++key)
        table[kEvdevF13 + key] = static_cast<std::uint8_t>(0x7C + key);
    return table;
}

constexpr std::array<std::uint8_t, kPcTableSize> MakePcScanTable()
{
    std::array<std::uint8_t, kPcTableSize> table{};
    FillShared(table);
    for (unsigned key = 0; key < 11; ++key)
        table[kPcF13 + key] = static_cast<std::uint8_t>(0x7C + key);
    for (const KeyRow& row : kPcScanRows)
        table[row.position] = row.virtualKey;
    return table;
}

constexpr auto kEvdevTable = MakeEvdevTable();
constexpr auto kPcScanTable = MakePcScanTable();

}  // namespace

std::uint8_t VirtualKeyFromEvdevCode(unsigned evdevCode)
{
    return evdevCode < kEvdevTable.size() ? kEvdevTable[evdevCode] : 0;
}

std::uint8_t VirtualKeyFromPcScanCode(unsigned scanCode)
{
    return scanCode < kPcScanTable.size() ? kPcScanTable[scanCode] : 0;
}

std::uint8_t VirtualKeyFromWindowsKey(unsigned scanCode, bool extended, unsigned windowsVirtualKey)
{
    const std::uint8_t fromScanCode = VirtualKeyFromPcScanCode((scanCode & 0xFF) | (extended ? kExtended : 0));
    if (fromScanCode != 0)
        return fromScanCode;
    return static_cast<std::uint8_t>(windowsVirtualKey & 0xFF);
}
