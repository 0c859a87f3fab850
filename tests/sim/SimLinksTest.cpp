#include "sim/SimMouseFixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using SimCommandBuilder::Make;

namespace {

constexpr std::array<LinkKind, 3> kLinks{LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless};

// A report no state of the mouse produces, sent after the reports under test so that a
// test can see that nothing else was queued before it.
SimStatusReport Marker()
{
    SimStatusReport marker{};
    marker[0] = 7;
    marker[31] = 0xA5;
    return marker;
}

}  // namespace

class SimLinksTest : public SimMouseFixture {};

TEST(SimLinksDefaultTest, NothingIsPluggedAtFirst)
{
    VirtualClock clock;
    SimulatedMouse mouse(clock);
    for (LinkKind link : kLinks) {
        EXPECT_FALSE(mouse.IsPlugged(link));
        EXPECT_EQ(mouse.OpenCommandInterface(link), nullptr);
        EXPECT_EQ(mouse.OpenStatusInterface(link), nullptr);
    }
}

TEST(SimLinksDefaultTest, PlugListenerHearsEveryChangeOnce)
{
    VirtualClock clock;
    SimulatedMouse mouse(clock);
    std::vector<std::pair<LinkKind, bool>> heard;
    mouse.SetPlugListener([&heard](LinkKind link, bool plugged) { heard.emplace_back(link, plugged); });

    mouse.Plug(LinkKind::Wired);
    mouse.Plug(LinkKind::Wireless);
    mouse.Plug(LinkKind::Wired);
    mouse.Unplug(LinkKind::Ble);
    mouse.Unplug(LinkKind::Wired);

    const std::vector<std::pair<LinkKind, bool>> expected{
        {LinkKind::Wired, true}, {LinkKind::Wireless, true}, {LinkKind::Wired, false}};
    EXPECT_EQ(heard, expected);
    EXPECT_FALSE(mouse.IsPlugged(LinkKind::Wired));
    EXPECT_TRUE(mouse.IsPlugged(LinkKind::Wireless));
}

TEST_F(SimLinksTest, HandlesOfAnEarlierPlugPeriodFailAfterTheLinkReturns)
{
    auto status = OpenStatus(LinkKind::Wired);
    mouse.Unplug(LinkKind::Wired);
    mouse.Plug(LinkKind::Wired);
    mouse.ClearReceived();

    const auto command = Make(0x09, 0x01, {4});
    EXPECT_FALSE(wired->SetFeature(command));
    std::array<std::uint8_t, 32> buffer{};
    buffer[0] = 8;
    EXPECT_FALSE(wired->GetFeature(buffer));
    mouse.EmitStatus();
    EXPECT_FALSE(status->ReadInput(buffer));
    EXPECT_TRUE(mouse.Received().empty());
    EXPECT_EQ(mouse.AcceptedCount(), 0u);

    auto fresh = mouse.OpenCommandInterface(LinkKind::Wired);
    EXPECT_EQ(Send(*fresh, command)[1], 0x09);
}

TEST_F(SimLinksTest, ClosedHandlesFail)
{
    auto status = OpenStatus(LinkKind::Wired);
    wired->Close();
    status->Close();
    EXPECT_FALSE(wired->SetFeature(Make(0x09, 0x01, {4})));
    mouse.EmitStatus();
    std::array<std::uint8_t, 32> buffer{};
    EXPECT_FALSE(status->ReadInput(buffer));
    EXPECT_TRUE(mouse.Received().empty());
}

