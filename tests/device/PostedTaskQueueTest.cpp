#include "device/DeviceIoThread.h"
#include "device/PostedTaskQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

TEST(DeviceIoThreadTest, JobsRunInSubmissionOrderAndPostResultsInThatOrder)
{
    PostedTaskQueue ui;
    std::vector<int> seen;
    {
        DeviceIoThread device;
        for (int i = 0; i < 100; ++i)
            device.Submit([&ui, &seen, i](std::stop_token) { ui.Post([&seen, i] { seen.push_back(i); }); });
        device.WaitIdle();
    }
    EXPECT_EQ(ui.RunPending(), 100u);
    ASSERT_EQ(seen.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(seen[static_cast<std::size_t>(i)], i);
}

TEST(DeviceIoThreadTest, DestructionStopsALongJobAndDropsTheRest)
{
    bool laterJobRan = false;
    {
        DeviceIoThread device;
        device.Submit([](const std::stop_token& stop) {
            while (!stop.stop_requested())
                std::this_thread::yield();
        });
        device.Submit([&laterJobRan](std::stop_token) { laterJobRan = true; });
    }
    EXPECT_FALSE(laterJobRan);
}

// The end of an idle device thread races its wake-up against the stop: done many times
// over, a lost wake-up would leave one thread waiting for ever and its join with it. The
// cycles run on a watcher's thread so that such a hang fails the test instead of the run.
TEST(DeviceIoThreadTest, AnIdleThreadAlwaysEndsWhenDestroyed)
{
    constexpr int kCycles = 1000;
    auto ended = std::make_shared<std::atomic<int>>(0);
    std::thread cycling([ended] {
        for (int cycle = 0; cycle < kCycles; ++cycle) {
            {
                DeviceIoThread device;
                if (cycle % 2 == 1) {
                    device.Submit([](std::stop_token) {});
                    device.WaitIdle();
                }
            }
            ended->fetch_add(1);
        }
    });
    // A cycle takes milliseconds even under an emulator: ten seconds without one is a hang.
    int seen = -1;
    for (int quiet = 0; ended->load() < kCycles && quiet < 10; ++quiet) {
        if (ended->load() != seen)
            quiet = 0;
        seen = ended->load();
        std::this_thread::sleep_for(std::chrono::seconds(1));
    }
    if (ended->load() < kCycles) {
        cycling.detach();  // stuck in a join: left behind, the process ends with it
        FAIL() << "a device thread did not end on destruction: stuck after " << seen << " of " << kCycles;
    }
    cycling.join();
    EXPECT_EQ(ended->load(), kCycles);
}

TEST(PostedTaskQueueTest, RunUntilReturnsFalseWhenNothingArrivesInTime)
{
    PostedTaskQueue ui;
    EXPECT_FALSE(ui.RunUntil([] { return false; }, std::chrono::milliseconds(20)));
    bool done = false;
    ui.Post([&done] { done = true; });
    EXPECT_TRUE(ui.RunUntil([&done] { return done; }, std::chrono::milliseconds(1000)));
}
