#include "DeviceLinkFixture.h"
#include "HeldJobRunner.h"

#include "device/DeviceIoThread.h"
#include "profiles/ProfileFile.h"

#include <atomic>
#include <functional>
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

    struct NextStart {
        bool toldOfUnsentWrites;
        bool resendStillPending;
    };
    // The next start on the cable, primed from the files: told of the last run's unsent
    // writes, it applies and runs its jobs.
    NextStart StartAgainAndApply(const DataPaths& startPaths)
    {
        HeldJobRunner nextJobs;
        DeviceLink next(DeviceModel{profiles, settings, macros, texts, startPaths}, nextJobs, ui, clock, events);
        next.Connection().deviceConfirmed = true;
        next.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
        next.BuildDpiTable();
        next.PrimeLastSent();
        const bool unsent = next.TakeUnsentFromLastRun();
        (void)next.ApplyToDevice();
        (void)nextJobs.RunAll();
        ui.RunPending();
        return {unsent, next.ResendPending()};
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

    const NextStart start = StartAgainAndApply(paths);
    ASSERT_TRUE(start.toldOfUnsentWrites);

    const std::vector<int> written = WrittenCommands();
    for (const int code : {0x01, 0x02, 0x03, 0x04, 0x06, 0x07, 0x08})
        EXPECT_NE(std::find(written.begin(), written.end(), code), written.end()) << code;
    EXPECT_EQ(mouse.State().settings.pollingCode, SettingsPayloads::PollingCode(2));
    EXPECT_FALSE(std::filesystem::exists(paths.UnsentMarkerFile()));
    EXPECT_FALSE(start.resendStillPending);
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

// The program ends right after the edit, before the apply timer expired: the edit is
// written to the mouse and to the files all the same.
TEST_F(DeviceLinkDeliveryTest, AnApplyStillWaitingForItsTimerIsMadeAtTheEnd)
{
    Current().PollingRateValue[0] = 2;
    held.Flags().settingsChanged = true;
    held.ScheduleApply();
    events.log.clear();

    EXPECT_TRUE(held.FinishPendingWork());
    EXPECT_EQ(mouse.State().settings.pollingCode, SettingsPayloads::PollingCode(2));
    Profile saved;
    ASSERT_TRUE(ParseProfileFile(saved, settings.ProfileSlotPath(settings.CurrentProfile())).ok);
    EXPECT_EQ(saved.PollingRateValue[0], 2);
    EXPECT_FALSE(std::filesystem::exists(paths.UnsentMarkerFile()));
    // Nothing is shown at the end: no progress window, no timers, no refresh.
    EXPECT_TRUE(events.log.empty()) << events.log.front();
}

// The mouse cannot take the edit when it is made; the files keep it, and the next start
// writes it.
TEST_F(DeviceLinkDeliveryTest, AnEditTheMouseCouldNotTakeIsSavedAndSentAfterTheNextStart)
{
    struct Case {
        const char* name;
        std::function<void(DeviceLink&)> makeUnreachable;
        ApplyResult result;
    };
    const std::vector<Case> cases{
        {"receiver's mouse off line",
         [](DeviceLink& target) {
             target.CloseCommandInterface(LinkKind::Wired);
             target.Connection().receiverMouseOnline = false;
         },
         ApplyResult::Unreachable},
        {"mouse not confirmed", [](DeviceLink& target) { target.Connection().deviceConfirmed = false; },
         ApplyResult::NotConfirmed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder caseFolder;
        const DataPaths casePaths{caseFolder.Path(), {}};
        std::filesystem::create_directories(casePaths.ConfigFolder());
        settings.WriteSettingDefaults(casePaths);  // the profile files of this case's folder
        HeldJobRunner caseJobs;
        DeviceLink first(DeviceModel{profiles, settings, macros, texts, casePaths}, caseJobs, ui, clock, events);
        first.Connection().deviceConfirmed = true;
        first.Connection().receiverMouseOnline = true;
        first.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
        first.BuildDpiTable();
        Current().PollingRateValue[0] = 0;
        first.PrimeLastSent();
        c.makeUnreachable(first);
        mouse.ClearReceived();

        Current().PollingRateValue[0] = 2;
        first.Flags().settingsChanged = true;
        EXPECT_EQ(first.ApplyToDevice().result, c.result);
        EXPECT_TRUE(first.SavePending());
        EXPECT_FALSE(first.FinishPendingWork());
        EXPECT_TRUE(mouse.Received().empty());
        EXPECT_TRUE(std::filesystem::exists(casePaths.UnsentMarkerFile()));
        Profile saved;
        ASSERT_TRUE(ParseProfileFile(saved, settings.ProfileSlotPath(settings.CurrentProfile())).ok);
        EXPECT_EQ(saved.PollingRateValue[0], 2);

        ASSERT_TRUE(StartAgainAndApply(casePaths).toldOfUnsentWrites);
        EXPECT_EQ(mouse.State().settings.pollingCode, SettingsPayloads::PollingCode(2));
        EXPECT_FALSE(std::filesystem::exists(casePaths.UnsentMarkerFile()));
    }
}

// The mouse is unplugged while a write waits, and the program ends (as it does when the
// last link goes) before the UI thread hears of the job's result.
TEST_F(DeviceLinkDeliveryTest, AWriteCutByAnUnplugIsRecordedForTheNextStartByTheJobItself)
{
    ChangePollingRate(held, 2);
    held.CloseCommandInterface(LinkKind::Wired);
    (void)jobs.RunAll();  // no ui.RunPending(): the program ends first

    EXPECT_FALSE(held.FinishPendingWork());
    EXPECT_TRUE(std::filesystem::exists(paths.UnsentMarkerFile()));
    HeldJobRunner nextJobs;
    DeviceLink next(DeviceModel{profiles, settings, macros, texts, paths}, nextJobs, ui, clock, events);
    EXPECT_TRUE(next.TakeUnsentFromLastRun());
}

TEST_F(DeviceLinkDeliveryTest, OnlyAnApplyThatCarriedTheUnsentCommandsAgainEndsTheRecord)
{
    ChangePollingRate(held, 2);  // job 1: cut by the unplug
    Current().PollingRateValue[0] = 3;
    Current().Keys[1].Value = {0x10, 0x04, 0x00};
    held.Flags().keysChanged = true;
    held.Flags().settingsChanged = true;
    (void)held.ApplyToDevice();  // job 2: the keys and the new rate, queued before job 1 failed
    held.CloseCommandInterface(LinkKind::Wired);
    jobs.RunOne();
    EXPECT_TRUE(std::filesystem::exists(paths.UnsentMarkerFile()));

    // The mouse is back before job 2 runs; job 2 writes everything it carries, but not
    // what job 1 lost.
    held.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
    jobs.RunOne();
    ui.RunPending();
    EXPECT_TRUE(std::filesystem::exists(paths.UnsentMarkerFile()));

    // Having heard of job 1, the next apply writes its groups again and ends the record.
    (void)held.ApplyToDevice();
    (void)jobs.RunAll();
    ui.RunPending();
    EXPECT_FALSE(std::filesystem::exists(paths.UnsentMarkerFile()));
    EXPECT_TRUE(held.FinishPendingWork());
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
