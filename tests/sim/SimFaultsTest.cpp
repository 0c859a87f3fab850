#include "sim/SimMouseFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <utility>
#include <vector>

using SimCommandBuilder::Make;

class SimFaultsTest : public SimMouseFixture {};

TEST_F(SimFaultsTest, RejectedCommandsAreNotAppliedAndOnlyValidOnesUseUpTheCount)
{
    mouse.Plug(LinkKind::Ble);
    auto ble = mouse.OpenCommandInterface(LinkKind::Ble);
    mouse.RejectNextCommands(2);

    auto broken = Make(0x09, 0x01, {3});
    ++broken[4];
    EXPECT_EQ(Send(broken)[1], 0);
    EXPECT_EQ(Send(Make(0x09, 0x01, {4}))[1], 0);
    EXPECT_EQ(Send(*ble, Make(0x09, 0x01, {5}))[1], 0);
    EXPECT_EQ(mouse.State().settings.keyDebounce, 2);
    EXPECT_EQ(Send(Make(0x09, 0x01, {6}))[1], 0x09);

    const SimMouseState state = mouse.State();
    EXPECT_EQ(state.settings.keyDebounce, 6);
    EXPECT_EQ(state.rejectedCommands, 3u);
    EXPECT_EQ(state.acceptedCommands, 1u);
}

TEST_F(SimFaultsTest, FailedWritesAreRecordedButNotApplied)
{
    mouse.Plug(LinkKind::Wireless);
    auto receiver = mouse.OpenCommandInterface(LinkKind::Wireless);
    mouse.FailNextWrites(2);

    EXPECT_FALSE(wired->SetFeature(Make(0x09, 0x01, {7})));
    EXPECT_EQ(ReadReply(*wired)[1], 0);
    EXPECT_FALSE(receiver->SetFeature(std::vector<std::uint8_t>{0xBC, 0x03, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Send(Make(0x09, 0x01, {8}))[1], 0x09);

    const SimMouseState state = mouse.State();
    EXPECT_EQ(state.settings.keyDebounce, 8);
    EXPECT_EQ(state.pairingRequests, 0u);
    EXPECT_EQ(state.acceptedCommands, 1u);
    EXPECT_EQ(state.rejectedCommands, 0u);
    const auto received = mouse.Received();
    ASSERT_EQ(received.size(), 5u);
    EXPECT_FALSE(received[0].succeeded);
    EXPECT_EQ(received[0].bytes[5], 7);
    EXPECT_FALSE(received[2].succeeded);
    EXPECT_TRUE(received[3].succeeded);
}

TEST_F(SimFaultsTest, DroppedReplyLosesTheAcceptanceButTheCommandWasApplied)
{
    mouse.DropNextReplies(2);
    ASSERT_TRUE(wired->SetFeature(Make(0x09, 0x01, {9})));
    std::array<std::uint8_t, 32> buffer{};
    buffer[0] = 9;
    EXPECT_FALSE(wired->GetFeature(buffer));
    buffer.fill(0xFF);
    buffer[0] = 8;
    EXPECT_FALSE(wired->GetFeature(buffer));

    EXPECT_EQ(ReadReply(*wired)[1], 0);
    EXPECT_EQ(mouse.State().settings.keyDebounce, 9);
    const auto received = mouse.Received();
    ASSERT_EQ(received.size(), 4u);
    EXPECT_FALSE(received[1].succeeded);
    EXPECT_TRUE(received[1].reply.empty());
    EXPECT_TRUE(received[3].succeeded);
}

TEST_F(SimFaultsTest, DisconnectFollowsTheLastCountedReport)
{
    mouse.Plug(LinkKind::Ble);
    auto status = OpenStatus(LinkKind::Ble);
    std::vector<std::pair<LinkKind, bool>> heard;
    mouse.SetPlugListener([&heard](LinkKind link, bool plugged) { heard.emplace_back(link, plugged); });
    mouse.DisconnectAfterReports(3);

    EXPECT_EQ(Send(Make(0x09, 0x01, {3}))[1], 0x09);
    EXPECT_TRUE(heard.empty());
    EXPECT_TRUE(wired->SetFeature(Make(0x09, 0x01, {4})));

    const std::vector<std::pair<LinkKind, bool>> expected{{LinkKind::Wired, false}, {LinkKind::Ble, false}};
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(mouse.State().settings.keyDebounce, 4);
    ASSERT_FALSE(mouse.IsPlugged(LinkKind::Wired));
    ASSERT_FALSE(mouse.IsPlugged(LinkKind::Ble));
    std::array<std::uint8_t, 32> buffer{};
    buffer[0] = 9;
    EXPECT_FALSE(wired->GetFeature(buffer));
    EXPECT_FALSE(status->ReadInput(buffer));
}

TEST_F(SimFaultsTest, ZeroCancelsAPendingFault)
{
    mouse.DisconnectAfterReports(1);
    mouse.DisconnectAfterReports(0);
    mouse.RejectNextCommands(1);
    mouse.RejectNextCommands(0);
    EXPECT_EQ(Send(Make(0x09, 0x01, {3}))[1], 0x09);
    EXPECT_TRUE(mouse.IsPlugged(LinkKind::Wired));
}

// A device thread writes commands, a listener thread reads status reports and a test
// thread presses buttons and reads the state, all at once. Run under ThreadSanitizer.
TEST_F(SimFaultsTest, HandlesWorkFromSeveralThreadsAtOnce)
{
    constexpr int kRounds = 200;
    auto status = OpenStatus(LinkKind::Wired);

    std::atomic<int> acceptedByWriter{0};
    std::thread writer([&] {
        auto handle = mouse.OpenCommandInterface(LinkKind::Wired);
        for (int i = 0; i < kRounds; ++i) {
            const auto command = Make(0x09, 0x01, {static_cast<std::uint8_t>(i)}, static_cast<std::uint8_t>(i));
            if (Send(*handle, command) == command)
                ++acceptedByWriter;
        }
    });
    std::vector<std::uint8_t> batteries;
    std::thread reader([&] {
        for (int i = 0; i < kRounds; ++i) {
            Reply report{};
            if (!status->ReadInput(report))
                return;
            batteries.push_back(report[4]);
        }
    });
    for (int i = 0; i < kRounds; ++i) {
        mouse.SetBattery(static_cast<std::uint8_t>(i % 101), SimChargeState::kOnBattery);
        (void)mouse.State();
    }
    writer.join();
    reader.join();

    EXPECT_EQ(acceptedByWriter.load(), kRounds);
    EXPECT_EQ(mouse.AcceptedCount(), static_cast<unsigned>(kRounds));
    EXPECT_EQ(mouse.State().settings.keyDebounce, kRounds - 1);
    ASSERT_EQ(batteries.size(), static_cast<std::size_t>(kRounds));
    for (int i = 0; i < kRounds; ++i)
        EXPECT_EQ(batteries[static_cast<std::size_t>(i)], i % 101);
}
