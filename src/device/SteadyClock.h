#pragma once

#include "device/Clock.h"

// The real clock: a monotonic clock and real sleeps.
class SteadyClock final : public Clock {
public:
    SteadyClock();
    [[nodiscard]] std::chrono::microseconds Now() const override;
    void Sleep(std::chrono::milliseconds duration) override;

private:
    std::chrono::steady_clock::time_point m_start;
};
