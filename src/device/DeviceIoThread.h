#pragma once

#include "device/DeviceJobRunner.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

// The one thread that talks to the mouse: runs submitted jobs in FIFO order, so the UI
// thread never blocks in a settle pause. Destruction lets the queued jobs finish for at
// most kDrainLimit (writes the user made just before the end still reach the mouse),
// then asks the running job to stop, drops the rest and joins.
class DeviceIoThread final : public DeviceJobRunner {
public:
    DeviceIoThread();
    ~DeviceIoThread() override;
    DeviceIoThread(const DeviceIoThread&) = delete;
    DeviceIoThread& operator=(const DeviceIoThread&) = delete;

    static constexpr std::chrono::milliseconds kDrainLimit{3000};

    void Submit(Job job) override;
    [[nodiscard]] bool Drain(std::chrono::milliseconds limit) override;
    // Blocks until every job submitted so far has finished.
    void WaitIdle();

private:
    void Run(const std::stop_token& stop);

    std::mutex m_mutex;
    std::condition_variable_any m_changed;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    std::jthread m_thread;  // last: starts after the queue exists, joins before it goes
};
