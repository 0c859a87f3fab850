#include "DeviceLinkFixture.h"

#include "device/CommandExchanger.h"
#include "device/HidTrafficLog.h"
#include "device/LoggingHidHandle.h"
#include "device/SettingsPayloads.h"
#include "keyfunc/KeyTables.h"

#include <algorithm>
#include <fstream>

using namespace std::chrono_literals;

namespace {

constexpr int kDpiLevels = 0x02;
constexpr int kDpiColours = 0x03;
constexpr int kPollingRate = 0x04;
constexpr int kLighting = 0x06;
constexpr int kMacroData = 0x10;
constexpr int kMacroClear = 0x11;

}  // namespace

using DeviceLinkApplyTest = DeviceLinkFixture;

TEST_F(DeviceLinkApplyTest, ApplyWithNothingChangedSendsNothingAndShowsNoProgressButSchedulesTheSave)
{
    link.Flags().keysChanged = true;
    link.Flags().settingsChanged = true;
    const ApplyOutcome outcome = link.ApplyToDevice();
    EXPECT_EQ(outcome.result, ApplyResult::Applied);
    EXPECT_EQ(outcome.commandCount, 0u);
    EXPECT_FALSE(link.ReportSent());
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(events.log, (std::vector<std::string>{"save-timer 10000", "refresh"}));
    EXPECT_TRUE(link.SavePending());
    EXPECT_FALSE(link.Flags().Any());
}

TEST_F(DeviceLinkApplyTest, ChangedColourSendsDpiColoursAloneWithSequenceAndChecksum)
{
    Current().DPILevelIndication[2] = 0x00563412;
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();

    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    const auto& report = writes[0];
    ASSERT_EQ(report.size(), 32u);
    EXPECT_EQ(report[0], 9);
    EXPECT_EQ(report[1], kDpiColours);
    EXPECT_EQ(report[2], 1);  // the first report since start-up
    EXPECT_EQ(report[3], 0x01);
    EXPECT_EQ(report[4], CommandChecksum(report));
    EXPECT_EQ(report[5 + 6], 0x12);  // level 2: red, green, blue
    EXPECT_EQ(report[5 + 7], 0x34);
    EXPECT_EQ(report[5 + 8], 0x56);
    EXPECT_EQ(mouse.State().settings.dpiColours[2], (SimRgb{0x12, 0x34, 0x56}));
    EXPECT_EQ(events.log, (std::vector<std::string>{"save-timer 10000", "refresh"}));
    ui.RunPending();
    EXPECT_EQ(events.log, (std::vector<std::string>{"save-timer 10000", "refresh", "progress 146"}));
}

TEST_F(DeviceLinkApplyTest, ChangedDpiSendsBothDpiPacketsThenTheColoursAndTheMouseHoldsTheCodes)
{
    Current().XYSettingX[1] = 100;  // 10 100 DPI on the default sensor: code 0xFF76
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();

    EXPECT_EQ(WrittenCommands(), (std::vector<int>{kDpiLevels, kDpiLevels, kDpiColours}));
    const auto writes = Writes();
    EXPECT_EQ(writes[0][3], 0x02);
    EXPECT_EQ(writes[1][3], 0x12);
    EXPECT_EQ(writes[0][7 + 2], 0x76);
    EXPECT_EQ(writes[0][7 + 3], 0xFF);
    EXPECT_EQ(mouse.State().settings.dpiX[1], 0xFF76);
}

TEST_F(DeviceLinkApplyTest, CommandsGoToTheWiredInterfaceWhenTheReceiverIsOpenToo)
{
    Connect(LinkKind::Wireless);
    Current().PollingRateValue[0] = 0;
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    ASSERT_FALSE(mouse.Received().empty());
    for (const SimReceivedReport& report : mouse.Received())
        EXPECT_EQ(report.link, LinkKind::Wired);
}

