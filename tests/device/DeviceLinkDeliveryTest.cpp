#include "DeviceLinkFixture.h"
#include "HeldJobRunner.h"

#include "device/DeviceIoThread.h"
#include "profiles/ProfileFile.h"

#include <atomic>
#include <thread>

// Writes that wait on the device thread while the links change, and writes still queued
// when the program ends: what reaches the mouse, and what the program knows of it.
class DeviceLinkDeliveryTest : public DeviceLinkFixture {
protected:
    DeviceLinkDeliveryTest()
    {
        held.Connection().deviceConfirmed = true;
        held.Connection().receiverMouseOnline = true;
        held.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
        held.BuildDpiTable();
        held.PrimeLastSent();
    }

    void ChangePollingRate(DeviceLink& target, std::uint8_t index)
    {
        Current().PollingRateValue[0] = index;
        target.Flags().settingsChanged = true;
        ASSERT_EQ(target.ApplyToDevice().result, ApplyResult::Applied);
    }
    [[nodiscard]] std::vector<LinkKind> WriteLinks() const
    {
        std::vector<LinkKind> links;
        for (const SimReceivedReport& report : mouse.Received())
            if (report.operation == SimReportOperation::SetFeature)
                links.push_back(report.link);
        return links;
    }

    HeldJobRunner jobs;
    DeviceLink held{DeviceModel{profiles, settings, macros, texts, paths}, jobs, ui, clock, events};
};

TEST_F(DeviceLinkDeliveryTest, QueuedCommandGoesToTheLinkInChargeWhenItRuns)
{
    ChangePollingRate(held, 1);
    // The cable is pulled and the receiver takes over before the job runs.
    held.CloseCommandInterface(LinkKind::Wired);
    mouse.Plug(LinkKind::Wireless);
    held.SetCommandInterface(LinkKind::Wireless, mouse.OpenCommandInterface(LinkKind::Wireless));
    (void)jobs.RunAll();
    ui.RunPending();

    EXPECT_EQ(WriteLinks(), std::vector<LinkKind>{LinkKind::Wireless});
    EXPECT_EQ(mouse.State().settings.pollingCode, SettingsPayloads::PollingCode(1));
    EXPECT_EQ(held.Totals(), (ExchangeSummary{1, 0, 0}));
}

TEST_F(DeviceLinkDeliveryTest, CommandsThatFoundNoMouseAreWrittenByTheNextApply)
{
    ChangePollingRate(held, 1);
    Current().Keys[1].Value = {0x10, 0x04, 0x00};
    held.Flags().keysChanged = true;
    (void)held.ApplyToDevice();
    held.CloseCommandInterface(LinkKind::Wired);  // the mouse is gone when they run
    (void)jobs.RunAll();
    ui.RunPending();
    EXPECT_EQ(held.Totals().unsent, 2);
    EXPECT_TRUE(held.Flags().settingsChanged);
    EXPECT_TRUE(held.Flags().keysChanged);

    // Back on the cable, an apply with nothing new in the profile writes them again: the
    // keys, and the settings commands as one group.
    held.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
    mouse.ClearReceived();
    (void)held.ApplyToDevice();
    (void)jobs.RunAll();
    ui.RunPending();
    EXPECT_EQ(WrittenCommands(), (std::vector<int>{0x01, 0x02, 0x02, 0x03, 0x04, 0x05, 0x09, 0x06}));
    EXPECT_EQ(mouse.State().settings.pollingCode, SettingsPayloads::PollingCode(1));
    EXPECT_FALSE(held.Flags().Any());
}

TEST_F(DeviceLinkDeliveryTest, WritesGivenUpAtTheEndAreSentAfterTheNextStart)
{
    ChangePollingRate(held, 2);
    jobs.GiveUpOnDrain();
    EXPECT_FALSE(held.FinishPendingWork());
    EXPECT_TRUE(std::filesystem::exists(paths.UnsentMarkerFile()));
    EXPECT_TRUE(mouse.Received().empty());

    // The next start: primed from the files, then told of the unsent writes.
    HeldJobRunner nextJobs;
    DeviceLink next(DeviceModel{profiles, settings, macros, texts, paths}, nextJobs, ui, clock, events);
    next.Connection().deviceConfirmed = true;
    next.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
    next.BuildDpiTable();
    next.PrimeLastSent();
    ASSERT_TRUE(next.TakeUnsentFromLastRun());
    (void)next.ApplyToDevice();
    (void)nextJobs.RunAll();
    ui.RunPending();

    const std::vector<int> written = WrittenCommands();
    for (const int code : {0x01, 0x02, 0x03, 0x04, 0x06, 0x07, 0x08})
        EXPECT_NE(std::find(written.begin(), written.end(), code), written.end()) << code;
    EXPECT_EQ(mouse.State().settings.pollingCode, SettingsPayloads::PollingCode(2));
    EXPECT_FALSE(std::filesystem::exists(paths.UnsentMarkerFile()));
    EXPECT_FALSE(next.ResendPending());
}

TEST_F(DeviceLinkDeliveryTest, FinishedWorkLeavesNoMarkerAndWritesThePendingSave)
{
    ChangePollingRate(held, 2);
    EXPECT_TRUE(held.SavePending());
    EXPECT_TRUE(held.FinishPendingWork());
    EXPECT_EQ(mouse.State().settings.pollingCode, SettingsPayloads::PollingCode(2));
    EXPECT_FALSE(std::filesystem::exists(paths.UnsentMarkerFile()));
    EXPECT_FALSE(held.SavePending());
    Profile saved;
    ASSERT_TRUE(ParseProfileFile(saved, settings.ProfileSlotPath(settings.CurrentProfile())).ok);
    EXPECT_EQ(saved.PollingRateValue[0], 2);
}

TEST(DeviceIoThreadTest, EndingTheThreadLetsTheQueuedJobsFinish)
{
    std::atomic<bool> release{false};
    std::atomic<int> finished{0};
    // Releases the first job while the thread is being ended, well within the drain limit.
    std::thread releaser([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        release = true;
    });
    {
        DeviceIoThread thread;
        thread.Submit([&](const std::stop_token&) {
            while (!release.load())
                std::this_thread::yield();
            ++finished;
        });
        thread.Submit([&](const std::stop_token&) { ++finished; });
    }
    releaser.join();
    EXPECT_EQ(finished.load(), 2);
}

TEST(DeviceIoThreadTest, DrainThatTimesOutDropsTheRestAndRefusesNewJobs)
{
    std::atomic<bool> stopSeen{false};
    std::atomic<int> ran{0};
    DeviceIoThread thread;
    thread.Submit([&](const std::stop_token& stop) {
        while (!stop.stop_requested())
            std::this_thread::yield();
        stopSeen = true;
    });
    thread.Submit([&](const std::stop_token&) { ++ran; });
    EXPECT_FALSE(thread.Drain(std::chrono::milliseconds(20)));
    thread.Submit([&](const std::stop_token&) { ++ran; });
    thread.WaitIdle();
    EXPECT_TRUE(stopSeen.load());
    EXPECT_EQ(ran.load(), 0);
}
