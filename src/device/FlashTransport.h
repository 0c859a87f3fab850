#pragma once

#include "device/FlashFrame.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <stop_token>

class Clock;
class HidHandle;

// The frame exchanges of a firmware update on the wired command interface: single
// sends, writes with retries, transfer reads and waits. A missing handle makes every
// call fail at once, as a skipped call would. A stop request is honoured before each
// frame and inside each wait by throwing Stopped, so no frame follows it.
class FlashTransport {
public:
    struct Stopped {};
    using Block = std::array<std::uint8_t, FlashLayout::kDataLength>;

    static constexpr std::chrono::milliseconds kReadPause{5};
    static constexpr std::chrono::milliseconds kRetryPause{100};
    static constexpr int kWriteAttempts = 4;

    FlashTransport(HidHandle* handle, Clock& clock, std::stop_token stop);

    // One attempt; false when the report was not written.
    [[nodiscard]] bool Send(const FlashFrame& frame);
    // One attempt whose result is not used: the frames sent this way (erase, protection,
    // clear, restart, information block) are checked by the reads that follow them.
    void SendUnchecked(const FlashFrame& frame);
    // Up to kWriteAttempts sends, each failure followed by kRetryPause.
    [[nodiscard]] bool SendWithRetries(const FlashFrame& frame);
    // Transfer read of `count` bytes: the request, kReadPause, then the reply. Nothing
    // when the request or the reply failed, so a failed read never passes for data.
    [[nodiscard]] std::optional<Block> Read(std::uint32_t address, std::size_t count);
    // Waits in slices of at most kWaitSlice so a stop request ends a long wait early.
    void Wait(std::chrono::milliseconds duration);

    [[nodiscard]] bool StopRequested() const { return m_stop.stop_requested(); }

private:
    static constexpr std::chrono::milliseconds kWaitSlice{100};

    void ThrowIfStopped() const;

    HidHandle* m_handle;
    Clock& m_clock;
    std::stop_token m_stop;
};
