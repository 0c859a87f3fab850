#include "device/DpiStepTable.h"
#include "device/PollingRateLabels.h"
#include "device/SettingsPayloads.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/TextNumbers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace SettingsPayloads;

TEST(SettingsPayloadsTest, PollingIndexGivesCodeAndLabel)
{
    struct Case {
        std::uint8_t index;
        std::uint8_t code;
        std::u16string label;
    };
    const Case cases[] = {
        {0, 0x08, u"125Hz"},  {1, 0x04, u"250Hz"},  {2, 0x02, u"500Hz"},  {3, 0x01, u"1000Hz"},
        {4, 0x11, u"2000Hz"}, {5, 0x12, u"4000Hz"}, {6, 0x14, u"8000Hz"}, {7, 0x14, u"8000Hz"},
        {255, 0x14, u"8000Hz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.index));
        EXPECT_EQ(PollingCode(c.index), c.code);
        EXPECT_EQ(::PollingRateLabel(c.index), c.label);
    }
}

TEST(SettingsPayloadsTest, LiftCodeIsOneOnlyForHeightOne)
{
    const std::pair<std::u16string, std::uint8_t> cases[] = {
        {u"1", 1}, {u"0", 2}, {u"2", 2}, {u"", 2}, {u"257", 2}, {u"-1", 2},
    };
    Profile profile;
    for (const auto& [text, code] : cases) {
        SCOPED_TRACE(TextNumbers::ToUtf8(text));
        profile.SetSetting(ProfileSetting::LiftDetectionHeight, text);
        EXPECT_EQ(LiftCode(profile), code);
    }
}

TEST(SettingsPayloadsTest, TextSettingsAreReadAsDecimalAndSendTheirLowByte)
{
    const std::pair<std::u16string, std::uint8_t> cases[] = {
        {u"10", 10}, {u"255", 0xFF}, {u"300", 0x2C}, {u"-1", 0xFF}, {u"12abc", 12}, {u"abc", 0}, {u"", 0},
    };
    Profile profile;
    for (const auto& [text, byte] : cases) {
        SCOPED_TRACE(TextNumbers::ToUtf8(text));
        profile.SetSetting(ProfileSetting::KeyDebounce, text);
        EXPECT_EQ(TextSettingByte(profile, ProfileSetting::KeyDebounce), byte);
    }
}

TEST(SettingsPayloadsTest, SpeedBrightnessBytePacksBothPlusOneAndKeepsEightBits)
{
    struct Case {
        std::uint8_t brightness;
        std::uint8_t speed;
        std::uint8_t byte;
    };
    const Case cases[] = {
        {0, 0, 0x11}, {3, 1, 0x42}, {1, 15, 0x20}, {14, 15, 0xF0}, {15, 0, 0x01}, {255, 255, 0x00}, {16, 16, 0x11},
    };
    Profile profile;
    profile.Lighting1ModeValue[0] = 4;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int{c.brightness} << "/" << int{c.speed});
        profile.Lighting1Brightness[4] = c.brightness;
        profile.Lighting1Speed[4] = c.speed;
        EXPECT_EQ(BuildLighting(profile)[kLightingSpeedBrightness], c.byte);
    }
}

TEST(SettingsPayloadsTest, LightingTakesDirectionOfModeOneAndFirstColourOfModeSix)
{
    Profile profile;
    profile.Lighting1ModeValue[0] = 2;
    profile.Lighting1Direction.fill(7);
    profile.Lighting1Direction[1] = 1;
    for (auto& slots : profile.Lighting1FixedColor) {
        slots.fill(0x00445566);
    }
    profile.Lighting1FixedColor[6][0] = 0xEECCBBAA;  // the top byte is not a colour
    profile.Lighting1Brightness[2] = 2;
    profile.Lighting1Speed[2] = 5;

    const LightingBytes expected{0xFF, 0x02, 0x36, 0x01, 0xAA, 0xBB, 0xCC};
    EXPECT_EQ(BuildLighting(profile), expected);
}

