#include "device/DpiStepTable.h"
#include "device/SettingsCommands.h"
#include "device/SettingsPayloads.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"

#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace {

using SettingsCommands::PrimeSettingsCopies;
using SettingsCommands::SendPowerSaving;
using SettingsCommands::SendSensorOptions;
using SettingsCommands::SendSettings;

// A command as the device thread should receive it: payload from report byte 5 on.
CommandRequest Expected(CommandCode code, std::uint8_t packet, std::initializer_list<std::uint8_t> payload,
                        std::size_t writeLength = ReportLength::kCommand)
{
    CommandRequest command;
    command.code = code;
    command.packet = packet;
    std::copy(payload.begin(), payload.end(), command.payload.begin());
    command.writeLength = writeLength;
    command.settle = std::chrono::milliseconds(60);
    command.retry = RetryMode::Rebuild;
    command.pauseAfter = std::chrono::milliseconds(0);
    return command;
}

std::vector<CommandCode> Codes(const std::vector<CommandRequest>& commands)
{
    std::vector<CommandCode> codes;
    for (const CommandRequest& command : commands) {
        codes.push_back(command.code);
    }
    return codes;
}

class SettingsCommandsTest : public testing::Test {
protected:
    SettingsCommandsTest()
    {
        ResetProfile(m_profile, 0, NumberedTexts(), SensorIds::k3311);
        EXPECT_TRUE(m_table.Build(SensorIds::k3311));
    }

    // The copies as the program has them after start-up: primed from the profile.
    void Prime() { PrimeSettingsCopies(m_profile, m_table, m_copies); }

    Profile m_profile;
    DpiStepTable m_table;
    LastSentCopies m_copies;
};

TEST_F(SettingsCommandsTest, EveryChangedSettingIsSentInOrderWithExactPayloads)
{
    m_profile.XYSettingX = {0, 18, 99, 100, 119, 239, 5, 6};
    m_profile.XYSettingY = {1, 2, 3, 4, 5, 120, 0, 0};
    m_profile.CurrentDPILevel = 2;
    m_profile.DPIOffOnFlag = 0x3F;
    for (std::uint32_t level = 0; level < Profile::kDpiLevelCount; ++level) {
        m_profile.DPILevelIndication[level] = (3 * level + 1) | ((3 * level + 2) << 8) | ((3 * level + 3) << 16);
    }
    m_profile.PollingRateValue[0] = 4;
    m_profile.SetSetting(ProfileSetting::LiftDetectionHeight, u"1");
    m_profile.SetSetting(ProfileSetting::KeyDebounce, u"300");
    m_profile.Lighting1ModeValue[0] = 3;
    m_profile.Lighting1Brightness[3] = 4;
    m_profile.Lighting1Speed[3] = 2;
    m_profile.Lighting1Direction[1] = 1;
    m_profile.Lighting1FixedColor[6][0] = 0x00CCBBAA;

    // Zeroed copies differ from everything, including the lighting marker.
    const std::vector<CommandRequest> expected{
        Expected(CommandCode::DpiLevels, 0x02,
                 {0x02, 0x3F, 0x02, 0x00, 0x2C, 0x00, 0xEB, 0x00, 0x76, 0xFF, 0x8D, 0xFF, 0x77, 0x01, 0, 0, 0, 0}),
        Expected(CommandCode::DpiLevels, 0x12,
                 {0x02, 0x3F, 0x04, 0x00, 0x06, 0x00, 0x09, 0x00, 0x0B, 0x00, 0x0E, 0x00, 0x00, 0x01, 0, 0, 0, 0}),
        Expected(CommandCode::DpiColours, 0x01,
                 {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C,
                  0x0D, 0x0E, 0x0F, 0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18}),
        Expected(CommandCode::PollingRate, 0x01, {0x11}),
        Expected(CommandCode::LiftHeight, 0x01, {0x01}),
        Expected(CommandCode::KeyDebounce, 0x01, {0x2C}),
        Expected(CommandCode::Lighting, 0x01, {0xFF, 0x03, 0x53, 0x01, 0xAA, 0xBB, 0xCC}, 33),
    };
    EXPECT_EQ(SendSettings(m_profile, m_table, m_copies), expected);
}

