#include "DeviceLinkFixture.h"

#include "device/HidHandle.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFile.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using DeviceLinkStatusTest = DeviceLinkFixture;

namespace {

// Reads the next status report the mouse sent on `kind`'s status interface.
std::array<std::uint8_t, 32> NextReport(HidHandle& status)
{
    std::array<std::uint8_t, 32> report{};
    report.fill(0xFF);
    report[0] = 7;
    EXPECT_TRUE(status.ReadInput(report));
    return report;
}

// Opens a link's status interface and reads past the report of the mouse's state that
// it starts with: these tests hand the link only the reports they make.
std::unique_ptr<HidHandle> OpenStatus(SimulatedMouse& mouse, LinkKind link)
{
    auto status = mouse.OpenStatusInterface(link);
    if (status != nullptr)
        (void)NextReport(*status);
    return status;
}

}  // namespace

TEST_F(DeviceLinkStatusTest, DpiButtonOnTheMouseUpdatesTheProfileAndIsNotWrittenBack)
{
    auto status = OpenStatus(mouse, LinkKind::Wired);
    ASSERT_NE(status, nullptr);
    // The listener starts out remembering level 2, so the level is taken when it differs
    // from that: press until the mouse reports another one.
    std::array<std::uint8_t, 32> report{};
    do {
        mouse.PressDpiButton();
        report = NextReport(*status);
        link.OnStatusReport(LinkKind::Wired, report);
    } while (report[2] == ListenerMemory::kInitialDpiLevel);

    EXPECT_EQ(Current().CurrentDPILevel, report[2]);
    // (The first report also gives the battery state, which is news once.)
    EXPECT_EQ(events.log,
              (std::vector<std::string>{"battery 100 0", "save-timer 10000", "status-changed", "refresh"}));
    EXPECT_TRUE(link.SavePending());

    // The copies were primed with the reported level: an apply has nothing to send.
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    EXPECT_TRUE(Writes().empty());
}

TEST_F(DeviceLinkStatusTest, LaunchButtonAsksForTheProgramOnce)
{
    Current().Keys[2].URL = u"/usr/bin/true";
    auto status = OpenStatus(mouse, LinkKind::Wired);
    for (int press = 0; press < 2; ++press) {
        mouse.PressLaunchButton(3);
        link.OnStatusReport(LinkKind::Wired, NextReport(*status));
    }
    EXPECT_EQ(std::count(events.log.begin(), events.log.end(), "launch /usr/bin/true"), 1);
    mouse.ReleaseLaunchButton();
    link.OnStatusReport(LinkKind::Wired, NextReport(*status));
    mouse.PressLaunchButton(3);
    link.OnStatusReport(LinkKind::Wired, NextReport(*status));
    EXPECT_EQ(std::count(events.log.begin(), events.log.end(), "launch /usr/bin/true"), 2);
}

TEST_F(DeviceLinkStatusTest, NewSensorResetsTheDpiOfAllFiveProfilesAndSavesEverything)
{
    for (int index = 0; index < ProfileTable::kProfileCount; ++index)
        profiles.At(index).XYSettingX[0] = 300;
    auto status = OpenStatus(mouse, LinkKind::Wired);
    mouse.SetSensorCode(0x51);  // model 0x3395
    link.OnStatusReport(LinkKind::Wired, NextReport(*status));

    EXPECT_EQ(settings.SensorId(), 0x3395);
    EXPECT_EQ(TextNumbers::ToUtf8(settings.Value(AppSetting::Sensor)), "0x3395");
    EXPECT_EQ(TextNumbers::ToUtf8(settings.Value(AppSetting::PreST)), "0xCC6A");
    EXPECT_EQ(link.DpiTable().Model(), 0x3395);
    EXPECT_EQ(link.DpiTable().PositionCount(), 520u);
    Profile expected = profiles.At(3);
    ResetDpiDefaults(expected, 0x3395);
    for (int index = 0; index < ProfileTable::kProfileCount; ++index) {
        EXPECT_NE(profiles.At(index).XYSettingX[0], 300) << index;
        EXPECT_TRUE(std::filesystem::exists(paths.DefaultProfileFile(index))) << index;
    }
    EXPECT_EQ(profiles.At(3), expected);
    EXPECT_TRUE(events.Saw("sensor " + std::to_string(0x3395)));

    AppSettings reread;
    ASSERT_TRUE(ReadSettingsFile(reread, paths.SettingsFile()).ok);
    EXPECT_EQ(reread.ParseSensorText(), 0x3395);
}

TEST_F(DeviceLinkStatusTest, ReceiverReportsMouseOfflineWhileWiredIsPresent)
{
    link.Link(LinkKind::Wired).present = true;
    mouse.Plug(LinkKind::Wireless);
    auto status = OpenStatus(mouse, LinkKind::Wireless);
    const BatteryState battery = link.Battery();
    const Profile before = Current();
    events.log.clear();

    mouse.SetReceiverMouseOnline(false);
    link.OnStatusReport(LinkKind::Wireless, NextReport(*status));
    EXPECT_FALSE(link.Connection().receiverMouseOnline);
    EXPECT_EQ(link.Battery(), battery);
    EXPECT_EQ(Current(), before);
    EXPECT_TRUE(events.log.empty());
}