TEST_F(SimLinksTest, PresenceReplyCarriesTheSignatureAndTheOnlineFlag)
{
    mouse.Plug(LinkKind::Ble);
    mouse.Plug(LinkKind::Wireless);
    struct Case {
        LinkKind link;
        bool receiverOnline;
        std::uint8_t flag;
    };
    for (const Case& c : {Case{LinkKind::Wired, false, 1}, Case{LinkKind::Ble, false, 1},
                          Case{LinkKind::Wireless, true, 1}, Case{LinkKind::Wireless, false, 0}}) {
        SCOPED_TRACE(std::string(LinkName(c.link)) + (c.receiverOnline ? " online" : " offline"));
        mouse.SetReceiverMouseOnline(c.receiverOnline);
        auto handle = mouse.OpenCommandInterface(c.link);
        std::array<std::uint8_t, 32> buffer{};
        buffer.fill(0xFF);
        buffer[0] = 8;
        const std::vector<std::uint8_t> request(buffer.begin(), buffer.end());
        mouse.ClearReceived();

        ASSERT_TRUE(handle->GetFeature(buffer));
        std::array<std::uint8_t, 32> expected{};
        expected[0] = 8;
        expected[1] = '7';
        expected[2] = '2';
        expected[3] = '5';
        expected[4] = '1';
        expected[5] = c.flag;
        EXPECT_EQ(buffer, expected);

        const auto received = mouse.Received();
        ASSERT_EQ(received.size(), 1u);
        EXPECT_EQ(received[0].link, c.link);
        EXPECT_EQ(received[0].operation, SimReportOperation::GetFeature);
        EXPECT_EQ(received[0].bytes, request);
        EXPECT_EQ(received[0].reply, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    }
    EXPECT_EQ(PresenceLayout::kDeviceSignature, (std::array<std::uint8_t, 4>{'7', '2', '5', '1'}));
}

TEST_F(SimLinksTest, ReceivedReportsCarryTimeLinkAndBytes)
{
    const auto command = Make(0x05, 0x01, {1}, 0x33);
    clock.Advance(std::chrono::milliseconds(5));
    ASSERT_TRUE(wired->SetFeature(command));
    clock.Sleep(std::chrono::milliseconds(60));
    std::array<std::uint8_t, 32> reply{};
    reply[0] = 9;
    ASSERT_TRUE(wired->GetFeature(reply));

    const auto received = mouse.Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].time, std::chrono::microseconds(5000));
    EXPECT_EQ(received[0].link, LinkKind::Wired);
    EXPECT_EQ(received[0].operation, SimReportOperation::SetFeature);
    EXPECT_EQ(received[0].bytes, std::vector<std::uint8_t>(command.begin(), command.end()));
    EXPECT_TRUE(received[0].succeeded);
    EXPECT_EQ(received[1].time, std::chrono::microseconds(65000));
    EXPECT_EQ(received[1].operation, SimReportOperation::GetFeature);
    std::vector<std::uint8_t> request(32, 0);
    request[0] = 9;
    EXPECT_EQ(received[1].bytes, request);
    EXPECT_EQ(received[1].reply, std::vector<std::uint8_t>(command.begin(), command.end()));

    mouse.ClearReceived();
    EXPECT_TRUE(mouse.Received().empty());
}

TEST_F(SimLinksTest, CommandsThroughTheReceiverNeedItsMouseOnline)
{
    mouse.Plug(LinkKind::Wireless);
    auto receiver = mouse.OpenCommandInterface(LinkKind::Wireless);
    mouse.SetReceiverMouseOnline(false);
    EXPECT_EQ(Send(*receiver, Make(0x09, 0x01, {7}))[1], 0);
    EXPECT_EQ(mouse.State().settings.keyDebounce, 2);

    mouse.SetReceiverMouseOnline(true);
    EXPECT_EQ(Send(*receiver, Make(0x09, 0x01, {7}))[1], 0x09);
    EXPECT_EQ(mouse.State().settings.keyDebounce, 7);
}