TEST_F(SettingsCommandsTest, CopiesTakeTheNewBytesSoASecondSendWithoutChangeSendsNothing)
{
    // Whether the mouse accepted the first commands or not, the copies already hold their
    // payloads: a rejected command is not sent again until its data change.
    EXPECT_EQ(SendSettings(m_profile, m_table, m_copies).size(), 7u);
    const LastSentCopies afterFirst = m_copies;
    EXPECT_TRUE(SendSettings(m_profile, m_table, m_copies).empty());
    EXPECT_EQ(m_copies, afterFirst);
}

struct ChangeCase {
    const char* name;
    std::function<void(Profile&)> change;
    std::vector<CommandCode> sent;
};

TEST_F(SettingsCommandsTest, EachChangeSendsExactlyItsCommands)
{
    using enum CommandCode;
    const std::vector<CommandCode> dpi{DpiLevels, DpiLevels, DpiColours};
    const ChangeCase cases[] = {
        {"DPI colour", [](Profile& p) { p.DPILevelIndication[7] = 0x123456; }, {DpiColours}},
        {"X position", [](Profile& p) { p.XYSettingX[0] = 200; }, dpi},
        {"Y position", [](Profile& p) { p.XYSettingY[5] = 1; }, dpi},
        {"current level", [](Profile& p) { p.CurrentDPILevel = 4; }, dpi},
        {"enabled levels", [](Profile& p) { p.DPIOffOnFlag = 0x07; }, dpi},
        {"DPI and colour", [](Profile& p) { p.XYSettingX[1] = 0; p.DPILevelIndication[0] = 1; }, dpi},
        {"level 6 and 7 positions", [](Profile& p) { p.XYSettingX[6] = 0; p.XYSettingY[7] = 0; }, {}},
        {"polling rate", [](Profile& p) { p.PollingRateValue[0] = 6; }, {PollingRate}},
        {"polling bytes 1 and 2", [](Profile& p) { p.PollingRateValue[1] = 9; p.PollingRateValue[2] = 9; }, {}},
        {"lift height 1", [](Profile& p) { p.SetSetting(ProfileSetting::LiftDetectionHeight, u"1"); },
         {LiftHeight}},
        {"lift height 2 to 0", [](Profile& p) { p.SetSetting(ProfileSetting::LiftDetectionHeight, u"0"); }, {}},
        {"debounce", [](Profile& p) { p.SetSetting(ProfileSetting::KeyDebounce, u"8"); }, {KeyDebounce}},
        {"debounce with the same low byte", [](Profile& p) { p.SetSetting(ProfileSetting::KeyDebounce, u"258"); },
         {}},
        {"lighting mode", [](Profile& p) { p.Lighting1ModeValue[0] = 5; }, {Lighting}},
        {"brightness of the active mode", [](Profile& p) { p.Lighting1Brightness[1] = 0; }, {Lighting}},
        {"speed of another mode", [](Profile& p) { p.Lighting1Speed[2] = 0; }, {}},
        {"direction of mode 1", [](Profile& p) { p.Lighting1Direction[1] = 0; }, {Lighting}},
        {"direction of another mode", [](Profile& p) { p.Lighting1Direction[2] = 1; }, {}},
        {"first colour of mode 6", [](Profile& p) { p.Lighting1FixedColor[6][0] = 0x00FF00; }, {Lighting}},
        {"power saving", [](Profile& p) { p.SetSetting(ProfileSetting::PowerDownTime, u"3"); }, {}},
        {"motion wake-up", [](Profile& p) { p.SetSetting(ProfileSetting::MotionWakeup, u"0"); }, {}},
        {"several", [](Profile& p) { p.PollingRateValue[0] = 0; p.DPILevelIndication[2] = 0; p.Lighting1Speed[1] = 0; },
         {DpiColours, PollingRate, Lighting}},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.name);
        Profile profile = m_profile;
        LastSentCopies copies;
        PrimeSettingsCopies(profile, m_table, copies);
        ASSERT_TRUE(SendSettings(profile, m_table, copies).empty());
        c.change(profile);
        EXPECT_EQ(Codes(SendSettings(profile, m_table, copies)), c.sent);
        EXPECT_TRUE(SendSettings(profile, m_table, copies).empty());
    }
}

