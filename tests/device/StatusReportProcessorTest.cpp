#include "device/StatusReportProcessor.h"

#include "device/SensorCodes.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr LinkPresence kWiredOnly{true, false, false};
constexpr LinkPresence kBleOnly{false, true, false};
constexpr LinkPresence kReceiverOnly{false, false, true};
constexpr LinkPresence kWiredAndReceiver{true, false, true};

constexpr std::uint32_t kProfileColour = 0x00302010;  // red 0x10, green 0x20, blue 0x30

class StatusReportProcessorTest : public ::testing::Test {
protected:
    StatusReportProcessorTest()
    {
        ResetProfile(profile, 0, texts, SensorIds::k3311);
        // Bytes that a change must clear, and modes a speed change must leave alone.
        profile.PollingRateValue = {3, 7, 9};
        profile.Lighting1ModeValue = {1, 5, 6};
        profile.Lighting1FixedColor[6][0] = kProfileColour;
        profile.Lighting1Speed[8] = 9;
        profile.Lighting1Speed[9] = 9;
        connection.receiverMouseOnline = true;
        connection.connectionIndicator = ConnectionIndicator::Connected;
        battery = {40, ChargeState::OnBattery};
    }

    // A report that agrees with the fixture's state in every field, so that it changes
    // nothing but the battery. Its DPI level equals the memory's level but not the
    // profile's, which must not count as a change either.
    static StatusReport::Bytes QuietBytes()
    {
        StatusReport::Bytes bytes{};
        bytes[StatusLayout::kReportId] = 7;
        bytes[StatusLayout::kReceiverOnline] = 1;
        bytes[StatusLayout::kDpiLevel] = 2;
        bytes[StatusLayout::kPollingCode] = 0x01;
        bytes[StatusLayout::kBatteryLevel] = 40;
        bytes[StatusLayout::kChargeState] = 0;
        bytes[StatusLayout::kLightingMode] = 1;
        bytes[StatusLayout::kLaunchButton] = 0;
        bytes[StatusLayout::kUnused] = 0xFF;
        bytes[StatusLayout::kSensorCode] = 0x50;
        bytes[StatusLayout::kMoveLighting] = 0;
        bytes[StatusLayout::kPowerDownTime] = 10;
        bytes[StatusLayout::kRgbOffTime] = 1;
        bytes[StatusLayout::kRed] = 0x10;
        bytes[StatusLayout::kGreen] = 0x20;
        bytes[StatusLayout::kBlue] = 0x30;
        bytes[StatusLayout::kLightingSpeed] = 2;
        return bytes;
    }

    static StatusReport With(std::size_t index, std::uint8_t value)
    {
        StatusReport::Bytes bytes = QuietBytes();
        bytes[index] = value;
        return StatusReport(bytes);
    }

    StatusOutcome Process(const StatusReport& report, LinkKind link = LinkKind::Wired,
                          const LinkPresence& presence = kWiredOnly)
    {
        // The caller sets the program up for a reported sensor before the next report.
        StatusOutcome outcome = processor.Process(report, link, presence, profile, sensor);
        if (outcome.sensorChange)
            sensor = outcome.sensorChange->model;
        return outcome;
    }

    LanguageTexts texts = NumberedTexts();
    Profile profile;
    ConnectionState connection;
    BatteryState battery;
    ListenerMemory memory;
    std::uint16_t sensor = SensorIds::k3311;
    StatusReportProcessor processor{connection, battery, memory, texts};
};

TEST_F(StatusReportProcessorTest, QuietReportChangesNothingOnAnyLink)
{
    for (const LinkKind link : {LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless}) {
        SCOPED_TRACE(std::string(LinkName(link)));
        const Profile before = profile;
        const ListenerMemory memoryBefore = memory;
        EXPECT_EQ(Process(StatusReport(QuietBytes()), link, kWiredAndReceiver), StatusOutcome{});
        EXPECT_TRUE(profile == before);
        EXPECT_EQ(memory, memoryBefore);
    }
}

struct FieldCase {
    const char* name;
    LinkKind link;
    std::size_t index;
    std::uint8_t value;
    bool changed;
    void (*expect)(Profile&, ListenerMemory&);  // applies the expected change to copies
};

