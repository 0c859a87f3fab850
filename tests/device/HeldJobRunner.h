#pragma once

#include "device/DeviceJobRunner.h"

#include <deque>
#include <stop_token>

// Keeps submitted jobs until the test runs them, as a busy device thread would: the test
// decides what happens between the submission of a job and its run.
class HeldJobRunner final : public DeviceJobRunner {
public:
    void Submit(Job job) override { m_jobs.push_back(std::move(job)); }
    // Runs what is held, or, as a device thread stuck with a mouse that no longer
    // answers, gives up on it.
    [[nodiscard]] bool Drain(std::chrono::milliseconds /*limit*/) override
    {
        if (!m_giveUpOnDrain) {
            (void)RunAll();
            return true;
        }
        m_stop.request_stop();
        m_jobs.clear();
        return false;
    }
    void GiveUpOnDrain() { m_giveUpOnDrain = true; }

    // Runs the held jobs in order, including those they submit; returns how many ran.
    int RunAll()
    {
        int ran = 0;
        while (!m_jobs.empty()) {
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            job(m_stop.get_token());
            ++ran;
        }
        return ran;
    }
    // Runs the oldest held job alone.
    void RunOne()
    {
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        job(m_stop.get_token());
    }
    [[nodiscard]] std::size_t Held() const { return m_jobs.size(); }

private:
    std::deque<Job> m_jobs;
    std::stop_source m_stop;
    bool m_giveUpOnDrain = false;
};
