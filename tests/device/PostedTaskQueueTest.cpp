#include "device/DeviceIoThread.h"
#include "device/PostedTaskQueue.h"

#include <gtest/gtest.h>

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

TEST(PostedTaskQueueTest, RunUntilReturnsFalseWhenNothingArrivesInTime)
{
    PostedTaskQueue ui;
    EXPECT_FALSE(ui.RunUntil([] { return false; }, std::chrono::milliseconds(20)));
    bool done = false;
    ui.Post([&done] { done = true; });
    EXPECT_TRUE(ui.RunUntil([&done] { return done; }, std::chrono::milliseconds(1000)));
}
