#include "sim/SimFlashMemory.h"

// Placeholder until the flash model lands: accepts nothing.
SimFlashMemory::SimFlashMemory() : m_memory(kSize, 0xFF) {}

bool SimFlashMemory::HandleFrame(std::span<const std::uint8_t>)
{
    return false;
}

bool SimFlashMemory::FillReply(std::span<std::uint8_t>)
{
    return false;
}

bool SimFlashMemory::TakeRestartRequest()
{
    const bool requested = m_restartRequested;
    m_restartRequested = false;
    return requested;
}