TEST_F(SimLinksTest, PairingRequestIsTakenOnlyByTheReceiver)
{
    mouse.Plug(LinkKind::Wireless);
    auto receiver = mouse.OpenCommandInterface(LinkKind::Wireless);
    const std::vector<std::uint8_t> request{0xBC, 0x03, 0, 0, 0, 0, 0, 0};

    EXPECT_FALSE(wired->SetFeature(request));
    EXPECT_FALSE(receiver->SetFeature(std::vector<std::uint8_t>{0xBC, 0x03, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mouse.State().pairingRequests, 0u);

    EXPECT_TRUE(receiver->SetFeature(request));
    EXPECT_EQ(mouse.State().pairingRequests, 1u);
    const auto received = mouse.Received();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[2].link, LinkKind::Wireless);
    EXPECT_EQ(received[2].bytes, request);
}

TEST_F(SimLinksTest, StatusReportGoesToEveryPluggedLinkWithTheOnlineFlagOnlyOnTheReceiver)
{
    mouse.Plug(LinkKind::Ble);
    mouse.Plug(LinkKind::Wireless);
    std::vector<std::unique_ptr<HidHandle>> status;
    for (LinkKind link : kLinks)
        status.push_back(OpenStatus(link));

    SimLiveState live;
    live.dpiLevel = 4;
    live.pollingCode = 0x11;
    live.battery = 87;
    live.chargeState = SimChargeState::kFull;
    live.lightingMode = 6;
    live.launchButton = 0;
    live.sensorCode = 0x4E;
    live.moveLighting = 1;
    live.powerDownTime = 12;
    live.rgbOffTime = 3;
    live.colour = {0x12, 0x34, 0x56};
    live.speedLevel = 3;
    mouse.SetLiveState(live);

    Reply expected{0x07, 0x00, 0x04, 0x11, 87, 0x02, 0x06, 0x00, 0x00, 0x4E, 0x01, 12, 3, 0x12, 0x34, 0x56, 0x03};
    EXPECT_EQ(ReadStatus(*status[0]), expected);
    EXPECT_EQ(ReadStatus(*status[1]), expected);
    expected[1] = 0x01;
    EXPECT_EQ(ReadStatus(*status[2]), expected);

    mouse.SetReceiverMouseOnline(false);
    mouse.EmitStatusReport(Marker());
    expected[1] = 0x00;
    EXPECT_EQ(ReadStatus(*status[2]), expected);
    for (auto& handle : status)
        EXPECT_EQ(ReadStatus(*handle), Marker());
}

TEST_F(SimLinksTest, MouseEventsChangeTheReportedBytes)
{
    auto status = OpenStatus(LinkKind::Wired);
    // Levels 0, 2 and 5 enabled, level 0 current.
    ASSERT_EQ(Send(Make(0x02, 0x02, {0, 0b100101}))[1], 0x02);

    for (int press = 0; press < 4; ++press)
        mouse.PressDpiButton();
    mouse.PressLaunchButton(3);
    mouse.ReleaseLaunchButton();
    mouse.SetBattery(15, SimChargeState::kCharging);
    mouse.SetPollingCode(0x08);
    mouse.SetSensorCode(0x43);
    mouse.SetLightingMode(9);

    for (std::uint8_t level : {2, 5, 0, 2})
        EXPECT_EQ(ReadStatus(*status)[2], level);
    EXPECT_EQ(ReadStatus(*status)[7], 3);
    EXPECT_EQ(ReadStatus(*status)[7], 0);
    const Reply battery = ReadStatus(*status);
    EXPECT_EQ(battery[4], 15);
    EXPECT_EQ(battery[5], 1);
    EXPECT_EQ(ReadStatus(*status)[3], 0x08);
    EXPECT_EQ(ReadStatus(*status)[9], 0x43);
    const Reply last = ReadStatus(*status);
    EXPECT_EQ(last[6], 9);
    EXPECT_EQ(last[2], 2);
    EXPECT_EQ(last[4], 15);
}

TEST_F(SimLinksTest, DpiButtonStaysWhenNoLevelIsEnabled)
{
    auto status = OpenStatus(LinkKind::Wired);
    ASSERT_EQ(Send(Make(0x02, 0x02, {3, 0x00}))[1], 0x02);
    mouse.PressDpiButton();
    EXPECT_EQ(ReadStatus(*status)[2], 3);
}

TEST_F(SimLinksTest, HostSettingsMoveTheLiveStateWithoutAReport)
{
    auto status = OpenStatus(LinkKind::Wired);
    ASSERT_EQ(Send(Make(0x04, 0x01, {0x12}))[1], 0x04);
    ASSERT_EQ(Send(Make(0x02, 0x02, {5, 0x3F}))[1], 0x02);
    mouse.EmitStatus();
    const Reply report = ReadStatus(*status);
    EXPECT_EQ(report[3], 0x12);
    EXPECT_EQ(report[2], 5);
}

TEST_F(SimLinksTest, ReportsSentBeforeTheHandleOpenedAreNotDelivered)
{
    SimStatusReport first = Marker();
    first[31] = 1;
    mouse.EmitStatusReport(first);
    auto status = OpenStatus(LinkKind::Wired);
    mouse.EmitStatusReport(Marker());
    EXPECT_EQ(ReadStatus(*status), Marker());
}

// A listener that starts reading learns the mouse's state at once, on every link; the
// receiver's report carries its mouse's on-line flag.
TEST_F(SimLinksTest, AStatusInterfaceStartsWithTheMousesState)
{
    mouse.Plug(LinkKind::Ble);
    mouse.Plug(LinkKind::Wireless);
    mouse.SetBattery(57, SimChargeState::kOnBattery);
    struct Case {
        LinkKind link;
        bool receiverMouseOnline;
        std::uint8_t onlineByte;
    };
    const Case cases[] = {
        {LinkKind::Wired, true, 0},
        {LinkKind::Ble, true, 0},
        {LinkKind::Wireless, true, 1},
        {LinkKind::Wireless, false, 0},
    };
    for (const Case& c : cases) {
        mouse.SetReceiverMouseOnline(c.receiverMouseOnline);
        auto status = mouse.OpenStatusInterface(c.link);
        ASSERT_NE(status, nullptr);
        mouse.EmitStatusReport(Marker());
        const Reply opening = ReadStatus(*status);
        EXPECT_EQ(opening, mouse.State().live.BuildReport(c.onlineByte)) << LinkIndex(c.link);
        EXPECT_EQ(opening[4], 57);
        EXPECT_EQ(ReadStatus(*status), Marker()) << "one opening report only";
    }
}

// On battery the mouse repeats its state after each period without a report on a link;
// charging or full, or a receiver whose mouse is out of reach, it stays quiet.
TEST_F(SimLinksTest, OnBatteryTheMouseReportsAfterEachQuietPeriod)
{
    struct Case {
        const char* what;
        std::uint8_t chargeState;
        LinkKind link;
        bool receiverMouseOnline;
        bool reports;
    };
    const Case cases[] = {
        {"wired on battery", SimChargeState::kOnBattery, LinkKind::Wired, true, true},
        {"BLE on battery", SimChargeState::kOnBattery, LinkKind::Ble, true, true},
        {"receiver on battery", SimChargeState::kOnBattery, LinkKind::Wireless, true, true},
        {"receiver's mouse off line", SimChargeState::kOnBattery, LinkKind::Wireless, false, false},
        {"charging", SimChargeState::kCharging, LinkKind::Wired, true, false},
        {"full", SimChargeState::kFull, LinkKind::Wired, true, false},
    };
    const auto period = std::chrono::duration_cast<std::chrono::microseconds>(SimulatedMouse::kBatteryReportPeriod);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        mouse.Plug(c.link);
        mouse.SetReceiverMouseOnline(c.receiverMouseOnline);
        mouse.SetBattery(42, c.chargeState);
        auto status = OpenStatus(c.link);
        ASSERT_NE(status, nullptr);

        clock.Advance(period - std::chrono::microseconds(1));
        mouse.SendDueStatusReports();  // not yet due
        clock.Advance(std::chrono::microseconds(1));
        mouse.SendDueStatusReports();
        mouse.SendDueStatusReports();  // the report just sent starts the next period
        mouse.EmitStatusReport(c.link, Marker());
        if (c.reports) {
            const Reply periodic = ReadStatus(*status);
            EXPECT_EQ(periodic[4], 42);
            EXPECT_EQ(periodic[5], c.chargeState);
        }
        EXPECT_EQ(ReadStatus(*status), Marker());
        // Another report in between puts the next periodic one off by a whole period.
        clock.Advance(period / 2);
        mouse.SetBattery(41, c.chargeState);
        clock.Advance(period / 2);
        mouse.SendDueStatusReports();
        mouse.EmitStatusReport(c.link, Marker());
        EXPECT_EQ(ReadStatus(*status)[4], 41);
        EXPECT_EQ(ReadStatus(*status), Marker());
    }
}