const FieldCase kFieldCases[] = {
    {"DpiLevel", LinkKind::Wired, StatusLayout::kDpiLevel, 5, true,
     [](Profile& p, ListenerMemory& m) { p.CurrentDPILevel = m.lastDpiLevel = 5; }},
    {"DpiLevelBeyondEightLevelsStoredAsIs", LinkKind::Wired, StatusLayout::kDpiLevel, 200, true,
     [](Profile& p, ListenerMemory& m) { p.CurrentDPILevel = m.lastDpiLevel = 200; }},
    {"Polling2000OnBle", LinkKind::Ble, StatusLayout::kPollingCode, 0x11, true,
     [](Profile& p, ListenerMemory&) {
         p.PollingRateValue = {4, 0, 0};
         p.PollingRateName = u"2000Hz";
     }},
    {"Polling0x11OnWiredIs1000AsBefore", LinkKind::Wired, StatusLayout::kPollingCode, 0x11, false,
     [](Profile&, ListenerMemory&) {}},
    {"Polling125OnWired", LinkKind::Wired, StatusLayout::kPollingCode, 0x08, true,
     [](Profile& p, ListenerMemory&) {
         p.PollingRateValue = {0, 0, 0};
         p.PollingRateName = u"125Hz";
     }},
    {"UnknownPollingCodeOnReceiverIs8000", LinkKind::Wireless, StatusLayout::kPollingCode, 0x77, true,
     [](Profile& p, ListenerMemory&) {
         p.PollingRateValue = {6, 0, 0};
         p.PollingRateName = u"8000Hz";
     }},
    {"LightingMode0NamedByText109", LinkKind::Wired, StatusLayout::kLightingMode, 0, true,
     [](Profile& p, ListenerMemory&) {
         p.Lighting1ModeValue = {0, 0, 0};
         p.Lighting1Name = u"T109";
     }},
    {"LightingMode7NamedByText106", LinkKind::Wired, StatusLayout::kLightingMode, 7, true,
     [](Profile& p, ListenerMemory&) {
         p.Lighting1ModeValue = {7, 0, 0};
         p.Lighting1Name = u"T106";
     }},
    {"LightingMode8NamedByText109", LinkKind::Wired, StatusLayout::kLightingMode, 8, true,
     [](Profile& p, ListenerMemory&) {
         p.Lighting1ModeValue = {8, 0, 0};
         p.Lighting1Name = u"T109";
     }},
    {"MoveLightingOn", LinkKind::Wired, StatusLayout::kMoveLighting, 0x80, true,
     [](Profile& p, ListenerMemory&) { p.SetSetting(ProfileSetting::MoveLightingOnOffMode, u"1"); }},
    {"PowerDownTime30", LinkKind::Wired, StatusLayout::kPowerDownTime, 30, true,
     [](Profile& p, ListenerMemory&) { p.SetSetting(ProfileSetting::PowerDownTime, u"30"); }},
    {"PowerDownTime1", LinkKind::Wired, StatusLayout::kPowerDownTime, 1, true,
     [](Profile& p, ListenerMemory&) { p.SetSetting(ProfileSetting::PowerDownTime, u"1"); }},
    {"PowerDownTime0Ignored", LinkKind::Wired, StatusLayout::kPowerDownTime, 0, false,
     [](Profile&, ListenerMemory&) {}},
    {"PowerDownTime31Ignored", LinkKind::Wired, StatusLayout::kPowerDownTime, 31, false,
     [](Profile&, ListenerMemory&) {}},
    {"PowerDownTime255Ignored", LinkKind::Wired, StatusLayout::kPowerDownTime, 255, false,
     [](Profile&, ListenerMemory&) {}},
    {"RgbOffTime30", LinkKind::Wired, StatusLayout::kRgbOffTime, 30, true,
     [](Profile& p, ListenerMemory&) { p.SetSetting(ProfileSetting::RgbOffTime, u"30"); }},
    {"RgbOffTime0Ignored", LinkKind::Wired, StatusLayout::kRgbOffTime, 0, false,
     [](Profile&, ListenerMemory&) {}},
    {"RgbOffTime31Ignored", LinkKind::Wired, StatusLayout::kRgbOffTime, 31, false,
     [](Profile&, ListenerMemory&) {}},
    {"ColourIntoModes6And3", LinkKind::Wired, StatusLayout::kBlue, 0xAB, true,
     [](Profile& p, ListenerMemory&) { p.Lighting1FixedColor[6][0] = p.Lighting1FixedColor[3][0] = 0x00AB2010; }},
    {"SpeedIntoFirstEightModes", LinkKind::Wired, StatusLayout::kLightingSpeed, 3, true,
     [](Profile& p, ListenerMemory&) {
         for (std::size_t mode = 0; mode < 8; ++mode)
             p.Lighting1Speed[mode] = 2;
     }},
    {"Speed0Ignored", LinkKind::Wired, StatusLayout::kLightingSpeed, 0, false, [](Profile&, ListenerMemory&) {}},
    {"Speed4Ignored", LinkKind::Wired, StatusLayout::kLightingSpeed, 4, false, [](Profile&, ListenerMemory&) {}},
    {"UnknownSensorCodeIgnored", LinkKind::Wired, StatusLayout::kSensorCode, 0x99, false,
     [](Profile&, ListenerMemory&) {}},
    {"UnusedByteIgnored", LinkKind::Wired, StatusLayout::kUnused, 0x00, false, [](Profile&, ListenerMemory&) {}},
};

