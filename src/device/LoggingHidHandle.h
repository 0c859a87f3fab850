#pragma once

#include "device/HidHandle.h"
#include "device/HidTrafficLog.h"

#include <memory>

// Passes every call to the handle it wraps and writes one traffic-log line per transfer.
// The log is shared by every handle of the program.
class LoggingHidHandle final : public HidHandle {
public:
    LoggingHidHandle(std::unique_ptr<HidHandle> inner, LinkKind link, std::shared_ptr<HidTrafficLog> log);

    [[nodiscard]] bool SetFeature(std::span<const std::uint8_t> report) override;
    [[nodiscard]] bool GetFeature(std::span<std::uint8_t> buffer) override;
    [[nodiscard]] bool ReadInput(std::span<std::uint8_t> buffer) override;
    void Close() override;

private:
    std::unique_ptr<HidHandle> m_inner;
    LinkKind m_link;
    std::shared_ptr<HidTrafficLog> m_log;
};
