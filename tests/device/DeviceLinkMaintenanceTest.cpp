#include "DeviceLinkFixture.h"

#include "device/CommandExchanger.h"
#include "device/HidHandle.h"
#include "profiles/ProfileFile.h"

using DeviceLinkMaintenanceTest = DeviceLinkFixture;

TEST_F(DeviceLinkMaintenanceTest, FactoryResetSendsTheResetCommandAndResetsOnlyTheCurrentProfileButItsName)
{
    Profile& current = Current();
    current.SetSetting(ProfileSetting::ProfileName, u"mine");
    current.PollingRateValue[0] = 0;
    current.XYSettingX[0] = 42;
    Profile& other = profiles.At((settings.CurrentProfile() + 1) % ProfileTable::kProfileCount);
    other.XYSettingX[0] = 42;
    const Profile otherBefore = other;

    ASSERT_TRUE(link.FactoryReset());

    // The first report since start-up: 09 0F 01 01, checksum 0x19, then FF and zeros.
    const auto writes = Writes();
    ASSERT_EQ(writes.size(), 1u);
    std::vector<std::uint8_t> expected(32, 0);
    expected[0] = 0x09;
    expected[1] = 0x0F;
    expected[2] = 0x01;
    expected[3] = 0x01;
    expected[4] = 0x19;
    expected[5] = 0xFF;
    EXPECT_EQ(writes[0], expected);
    EXPECT_EQ(mouse.State().factoryResets, 1u);

    Profile reset;
    ResetProfile(reset, static_cast<unsigned>(settings.CurrentProfile()), texts, settings.SensorId());
    reset.SetSetting(ProfileSetting::ProfileName, u"mine");
    EXPECT_EQ(current, reset);
    EXPECT_EQ(other, otherBefore);
    Profile saved;
    ASSERT_TRUE(ParseProfileFile(saved, settings.ProfileSlotPath(settings.CurrentProfile())).ok);
    EXPECT_EQ(saved, reset);
    EXPECT_FALSE(link.ReportSent()) << "the reset is not an apply";
    EXPECT_EQ(events.log, (std::vector<std::string>{"refresh", "progress 146"}));

    // Primed: the defaults just written are not sent again.
    mouse.ClearReceived();
    link.Flags().settingsChanged = true;
    link.Flags().keysChanged = true;
    (void)link.ApplyToDevice();
    EXPECT_TRUE(Writes().empty());
}

TEST_F(DeviceLinkMaintenanceTest, FactoryResetNeedsAReachableMouse)
{
    link.CloseCommandInterface(LinkKind::Wired);
    link.Connection().receiverMouseOnline = false;
    EXPECT_FALSE(link.CanReachMouse());
    EXPECT_FALSE(link.FactoryReset());
    EXPECT_EQ(events.log, (std::vector<std::string>{"attention 150 156"}));
    EXPECT_TRUE(mouse.Received().empty());
}

