#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The running program, reached through its interface on the session bus: while it runs,
// corvanectl asks it instead of opening the mouse, so that the two never write to the
// mouse at once.
class RunningProgram {
public:
    // Its properties.
    struct Status {
        std::uint32_t batteryLevel = 0;  // percent
        std::uint32_t charging = 0;      // 0 on battery, 1 charging, 2 full
        std::string link;                // "wired", "receiver", "ble" or ""
        std::uint32_t profile = 0;       // 0-based
        std::string profileName;         // UTF-8
        std::uint32_t dpiLevel = 0;      // 1-based
        std::uint32_t dpi = 0;
        std::uint32_t pollingRate = 0;  // Hz
    };

    virtual ~RunningProgram() = default;

    // The bus name it owns.
    [[nodiscard]] virtual std::string Name() const = 0;
    // Nothing, with the reason, when it does not answer.
    [[nodiscard]] virtual std::optional<Status> ReadStatus(std::string& problem) = 0;
    // Calls one of its methods that take one number (SwitchProfile, SetDpiLevel,
    // SetPollingRate); false with its refusal or the bus's error.
    [[nodiscard]] virtual bool Call(const std::string& method, std::uint32_t value, std::string& problem) = 0;
};
