#include "keyfunc/FunctionValue.h"
#include "keyfunc/KeyTables.h"

#include <gtest/gtest.h>

TEST(KeyTables, NamesByVirtualKey)
{
    struct Case {
        std::uint8_t code;
        std::u16string_view name;
    };
    const Case cases[] = {
        {0x00, u"Undefined"}, {0x08, u"Backspace"}, {0x30, u"0"}, {0x39, u"9"}, {0x41, u"A"},
        {0x5A, u"Z"}, {0x5E, u"Undefined"}, {0x60, u"Num0"}, {0x69, u"Num9"}, {0x70, u"F1"},
        {0x79, u"F10"}, {0x87, u"F24"}, {0x88, u"Undefined"}, {0xDC, u"\\"}, {0xE0, u"L Key"},
        {0xE7, u"Mouse Wheel"}, {0xE8, u"Undefined"}, {0xFF, u"Undefined"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyName(c.code), c.name) << std::hex << int(c.code);
    }
}

TEST(KeyTables, UsageByVirtualKey)
{
    struct Case {
        std::uint8_t code;
        std::uint8_t usage;
    };
    const Case cases[] = {
        {0x41, 0x04}, {0x5A, 0x1D}, {0x31, 0x1E}, {0x39, 0x26}, {0x30, 0x27}, {0x70, 0x3A},
        {0x7B, 0x45}, {0x7C, 0x00}, {0x60, 0x62}, {0x61, 0x59}, {0x69, 0x61}, {0xE0, 0xF0},
        {0xE7, 0xF7}, {0x0E, 0x58}, {0x3B, 0x29}, {0xA5, 0x46}, {0x10, 0x00}, {0x01, 0x00},
        {0xFB, 0x91}, {0xFC, 0x00},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KeyUsage(c.code), c.usage) << std::hex << int(c.code);
    }
}

TEST(KeyCombination, ValueAndNameFromModifiersAndKey)
{
    const NamedFunction ctrlShiftS = KeyCombination(ModifierBits::kCtrl | ModifierBits::kShift, 0x53);
    EXPECT_EQ(ctrlShiftS.value, (FunctionValue{0x70, 0x03, 0x16}));
    EXPECT_EQ(ctrlShiftS.name, u"Ctrl+Shift+S");

    const NamedFunction f5 = KeyCombination(0, 0x74);
    EXPECT_EQ(f5.value, (FunctionValue{0x70, 0x00, 0x3E}));
    EXPECT_EQ(f5.name, u"F5");

    EXPECT_EQ(KeyCombination(ModifierBits::kWin | ModifierBits::kAlt, 0x44).name, u"Alt+Win+D");
}

TEST(KeyCombination, FinalPlusIsRemovedOnce)
{
    EXPECT_EQ(WithoutFinalPlus(u"Fire+"), u"Fire");
    EXPECT_EQ(WithoutFinalPlus(u"A++"), u"A+");
    EXPECT_EQ(WithoutFinalPlus(u""), u"");
}