TEST_F(DeviceLinkMaintenanceTest, PairingRequestGoesOnlyToTheReceiver)
{
    link.RequestPairing();
    EXPECT_TRUE(mouse.Received().empty()) << "only a wired interface is open";

    Connect(LinkKind::Wireless);
    link.RequestPairing();
    const auto received = mouse.Received();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].link, LinkKind::Wireless);
    EXPECT_EQ(received[0].bytes, (std::vector<std::uint8_t>{0xBC, 0x03, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(mouse.State().pairingRequests, 1u);
}

TEST_F(DeviceLinkMaintenanceTest, PresenceReplyCarriesTheReceiversOnlineFlag)
{
    link.CloseCommandInterface(LinkKind::Wired);
    Connect(LinkKind::Wireless);
    mouse.SetReceiverMouseOnline(false);
    link.QueryPresence();
    ui.RunPending();
    EXPECT_EQ(events.log, (std::vector<std::string>{"presence offline"}));

    mouse.DropNextReplies(1);
    link.QueryPresence();
    ui.RunPending();
    EXPECT_EQ(events.log.size(), 1u) << "a failed read is no reply";
}

TEST_F(DeviceLinkMaintenanceTest, PostedResultsAfterTheLinkIsGoneAreDropped)
{
    PostedTaskQueue queue;
    {
        DeviceLink shortLived(DeviceModel{profiles, settings, macros, texts, paths}, runner, queue, clock, events);
        shortLived.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
        shortLived.QueryPresence();
        shortLived.AfterPendingExchanges([](const ExchangeSummary&) { FAIL() << "ran after destruction"; });
    }
    EXPECT_EQ(queue.RunPending(), 2u);
    EXPECT_TRUE(events.log.empty());
}

TEST(CommandExchangerTest, SequenceNumberStartsAtOneAndWrapsAfter255)
{
    VirtualClock clock;
    SimulatedMouse mouse(clock);
    mouse.Plug(LinkKind::Wired);
    auto handle = mouse.OpenCommandInterface(LinkKind::Wired);
    CommandExchanger exchanger(clock);
    CommandRequest request;
    request.code = CommandCode::KeyDebounce;
    std::vector<int> sequence;
    for (int i = 0; i < 257; ++i) {
        request.At(5) = static_cast<std::uint8_t>(i);
        EXPECT_EQ(exchanger.Exchange(handle.get(), request), ExchangeResult::Accepted);
    }
    for (const SimReceivedReport& report : mouse.Received())
        if (report.operation == SimReportOperation::SetFeature)
            sequence.push_back(report.bytes[2]);
    ASSERT_EQ(sequence.size(), 257u);
    EXPECT_EQ(sequence[0], 1);
    EXPECT_EQ(sequence[254], 255);
    EXPECT_EQ(sequence[255], 0);
    EXPECT_EQ(sequence[256], 1);
}

TEST(CommandExchangerTest, WithoutAnInterfaceEveryAttemptStillPauses)
{
    VirtualClock clock;
    CommandExchanger exchanger(clock);
    CommandRequest request;
    EXPECT_EQ(exchanger.Exchange(nullptr, request), ExchangeResult::Dropped);
    EXPECT_EQ(clock.Now(), std::chrono::milliseconds(4 * 120));
    EXPECT_EQ(exchanger.NextSequence(), 5);
}

TEST(CommandExchangerTest, MacroPacketRetryResendsTheSavedBytesWithAFreshSequenceAndChecksum)
{
    VirtualClock clock;
    SimulatedMouse mouse(clock);
    mouse.Plug(LinkKind::Wired);
    auto handle = mouse.OpenCommandInterface(LinkKind::Wired);
    CommandExchanger exchanger(clock);
    CommandRequest packet;
    packet.code = CommandCode::MacroData;
    packet.packet = 0x01;
    packet.At(5) = 4;
    packet.At(6) = 1;
    packet.At(7) = 0x30;
    packet.settle = CommandRequest::kMacroSettle;
    packet.retry = RetryMode::ResendSaved;
    mouse.RejectNextCommands(1);
    EXPECT_EQ(exchanger.Exchange(handle.get(), packet), ExchangeResult::Accepted);

    std::vector<SimReceivedReport> writes;
    for (const SimReceivedReport& report : mouse.Received())
        if (report.operation == SimReportOperation::SetFeature)
            writes.push_back(report);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1].time - writes[0].time, std::chrono::milliseconds(180));
    auto first = writes[0].bytes;
    auto second = writes[1].bytes;
    EXPECT_EQ(second[2], static_cast<std::uint8_t>(first[2] + 1));
    EXPECT_EQ(second[4], CommandChecksum(second));
    first[2] = second[2] = 0;
    first[4] = second[4] = 0;
    EXPECT_EQ(first, second);
}

namespace {

// Passes calls to the mouse and changes one byte of every feature reply on the way back.
class ReplyTamperer final : public HidHandle {
public:
    ReplyTamperer(std::unique_ptr<HidHandle> inner, std::size_t index, std::uint8_t value)
        : m_inner(std::move(inner)), m_index(index), m_value(value)
    {
    }
    bool SetFeature(std::span<const std::uint8_t> report) override { return m_inner->SetFeature(report); }
    bool GetFeature(std::span<std::uint8_t> buffer) override
    {
        const bool ok = m_inner->GetFeature(buffer);
        buffer[m_index] = m_value;
        return ok;
    }
    bool ReadInput(std::span<std::uint8_t> buffer) override { return m_inner->ReadInput(buffer); }
    void Close() override { m_inner->Close(); }

private:
    std::unique_ptr<HidHandle> m_inner;
    std::size_t m_index;
    std::uint8_t m_value;
};

}  // namespace

TEST(CommandExchangerTest, PresenceReplyCountsOnlyWithReportIdEightAndTheSignature)
{
    VirtualClock clock;
    SimulatedMouse mouse(clock);
    mouse.Plug(LinkKind::Ble);
    CommandExchanger exchanger(clock);
    auto wrongSignature = ReplyTamperer(mouse.OpenCommandInterface(LinkKind::Ble), 2, '0');
    EXPECT_EQ(exchanger.QueryPresence(&wrongSignature), std::nullopt);
    auto wrongId = ReplyTamperer(mouse.OpenCommandInterface(LinkKind::Ble), 0, 9);
    EXPECT_EQ(exchanger.QueryPresence(&wrongId), std::nullopt);
}

TEST(CommandExchangerTest, PresenceRequestIsFilledWithFFAndAValidReplyCounts)
{
    VirtualClock clock;
    SimulatedMouse mouse(clock);
    mouse.Plug(LinkKind::Ble);
    auto handle = mouse.OpenCommandInterface(LinkKind::Ble);
    CommandExchanger exchanger(clock);
    EXPECT_EQ(exchanger.QueryPresence(handle.get()), std::optional<bool>(true));
    const auto request = mouse.Received().back().bytes;
    EXPECT_EQ(request[0], 8);
    EXPECT_TRUE(std::all_of(request.begin() + 1, request.end(), [](std::uint8_t b) { return b == 0xFF; }));
}