// The report timer sleeps until this tells it to wake.
TEST(SimLinksDefaultTest, TheNextReportIsDueAPeriodAfterTheLastOnlyWhileOnBattery)
{
    VirtualClock clock;
    SimulatedMouse mouse(clock);
    const auto period = std::chrono::duration_cast<std::chrono::microseconds>(SimulatedMouse::kBatteryReportPeriod);
    mouse.SetBattery(50, SimChargeState::kOnBattery);
    EXPECT_EQ(mouse.NextStatusReportDue(), std::nullopt) << "nothing plugged";
    mouse.Plug(LinkKind::Wireless);
    mouse.SetReceiverMouseOnline(false);
    EXPECT_EQ(mouse.NextStatusReportDue(), std::nullopt) << "the receiver's mouse out of reach";

    mouse.Plug(LinkKind::Wired);
    EXPECT_EQ(mouse.NextStatusReportDue(), period);
    clock.Advance(std::chrono::seconds(4));
    EXPECT_EQ(mouse.NextStatusReportDue(), period - std::chrono::seconds(4));
    mouse.SetBattery(50, SimChargeState::kCharging);
    EXPECT_EQ(mouse.NextStatusReportDue(), std::nullopt) << "charging";
    mouse.SetBattery(50, SimChargeState::kFull);
    EXPECT_EQ(mouse.NextStatusReportDue(), std::nullopt) << "full";
    mouse.SetBattery(49, SimChargeState::kOnBattery);
    EXPECT_EQ(mouse.NextStatusReportDue(), period) << "the report of the change starts a new period";
    clock.Advance(period + std::chrono::seconds(3));
    EXPECT_EQ(mouse.NextStatusReportDue(), std::chrono::microseconds(0)) << "overdue";
}

