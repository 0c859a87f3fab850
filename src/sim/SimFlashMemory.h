#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The mouse's 512 KiB flash as the firmware-transfer frames (report 0xBF) see it.
// Not thread-safe: the simulated mouse calls it under its own lock.
class SimFlashMemory {
public:
    static constexpr std::size_t kSize = 512 * 1024;

    SimFlashMemory();

    // A frame written by the host (136 bytes, byte 0 = 0xBF). False when the mouse
    // refuses it.
    [[nodiscard]] bool HandleFrame(std::span<const std::uint8_t> frame);
    // The reply to a read of report 0xBF: the data of the last transfer's read in bytes
    // 8.. . False when there is nothing to answer.
    [[nodiscard]] bool FillReply(std::span<std::uint8_t> buffer);
    // True once after a restart frame: the mouse then leaves and re-enters the system.
    [[nodiscard]] bool TakeRestartRequest();

    [[nodiscard]] std::span<const std::uint8_t> Contents() const { return m_memory; }

private:
    std::vector<std::uint8_t> m_memory;
    bool m_restartRequested = false;
};