TEST_F(SettingsCommandsTest, PollingIndexSixAndAboveAllSendTheEightThousandCode)
{
    Prime();
    m_profile.PollingRateValue[0] = 6;
    const std::vector<CommandRequest> sent = SendSettings(m_profile, m_table, m_copies);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], Expected(CommandCode::PollingRate, 0x01, {0x14}));
    for (const std::uint8_t index : {std::uint8_t{7}, std::uint8_t{200}}) {
        m_profile.PollingRateValue[0] = index;
        EXPECT_TRUE(SendSettings(m_profile, m_table, m_copies).empty()) << int{index};
    }
}

TEST_F(SettingsCommandsTest, DpiLevelsCarryTheCurrentSensorsCodes)
{
    ASSERT_TRUE(m_table.Build(SensorIds::k3395));
    Prime();
    m_profile.XYSettingX[0] = 519;
    const std::vector<CommandRequest> sent = SendSettings(m_profile, m_table, m_copies);
    ASSERT_EQ(Codes(sent), (std::vector{CommandCode::DpiLevels, CommandCode::DpiLevels, CommandCode::DpiColours}));
    EXPECT_EQ(sent[0].packet, 0x02);
    EXPECT_EQ(sent[0].At(7), 0x07);
    EXPECT_EQ(sent[0].At(8), 0x02);
    EXPECT_EQ(sent[1].packet, 0x12);
    // The colours go out again with the DPI levels even though they did not change.
    EXPECT_EQ(sent[2], Expected(CommandCode::DpiColours, 0x01,
                                {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0x00,
                                 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST_F(SettingsCommandsTest, PrimedCopiesMatchWhatTheSendersWouldLeave)
{
    Prime();
    EXPECT_TRUE(SendSettings(m_profile, m_table, m_copies).empty());
    EXPECT_FALSE(SendPowerSaving(m_profile, m_copies).has_value());
    EXPECT_FALSE(SendSensorOptions(m_profile, m_copies).has_value());

    LastSentCopies sentFromScratch;
    (void)SendSettings(m_profile, m_table, sentFromScratch);
    (void)SendPowerSaving(m_profile, sentFromScratch);
    (void)SendSensorOptions(m_profile, sentFromScratch);
    sentFromScratch.motionWakeup = 1;  // default "1"; only priming writes it
    EXPECT_EQ(m_copies, sentFromScratch);
}

TEST_F(SettingsCommandsTest, PrimingLeavesKeysAndMacrosAndKeepsMotionWakeup)
{
    m_copies.keys.fill(0xAB);
    m_copies.macros[3][7] = 0x5A;
    m_profile.SetSetting(ProfileSetting::MotionWakeup, u"0");
    m_copies.motionWakeup = 1;
    Prime();
    for (const std::uint8_t byte : m_copies.keys) {
        EXPECT_EQ(byte, 0xAB);
    }
    EXPECT_EQ(m_copies.macros[3][7], 0x5A);
    EXPECT_EQ(m_copies.motionWakeup, 0);
}

TEST_F(SettingsCommandsTest, AfterPrimingOnlyLightingModesEightAndAboveAreSentAgainOnce)
{
    struct Case {
        std::uint8_t mode;
        std::uint8_t primedMarker;
        bool sentAgain;
    };
    const Case cases[] = {
        {0, 0xFF, false}, {7, 0xFF, false}, {8, 8, true}, {9, 2, true}, {10, 0, true}, {255, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int{c.mode});
        Profile profile = m_profile;
        profile.Lighting1ModeValue[0] = c.mode;
        LastSentCopies copies;
        PrimeSettingsCopies(profile, m_table, copies);
        EXPECT_EQ(copies.lighting[0], c.primedMarker);

        const std::vector<CommandRequest> sent = SendSettings(profile, m_table, copies);
        if (c.sentAgain) {
            ASSERT_EQ(sent.size(), 1u);
            EXPECT_EQ(sent[0], Expected(CommandCode::Lighting, 0x01,
                                        {0xFF, c.mode, c.mode < 10 ? std::uint8_t{0x42} : std::uint8_t{0x11}, 0x01,
                                         0xFF, 0x00, 0x00},
                                        33));
            EXPECT_EQ(copies.lighting, SettingsPayloads::BuildLighting(profile));
        } else {
            EXPECT_TRUE(sent.empty());
        }
        EXPECT_TRUE(SendSettings(profile, m_table, copies).empty());
    }
}

TEST_F(SettingsCommandsTest, PrimingModeEightWritesItsColoursOnlyWithinTheLightingCopy)
{
    m_profile.Lighting1ModeValue[0] = 8;
    m_profile.Lighting1FixedColor[8][0] = 0x00332211;
    m_profile.Lighting1FixedColor[8][1] = 0x00665544;
    m_profile.Lighting1ColorSelected[8][0] = 1;
    m_profile.Lighting1ColorSelected[8][1] = 1;
    m_profile.SetSetting(ProfileSetting::PowerDownTime, u"10");
    m_profile.SetSetting(ProfileSetting::RgbOffTime, u"1");
    m_profile.SetSetting(ProfileSetting::MoveLightingOnOffMode, u"0");
    Prime();

    // Marker 8, mode 8, brightness/speed, then slot 0's colour over direction, red and
    // green, and of slot 1's colour only the red byte that still fits.
    EXPECT_EQ(m_copies.lighting, (SettingsPayloads::LightingBytes{0x08, 0x08, 0x42, 0x11, 0x22, 0x33, 0x44}));
    // The bytes that do not fit do not spill into the next copy.
    EXPECT_EQ(m_copies.powerSaving, (SettingsPayloads::ThreeBytes{0x0A, 0x01, 0x00}));

    m_profile.Lighting1ColorSelected[8][0] = 0;
    m_profile.Lighting1ColorSelected[8][1] = 0;
    Prime();
    EXPECT_EQ(m_copies.lighting, (SettingsPayloads::LightingBytes{0x08, 0x08, 0x42, 0x01, 0xFF, 0x00, 0x00}));
}

// Power saving and the sensor options each carry three settings in one command.
struct TripleCommandCase {
    const char* name;
    CommandCode code;
    std::optional<CommandRequest> (*send)(const Profile&, LastSentCopies&);
    std::array<ProfileSetting, 3> settings;
    std::array<std::uint8_t, 3> start;
    std::array<std::uint8_t, 3> changed;
};

class TripleCommandTest : public SettingsCommandsTest, public testing::WithParamInterface<TripleCommandCase> {};

TEST_P(TripleCommandTest, SentWhenOneOfItsThreeSettingsChanged)
{
    const TripleCommandCase& c = GetParam();
    for (std::size_t i = 0; i < 3; ++i)
        m_profile.SetIntSetting(c.settings[i], c.start[i]);
    Prime();
    EXPECT_FALSE(c.send(m_profile, m_copies).has_value());

    std::array<std::uint8_t, 3> bytes = c.start;
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        m_profile.SetIntSetting(c.settings[i], c.changed[i]);
        bytes[i] = c.changed[i];
        const std::optional<CommandRequest> sent = c.send(m_profile, m_copies);
        ASSERT_TRUE(sent.has_value());
        EXPECT_EQ(*sent, Expected(c.code, 0x01, {bytes[0], bytes[1], bytes[2]}));
        EXPECT_FALSE(c.send(m_profile, m_copies).has_value());
    }
    // Nothing else was due.
    EXPECT_TRUE(SendSettings(m_profile, m_table, m_copies).empty());
    EXPECT_FALSE(SendPowerSaving(m_profile, m_copies).has_value());
    EXPECT_FALSE(SendSensorOptions(m_profile, m_copies).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Commands, TripleCommandTest,
    testing::Values(
        TripleCommandCase{"PowerSaving", CommandCode::PowerSaving, &SendPowerSaving,
                          {ProfileSetting::PowerDownTime, ProfileSetting::RgbOffTime,
                           ProfileSetting::MoveLightingOnOffMode},
                          {0x0A, 0x01, 0x00},
                          {0x20, 0x21, 0x22}},
        TripleCommandCase{"SensorOptions", CommandCode::SensorOptions, &SendSensorOptions,
                          {ProfileSetting::AngleSnap, ProfileSetting::MotionSync, ProfileSetting::RippleControl},
                          {0x00, 0x01, 0x00},
                          {0x01, 0x00, 0x01}}),
    [](const testing::TestParamInfo<TripleCommandCase>& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