TEST_F(DeviceLinkApplyTest, RejectedCommandIsWrittenFourTimesThenDroppedAndNotResentLater)
{
    Current().PollingRateValue[0] = 0;
    link.Flags().settingsChanged = true;
    mouse.RejectNextCommands(4);
    const auto start = clock.Now();
    (void)link.ApplyToDevice();

    std::vector<SimReceivedReport> writes;
    for (const SimReceivedReport& report : mouse.Received())
        if (report.operation == SimReportOperation::SetFeature)
            writes.push_back(report);
    ASSERT_EQ(writes.size(), 4u);
    for (std::size_t i = 0; i < writes.size(); ++i) {
        EXPECT_EQ(writes[i].bytes[1], kPollingRate);
        EXPECT_EQ(writes[i].bytes[2], 1 + i) << "every rebuild takes the next sequence number";
        EXPECT_EQ(writes[i].bytes[4], CommandChecksum(writes[i].bytes));
        // Write, 60 ms settle, read back, 60 ms pause: one write every 120 ms.
        EXPECT_EQ(writes[i].time - start, std::chrono::milliseconds(120 * i));
    }
    EXPECT_EQ(clock.Now() - start, 480ms);
    ui.RunPending();
    EXPECT_EQ(link.Totals(), (ExchangeSummary{0, 1}));

    mouse.ClearReceived();
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    EXPECT_TRUE(Writes().empty());
}

TEST_F(DeviceLinkApplyTest, LightingIsWrittenWithThirtyThreeBytesAndEveryOtherCommandWithThirtyTwo)
{
    Current().Lighting1ModeValue[0] = 3;
    Current().PollingRateValue[0] = 1;
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    EXPECT_EQ(WrittenCommands(), (std::vector<int>{kPollingRate, kLighting}));
    for (const auto& bytes : Writes())
        EXPECT_EQ(bytes.size(), bytes[1] == kLighting ? 33u : 32u);
    EXPECT_EQ(Writes()[1][32], 0);
    EXPECT_EQ(mouse.State().settings.lightingMode, 3);
}

TEST_F(DeviceLinkApplyTest, LightingModeNineIsSentOnceAfterPriming)
{
    Current().Lighting1ModeValue[0] = 9;
    link.PrimeLastSent();
    for (int apply = 0; apply < 2; ++apply) {
        mouse.ClearReceived();
        link.Flags().settingsChanged = true;
        (void)link.ApplyToDevice();
        EXPECT_EQ(WrittenCommands(), apply == 0 ? std::vector<int>{kLighting} : std::vector<int>{}) << apply;
    }
}

TEST_F(DeviceLinkApplyTest, UnreachableMouseAsksForTheAttentionWindowKeepsTheFlagsAndSavesTheEdit)
{
    link.CloseCommandInterface(LinkKind::Wired);
    link.Connection().receiverMouseOnline = false;
    Current().PollingRateValue[0] = 0;
    link.Flags().settingsChanged = true;
    EXPECT_EQ(link.ApplyToDevice().result, ApplyResult::Unreachable);
    EXPECT_EQ(events.log, (std::vector<std::string>{"attention 150 156", "save-timer 10000"}));
    EXPECT_TRUE(link.Flags().settingsChanged);
    EXPECT_TRUE(mouse.Received().empty());
}

TEST_F(DeviceLinkApplyTest, UnconfirmedMouseIsNotWrittenButTheEditIsSaved)
{
    link.Connection().deviceConfirmed = false;
    Current().PollingRateValue[0] = 0;
    link.Flags().settingsChanged = true;
    EXPECT_EQ(link.ApplyToDevice().result, ApplyResult::NotConfirmed);
    EXPECT_EQ(events.log, std::vector<std::string>{"save-timer 10000"});
    EXPECT_TRUE(link.Flags().settingsChanged);
    EXPECT_TRUE(mouse.Received().empty());
}

TEST_F(DeviceLinkApplyTest, ReceiverOnLineWithoutAnOpenInterfaceWritesNothingButKeepsTheCopiesInStep)
{
    link.CloseCommandInterface(LinkKind::Wired);
    Current().PollingRateValue[0] = 0;
    link.Flags().settingsChanged = true;
    const ApplyOutcome outcome = link.ApplyToDevice();
    EXPECT_EQ(outcome.result, ApplyResult::Applied);
    EXPECT_FALSE(outcome.reportSent);
    EXPECT_TRUE(mouse.Received().empty());
    // The settings senders left their copies alone, so the change goes out once the
    // wired interface is back.
    Connect(LinkKind::Wired);
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    EXPECT_EQ(WrittenCommands(), (std::vector<int>{kPollingRate}));
}

