#include "device/FirmwareText.h"

#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <vector>

TEST(FirmwareTextTest, FormatsEveryKindOfLabelText)
{
    const LanguageTexts texts = NumberedTexts();
    struct Case {
        FirmwareText text;
        std::u16string shown;
    };
    const std::vector<Case> cases{
        {FirmwareText::Status(293), u"T293"},
        {FirmwareText::Counted(295, 44, 1419), u"T295(44/1419)"},
        {FirmwareText::Counted(297, 1376, 1376), u"T297(1376/1376)"},
        {FirmwareText::Countdown(304, 3), u"T304  ....3"},
        {FirmwareText::Countdown(306, 20), u"T306  ....20"},
        {FirmwareText::DeviceCheckValue(0x0A0BC0FF), u"Device CS:0a0bc0ff"},
        {FirmwareText::DeviceCheckValue(0), u"Device CS:00000000"},
        {FirmwareText::ImageCheckValue(0xCADBBE3D), u"CS1:cadbbe3d"},
        {FirmwareText::ClearedCheckValue(), u""},
        {FirmwareText::PercentageStart(), u"0%"},
        {FirmwareText::Percentage(0, 3965), u"0.0%"},
        {FirmwareText::Percentage(4, 3965), u"0.1%"},
        {FirmwareText::Percentage(3176, 3965), u"80.1%"},
        {FirmwareText::Percentage(3970, 3965), u"100.1%"},
        // A program image shorter than one frame has a total of 0.
        {FirmwareText::Percentage(0, 0), u"0.0%"},
        {FirmwareText::Percentage(5, 0), u"100.0%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFirmwareText(c.text, texts), c.shown) << TextNumbers::ToUtf8(c.shown);
}
