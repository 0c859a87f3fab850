#pragma once

#include "device/LinkKind.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

class Clock;

enum class HidOperation : std::uint8_t {
    SetFeature,
    GetFeature,
    Input,
};

// The HID traffic log: one line per transfer, appended to a file, in a stable format
// that users and scripts can rely on:
//   <seconds since start, 3 decimals> <wired|ble|wireless> <set-feature|get-feature|input>
//   <byte count> <bytes as two-digit upper-case hex, space-separated>[ failed]
// Lines are written whole and flushed at once, from whichever thread made the transfer.
class HidTrafficLog {
public:
    // Opens `path` for appending; null with a reason in `error` when it cannot be opened.
    [[nodiscard]] static std::unique_ptr<HidTrafficLog> Open(const std::filesystem::path& path,
                                                            const Clock& clock, std::string& error);
    ~HidTrafficLog();
    HidTrafficLog(const HidTrafficLog&) = delete;
    HidTrafficLog& operator=(const HidTrafficLog&) = delete;

    void Record(LinkKind link, HidOperation operation, std::span<const std::uint8_t> bytes, bool succeeded);

    // One log line without its line end.
    [[nodiscard]] static std::string FormatLine(std::chrono::microseconds time, LinkKind link,
                                                HidOperation operation,
                                                std::span<const std::uint8_t> bytes, bool succeeded);

private:
    HidTrafficLog(std::FILE* file, const Clock& clock);

    std::mutex m_mutex;
    std::FILE* m_file;
    const Clock& m_clock;
};