TEST_F(DeviceLinkApplyTest, MacroButtonUploadsClearThenPacketsAndTheMouseHoldsTheEvents)
{
    // A library macro of nine key presses and releases with delays between them.
    MacroItemLocation selection;
    ASSERT_EQ(macros.CreateMacroAtSelection(u"nine", selection), MacroLibrary::CreateResult::Created);
    MacroKey& macro = *macros.MutableItem(selection)->macro;
    for (std::uint8_t i = 0; i < 9; ++i) {
        (void)macro.Insert(macro.MacroActionNum, MacroAction::FromBytes(static_cast<std::uint8_t>(0x41 + i), 0, 0, 0));
        (void)macro.Insert(macro.MacroActionNum, MacroAction::Delay(10));
    }
    macro.MacroCommandActionNum = 9;
    Profile& profile = Current();
    ASSERT_TRUE(profiles.AssignFunction(settings, ProfileTable::kFirstButtonControl + 4, u"nine", u"",
                                        FunctionValue{0x90, 0, 0}, &macro));
    profile.Keys[4].MacroKeyIndex = macro.MacroKeyIndex;
    link.Flags().keysChanged = true;
    const auto start = clock.Now();
    (void)link.ApplyToDevice();

    EXPECT_EQ(WrittenCommands(), (std::vector<int>{0x01, kMacroClear, kMacroData, kMacroData}));
    const auto received = mouse.Received();
    std::vector<SimReceivedReport> writes;
    std::copy_if(received.begin(), received.end(), std::back_inserter(writes),
                 [](const SimReceivedReport& r) { return r.operation == SimReportOperation::SetFeature; });
    EXPECT_EQ(writes[0].bytes[5 + 3 * 3], 0x90) << "button 4 travels in the fourth entry";
    EXPECT_EQ(writes[0].bytes[5 + 3 * 3 + 1], (MacroKey::kLoopModeCount << 4) | 1);
    EXPECT_EQ(writes[2].bytes[3], 0x02);
    EXPECT_EQ(writes[3].bytes[3], 0x12);
    EXPECT_EQ(writes[2].bytes[5], 26);
    EXPECT_EQ(writes[3].bytes[5], 3);
    // Keys and clear settle 60 ms, the clear waits 10 ms more, data packets settle 120 ms.
    EXPECT_EQ(writes[1].time - start, 60ms);
    EXPECT_EQ(writes[2].time - writes[1].time, 70ms);
    EXPECT_EQ(writes[3].time - writes[2].time, 120ms);

    const SimMouseState state = mouse.State();
    const SimMacroSlot& slot = state.settings.macros[1];
    ASSERT_EQ(slot.events.size(), 27u);
    EXPECT_EQ(slot.events[0], 0x30);  // press, key class, 10 ms
    EXPECT_EQ(slot.events[1], 10);
    EXPECT_EQ(slot.events[2], KeyUsage(0x41));
}

TEST_F(DeviceLinkApplyTest, TrafficLogHasOneLinePerTransferWithTheExactBytes)
{
    std::string error;
    std::shared_ptr<HidTrafficLog> log = HidTrafficLog::Open(folder / "hid.log", clock, error);
    ASSERT_NE(log, nullptr) << error;
    link.SetCommandInterface(LinkKind::Wired, std::make_shared<LoggingHidHandle>(
                                                  mouse.OpenCommandInterface(LinkKind::Wired), LinkKind::Wired, log));
    Current().PollingRateValue[0] = 1;  // 250 Hz: code 0x04
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    log.reset();
    link.CloseAll();

    std::ifstream in(folder / "hid.log");
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    const std::string zeros = [] {
        std::string text;
        for (int i = 0; i < 26; ++i)
            text += " 00";
        return text;
    }();
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "0.000 wired set-feature 32 09 04 01 01 13 04" + zeros,
                         "0.060 wired get-feature 32 09 04 01 01 13 04" + zeros,
                     }));
}
