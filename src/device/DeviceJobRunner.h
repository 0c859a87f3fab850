#pragma once

#include <chrono>
#include <functional>
#include <stop_token>

// Where device exchanges run. Jobs run one at a time in submission order, so the order
// on the wire is the order of submission. A job sees a stop token that is set when the
// program shuts down; long jobs (a firmware update) check it between steps.
class DeviceJobRunner {
public:
    using Job = std::function<void(std::stop_token)>;

    virtual ~DeviceJobRunner() = default;
    virtual void Submit(Job job) = 0;
    // Waits at most `limit` for every job submitted so far to finish. When they do not,
    // the running job is asked to stop, the waiting ones are dropped, no later job runs,
    // and the answer is false.
    [[nodiscard]] virtual bool Drain(std::chrono::milliseconds limit) = 0;
};

// Runs every job at once on the submitting thread: for tests of the logic around the
// exchanges and for single-threaded tools.
class InlineJobRunner final : public DeviceJobRunner {
public:
    void Submit(Job job) override { job(std::stop_token{}); }
    [[nodiscard]] bool Drain(std::chrono::milliseconds /*limit*/) override { return true; }
};
