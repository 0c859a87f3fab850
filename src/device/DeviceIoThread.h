#pragma once

#include "device/DeviceJobRunner.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <stop_token>
#include <thread>

// The one thread that talks to the mouse: runs submitted jobs in FIFO order, so the UI
// thread never blocks in a settle pause. Destruction lets the queued jobs finish for at
// most kDrainLimit (writes the user made just before the end still reach the mouse),
// then asks the running job to stop, drops the rest and joins.
//
// The thread waits for work on a plain condition variable with a flag, not on a stop
// token: a wait with a stop token registers a stop callback, and with MinGW's C++ library
// (GCC 12) removing a callback while another thread runs it waits on a semaphore that can
// miss its wake-up, so the thread would never end and the program's end would hang on
// the join. The stop token only tells the running job to stop.
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
    void Run();
    // Drops the queued jobs, tells the running one to stop and wakes the thread to end.
    void Stop();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Job> m_jobs;
    bool m_busy = false;
    bool m_stopping = false;  // guarded by m_mutex
    std::stop_source m_stop;
    std::thread m_thread;  // last: starts after the queue exists
};