TEST_F(StatusReportProcessorTest, EachFieldChangesExactlyItsProfileData)
{
    const Profile original = profile;
    const ListenerMemory originalMemory = memory;
    for (const FieldCase& c : kFieldCases) {
        SCOPED_TRACE(c.name);
        profile = original;
        memory = originalMemory;
        Profile expected = original;
        ListenerMemory expectedMemory = originalMemory;
        c.expect(expected, expectedMemory);

        const StatusOutcome outcome = Process(With(c.index, c.value), c.link, kWiredAndReceiver);

        EXPECT_EQ(outcome.disposition, StatusDisposition::Processed);
        EXPECT_EQ(outcome.changed, c.changed);
        EXPECT_FALSE(outcome.startConnectionTimer);
        EXPECT_FALSE(outcome.launchUrl.has_value());
        EXPECT_FALSE(outcome.sensorChange.has_value());
        EXPECT_TRUE(profile == expected);
        EXPECT_EQ(memory, expectedMemory);
    }
}

TEST_F(StatusReportProcessorTest, SpeedIsComparedWithMode3Only)
{
    profile.Lighting1Speed[0] = 0;  // mode 3 still holds 1, the reported level 2 - 1
    const Profile before = profile;
    EXPECT_FALSE(Process(With(StatusLayout::kLightingSpeed, 2)).changed);
    EXPECT_TRUE(profile == before);
}

TEST_F(StatusReportProcessorTest, MoveLightingSettingFollowsTheReportedState)
{
    struct Case {
        const char* setting;
        std::uint8_t reported;
        const char16_t* after;
        bool changed;
    };
    const Case cases[] = {
        {"0", 0, u"0", false}, {"0", 1, u"1", true},  {"1", 0, u"0", true},  {"1", 7, u"1", false},
        // Values the window never writes end as the reported state too.
        {"2", 0, u"0", true},  {"2", 1, u"1", true},  {"-1", 0, u"0", true}, {"", 1, u"1", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("setting '") + c.setting + "' reported " + std::to_string(c.reported));
        profile.SetSetting(ProfileSetting::MoveLightingOnOffMode,
                           std::u16string(c.setting, c.setting + std::char_traits<char>::length(c.setting)));
        EXPECT_EQ(Process(With(StatusLayout::kMoveLighting, c.reported)).changed, c.changed);
        EXPECT_EQ(profile.GetSetting(ProfileSetting::MoveLightingOnOffMode), c.after);
    }
}

