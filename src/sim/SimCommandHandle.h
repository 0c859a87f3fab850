#pragma once

#include "device/HidHandle.h"
#include "device/LinkKind.h"
#include "sim/SimMouseAnchor.h"

#include <cstdint>
#include <memory>

// A simulated mouse's command collection on one link, for one plug period: feature
// reports go to the mouse while the period lasts. The collection has no input reports,
// so ReadInput fails at once.
class SimCommandHandle final : public HidHandle {
public:
    SimCommandHandle(std::shared_ptr<SimMouseAnchor> anchor, LinkKind link, std::uint64_t period);
    ~SimCommandHandle() override;
    SimCommandHandle(const SimCommandHandle&) = delete;
    SimCommandHandle& operator=(const SimCommandHandle&) = delete;

    [[nodiscard]] bool SetFeature(std::span<const std::uint8_t> report) override;
    [[nodiscard]] bool GetFeature(std::span<std::uint8_t> buffer) override;
    [[nodiscard]] bool ReadInput(std::span<std::uint8_t> buffer) override;
    void Close() override;

private:
    std::shared_ptr<SimMouseAnchor> m_anchor;
    LinkKind m_link;
    std::uint64_t m_period;
    bool m_closed = false;  // guarded by the anchor's mutex
};
