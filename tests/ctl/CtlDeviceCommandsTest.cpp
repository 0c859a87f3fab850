#include "ctl/CtlCommands.h"

#include "device/DeviceLinkFixture.h"
#include "device/HidTrafficLog.h"
#include "macros/MacroLibraryFile.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFile.h"

#include <fstream>
#include <sstream>

namespace {

struct CtlRun {
    int exitCode = 0;
    std::string out;
    std::string err;
};

// The device commands against a simulated mouse on its cable, on the virtual clock, with
// the fixture's data folder written to disk as the program would have saved it.
class CtlDeviceCommandsTest : public DeviceLinkFixture {
protected:
    CtlDeviceCommandsTest() { pushed.Plug(LinkKind::Wired); }

    CtlRun Run(const std::vector<std::string>& arguments, const std::string& input = {})
    {
        std::ostringstream out;
        std::ostringstream err;
        std::istringstream in(input);
        CtlEnvironment environment;
        environment.defaultDataFolder = folder.Path();
        environment.simulatedMouse = &pushed;
        environment.clock = &clock;
        environment.input = &in;
        const int code = RunCtl(arguments, environment, out, err);
        return {code, out.str(), err.str()};
    }

    void SaveDataFolder()
    {
        ASSERT_TRUE(WriteSettingsFile(settings, paths.SettingsFile()));
        for (int index = 0; index < ProfileTable::kProfileCount; ++index)
            ASSERT_TRUE(WriteProfileFile(profiles.At(index), settings.ProfileSlotPath(index)));
        ASSERT_TRUE(MacroLibraryFile::Save(macros, paths.MacroLibraryFile(), MacroItemLocation{}));
    }

    // Changes every value of profile `index` that travels to the mouse away from what a
    // new mouse holds.
    void ChangeEveryCarriedField(int index)
    {
        Profile& profile = profiles.At(index);
        profile.CurrentDPILevel = 3;
        profile.DPIOffOnFlag = 0x15;
        for (std::size_t level = 0; level < Profile::kDpiLevelCount; ++level) {
            profile.XYSettingX[level] = static_cast<std::uint16_t>(2 * level + 1);
            profile.XYSettingY[level] = static_cast<std::uint16_t>(3 * level + 2);
            profile.DPILevelIndication[level] = 0x00102030u + static_cast<std::uint32_t>(level);
        }
        profile.PollingRateValue[0] = 1;
        profile.Lighting1ModeValue[0] = 3;
        profile.Lighting1Brightness[3] = 40;
        profile.Lighting1Speed[3] = 0;
        // Whatever the mode, the lighting command carries mode 1's direction and mode 6's colour.
        profile.Lighting1Direction[1] = 0;
        profile.Lighting1FixedColor[6][0] = 0x00336699;
        profile.SetSetting(ProfileSetting::LiftDetectionHeight, u"1");
        profile.SetSetting(ProfileSetting::KeyDebounce, u"5");
        profile.SetSetting(ProfileSetting::PowerDownTime, u"20");
        profile.SetSetting(ProfileSetting::RgbOffTime, u"5");
        profile.SetSetting(ProfileSetting::MoveLightingOnOffMode, u"1");
        profile.SetSetting(ProfileSetting::AngleSnap, u"1");
        profile.SetSetting(ProfileSetting::MotionSync, u"0");
        profile.SetSetting(ProfileSetting::RippleControl, u"1");

        MacroItemLocation selection;
        ASSERT_EQ(macros.CreateMacroAtSelection(u"abc", selection), MacroLibrary::CreateResult::Created);
        MacroKey& macro = *macros.MutableItem(selection)->macro;
        for (std::uint8_t key = 0x41; key < 0x44; ++key) {
            (void)macro.Insert(macro.MacroActionNum, MacroAction::FromBytes(key, 0, 0, 0));
            (void)macro.Insert(macro.MacroActionNum, MacroAction::Delay(20));
        }
        macro.MacroCommandActionNum = 3;
        const int previous = settings.CurrentProfile();
        settings.SetCurrentProfile(index);
        ASSERT_TRUE(profiles.AssignFunction(settings, ProfileTable::kFirstButtonControl + 5, u"abc", u"",
                                            FunctionValue{0x90, 0, 0}, &macro));
        ASSERT_TRUE(profiles.AssignFunction(settings, ProfileTable::kFirstButtonControl + 2, u"Ctrl+C", u"",
                                            FunctionValue{0x70, 0x01, 0x06}, nullptr));
        settings.SetCurrentProfile(previous);
        profile.Keys[5].MacroKeyIndex = macro.MacroKeyIndex;
    }