TEST_F(StatusReportProcessorTest, BatteryFollowsEveryReportWithoutCountingAsChange)
{
    struct Case {
        std::uint8_t level;
        std::uint8_t charge;
        BatteryState expected;
    };
    const Case cases[] = {
        {57, 0, {57, ChargeState::OnBattery}}, {57, 1, {57, ChargeState::Charging}},
        {3, 2, {100, ChargeState::Full}},      {250, 2, {100, ChargeState::Full}},
        {250, 1, {250, ChargeState::Charging}}, {57, 3, {57, ChargeState::OnBattery}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.level) + " / " + std::to_string(c.charge));
        StatusReport::Bytes bytes = QuietBytes();
        bytes[StatusLayout::kBatteryLevel] = c.level;
        bytes[StatusLayout::kChargeState] = c.charge;
        EXPECT_FALSE(Process(StatusReport(bytes)).changed);
        EXPECT_EQ(battery, c.expected);
    }
}

TEST_F(StatusReportProcessorTest, LaunchFiresOncePerPressOfAButton)
{
    profile.Keys[2].URL = u"C:\\Tools\\first.exe";
    profile.Keys[4].URL = u"C:\\Tools\\second.exe";
    struct Step {
        std::uint8_t button;
        std::optional<std::u16string> launch;
    };
    const Step steps[] = {
        {3, u"C:\\Tools\\first.exe"},
        {3, std::nullopt},  // the same press reported again
        {0, std::nullopt},
        {3, u"C:\\Tools\\first.exe"},
        {5, u"C:\\Tools\\second.exe"},
        {3, u"C:\\Tools\\first.exe"},  // another button in between also re-arms
        {1, std::nullopt},             // no program set for this button
        {7, std::nullopt},             // no such button
        {7, std::nullopt},
        {3, u"C:\\Tools\\first.exe"},
    };
    const Profile before = profile;
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE("step " + std::to_string(step++));
        const StatusOutcome outcome = Process(With(StatusLayout::kLaunchButton, s.button));
        EXPECT_EQ(outcome.launchUrl, s.launch);
        EXPECT_FALSE(outcome.changed);
        EXPECT_EQ(memory.lastLaunchButton, s.button);
    }
    EXPECT_TRUE(profile == before);
}

TEST_F(StatusReportProcessorTest, SensorChangesAreReportedOnceWithTheirLayoutSwitch)
{
    struct Step {
        std::uint8_t code;
        std::optional<SensorChange> change;
        std::uint16_t model;
    };
    const Step steps[] = {
        {SensorCode::k3311, std::nullopt, 0x3311},  // the model already in force
        {0x99, std::nullopt, 0x3311},
        {SensorCode::k3205, SensorChange{0x3205, SensorLayoutSwitch::To3205Layout}, 0x3205},
        {SensorCode::k3205, std::nullopt, 0x3205},
        {0x00, std::nullopt, 0x3205},
        {SensorCode::k3212, SensorChange{0x3212, SensorLayoutSwitch::From3205Layout}, 0x3212},
        {SensorCode::k3325, SensorChange{0x3325, SensorLayoutSwitch::None}, 0x3325},
    };
    const Profile before = profile;
    int step = 0;
    for (const Step& s : steps) {
        SCOPED_TRACE("step " + std::to_string(step++));
        const StatusOutcome outcome = Process(With(StatusLayout::kSensorCode, s.code));
        EXPECT_EQ(outcome.sensorChange, s.change);
        EXPECT_FALSE(outcome.changed);
        EXPECT_EQ(sensor, s.model);
    }
    // The DPI reset of the new sensor belongs to the caller.
    EXPECT_TRUE(profile == before);
}

TEST_F(StatusReportProcessorTest, StartingOn3205SwitchesTheLayoutBackOnAnotherSensor)
{
    sensor = SensorIds::k3205;
    const StatusOutcome outcome = Process(StatusReport(QuietBytes()));  // reports 0x3311
    EXPECT_EQ(outcome.sensorChange, (SensorChange{0x3311, SensorLayoutSwitch::From3205Layout}));
}

TEST_F(StatusReportProcessorTest, SeveralFieldsInOneReportGiveOneOutcome)
{
    profile.Keys[0].URL = u"game.exe";
    StatusReport::Bytes bytes = QuietBytes();
    bytes[StatusLayout::kDpiLevel] = 4;
    bytes[StatusLayout::kLaunchButton] = 1;
    bytes[StatusLayout::kSensorCode] = SensorCode::k3395;
    bytes[StatusLayout::kRgbOffTime] = 12;

    const StatusOutcome outcome = Process(StatusReport(bytes), LinkKind::Ble, kBleOnly);

    StatusOutcome expected;
    expected.launchUrl = u"game.exe";
    expected.sensorChange = SensorChange{0x3395, SensorLayoutSwitch::None};
    expected.changed = true;
    EXPECT_EQ(outcome, expected);
    EXPECT_EQ(profile.CurrentDPILevel, 4);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::RgbOffTime), u"12");
}

