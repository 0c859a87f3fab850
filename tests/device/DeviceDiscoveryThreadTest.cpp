#include "DeviceLinkFixture.h"

#include "device/DeviceDiscovery.h"
#include "device/DeviceIoThread.h"
#include "device/SettingsPayloads.h"
#include "sim/SimHidBackend.h"

#include <thread>

// Discovery with everything on its own thread: the device thread runs the applies, one
// listener per link reads status reports, a thread presses buttons on the mouse and
// another plugs the BLE link in and out, with the test's thread as the UI thread.
// Built to be run under ThreadSanitizer.
class DeviceDiscoveryThreadTest : public DeviceLinkFixture {
protected:
    DeviceDiscoveryThreadTest() : DeviceLinkFixture(StartConnected::No) {}
};

TEST_F(DeviceDiscoveryThreadTest, ListenersHotPlugAndAppliesRunTogetherAndTheMouseEndsInStep)
{
    DeviceIoThread deviceThread;
    DeviceLink threaded(DeviceModel{profiles, settings, macros, texts, paths}, deviceThread, ui, clock, events);
    SimHidBackend backend(mouse, ui);
    DeviceDiscovery discovery(backend, threaded, ui, events);
    threaded.BuildDpiTable();
    mouse.Plug(LinkKind::Wired);
    mouse.Plug(LinkKind::Wireless);
    mouse.SetReceiverMouseOnline(true);
    discovery.Startup(0);
    ASSERT_EQ(threaded.SelectCommandInterface(), LinkKind::Wired);

    constexpr int kPresses = 3000;
    std::thread presser = PressOnTheMouse(kPresses);
    constexpr int kPlugs = 60;
    std::thread plugger([&] {
        for (int i = 0; i < kPlugs; ++i) {
            if (i % 2 == 0)
                mouse.Plug(LinkKind::Ble);
            else
                mouse.Unplug(LinkKind::Ble);
            std::this_thread::yield();
        }
    });

    Profile& profile = Current();
    const std::uint32_t colour = ApplyRounds(threaded, 200, 0x00030201u);
    presser.join();
    plugger.join();
    deviceThread.WaitIdle();
    ui.RunPending();

    // The BLE link ends unplugged; its removal was seen and the wired link never left.
    EXPECT_FALSE(threaded.Link(LinkKind::Ble).present);
    EXPECT_TRUE(threaded.Link(LinkKind::Wired).present);
    EXPECT_FALSE(events.Saw("quit"));
    ASSERT_TRUE(ui.RunUntil([&] { return !discovery.ListenerActive(LinkKind::Ble); }, std::chrono::seconds(30)));

    // Reports made while an apply was on its way carry the mouse's earlier values, and a
    // listener the machine kept waiting may still hold some. Once every apply has landed
    // and every report has been processed, one more press must bring the profile back in
    // step. Waiting only for the press's level would stop at a late report of the same
    // level and leave the press's own report unprocessed.
    const auto processEveryReport = [&] {
        if (!mouse.WaitUntilStatusReportsRead(std::chrono::seconds(30)))
            return false;
        ui.RunPending();
        deviceThread.WaitIdle();
        ui.RunPending();
        return true;
    };
    ASSERT_TRUE(processEveryReport());
    const int levelBefore = mouse.State().live.dpiLevel;
    mouse.PressDpiButton();
    const int levelAfter = mouse.State().live.dpiLevel;
    ASSERT_NE(levelBefore, levelAfter);
    ASSERT_TRUE(processEveryReport());
    EXPECT_EQ(profile.CurrentDPILevel, levelAfter);

    ExpectMouseHoldsTheLastApply(threaded, colour);
    EXPECT_TRUE(discovery.ListenerActive(LinkKind::Wired));
    EXPECT_TRUE(discovery.ListenerActive(LinkKind::Wireless));
    discovery.Shutdown();
    EXPECT_FALSE(discovery.ListenerActive(LinkKind::Wired));
}
