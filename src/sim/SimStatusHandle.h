#pragma once

#include "device/HidHandle.h"
#include "sim/SimInputQueue.h"
#include "sim/SimMouseAnchor.h"

#include <cstdint>
#include <memory>

// A simulated mouse's status collection on one link, for one plug period: ReadInput
// returns the status reports sent since the handle was opened, in order, and blocks
// while there is none. The collection has no feature reports, so those calls fail.
class SimStatusHandle final : public HidHandle {
public:
    SimStatusHandle(std::shared_ptr<SimMouseAnchor> anchor, std::shared_ptr<SimInputQueue> queue);
    ~SimStatusHandle() override;
    SimStatusHandle(const SimStatusHandle&) = delete;
    SimStatusHandle& operator=(const SimStatusHandle&) = delete;

    [[nodiscard]] bool SetFeature(std::span<const std::uint8_t> report) override;
    [[nodiscard]] bool GetFeature(std::span<std::uint8_t> buffer) override;
    // The buffer must be exactly one status report long (32 bytes).
    [[nodiscard]] bool ReadInput(std::span<std::uint8_t> buffer) override;
    void Close() override;

private:
    std::shared_ptr<SimMouseAnchor> m_anchor;
    std::shared_ptr<SimInputQueue> m_queue;  // guarded by the anchor's mutex
};
