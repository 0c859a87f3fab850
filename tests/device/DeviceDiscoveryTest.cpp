#include "DeviceDiscoveryFixture.h"

#include <cctype>
#include <thread>

using DeviceDiscoveryTest = DeviceDiscoveryFixture;

namespace {

[[nodiscard]] HidInterfaceInfo OtherDevice(int number)
{
    HidInterfaceInfo info;
    info.path = "other:hid#vid_046d&pid_c077&" + std::to_string(number);
    info.vendorId = 0x046D;
    info.productId = 0xC077;
    info.inputReportLength = 8;
    return info;
}

}  // namespace

TEST_F(DeviceDiscoveryTest, StartUpFindsTheWiredLinkOpensItsCommandInterfaceAndAsksForPresence)
{
    mouse.Plug(LinkKind::Wired);
    discovery.Startup(0);

    EXPECT_TRUE(Present(LinkKind::Wired));
    EXPECT_EQ(link.SelectCommandInterface(), LinkKind::Wired);
    EXPECT_EQ(link.Link(LinkKind::Wired).statusIndex, 1);
    EXPECT_EQ(link.Link(LinkKind::Wired).commandIndex, 2);
    EXPECT_EQ(link.Connection().wiredVersion, 0x0102);
    EXPECT_FALSE(link.Connection().noDeviceShown);
    EXPECT_TRUE(discovery.ListenerActive(LinkKind::Wired));
    EXPECT_EQ(PresenceQueries(), std::vector<LinkKind>{LinkKind::Wired});
    const std::vector<std::string> expected = {"refresh",          "battery-timer 1000",   "status-image wired",
                                               "tab enabled",      "connection-timer 1000", "refresh",
                                               "connection-timer 2000"};
    EXPECT_EQ(events.log, expected);
}

TEST_F(DeviceDiscoveryTest, StartUpWithoutAMouseShowsNoLinkAndTheIndicatorAsksForAttention)
{
    discovery.Startup(0);

    EXPECT_TRUE(link.Connection().noDeviceShown);
    EXPECT_TRUE(events.Saw("status-image none"));
    EXPECT_FALSE(link.SelectCommandInterface().has_value());
    discovery.OnConnectionTimer();
    EXPECT_TRUE(events.Saw("attention 150 155"));
}

TEST_F(DeviceDiscoveryTest, NeedPasswordDecidesConfirmationAndWhetherTheWindowStartsMinimised)
{
    struct Case {
        int needPassword;
        bool confirmed;
        bool minimised;
    };
    for (const Case& c : {Case{0, true, false}, Case{1, false, true}, Case{2, false, false}}) {
        SCOPED_TRACE(c.needPassword);
        events.log.clear();
        discovery.Startup(c.needPassword);
        EXPECT_EQ(link.Connection().deviceConfirmed, c.confirmed);
        EXPECT_EQ(link.Connection().receiverMouseOnline, c.confirmed);
        EXPECT_EQ(events.Saw("minimise-window"), c.minimised);
        // The window check runs only while the mouse is unconfirmed.
        EXPECT_EQ(events.Saw("window-check-timer 100"), !c.confirmed);
        discovery.OnWindowCheckTimer();
        EXPECT_EQ(events.Saw("hide-window"), !c.confirmed);
        EXPECT_EQ(events.Saw("stop-window-check-timer"), c.confirmed);
    }
}

