#pragma once

#include "device/UiPoster.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// A UiPoster for programs without an event loop of their own (the command-line tool)
// and for tests: posted tasks wait in a queue until the owning thread runs them, so the
// owner decides exactly when a result or a status report is processed.
class PostedTaskQueue final : public UiPoster {
public:
    void Post(std::function<void()> task) override;

    // Runs every task posted so far (and those they post); returns how many ran.
    std::size_t RunPending();
    // Runs posted tasks as they arrive until `done` holds or the time-out passes.
    // Returns whether `done` held.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};
