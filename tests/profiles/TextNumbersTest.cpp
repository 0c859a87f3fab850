#include "profiles/TextNumbers.h"

#include <gtest/gtest.h>

using namespace TextNumbers;

TEST(TextNumbers, DecimalParsingFollowsLeadingDigits)
{
    struct Case {
        std::u16string_view text;
        std::int64_t value;
    };
    const Case cases[] = {
        {u"42", 42}, {u"  7x", 7}, {u"-3", -3}, {u"+5", 5}, {u"", 0}, {u"abc", 0},
        {u"99999999999", 2147483647}, {u"-99999999999", -2147483648LL},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseDecimal(c.text), c.value) << ToUtf8(c.text);
    }
    EXPECT_EQ(ParseUnsignedDecimal(u"4294967295"), 4294967295u);
    EXPECT_EQ(ParseUnsignedDecimal(u"99999999999"), 4294967295u);
}

TEST(TextNumbers, HexParsingAcceptsPrefixAndStopsAtNonDigits)
{
    EXPECT_EQ(ParseHex(u"0x3311"), 0x3311u);
    EXPECT_EQ(ParseHex(u"0205"), 0x0205u);
    EXPECT_EQ(ParseHex(u"0xCCEEzz"), 0xCCEEu);
    EXPECT_EQ(ParseHex(u"0x"), 0u);
    EXPECT_EQ(ParseHex(u"g1"), 0u);
    EXPECT_EQ(ParseHexDigits(u"=12", 1, 4), 0x12u);
    EXPECT_EQ(ParseHexDigits(u"1G34", 0, 4), 0x1u);
    EXPECT_EQ(ParseHexDigits(u"AB", 5, 2), 0u);
}

TEST(TextNumbers, HexFormattingIsUpperCaseAndZeroPadded)
{
    EXPECT_EQ(Hex(0x0205, 4), u"0205");
    EXPECT_EQ(Hex(0xab, 2), u"AB");
    EXPECT_EQ(Hex(0xFFFFFFFF, 4), u"FFFFFFFF");
    EXPECT_EQ(Decimal(-12), u"-12");
}

TEST(TextNumbers, Utf8RoundTripIncludingSurrogatePairs)
{
    const std::u16string text = u"A\u4E2D\U0001F600";
    EXPECT_EQ(ToUtf8(text), "A\xE4\xB8\xAD\xF0\x9F\x98\x80");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    EXPECT_EQ(ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
}