TEST_F(StatusReportProcessorTest, ReportWithAnotherIdTouchesNothing)
{
    // Every field differs, and on the receiver link byte 1 says off line.
    StatusReport::Bytes bytes{};
    bytes.fill(0x05);
    bytes[StatusLayout::kReportId] = 8;
    bytes[StatusLayout::kReceiverOnline] = 0;
    profile.Keys[4].URL = u"x.exe";
    const Profile before = profile;
    const ListenerMemory memoryBefore = memory;
    const BatteryState batteryBefore = battery;

    for (const LinkKind link : {LinkKind::Wired, LinkKind::Wireless}) {
        StatusOutcome expected;
        expected.disposition = StatusDisposition::Ignored;
        EXPECT_EQ(processor.Process(StatusReport(bytes), link, kReceiverOnly, profile, sensor), expected);
    }
    EXPECT_TRUE(profile == before);
    EXPECT_EQ(memory, memoryBefore);
    EXPECT_EQ(battery, batteryBefore);
    EXPECT_TRUE(connection.receiverMouseOnline);
}

struct ReceiverCase {
    const char* name;
    LinkPresence presence;
    std::uint8_t online;
    bool onlineBefore;
    ConnectionIndicator indicator;
    bool timer;
    StatusDisposition disposition;
    bool batteryCleared;
};

const ReceiverCase kReceiverCases[] = {
    {"MouseComesOnLine", kReceiverOnly, 1, false, ConnectionIndicator::ReceiverMouseOffline, true,
     StatusDisposition::Processed, false},
    {"MouseStaysOnLine", kReceiverOnly, 1, true, ConnectionIndicator::Connected, false,
     StatusDisposition::Processed, false},
    {"MouseGoesOffLine", kReceiverOnly, 0, true, ConnectionIndicator::Connected, true,
     StatusDisposition::SkippedMouseOffline, true},
    {"MouseStaysOffLineIndicatorShowsIt", kReceiverOnly, 0, false, ConnectionIndicator::ReceiverMouseOffline,
     false, StatusDisposition::SkippedMouseOffline, true},
    {"MouseStaysOffLineIndicatorSaysConnected", kReceiverOnly, 0, false, ConnectionIndicator::Connected, true,
     StatusDisposition::SkippedMouseOffline, true},
    {"MouseStaysOffLineIndicatorNotShownYet", kReceiverOnly, 0, false, ConnectionIndicator::None, true,
     StatusDisposition::SkippedMouseOffline, true},
    {"OffLineWithWiredPresent", kWiredAndReceiver, 0, true, ConnectionIndicator::Connected, false,
     StatusDisposition::SkippedMouseOffline, false},
    {"OffLineWithBlePresent", LinkPresence{false, true, true}, 0, false, ConnectionIndicator::None, false,
     StatusDisposition::SkippedMouseOffline, false},
    {"OnLineWithBlePresent", LinkPresence{false, true, true}, 1, false, ConnectionIndicator::Connected, false,
     StatusDisposition::Processed, false},
};