TEST_F(DeviceLinkStatusTest, BatteryTickShowsNothingUntilConfirmedThenTheLevel)
{
    auto status = OpenStatus(mouse, LinkKind::Wired);
    mouse.SetBattery(57, 0);
    link.OnStatusReport(LinkKind::Wired, NextReport(*status));
    link.Connection().deviceConfirmed = false;
    EXPECT_FALSE(link.OnBatteryTimer().has_value());
    link.Connection().deviceConfirmed = true;
    const auto view = link.OnBatteryTimer();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->level, 57);
    EXPECT_EQ(view->text, u"57%");
}

// The tray's tip and the notifications follow the battery without a timer: they hear of
// every change, and of nothing else.
TEST_F(DeviceLinkStatusTest, TheBatteryIsToldOnceForTheFirstReportAndThenOnEveryChange)
{
    auto wired = OpenStatus(mouse, LinkKind::Wired);
    events.log.clear();
    mouse.SetBattery(0, 0);  // the same as the state the link starts with, yet news
    link.OnStatusReport(LinkKind::Wired, NextReport(*wired));
    mouse.EmitStatus();
    link.OnStatusReport(LinkKind::Wired, NextReport(*wired));
    mouse.SetBattery(57, 0);
    link.OnStatusReport(LinkKind::Wired, NextReport(*wired));
    mouse.PressDpiButton();  // a change of something else
    link.OnStatusReport(LinkKind::Wired, NextReport(*wired));
    mouse.SetBattery(57, 1);
    link.OnStatusReport(LinkKind::Wired, NextReport(*wired));
    mouse.SetBattery(30, 2);  // full reads as 100 %
    link.OnStatusReport(LinkKind::Wired, NextReport(*wired));

    // A receiver alone that loses its mouse clears the state.
    link.Link(LinkKind::Wired).present = false;
    mouse.Plug(LinkKind::Wireless);
    auto receiver = OpenStatus(mouse, LinkKind::Wireless);
    mouse.SetReceiverMouseOnline(false);
    link.OnStatusReport(LinkKind::Wireless, NextReport(*receiver));

    std::vector<std::string> told;
    std::copy_if(events.log.begin(), events.log.end(), std::back_inserter(told),
                 [](const std::string& entry) { return entry.starts_with("battery "); });
    EXPECT_EQ(told, (std::vector<std::string>{"battery 0 0", "battery 57 0", "battery 57 1", "battery 100 2",
                                              "battery 0 0 cleared"}));
}

TEST_F(DeviceLinkStatusTest, SaveTimerWritesTheSettingsAndTheFiveProfiles)
{
    Current().SetSetting(ProfileSetting::ProfileName, u"changed");
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    ASSERT_TRUE(link.SavePending());
    link.OnSaveTimer();
    EXPECT_FALSE(link.SavePending());
    ProfileTable reread;
    Profile& profile = reread.At(settings.CurrentProfile());
    ASSERT_TRUE(ParseProfileFile(profile, paths.DefaultProfileFile(settings.CurrentProfile())).ok);
    EXPECT_EQ(profile.GetSetting(ProfileSetting::ProfileName), u"changed");
    EXPECT_TRUE(std::filesystem::exists(paths.SettingsFile()));
}

TEST_F(DeviceLinkStatusTest, ReportOfTheOldLevelAfterTheUserPickedAnotherIsTaken)
{
    auto status = OpenStatus(mouse, LinkKind::Wired);
    const std::array<std::uint8_t, 32> atStart = [&] {
        mouse.SetBattery(50, 0);
        return NextReport(*status);
    }();
    link.OnStatusReport(LinkKind::Wired, atStart);
    const std::uint8_t mouseLevel = atStart[2];
    ASSERT_EQ(link.LastDpiLevel(), mouseLevel);

    // The user picks another level on the window, which is written to the mouse; then a
    // button on the mouse brings it back to the level it had before.
    const auto picked = static_cast<std::uint8_t>((mouseLevel + 1) % 6);
    link.SetLastDpiLevel(picked);
    Current().CurrentDPILevel = picked;
    events.log.clear();
    std::array<std::uint8_t, 32> report = atStart;
    report[2] = mouseLevel;
    link.OnStatusReport(LinkKind::Wired, report);

    EXPECT_EQ(Current().CurrentDPILevel, mouseLevel);
    EXPECT_EQ(link.LastDpiLevel(), mouseLevel);
    EXPECT_TRUE(events.Saw("status-changed"));
}

TEST_F(DeviceLinkStatusTest, LinkBuiltBeforeTheSettingsWereReadTakesTheSettingsSensor)
{
    // The fixture builds the link first and loads the settings (sensor 0x3311) after it,
    // as the program may. A report of that same sensor is no sensor change.
    ASSERT_EQ(settings.SensorId(), 0x3311);
    for (int index = 0; index < ProfileTable::kProfileCount; ++index)
        profiles.At(index).XYSettingX[0] = 300;
    auto status = OpenStatus(mouse, LinkKind::Wired);
    mouse.SetSensorCode(0x50);  // model 0x3311
    link.OnStatusReport(LinkKind::Wired, NextReport(*status));

    for (const std::string& entry : events.log)
        EXPECT_EQ(entry.rfind("sensor", 0), std::string::npos) << entry;
    for (int index = 0; index < ProfileTable::kProfileCount; ++index)
        EXPECT_EQ(profiles.At(index).XYSettingX[0], 300) << index;
}
