#pragma once

#include "device/Clock.h"

#include <atomic>
#include <cstdint>

// A clock for tests and simulations: Sleep returns at once after moving the time
// forward, so a 60 ms pause costs nothing but is still visible in the time stamps.
// Safe to use from several threads; their sleeps add up.
class VirtualClock final : public Clock {
public:
    [[nodiscard]] std::chrono::microseconds Now() const override;
    void Sleep(std::chrono::milliseconds duration) override;
    void Advance(std::chrono::microseconds duration);

private:
    std::atomic<std::int64_t> m_microseconds{0};
};