// The running program's timer: real time, on a thread of the mouse's own.
TEST_F(SimLinksTest, TheReportTimerSendsTheDueReports)
{
    auto status = OpenStatus(LinkKind::Wired);
    clock.Advance(std::chrono::duration_cast<std::chrono::microseconds>(SimulatedMouse::kBatteryReportPeriod));
    mouse.StartReportTimer(std::chrono::milliseconds(1));
    const Reply periodic = ReadStatus(*status);  // blocks until the timer has sent it
    EXPECT_EQ(periodic, mouse.State().live.BuildReport(0));
}

TEST_F(SimLinksTest, StatusReportForOneLinkReachesOnlyThatLink)
{
    mouse.Plug(LinkKind::Wireless);
    auto wiredStatus = OpenStatus(LinkKind::Wired);
    auto receiverStatus = OpenStatus(LinkKind::Wireless);
    SimStatusReport receiverOnly{};
    receiverOnly[0] = 7;
    receiverOnly[1] = 1;
    mouse.EmitStatusReport(LinkKind::Wireless, receiverOnly);
    mouse.EmitStatusReport(Marker());
    EXPECT_EQ(ReadStatus(*receiverStatus), receiverOnly);
    EXPECT_EQ(ReadStatus(*wiredStatus), Marker());
}

TEST_F(SimLinksTest, BlockedReaderGetsTheNextReport)
{
    auto status = OpenStatus(LinkKind::Wired);
    Reply read{};
    bool ok = false;
    std::thread reader([&] { ok = status->ReadInput(read); });
    mouse.WaitForBlockedReaders(1);
    mouse.SetBattery(33, 0);
    reader.join();
    EXPECT_TRUE(ok);
    EXPECT_EQ(read[4], 33);
}

