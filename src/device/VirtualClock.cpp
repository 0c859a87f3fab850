#include "device/VirtualClock.h"

std::chrono::microseconds VirtualClock::Now() const
{
    return std::chrono::microseconds(m_microseconds.load());
}

void VirtualClock::Sleep(std::chrono::milliseconds duration)
{
    Advance(duration);
}

void VirtualClock::Advance(std::chrono::microseconds duration)
{
    m_microseconds.fetch_add(duration.count());
}