    // What the fixture's mouse holds after the program applied profile `index` to a
    // mouse whose state it did not know.
    [[nodiscard]] SimMouseSettings AppliedByTheProgram(int index)
    {
        settings.SetCurrentProfile(index);
        link.ForgetLastSent();
        link.Flags() = ChangeFlags{true, true, true, false, true, false};
        EXPECT_EQ(link.ApplyToDevice().result, ApplyResult::Applied);
        return mouse.State().settings;
    }

    SimulatedMouse pushed{clock};
};

std::vector<std::string> ReadLines(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST_F(CtlDeviceCommandsTest, PushWritesEveryCarriedFieldOfTheChosenProfileAsTheProgramWould)
{
    ChangeEveryCarriedField(2);
    SaveDataFolder();
    const SimMouseSettings factory = pushed.State().settings;

    const CtlRun run = Run({"push", "--simulate", "--profile", "2", "--data-dir", folder.Path().string()});
    ASSERT_EQ(run.exitCode, CtlExit::kDone) << run.err;
    EXPECT_NE(run.out.find("commands accepted"), std::string::npos);

    const SimMouseSettings state = pushed.State().settings;
    EXPECT_NE(state.currentDpiLevel, factory.currentDpiLevel);
    EXPECT_NE(state.dpiOnOffFlags, factory.dpiOnOffFlags);
    for (std::size_t level = 0; level < SimMouseSettings::kDpiLevelCount; ++level) {
        EXPECT_NE(state.dpiX[level], factory.dpiX[level]) << level;
        EXPECT_NE(state.dpiY[level], factory.dpiY[level]) << level;
    }
    for (std::size_t level = 0; level < SimMouseSettings::kDpiColourCount; ++level)
        EXPECT_NE(state.dpiColours[level], factory.dpiColours[level]) << level;
    EXPECT_EQ(state.pollingCode, 0x04);  // 250 Hz
    EXPECT_NE(state.liftCode, factory.liftCode);
    EXPECT_EQ(state.keyDebounce, 5);
    EXPECT_EQ(state.lightingMode, 3);
    EXPECT_NE(state.lightingBrightnessSpeed, factory.lightingBrightnessSpeed);
    EXPECT_NE(state.lightingDirection, factory.lightingDirection);
    EXPECT_EQ(state.lightingColour, (SimRgb{0x99, 0x66, 0x33}));
    EXPECT_EQ(state.powerSaving, (std::array<std::uint8_t, 3>{20, 5, 1}));
    EXPECT_EQ(state.sensorOptions, (std::array<std::uint8_t, 3>{1, 0, 1}));
    const auto keys = state.KeysInButtonOrder();
    EXPECT_EQ(keys[2][0], 0x70);
    EXPECT_EQ(keys[5][0], 0x90);
    EXPECT_EQ(state.macros[1].events.size(), 3u * 3u);  // three key presses, three bytes each
    // The data folder is only read.
    EXPECT_EQ(settings.CurrentProfile(), 0);

    // And the mouse holds exactly what the program's own apply leaves in it.
    EXPECT_EQ(state, AppliedByTheProgram(2));
}

TEST_F(CtlDeviceCommandsTest, PushWithATrafficLogRecordsTheExactReportsTheMouseReceived)
{
    SaveDataFolder();
    const std::filesystem::path logPath = folder.Path() / "hid.log";
    const CtlRun run = Run({"--simulate", "push", "--hid-log", logPath.string(), "--data-dir", folder.Path().string()});
    ASSERT_EQ(run.exitCode, CtlExit::kDone) << run.err;

    // Every transfer of the push, after the presence query, in the log's format.
    std::vector<std::string> expected;
    for (const SimReceivedReport& report : pushed.Received()) {
        const bool write = report.operation == SimReportOperation::SetFeature;
        const auto& bytes = write || !report.succeeded ? report.bytes : report.reply;
        std::string line = HidTrafficLog::FormatLine(report.time, report.link,
                                                     write ? HidOperation::SetFeature : HidOperation::GetFeature,
                                                     bytes, report.succeeded);
        expected.push_back(line);
    }
    const std::vector<std::string> lines = ReadLines(logPath);
    ASSERT_FALSE(lines.empty());
    // The log's clock starts when it opens, the mouse's when the test does: compare
    // everything after the time stamp.
    auto withoutTime = [](std::vector<std::string> all) {
        for (std::string& line : all)
            line = line.substr(line.find(' '));
        return all;
    };
    EXPECT_EQ(withoutTime(lines), withoutTime(expected));
    EXPECT_NE(lines.front().find(" wired get-feature 32 08 "), std::string::npos) << "the presence query comes first";
    EXPECT_GT(lines.size(), 10u);
}

TEST_F(CtlDeviceCommandsTest, PushNeedsReadableSettingsAndAReadableProfile)
{
    const CtlRun noSettings = Run({"push", "--simulate", "--data-dir", (folder.Path() / "empty").string()});
    EXPECT_EQ(noSettings.exitCode, CtlExit::kUsage);
    EXPECT_NE(noSettings.err.find("corvanectl init"), std::string::npos);

    SaveDataFolder();
    {
        std::ofstream damage(settings.ProfileSlotPath(1), std::ios::binary | std::ios::trunc);
        damage << "not a profile";
    }
    const CtlRun damaged = Run({"push", "--simulate", "--profile", "1"});
    EXPECT_EQ(damaged.exitCode, CtlExit::kUsage);
    EXPECT_NE(damaged.err.find("fails the reader's checks"), std::string::npos);
    EXPECT_EQ(pushed.State().acceptedCommands, 0u);
}

TEST_F(CtlDeviceCommandsTest, ARefusingMouseMakesThePushFailWithExitCode1)
{
    SaveDataFolder();
    pushed.RejectNextCommands(1000);
    const CtlRun run = Run({"push", "--simulate"});
    EXPECT_EQ(run.exitCode, CtlExit::kRefused);
    EXPECT_NE(run.out.find("not accepted after four attempts"), std::string::npos);
}

TEST_F(CtlDeviceCommandsTest, WithoutAMouseOrAnAnswerTheCommandsSaySoWithExitCode1)
{
    pushed.Unplug(LinkKind::Wired);
    const CtlRun missing = Run({"devices", "--simulate"});
    EXPECT_EQ(missing.exitCode, CtlExit::kRefused);
    EXPECT_NE(missing.err.find("no mouse found"), std::string::npos);

    pushed.Plug(LinkKind::Wired);
    pushed.DropNextReplies(1);
    const CtlRun silent = Run({"status", "--simulate"});
    EXPECT_EQ(silent.exitCode, CtlExit::kRefused);
    EXPECT_NE(silent.err.find("did not answer"), std::string::npos);
}

TEST_F(CtlDeviceCommandsTest, DevicesListsTheLinksWithTheirInterfacesAndLengths)
{
    pushed.Plug(LinkKind::Wireless);
    const CtlRun run = Run({"devices", "--simulate"});
    ASSERT_EQ(run.exitCode, CtlExit::kDone) << run.err;
    EXPECT_NE(run.out.find("wired: present, version 0x0102\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("status, input 32 bytes, feature 0 bytes, sim:hid#vid_248a&pid_6674&col02"),
              std::string::npos);
    EXPECT_NE(run.out.find("command, input 0 bytes, feature 32 bytes, sim:hid#vid_248a&pid_6675&col03"),
              std::string::npos);
    EXPECT_NE(run.out.find("ble: absent\n"), std::string::npos);
}

TEST_F(CtlDeviceCommandsTest, StatusPrintsWhatTheNextStatusReportSays)
{
    pushed.SetBattery(250, 2);
    pushed.SetPollingCode(0x02);
    const CtlRun run = Run({"status", "--simulate"});
    ASSERT_EQ(run.exitCode, CtlExit::kDone) << run.err;
    EXPECT_NE(run.out.find("link in charge: wired\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("battery: 100 % (fully charged)\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("polling rate: 500Hz\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("sensor: 0x"), std::string::npos) << run.out;
}

TEST_F(CtlDeviceCommandsTest, ResetAsksFirstAndSendsTheFactoryResetOnlyOnYes)
{
    SaveDataFolder();
    struct Case {
        std::vector<std::string> arguments;
        std::string answer;
        int exitCode;
        unsigned resets;
    };
    const std::vector<Case> cases = {
        {{"reset", "--simulate"}, "n\n", CtlExit::kDone, 0},
        {{"reset", "--simulate"}, "", CtlExit::kUsage, 0},
        {{"reset", "--simulate"}, "y\n", CtlExit::kDone, 1},
        {{"reset", "--simulate", "--yes"}, "", CtlExit::kDone, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        const CtlRun run = Run(c.arguments, c.answer);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        EXPECT_EQ(pushed.State().factoryResets, c.resets);
    }
}

TEST_F(CtlDeviceCommandsTest, ResetKeepsTheCurrentProfileInStepOnlyWhenTheDataFolderHasSettings)
{
    Current().SetSetting(ProfileSetting::KeyDebounce, u"9");
    SaveDataFolder();
    const std::filesystem::path profileFile = settings.ProfileSlotPath(0);
    const CtlRun withSettings = Run({"reset", "--simulate", "--yes"});
    ASSERT_EQ(withSettings.exitCode, CtlExit::kDone) << withSettings.err;
    Profile reread;
    ASSERT_TRUE(ParseProfileFile(reread, profileFile).ok);
    EXPECT_NE(reread.GetSetting(ProfileSetting::KeyDebounce), u"9");
    EXPECT_EQ(reread.GetSetting(ProfileSetting::ProfileName), Current().GetSetting(ProfileSetting::ProfileName));

    // A folder whose settings file is gone gets no profile file written into it.
    const std::filesystem::path bare = folder.Path() / "bare";
    std::filesystem::create_directories(bare / "config");
    const CtlRun withoutSettings = Run({"reset", "--simulate", "--yes", "--data-dir", bare.string()});
    EXPECT_EQ(withoutSettings.exitCode, CtlExit::kDone) << withoutSettings.err;
    EXPECT_EQ(pushed.State().factoryResets, 2u);
    EXPECT_TRUE(std::filesystem::is_empty(bare / "config"));
}

TEST_F(CtlDeviceCommandsTest, DeviceOptionsAreCheckedPerCommand)
{
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"devices", "--profile", "1"},
             {"push", "--profile", "5"},
             {"push", "--profile"},
             {"status", "--yes"},
             {"status", "--timeout", "0"},
         }) {
        const CtlRun run = Run(arguments);
        EXPECT_EQ(run.exitCode, CtlExit::kUsage) << arguments[0] << " " << arguments[1];
        EXPECT_TRUE(pushed.Received().empty());
    }
}
