#include "keyfunc/KeyTables.h"

#include <array>
#include <string>

namespace {

constexpr std::size_t kCodeCount = 256;

struct NamedKey {
    std::uint8_t code;
    std::u16string_view name;
};

// Every code not listed here is "Undefined". Digits, letters, keypad digits and the
// function keys are filled by rule below.
constexpr NamedKey kNamedKeys[] = {
    {0x01, u"LBUTTON"}, {0x02, u"RBUTTON"}, {0x03, u"CANCEL"}, {0x04, u"MBUTTON"},
    {0x05, u"XBUTTON1"}, {0x06, u"XBUTTON2"}, {0x08, u"Backspace"}, {0x09, u"Tab"},
    {0x0C, u"Clear"}, {0x0D, u"Enter"}, {0x10, u"Shift"}, {0x11, u"Ctrl"}, {0x12, u"Alt"},
    {0x13, u"Pause"}, {0x14, u"CapsLock"}, {0x15, u"Kana"}, {0x17, u"junja"}, {0x18, u"Final"},
    {0x19, u"Hanja"}, {0x1B, u"Esc"}, {0x1C, u"Convert"}, {0x1D, u"Nonconvert"}, {0x1E, u"Accept"},
    {0x1F, u"ModeChange"}, {0x20, u"Space"}, {0x21, u"Page Up"}, {0x22, u"Page Down"},
    {0x23, u"End"}, {0x24, u"Home"}, {0x25, u"Left Arrow"}, {0x26, u"Up Arrow"},
    {0x27, u"Right Arrow"}, {0x28, u"Down Arrow"}, {0x29, u"Select"}, {0x2A, u"Print"},
    {0x2B, u"Execute"}, {0x2C, u"Print Screen"}, {0x2D, u"Ins"}, {0x2E, u"Del"}, {0x2F, u"Help"},
    {0x5B, u"Win_L"}, {0x5C, u"Win_R"}, {0x5D, u"App"}, {0x5F, u"Sleep"}, {0x6A, u"Multiply"},
    {0x6B, u"Add"}, {0x6C, u"Separator"}, {0x6D, u"Subtract"}, {0x6E, u"Decimal"}, {0x6F, u"Divide"},
    {0x90, u"Num Lock"}, {0x91, u"Scroll Lock"}, {0xA0, u"Shift_L"}, {0xA1, u"Shift_R"},
    {0xA2, u"Ctrl_L"}, {0xA3, u"Ctrl_R"}, {0xA4, u"Alt_L"}, {0xA5, u"Alt_R"}, {0xBA, u";"},
    {0xBB, u"="}, {0xBC, u","}, {0xBD, u"-"}, {0xBE, u"."}, {0xBF, u"/"}, {0xC0, u"~"},
    {0xDB, u"["}, {0xDC, u"\\"}, {0xDD, u"]"}, {0xDE, u"'"}, {0xE0, u"L Key"}, {0xE1, u"R Key"},
    {0xE2, u"M Key"}, {0xE3, u"K4"}, {0xE4, u"K5"}, {0xE5, u"Mouse X"}, {0xE6, u"Mouse Y"},
    {0xE7, u"Mouse Wheel"},
};

struct UsageRow {
    std::uint8_t code;
    std::uint8_t usage;
};

// Translations that follow no rule. Three are deliberate as the mouse expects them:
// 0x0E gives keypad Enter, 0x3B gives Escape like 0x1B, and right Alt (0xA5) gives the
// Print Screen usage 0x46.
constexpr UsageRow kUsageRows[] = {
    {0x08, 0x2A}, {0x09, 0x2B}, {0x0D, 0x28}, {0x0E, 0x58}, {0x13, 0x48}, {0x14, 0x39},
    {0x1B, 0x29}, {0x20, 0x2C}, {0x21, 0x4B}, {0x22, 0x4E}, {0x23, 0x4D}, {0x24, 0x4A},
    {0x25, 0x50}, {0x26, 0x52}, {0x27, 0x4F}, {0x28, 0x51}, {0x2C, 0x46}, {0x2D, 0x49},
    {0x2E, 0x4C}, {0x3B, 0x29}, {0x5B, 0xE3}, {0x5C, 0xE7}, {0x5D, 0x65}, {0x5F, 0x82},
    {0x6A, 0x55}, {0x6B, 0x57}, {0x6D, 0x56}, {0x6E, 0x63}, {0x6F, 0x54}, {0x90, 0x53},
    {0x91, 0x47}, {0xA0, 0xE1}, {0xA1, 0xE5}, {0xA2, 0xE0}, {0xA3, 0xE4}, {0xA4, 0xE2},
    {0xA5, 0x46}, {0xBA, 0x33}, {0xBB, 0x2E}, {0xBC, 0x36}, {0xBD, 0x2D}, {0xBE, 0x37},
    {0xBF, 0x38}, {0xC0, 0x35}, {0xDB, 0x2F}, {0xDC, 0x31}, {0xDD, 0x30}, {0xDE, 0x34},
    {0xF0, 0x81}, {0xF1, 0x83}, {0xF2, 0x32}, {0xF3, 0x64}, {0xF4, 0x85}, {0xF5, 0x87},
    {0xF6, 0x88}, {0xF7, 0x89}, {0xF8, 0x8A}, {0xF9, 0x8B}, {0xFA, 0x90}, {0xFB, 0x91},
};

class KeyNameTable {
public:
    KeyNameTable()
    {
        m_names.fill(u"Undefined");
        for (int i = 0; i <= 9; ++i) {
            m_names[0x30 + static_cast<std::size_t>(i)] = Own(std::u16string(1, static_cast<char16_t>(u'0' + i)));
            m_names[0x60 + static_cast<std::size_t>(i)] = Own(u"Num" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
        }
        for (int i = 0; i < 26; ++i) {
            m_names[0x41 + static_cast<std::size_t>(i)] = Own(std::u16string(1, static_cast<char16_t>(u'A' + i)));
        }
        for (int i = 0; i < 24; ++i) {
            std::u16string name = u"F";
            const int n = i + 1;
            if (n >= 10) {
                name.push_back(static_cast<char16_t>(u'0' + n / 10));
            }
            name.push_back(static_cast<char16_t>(u'0' + n % 10));
            m_names[0x70 + static_cast<std::size_t>(i)] = Own(std::move(name));
        }
        for (const NamedKey& key : kNamedKeys) {
            m_names[key.code] = key.name;
        }
    }

    [[nodiscard]] std::u16string_view Name(std::uint8_t code) const { return m_names[code]; }

private:
    std::u16string_view Own(std::u16string text)
    {
        m_storage[m_used] = std::move(text);
        return m_storage[m_used++];
    }

    std::array<std::u16string_view, kCodeCount> m_names{};
    std::array<std::u16string, 80> m_storage;  // generated names: 10 digits, 10 keypad, 26 letters, 24 F-keys
    std::size_t m_used = 0;
};

constexpr std::array<std::uint8_t, kCodeCount> BuildUsageTable()
{
    std::array<std::uint8_t, kCodeCount> usage{};
    for (int i = 0; i < 26; ++i) {
        usage[0x41 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x04 + i);
    }
    for (int i = 0; i < 9; ++i) {
        usage[0x31 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x1E + i);
        usage[0x61 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x59 + i);
    }
    usage[0x30] = 0x27;
    usage[0x60] = 0x62;
    for (int i = 0; i < 12; ++i) {
        usage[0x70 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x3A + i);
    }
    for (int i = 0; i < 8; ++i) {
        usage[0xE0 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0xF0 + i);
    }
    for (const UsageRow& row : kUsageRows) {
        usage[row.code] = row.usage;
    }
    return usage;
}

constexpr std::array<std::uint8_t, kCodeCount> kUsageTable = BuildUsageTable();

}  // namespace

std::u16string_view KeyName(std::uint8_t virtualKey)
{
    static const KeyNameTable table;
    return table.Name(virtualKey);
}

std::uint8_t KeyUsage(std::uint8_t virtualKey)
{
    return kUsageTable[virtualKey];
}