TEST_F(DeviceDiscoveryTest, OnlyPathsWithTheVendorInLowerCaseHexAndTheRightIdsAreTheMouse)
{
    struct Case {
        const char* name;
        std::function<void(HidInterfaceInfo&)> change;
        bool found;
    };
    const std::vector<Case> cases = {
        {"as listed", [](HidInterfaceInfo&) {}, true},
        {"capital hex in the path",
         [](HidInterfaceInfo& info) {
             std::transform(info.path.begin(), info.path.end(), info.path.begin(),
                            [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
         },
         false},
        {"vendor only in the attributes", [](HidInterfaceInfo& info) { info.path = "sim:hid#command"; }, false},
        {"another vendor in the attributes", [](HidInterfaceInfo& info) { info.vendorId = 0x248B; }, false},
        {"another product", [](HidInterfaceInfo& info) { info.productId = 0x6676; }, false},
    };
    mouse.Plug(LinkKind::Wired);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        backend.SetInterfaceAdjuster([&c](LinkKind, SimCollection collection, HidInterfaceInfo& info) {
            if (collection == SimCollection::Command)
                c.change(info);
        });
        discovery.Enumerate();
        EXPECT_EQ(Present(LinkKind::Wired), c.found);
        EXPECT_EQ(link.HasCommandInterface(LinkKind::Wired), c.found);
    }
}

TEST_F(DeviceDiscoveryTest, AWiredInterfaceWithA32ByteInputIsTheStatusInterfaceEvenWithA32ByteFeature)
{
    backend.SetInterfaceAdjuster([](LinkKind, SimCollection collection, HidInterfaceInfo& info) {
        if (collection == SimCollection::Status)
            info.featureReportLength = 32;
    });
    mouse.Plug(LinkKind::Wired);
    discovery.Enumerate();

    EXPECT_EQ(link.Link(LinkKind::Wired).statusIndex, 1);
    EXPECT_EQ(link.Link(LinkKind::Wired).commandIndex, 2);
    std::vector<DiscoveredInterface::Role> roles;
    for (const DiscoveredInterface& found : discovery.Found())
        roles.push_back(found.role);
    const std::vector<DiscoveredInterface::Role> expected = {
        DiscoveredInterface::Role::Other, DiscoveredInterface::Role::Status, DiscoveredInterface::Role::Command};
    EXPECT_EQ(roles, expected);
}

TEST_F(DeviceDiscoveryTest, WithWiredAndReceiverTheWiredLinkIsInChargeAndTakesTheCommands)
{
    mouse.Plug(LinkKind::Wireless);
    mouse.Plug(LinkKind::Wired);
    StartConfirmed();
    discovery.Enumerate();
    EXPECT_TRUE(events.Saw("status-image wired"));
    EXPECT_TRUE(Present(LinkKind::Wireless));

    Current().PollingRateValue[0] = 2;
    link.Flags().settingsChanged = true;
    ASSERT_EQ(link.ApplyToDevice().result, ApplyResult::Applied);
    ASSERT_FALSE(mouse.Received().empty());
    for (const SimReceivedReport& report : mouse.Received())
        EXPECT_EQ(report.link, LinkKind::Wired);
}

TEST_F(DeviceDiscoveryTest, TheStatusImageFollowsTheLinkInCharge)
{
    struct Case {
        std::vector<LinkKind> plugged;
        const char* image;
    };
    const std::vector<Case> cases = {
        {{LinkKind::Wireless}, "status-image wireless"},
        {{LinkKind::Ble, LinkKind::Wireless}, "status-image ble"},
        {{LinkKind::Wired, LinkKind::Ble, LinkKind::Wireless}, "status-image wired"},
    };
    for (const Case& c : cases) {
        for (const LinkKind kind : c.plugged)
            mouse.Plug(kind);
        events.log.clear();
        discovery.Enumerate();
        EXPECT_EQ(events.log.at(1), c.image);
        for (const LinkKind kind : c.plugged)
            mouse.Unplug(kind);
        ui.RunPending();
    }
}

TEST_F(DeviceDiscoveryTest, ABleLinkInChargeThatJustAppearedDisablesTheHeaderTabAndIsQueried)
{
    StartConfirmed();
    PlugAndSettle({LinkKind::Ble});
    EXPECT_TRUE(events.Saw("tab disabled"));
    EXPECT_FALSE(events.Saw("tab enabled"));
    EXPECT_EQ(PresenceQueries(), std::vector<LinkKind>{LinkKind::Ble});

    // A later enumeration with the BLE link still in charge neither queries nor touches the tab.
    events.log.clear();
    mouse.ClearReceived();
    discovery.Enumerate();
    EXPECT_FALSE(events.Saw("tab disabled"));
    EXPECT_TRUE(PresenceQueries().empty());

    // The cable takes over: the tab comes back on every enumeration.
    PlugAndSettle({LinkKind::Wired});
    EXPECT_TRUE(events.Saw("tab enabled"));
}

TEST_F(DeviceDiscoveryTest, WhenTheBleLinkGoesTheReceiverIsQueriedAgain300MsLater)
{
    mouse.Plug(LinkKind::Wireless);
    mouse.Plug(LinkKind::Ble);
    StartConfirmed();

    UnplugAndSettle(LinkKind::Ble);
    EXPECT_TRUE(events.Saw("reenumerate-timer 300"));
    EXPECT_TRUE(events.Saw("status-image wireless"));
    // The receiver was present all along, so this enumeration does not query it.
    EXPECT_TRUE(PresenceQueries().empty());

    discovery.OnReenumerateTimer();
    EXPECT_EQ(PresenceQueries(), std::vector<LinkKind>{LinkKind::Wireless});
}

TEST_F(DeviceDiscoveryTest, UnpluggingTheLastLinkEndsTheProgramUnlessAFirmwareUpdateRestartsTheMouse)
{
    mouse.Plug(LinkKind::Wired);
    mouse.Plug(LinkKind::Wireless);
    StartConfirmed();

    UnplugAndSettle(LinkKind::Wired);
    EXPECT_FALSE(events.Saw("quit"));
    EXPECT_TRUE(link.Connection().deviceConfirmed);

    link.Connection().firmwareUpdateActive = true;
    UnplugAndSettle(LinkKind::Wireless);
    EXPECT_FALSE(events.Saw("quit"));
    EXPECT_FALSE(link.Connection().firmwareUpdateActive);

    PlugAndSettle({LinkKind::Wired});
    ASSERT_TRUE(Present(LinkKind::Wired));
    events.log.clear();
    UnplugAndSettle(LinkKind::Wired);
    const std::vector<std::string> ending = {"hide-window", "close-dialogs", "quit"};
    ASSERT_GE(events.log.size(), ending.size());
    EXPECT_TRUE(std::equal(ending.begin(), ending.end(), events.log.end() - 3));
    EXPECT_FALSE(link.Connection().deviceConfirmed);
    EXPECT_TRUE(link.Connection().noDeviceShown);
}

TEST_F(DeviceDiscoveryTest, ARemovalWhileNoLinkWasPresentChangesNothing)
{
    StartConfirmed();
    discovery.OnDeviceChange(HidDeviceChange::Removal);
    EXPECT_TRUE(events.log.empty());
    EXPECT_TRUE(link.Connection().deviceConfirmed);
}

TEST_F(DeviceDiscoveryTest, InterfacesPastIndex149AreNeverExamined)
{
    struct Case {
        int othersBefore;
        bool statusFound;
        bool commandFound;
    };
    // The wired link lists its pointer, status and command collections after the others.
    for (const Case& c : {Case{147, true, true}, Case{148, true, false}, Case{149, false, false}}) {
        SCOPED_TRACE(c.othersBefore);
        std::vector<HidInterfaceInfo> others;
        for (int i = 0; i < c.othersBefore; ++i)
            others.push_back(OtherDevice(i));
        backend.SetOtherInterfaces(others);
        link.Link(LinkKind::Wired).statusIndex = -1;
        link.Link(LinkKind::Wired).commandIndex = -1;
        mouse.Plug(LinkKind::Wired);
        discovery.Enumerate();
        EXPECT_EQ(link.Link(LinkKind::Wired).statusIndex >= 0, c.statusFound);
        EXPECT_EQ(Present(LinkKind::Wired), c.commandFound);
        mouse.Unplug(LinkKind::Wired);
        ui.RunPending();
    }
}

TEST_F(DeviceDiscoveryTest, AnInterfaceTheUserMayNotOpenIsReportedNotTakenForAMissingMouse)
{
    backend.DenyAccess(LinkKind::Wired);
    mouse.Plug(LinkKind::Wired);
    discovery.Enumerate();

    EXPECT_FALSE(Present(LinkKind::Wired));
    ASSERT_EQ(discovery.AccessProblems().size(), 2u);
    EXPECT_NE(discovery.AccessProblems()[0].find("Permission denied"), std::string::npos);
    EXPECT_NE(discovery.AccessProblems()[0].find(SimHidBackend::PathOf(LinkKind::Wired, SimCollection::Status)),
              std::string::npos);
    EXPECT_EQ(Count("access-denied " + discovery.AccessProblems()[0] + "\n" + discovery.AccessProblems()[1]), 1u);
}

TEST_F(DeviceDiscoveryTest, TheStartUpReplyConfirmsTheMouseWithoutShowingTheWindow)
{
    mouse.Plug(LinkKind::Wireless);
    mouse.SetReceiverMouseOnline(true);
    discovery.Startup(1);
    EXPECT_FALSE(link.Connection().deviceConfirmed);
    ui.RunPending();  // the reply to the query of the receiver that just appeared
    EXPECT_TRUE(link.Connection().deviceConfirmed);
    EXPECT_FALSE(link.Connection().shownByPresence);
    EXPECT_FALSE(events.Saw("show-window"));
    EXPECT_TRUE(events.Saw("stop-window-check-timer"));

    // The window then comes with the first restore request, the mouse being known.
    events.log.clear();
    mouse.ClearReceived();
    discovery.RequestShowWindow();
    EXPECT_TRUE(PresenceQueries().empty());
    EXPECT_EQ(Count("show-window"), 1u);
}

TEST_F(DeviceDiscoveryTest, ARestoreRequestBeforeTheMouseAnsweredIsShownByTheReply)
{
    mouse.Plug(LinkKind::Wired);
    discovery.Startup(1);
    discovery.RequestShowWindow();
    EXPECT_FALSE(events.Saw("show-window"));
    ui.RunPending();
    EXPECT_TRUE(link.Connection().deviceConfirmed);
    EXPECT_TRUE(link.Connection().shownByPresence);
    EXPECT_EQ(Count("show-window"), 1u);
}

TEST_F(DeviceDiscoveryTest, RepliesToRestoreRequestsShowOrMinimiseTheWindow)
{
    mouse.Plug(LinkKind::Wireless);
    mouse.SetReceiverMouseOnline(true);
    discovery.Startup(1);
    ui.RunPending();
    ASSERT_TRUE(link.Connection().deviceConfirmed);

    // The program has not heard yet that the receiver's mouse is back: the request asks
    // the mouse, and the mouse's answer shows the window.
    link.Connection().receiverMouseOnline = false;
    events.log.clear();
    mouse.ClearReceived();
    discovery.RequestShowWindow();
    EXPECT_EQ(PresenceQueries(), std::vector<LinkKind>{LinkKind::Wireless});
    ui.RunPending();
    EXPECT_EQ(Count("show-window"), 1u);
    EXPECT_TRUE(link.Connection().shownByPresence);

    // Its mouse goes off line, which the receiver's status report says; a show request
    // then asks the mouse, and the window that a reply showed is minimised again.
    mouse.SetReceiverMouseOnline(false);
    ASSERT_TRUE(ui.RunUntil([&] { return !link.Connection().receiverMouseOnline; }, std::chrono::seconds(10)));
    events.log.clear();
    mouse.ClearReceived();
    discovery.RequestShowWindow();
    ui.RunPending();
    EXPECT_EQ(PresenceQueries(), std::vector<LinkKind>{LinkKind::Wireless});
    EXPECT_TRUE(events.Saw("minimise-window"));
    EXPECT_FALSE(events.Saw("show-window"));
    EXPECT_FALSE(link.Connection().shownByPresence);

    // Back on line: a reply that no request waits for shows nothing, and a show request
    // shows the window without asking.
    mouse.SetReceiverMouseOnline(true);
    ASSERT_TRUE(ui.RunUntil([&] { return link.Connection().receiverMouseOnline; }, std::chrono::seconds(10)));
    events.log.clear();
    link.QueryPresence();
    ui.RunPending();
    EXPECT_FALSE(events.Saw("show-window"));
    mouse.ClearReceived();
    discovery.RequestShowWindow();
    EXPECT_TRUE(PresenceQueries().empty());
    EXPECT_TRUE(events.Saw("show-window"));
}

TEST_F(DeviceDiscoveryTest, TheConnectionIndicatorShowsTheNoticeOnlyForAReceiverWhoseMouseIsOffLine)
{
    mouse.Plug(LinkKind::Wireless);
    StartConfirmed();

    link.Connection().receiverMouseOnline = false;
    discovery.OnConnectionTimer();
    discovery.OnConnectionTimer();
    EXPECT_EQ(Count("notice shown"), 1u);
    EXPECT_EQ(link.Connection().connectionIndicator, ConnectionIndicator::ReceiverMouseOffline);

    link.Connection().receiverMouseOnline = true;
    discovery.OnConnectionTimer();
    EXPECT_EQ(Count("notice hidden"), 1u);

    // The cable connects whatever the receiver says.
    link.Connection().receiverMouseOnline = false;
    PlugAndSettle({LinkKind::Wired});
    discovery.OnConnectionTimer();
    EXPECT_EQ(Count("notice shown"), 1u);
    EXPECT_EQ(link.Connection().connectionIndicator, ConnectionIndicator::Connected);
}

TEST_F(DeviceDiscoveryTest, StatusReportsFromTheListenerReachTheProfileOnTheUiThread)
{
    mouse.Plug(LinkKind::Wired);
    StartConfirmed();
    mouse.WaitForBlockedReaders(1);

    mouse.SetBattery(57, 0);
    ASSERT_TRUE(ui.RunUntil([&] { return link.Battery().batteryLevel == 57; }, std::chrono::seconds(10)));

    // The link goes and comes back: its listener ends and a new one starts.
    UnplugAndSettle(LinkKind::Wired);
    EXPECT_TRUE(events.Saw("quit"));
    ASSERT_TRUE(ui.RunUntil([&] { return !discovery.ListenerActive(LinkKind::Wired); }, std::chrono::seconds(10)));
    PlugAndSettle({LinkKind::Wired});
    EXPECT_TRUE(discovery.ListenerActive(LinkKind::Wired));
    mouse.WaitForBlockedReaders(1);
    mouse.SetBattery(12, 1);
    ASSERT_TRUE(ui.RunUntil([&] { return link.Battery().batteryLevel == 12; }, std::chrono::seconds(10)));
    EXPECT_EQ(link.Battery().chargeState, ChargeState::Charging);
}

TEST_F(DeviceDiscoveryTest, ALinkHasOneListenerHoweverOftenItIsEnumerated)
{
    mouse.Plug(LinkKind::Wired);
    StartConfirmed();
    for (int i = 0; i < 5; ++i)
        discovery.Enumerate();
    mouse.WaitForBlockedReaders(1);

    mouse.SetBattery(33, 0);
    ASSERT_TRUE(ui.RunUntil([&] { return link.Battery().batteryLevel == 33; }, std::chrono::seconds(10)));
    // A second listener would post the report a second time.
    EXPECT_EQ(ui.RunPending(), 0u);
}

TEST_F(DeviceDiscoveryTest, TheEndOfAnOldListenerDoesNotStopItsSuccessor)
{
    mouse.Plug(LinkKind::Wired);
    StartConfirmed();
    mouse.WaitForBlockedReaders(1);

    // The cable is pulled and plugged back before the UI thread hears of it: the old
    // listener ends, and an enumeration starts the next one while the old one's end
    // notice still waits in the queue.
    mouse.Unplug(LinkKind::Wired);
    mouse.Plug(LinkKind::Wired);
    while (discovery.ListenerActive(LinkKind::Wired))
        std::this_thread::yield();
    discovery.Enumerate();
    ASSERT_TRUE(discovery.ListenerActive(LinkKind::Wired));
    ui.RunPending();

    ASSERT_TRUE(discovery.ListenerActive(LinkKind::Wired));
    mouse.WaitForBlockedReaders(1);
    mouse.SetBattery(44, 0);
    EXPECT_TRUE(ui.RunUntil([&] { return link.Battery().batteryLevel == 44; }, std::chrono::seconds(10)));
}

TEST_F(DeviceDiscoveryTest, RegistrationClearsTheMacroRefreshMarksButNotTheCopyRequest)
{
    link.Macros().macroRefreshed = {true, false, true, false, false, true};
    link.Macros().copyMacros = true;
    discovery.RegisterForDeviceChanges();
    EXPECT_EQ(link.Macros().macroRefreshed, (std::array<bool, Profile::kButtonCount>{}));
    EXPECT_TRUE(link.Macros().copyMacros);
}

namespace {

// The simulated machine, counting what a lister of the list would have to open: every
// interface it lists and describes.
class CountingBackend final : public HidBackend {
public:
    explicit CountingBackend(HidBackend& inner) : m_inner(inner) {}

    std::vector<HidInterfaceInfo> ListInterfaces() override { return ListCandidates(HidListLimits{}); }
    std::vector<HidInterfaceInfo> ListCandidates(const HidListLimits& limits) override
    {
        std::vector<HidInterfaceInfo> interfaces = m_inner.ListInterfaces();
        if (interfaces.size() > limits.maxCount)
            interfaces.resize(limits.maxCount);
        for (HidInterfaceInfo& info : interfaces) {
            if (!limits.describe || limits.describe(info.path))
                ++described;
            else
                info = HidInterfaceInfo{info.path};
        }
        return interfaces;
    }
    HidOpenResult Open(const std::string& path) override { return m_inner.Open(path); }
    void SetChangeListener(ChangeListener listener) override { m_inner.SetChangeListener(std::move(listener)); }

    int described = 0;

private:
    HidBackend& m_inner;
};

}  // namespace

TEST_F(DeviceDiscoveryTest, EnumerationDescribesOnlyTheMousesInterfacesAmongTheFirst150)
{
    std::vector<HidInterfaceInfo> others;
    for (int i = 0; i < 300; ++i)
        others.push_back(OtherDevice(i));
    others[5].path = "other:hid#vid_248A&pid_6674&capitals";  // capitals never name the mouse
    backend.SetOtherInterfaces(std::vector<HidInterfaceInfo>(others.begin(), others.begin() + 10));
    CountingBackend counting(backend);
    DeviceDiscovery onCounting(counting, link, ui, events);
    mouse.Plug(LinkKind::Wired);
    onCounting.Enumerate();
    EXPECT_TRUE(Present(LinkKind::Wired));
    EXPECT_EQ(counting.described, 3) << "the wired link's three collections only";

    backend.SetOtherInterfaces(others);
    counting.described = 0;
    onCounting.Enumerate();
    EXPECT_EQ(counting.described, 0) << "the mouse is listed past index 149";
}