TEST_F(StatusReportProcessorTest, ReceiverLinkFollowsItsMouse)
{
    const Profile original = profile;
    for (const ReceiverCase& c : kReceiverCases) {
        SCOPED_TRACE(c.name);
        profile = original;
        memory = ListenerMemory{};
        battery = {40, ChargeState::Charging};
        connection.receiverMouseOnline = c.onlineBefore;
        connection.connectionIndicator = c.indicator;
        // A DPI change, so that processing shows in the outcome and the profile.
        StatusReport::Bytes bytes = QuietBytes();
        bytes[StatusLayout::kReceiverOnline] = c.online;
        bytes[StatusLayout::kDpiLevel] = 6;
        bytes[StatusLayout::kBatteryLevel] = 77;

        const StatusOutcome outcome = Process(StatusReport(bytes), LinkKind::Wireless, c.presence);

        EXPECT_EQ(outcome.disposition, c.disposition);
        EXPECT_EQ(outcome.startConnectionTimer, c.timer);
        EXPECT_EQ(connection.receiverMouseOnline, c.online != 0);
        EXPECT_EQ(connection.connectionIndicator, c.indicator);  // the timer's business
        const bool processed = c.disposition == StatusDisposition::Processed;
        EXPECT_EQ(outcome.changed, processed);
        EXPECT_EQ(profile.CurrentDPILevel, processed ? 6 : original.CurrentDPILevel);
        EXPECT_EQ(memory.lastDpiLevel, processed ? 6 : ListenerMemory::kInitialDpiLevel);
        const BatteryState expectedBattery = processed          ? BatteryState{77, ChargeState::OnBattery}
                                             : c.batteryCleared ? BatteryState{}
                                                                : BatteryState{40, ChargeState::Charging};
        EXPECT_EQ(battery, expectedBattery);
    }
}

TEST_F(StatusReportProcessorTest, ByteOneMeansNothingOnWiredAndBleLinks)
{
    for (const LinkKind link : {LinkKind::Wired, LinkKind::Ble}) {
        SCOPED_TRACE(std::string(LinkName(link)));
        connection.receiverMouseOnline = true;
        const StatusOutcome outcome = Process(With(StatusLayout::kReceiverOnline, 0), link, kReceiverOnly);
        EXPECT_EQ(outcome, StatusOutcome{});
        EXPECT_TRUE(connection.receiverMouseOnline);
        EXPECT_EQ(battery, (BatteryState{40, ChargeState::OnBattery}));
    }
}

TEST(StatusCodesTest, PollingCodesMapPerLink)
{
    struct Case {
        std::uint8_t code;
        std::uint8_t wireless;
        std::uint8_t wired;
    };
    const Case cases[] = {
        {0x08, 0, 0}, {0x04, 1, 1}, {0x02, 2, 2}, {0x01, 3, 3}, {0x11, 4, 3},
        {0x12, 5, 3}, {0x14, 6, 3}, {0x00, 6, 3}, {0xFF, 6, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.code));
        EXPECT_EQ(PollingIndexOfReportedCode(LinkKind::Wireless, c.code), c.wireless);
        EXPECT_EQ(PollingIndexOfReportedCode(LinkKind::Ble, c.code), c.wireless);
        EXPECT_EQ(PollingIndexOfReportedCode(LinkKind::Wired, c.code), c.wired);
    }
}

TEST(StatusCodesTest, SensorCodesMapToModels)
{
    EXPECT_EQ(SensorModelOfCode(0x10), 0x3205);
    EXPECT_EQ(SensorModelOfCode(0x30), 0x3212);
    EXPECT_EQ(SensorModelOfCode(0x43), 0x3325);
    EXPECT_EQ(SensorModelOfCode(0x4E), 0x3335);
    EXPECT_EQ(SensorModelOfCode(0x50), 0x3311);
    EXPECT_EQ(SensorModelOfCode(0x51), 0x3395);
    EXPECT_EQ(SensorModelOfCode(0xB2), 0x0205);
    for (const std::uint8_t unknown : {0x00, 0x11, 0x32, 0x95, 0xFF})
        EXPECT_EQ(SensorModelOfCode(unknown), std::nullopt) << static_cast<int>(unknown);
}

TEST(StatusReportTest, ShortReadIsNoReportAndExtraBytesAreDropped)
{
    const std::vector<std::uint8_t> shortRead(31, 7);
    EXPECT_FALSE(StatusReport::FromBytes(shortRead).has_value());

    std::vector<std::uint8_t> longRead(33);
    for (std::size_t i = 0; i < longRead.size(); ++i)
        longRead[i] = static_cast<std::uint8_t>(i + 7);
    const std::optional<StatusReport> report = StatusReport::FromBytes(longRead);
    ASSERT_TRUE(report.has_value());
    EXPECT_TRUE(report->IsStatusReport());
    EXPECT_EQ(report->At(31), 38);
    EXPECT_EQ(report->Colour(), 0x00161514u);  // bytes 13, 14, 15 = 0x14, 0x15, 0x16
}

}  // namespace