// A test waits on this instead of on time before it looks at what a listener posted.
TEST_F(SimLinksTest, StatusReportsCountAsReadOnceEachReaderWaitsForTheNextOne)
{
    auto status = OpenStatus(LinkKind::Wired);
    mouse.SetBattery(10, 0);
    mouse.SetBattery(20, 0);
    // Nobody reads the open handle yet: the reports wait, and so does the caller.
    EXPECT_FALSE(mouse.WaitUntilStatusReportsRead(std::chrono::milliseconds(1)));

    std::vector<std::uint8_t> levels;  // written by the reader before it waits again
    std::thread reader([&] {
        Reply read{};
        while (status->ReadInput(read))
            levels.push_back(read[4]);
    });
    ASSERT_TRUE(mouse.WaitUntilStatusReportsRead(std::chrono::seconds(30)));
    EXPECT_EQ(levels, (std::vector<std::uint8_t>{10, 20}));
    mouse.SetBattery(30, 0);
    ASSERT_TRUE(mouse.WaitUntilStatusReportsRead(std::chrono::seconds(30)));
    EXPECT_EQ(levels.back(), 30);

    // A closed handle and an unplugged link hold nothing back.
    status->Close();
    reader.join();
    auto unread = mouse.OpenStatusInterface(LinkKind::Wired);
    mouse.SetBattery(40, 0);
    mouse.Unplug(LinkKind::Wired);
    EXPECT_TRUE(mouse.WaitUntilStatusReportsRead(std::chrono::seconds(30)));
}

TEST_F(SimLinksTest, UnplugAndCloseWakeABlockedReader)
{
    for (bool byUnplug : {true, false}) {
        SCOPED_TRACE(byUnplug ? "unplug" : "close");
        mouse.Plug(LinkKind::Wired);
        auto status = OpenStatus(LinkKind::Wired);
        bool ok = true;
        std::thread reader([&] {
            Reply read{};
            ok = status->ReadInput(read);
        });
        mouse.WaitForBlockedReaders(1);
        if (byUnplug)
            mouse.Unplug(LinkKind::Wired);
        else
            status->Close();
        reader.join();
        EXPECT_FALSE(ok);
    }
}

TEST(SimLinksDefaultTest, HandlesOutlivingTheMouseFailAndItsDestructionWakesReaders)
{
    VirtualClock clock;
    auto mouse = std::make_unique<SimulatedMouse>(clock);
    mouse->Plug(LinkKind::Wired);
    auto command = mouse->OpenCommandInterface(LinkKind::Wired);
    auto status = mouse->OpenStatusInterface(LinkKind::Wired);
    std::array<std::uint8_t, 32> opening{};
    ASSERT_TRUE(status->ReadInput(opening));  // the mouse's state, which every status interface starts with
    bool ok = true;
    std::thread reader([&] {
        std::array<std::uint8_t, 32> read{};
        ok = status->ReadInput(read);
    });
    mouse->WaitForBlockedReaders(1);
    mouse.reset();
    reader.join();
    EXPECT_FALSE(ok);
    EXPECT_FALSE(command->SetFeature(Make(0x09, 0x01, {4})));
    std::array<std::uint8_t, 32> buffer{};
    buffer[0] = 9;
    EXPECT_FALSE(command->GetFeature(buffer));
}

TEST_F(SimLinksTest, WrongBufferLengthsFail)
{
    auto status = OpenStatus(LinkKind::Wired);
    mouse.EmitStatus();
    std::array<std::uint8_t, 31> shortBuffer{};
    EXPECT_FALSE(status->ReadInput(shortBuffer));
    std::array<std::uint8_t, 33> longRequest{};
    longRequest[0] = 9;
    EXPECT_FALSE(wired->GetFeature(longRequest));
    longRequest[0] = 8;
    EXPECT_FALSE(wired->GetFeature(longRequest));
    std::array<std::uint8_t, 32> unknown{};
    unknown[0] = 0x42;
    EXPECT_FALSE(wired->GetFeature(unknown));
    // The report is still there for a buffer of the right size.
    Reply report{};
    EXPECT_TRUE(status->ReadInput(report));
    EXPECT_EQ(report[0], 7);
}