TEST(SettingsPayloadsTest, LightingModeOutsideTheProfileArraysReadsSpeedAndBrightnessAsZero)
{
    Profile profile;
    // Every neighbour of the per-mode arrays holds something else, so a read past the end
    // of an array would show in the byte.
    profile.Lighting1Speed.fill(4);
    profile.Lighting1Brightness.fill(5);
    for (auto& slots : profile.Lighting1ColorSelected) {
        slots.fill(6);
    }
    for (const std::uint8_t mode : {std::uint8_t{10}, std::uint8_t{11}, std::uint8_t{255}}) {
        SCOPED_TRACE(int{mode});
        profile.Lighting1ModeValue[0] = mode;
        const LightingBytes bytes = BuildLighting(profile);
        EXPECT_EQ(bytes[kLightingMode], mode);
        EXPECT_EQ(bytes[kLightingSpeedBrightness], 0x11);
    }
}

TEST(SettingsPayloadsTest, DpiColoursAreRedGreenBlueOfEachLevel)
{
    Profile profile;
    for (std::size_t level = 0; level < Profile::kDpiLevelCount; ++level) {
        const auto base = static_cast<std::uint32_t>(0x10 * level);
        // 0x00BBGGRR with a junk top byte that must not appear.
        profile.DPILevelIndication[level] = 0xEE000000u | ((base + 3) << 16) | ((base + 2) << 8) | (base + 1);
    }
    const DpiColourBytes expected{0x01, 0x02, 0x03, 0x11, 0x12, 0x13, 0x21, 0x22, 0x23, 0x31, 0x32, 0x33,
                                  0x41, 0x42, 0x43, 0x51, 0x52, 0x53, 0x61, 0x62, 0x63, 0x71, 0x72, 0x73};
    EXPECT_EQ(BuildDpiColours(profile), expected);
}

TEST(SettingsPayloadsTest, DpiBytesCarryLevelsZeroToFiveOfBothAxes)
{
    DpiStepTable table;
    ASSERT_TRUE(table.Build(SensorIds::k3395));
    Profile profile;
    profile.CurrentDPILevel = 5;
    profile.DPIOffOnFlag = 0xA5;
    profile.XYSettingX = {0, 1, 255, 256, 519, 300, 7, 7};  // levels 6 and 7 are not sent
    profile.XYSettingY = {519, 2, 3, 4, 5, 6, 9, 9};
    const DpiBytes expected{
        0x05, 0xA5,                                                                    // level, mask
        0x00, 0x00, 0x01, 0x00, 0xFF, 0x00, 0x00, 0x01, 0x07, 0x02, 0x2C, 0x01,        // X
        0x00, 0x00, 0x00, 0x00,                                                        //
        0x07, 0x02, 0x02, 0x00, 0x03, 0x00, 0x04, 0x00, 0x05, 0x00, 0x06, 0x00,        // Y
        0x00, 0x00, 0x00, 0x00,                                                        //
    };
    EXPECT_EQ(BuildDpi(profile, table), expected);
}

TEST(SettingsPayloadsTest, DpiPositionStoredUnderAnotherSensorSendsTheLastCodeOfTheCurrentOne)
{
    DpiStepTable table;
    ASSERT_TRUE(table.Build(SensorIds::k3205));
    Profile profile;
    profile.XYSettingX = {519, 0, 0, 0, 0, 0, 0, 0};
    const DpiBytes bytes = BuildDpi(profile, table);
    EXPECT_EQ(bytes[kDpiXCodes], 28);
    EXPECT_EQ(bytes[kDpiXCodes + 1], 0);
}

TEST(SettingsPayloadsTest, PowerSavingAndSensorOptionsTakeTheirThreeSettings)
{
    Profile profile;
    profile.SetSetting(ProfileSetting::PowerDownTime, u"10");
    profile.SetSetting(ProfileSetting::RgbOffTime, u"3");
    profile.SetSetting(ProfileSetting::MoveLightingOnOffMode, u"1");
    profile.SetSetting(ProfileSetting::AngleSnap, u"1");
    profile.SetSetting(ProfileSetting::MotionSync, u"0");
    profile.SetSetting(ProfileSetting::RippleControl, u"1");
    profile.AngleSnapValue = 9;  // the record field is not what the command sends
    EXPECT_EQ(BuildPowerSaving(profile), (ThreeBytes{0x0A, 0x03, 0x01}));
    EXPECT_EQ(BuildSensorOptions(profile), (ThreeBytes{0x01, 0x00, 0x01}));
}

}  // namespace
