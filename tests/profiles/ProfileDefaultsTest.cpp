#include "profiles/ProfileDefaults.h"

#include "profiles/Profile.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

namespace {

using Positions = std::array<std::uint16_t, 8>;

}  // namespace

TEST(ResetProfile, WritesNamesButtonsAndReportRate)
{
    const LanguageTexts texts = NumberedTexts();
    Profile profile;
    ResetProfile(profile, 2, texts, SensorIds::k3311);

    EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"T87");
    EXPECT_EQ(profile.Settings[16].key, u"PowerDownTime");
    EXPECT_EQ(profile.Settings[16].value, u"10");
    const FunctionValue expected[] = {{0x10, 0x01, 0}, {0x10, 0x02, 0}, {0x10, 0x04, 0},
                                      {0x10, 0x10, 0}, {0x10, 0x08, 0}, {0x40, 0x01, 0}};
    const std::u16string names[] = {u"T20", u"T21", u"T22", u"T23", u"T24", u"T42"};
    for (std::size_t b = 0; b < Profile::kButtonCount; ++b) {
        EXPECT_EQ(profile.Keys[b].Value, expected[b]) << b;
        EXPECT_EQ(profile.Keys[b].Name, names[b]) << b;
        EXPECT_EQ(profile.Keys[b].Macro.MacroKeyLoopType, 2);
    }
    EXPECT_EQ(profile.PollingRateName, u"1000HZ");
    EXPECT_EQ(profile.PollingRateValue, (std::array<std::uint8_t, 3>{3, 0, 0}));
    EXPECT_EQ(profile.Lighting1Name, u"T100");
    EXPECT_EQ(profile.Lighting1Direction[1], 1);
    EXPECT_EQ(profile.Lighting1Direction[2], 0);
    EXPECT_EQ(profile.Lighting1FixedColor[5][7], 0xFF46FAu);
    EXPECT_EQ(profile.Lighting1ColorSelected[5][8], 0);
    EXPECT_EQ(profile.Lighting1ColorSelected[8][1], 1);
    EXPECT_EQ(profile.Lighting2OffOn, 0);
    EXPECT_EQ(profile.Lighting2Brightness, 0);
}

TEST(ResetProfile, IndexBeyondTheNamedProfilesGetsANumberedName)
{
    Profile profile;
    ResetProfile(profile, 6, NumberedTexts(), SensorIds::k3311);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"Profile7");
}

TEST(ResetDpiDefaults, PositionsFollowTheSensor)
{
    struct Case {
        std::uint16_t sensor;
        Positions positions;
    };
    const Case cases[] = {
        {SensorIds::k3395, {7, 15, 31, 63, 127, 519, 519, 519}},
        {SensorIds::k3325, {7, 11, 15, 23, 31, 49, 58, 50}},
        {SensorIds::k0205, {7, 15, 23, 31, 59, 99, 99, 99}},
        {SensorIds::k3205, {0, 4, 8, 16, 24, 28, 28, 28}},
    };
    for (const Case& c : cases) {
        Profile profile;
        ResetDpiDefaults(profile, c.sensor);
        EXPECT_EQ(profile.XYSettingX, c.positions) << std::hex << c.sensor;
        EXPECT_EQ(profile.XYSettingY, c.positions) << std::hex << c.sensor;
    }
}

TEST(ResetDpiDefaults, UnknownSensorKeepsPositionsButResetsTheRest)
{
    Profile profile;
    profile.XYSettingX = {1, 2, 3, 4, 5, 6, 7, 8};
    profile.DPIOffOnFlag = 0x01;
    profile.CurrentDPILevel = 5;
    ResetDpiDefaults(profile, 0x1234);
    EXPECT_EQ(profile.XYSettingX, (Positions{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(profile.DPIOffOnFlag, 0x3F);
    EXPECT_EQ(profile.CurrentDPILevel, 1);
    EXPECT_EQ(profile.DPILevelIndication[1], 0xFF0000u);
    EXPECT_EQ(profile.LiftDetectionValue, 1);
}

TEST(ProfileSettings, TypedAccessParsesAndFormats)
{
    Profile profile;
    ResetProfile(profile, 0, NumberedTexts(), SensorIds::k3311);
    EXPECT_EQ(profile.GetIntSetting(ProfileSetting::DoubleClickSpeed), 6);
    profile.SetIntSetting(ProfileSetting::PowerDownTime, -4);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::PowerDownTime), u"-4");

    // Most switches count only positive values as on; two count any non-zero value.
    profile.SetBoolSetting(ProfileSetting::AngleSnap, -1);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::AngleSnap), u"0");
    profile.SetBoolSetting(ProfileSetting::AccelerationEnable, -1);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::AccelerationEnable), u"1");
    profile.SetBoolSetting(ProfileSetting::MotionSync, 3);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::MotionSync), u"1");

    EXPECT_EQ(profile.GetSetting(24), u"");
    EXPECT_EQ(profile.GetKey(6), nullptr);
    EXPECT_EQ(profile.GetKey(5), &profile.Keys[5]);
}
