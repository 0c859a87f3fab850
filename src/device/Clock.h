#pragma once

#include <chrono>

// Time for the device layer: the protocol's settle pauses and waits go through it, so
// tests can run them on a virtual clock that costs nothing and still see every pause.
class Clock {
public:
    virtual ~Clock() = default;

    // Time since a fixed start (the clock's creation).
    [[nodiscard]] virtual std::chrono::microseconds Now() const = 0;
    // Blocks the calling thread for the time given.
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};
