#include "macros/MacroActionEdits.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace {

using namespace MacroActionEdits;

std::array<std::uint8_t, 4> Bytes(MacroAction action)
{
    return {action.Byte(0), action.Byte(1), action.Byte(2), action.Byte(3)};
}

TEST(MacroActionEdits, DelayTextBecomesADelayActionWithinTheDialogsLimit)
{
    struct Case {
        std::u16string text;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {u"50", {0x03, 0x00, 0x00, 0x32}},
        {u"70000", {0x03, 0x01, 0x11, 0x70}},
        {u"15300000", {0x03, 0xE9, 0x75, 0xA0}},
        {u"15300001", {0x03, 0xE9, 0x75, 0xA0}},
        {u"20000000", {0x03, 0xE9, 0x75, 0xA0}},
        {u"16777215", {0x03, 0xE9, 0x75, 0xA0}},
        {u"99999999999999", {0x03, 0xE9, 0x75, 0xA0}},
        {u"", {0x03, 0x00, 0x00, 0x00}},
        {u"abc", {0x03, 0x00, 0x00, 0x00}},
        {u"12ab", {0x03, 0x00, 0x00, 0x0C}},
        {u"+256", {0x03, 0x00, 0x01, 0x00}},
        {u"65535", {0x03, 0x00, 0xFF, 0xFF}},
        // Would be the largest 24-bit delay, far past the limit.
        {u"-5", {0x03, 0x00, 0x00, 0x00}},
        {u"-99999999999", {0x03, 0x00, 0x00, 0x00}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Bytes(DelayFromText(c.text)), c.bytes) << std::string(c.text.begin(), c.text.end());
}

TEST(MacroActionEdits, DelayDialogOpensOnTheActionsMilliseconds)
{
    EXPECT_EQ(DelayText(MacroAction::FromBytes(0x03, 0x01, 0x11, 0x70)), u"70000");
    EXPECT_EQ(DelayText(MacroAction::FromBytes(0x03, 0xFF, 0xFF, 0xFF)), u"16777215");
    // Any code below 8 counts as a delay and shows its three bytes.
    EXPECT_EQ(DelayText(MacroAction::FromBytes(0x00, 0x00, 0x00, 0x32)), u"50");
}

TEST(MacroActionEdits, MoveTextBecomesASignedDistanceOfOneTo127)
{
    struct Case {
        std::u16string text;
        MoveKind kind;
        std::array<std::uint8_t, 4> bytes;
    };
    const Case cases[] = {
        {u"300", MoveKind::Left, {0xE5, 0x00, 0x00, 0x81}},
        {u"127", MoveKind::Left, {0xE5, 0x00, 0x00, 0x81}},
        {u"10", MoveKind::Left, {0xE5, 0x00, 0x00, 0xF6}},
        {u"10", MoveKind::Right, {0xE5, 0x00, 0x00, 0x0A}},
        {u"300", MoveKind::Right, {0xE5, 0x00, 0x00, 0x7F}},
        {u"10", MoveKind::Up, {0xE6, 0x00, 0x00, 0xF6}},
        {u"10", MoveKind::Down, {0xE6, 0x00, 0x00, 0x0A}},
        {u"", MoveKind::Down, {0xE6, 0x00, 0x00, 0x01}},
        {u"0", MoveKind::Left, {0xE5, 0x00, 0x00, 0xFF}},
        {u"-40", MoveKind::Right, {0xE5, 0x00, 0x00, 0x01}},
        {u"x", MoveKind::Up, {0xE6, 0x00, 0x00, 0xFF}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Bytes(MoveFromText(c.text, c.kind, MacroAction::FromBytes(0xE5, 0, 0, 0xFF))), c.bytes)
            << std::string(c.text.begin(), c.text.end()) << " kind " << static_cast<int>(c.kind);
    }
}

TEST(MacroActionEdits, MoveKeepsB1AndClearsB2)
{
    const MacroAction old = MacroAction::FromBytes(0xE6, 0x80, 0x55, 0x05);
    EXPECT_EQ(Bytes(MoveFromText(u"3", MoveKind::Right, old)), (std::array<std::uint8_t, 4>{0xE5, 0x80, 0x00, 0x03}));
}

TEST(MacroActionEdits, MoveDialogShowsTheDistanceAsAPositiveNumberForItsKind)
{
    struct Case {
        std::uint8_t b0;
        std::uint8_t b3;
        MoveKind kind;
        std::u16string text;
    };
    const Case cases[] = {
        {0xE5, 0xFF, MoveKind::Left, u"1"},    {0xE5, 0x81, MoveKind::Left, u"127"},
        {0xE5, 0x01, MoveKind::Right, u"1"},   {0xE5, 0x7F, MoveKind::Right, u"127"},
        {0xE6, 0xF6, MoveKind::Up, u"10"},     {0xE6, 0x0A, MoveKind::Down, u"10"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MoveText(MacroAction::FromBytes(c.b0, 0, 0, c.b3), c.kind), c.text) << int(c.b3);
}

TEST(MacroActionEdits, RenameCountsOnlyAnExactlyDifferentText)
{
    EXPECT_FALSE(IsRenamed(u"Macro 1", u"Macro 1"));
    EXPECT_TRUE(IsRenamed(u"Macro 1", u"macro 1"));
    EXPECT_TRUE(IsRenamed(u"Macro 1", u"Macro 1 "));
    EXPECT_TRUE(IsRenamed(u"Macro 1", u""));
}

}  // namespace
