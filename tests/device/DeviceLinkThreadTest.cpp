#include "DeviceLinkFixture.h"

#include "device/DeviceIoThread.h"
#include "device/HidHandle.h"
#include "device/SettingsPayloads.h"

#include <thread>

// The device thread, a listener thread and a thread pressing buttons on the mouse, with
// the test's thread as the UI thread: thousands of status reports are processed while
// applies run. Built to be run under ThreadSanitizer.
using DeviceLinkThreadTest = DeviceLinkFixture;

TEST_F(DeviceLinkThreadTest, StatusReportsAndAppliesInterleaveWithoutRacesAndTheMouseEndsInStep)
{
    DeviceIoThread deviceThread;
    DeviceLink threaded(DeviceModel{profiles, settings, macros, texts, paths}, deviceThread, ui, clock, events);
    threaded.Connection().deviceConfirmed = true;
    threaded.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
    threaded.Link(LinkKind::Wired).present = true;
    threaded.BuildDpiTable();
    threaded.PrimeLastSent();

    std::shared_ptr<HidHandle> status = mouse.OpenStatusInterface(LinkKind::Wired);
    std::atomic<int> reportsRead{0};
    std::thread listener([&] {
        std::array<std::uint8_t, 32> report{};
        while (status->ReadInput(report)) {
            ++reportsRead;
            ui.Post([&threaded, report] { threaded.OnStatusReport(LinkKind::Wired, report); });
        }
    });
    constexpr int kPresses = 3000;
    std::thread presser = PressOnTheMouse(kPresses);

    Profile& profile = Current();
    const std::uint32_t colour = ApplyRounds(threaded, 200, 0x00010203u);
    presser.join();
    // Reports made while an apply was on its way carry the mouse's earlier values and
    // take them into the profile. One more press once every apply has landed makes a
    // report of the mouse as it is now, which must bring the profile back in step.
    deviceThread.WaitIdle();
    ui.RunPending();
    mouse.PressDpiButton();
    // The report of the mouse's state the interface starts with, then one per press.
    ASSERT_TRUE(ui.RunUntil([&] { return reportsRead.load() == 1 + kPresses + 1; }, std::chrono::seconds(60)));
    status->Close();
    listener.join();
    deviceThread.WaitIdle();
    ui.RunPending();

    ExpectMouseHoldsTheLastApply(threaded, colour);
    EXPECT_EQ(profile.CurrentDPILevel, mouse.State().live.dpiLevel);
}
