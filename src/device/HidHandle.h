#pragma once

#include <cstdint>
#include <span>

// One open HID interface (a top-level collection). Byte 0 of every buffer is the
// report id, for feature and input reports alike; lengths include it.
//
// Threads: feature calls of one handle come from one thread at a time. ReadInput may
// block on another thread meanwhile, and Close may be called from any thread: it wakes
// a blocked ReadInput, which then fails, and makes every later call fail. Destroying a
// handle closes it.
class HidHandle {
public:
    virtual ~HidHandle() = default;

    // Writes a feature report.
    [[nodiscard]] virtual bool SetFeature(std::span<const std::uint8_t> report) = 0;
    // Reads the feature report whose id the caller put in buffer[0].
    [[nodiscard]] virtual bool GetFeature(std::span<std::uint8_t> buffer) = 0;
    // Blocks until the next input report arrives; false once the interface is gone or
    // closed.
    [[nodiscard]] virtual bool ReadInput(std::span<std::uint8_t> buffer) = 0;
    virtual void Close() = 0;
};
