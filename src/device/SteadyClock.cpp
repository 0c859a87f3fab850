#include "device/SteadyClock.h"

#include <thread>

SteadyClock::SteadyClock() : m_start(std::chrono::steady_clock::now()) {}

std::chrono::microseconds SteadyClock::Now() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 m_start);
}

void SteadyClock::Sleep(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}
