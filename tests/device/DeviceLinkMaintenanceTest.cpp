#include "DeviceLinkFixture.h"

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
    ui.RunPending();
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
