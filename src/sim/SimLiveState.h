#pragma once

#include "device/HidReports.h"

#include <array>
#include <cstddef>
#include <cstdint>

// Byte positions of the status report (input report 7, 32 bytes) the mouse sends.
namespace SimStatusLayout {
inline constexpr std::size_t kReportId = 0;
inline constexpr std::size_t kReceiverOnline = 1;  // receiver link only; 0 on the others
inline constexpr std::size_t kDpiLevel = 2;         // 0-based
inline constexpr std::size_t kPollingCode = 3;
inline constexpr std::size_t kBattery = 4;          // percent
inline constexpr std::size_t kChargeState = 5;      // 1 charging, 2 full, other on battery
inline constexpr std::size_t kLightingMode = 6;
inline constexpr std::size_t kLaunchButton = 7;     // 1-based, 0 = none
inline constexpr std::size_t kSensorCode = 9;
inline constexpr std::size_t kMoveLighting = 10;
inline constexpr std::size_t kPowerDownTime = 11;
inline constexpr std::size_t kRgbOffTime = 12;
inline constexpr std::size_t kColourRed = 13;
inline constexpr std::size_t kColourGreen = 14;
inline constexpr std::size_t kColourBlue = 15;
inline constexpr std::size_t kSpeedLevel = 16;      // 1..3
}  // namespace SimStatusLayout

namespace SimChargeState {
inline constexpr std::uint8_t kOnBattery = 0;
inline constexpr std::uint8_t kCharging = 1;
inline constexpr std::uint8_t kFull = 2;
}  // namespace SimChargeState

using SimStatusReport = std::array<std::uint8_t, ReportLength::kStatus>;

// One colour as the mouse stores and sends it: red, green, blue in this order.
struct SimRgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const SimRgb&, const SimRgb&) = default;
};

// What the mouse reports in its status report. The initial values are the mouse's own
// state after a factory reset with a full battery and the 0x3311 sensor (code 0x50).
struct SimLiveState {
    static constexpr std::uint8_t kDefaultSensorCode = 0x50;

    std::uint8_t dpiLevel = 1;
    std::uint8_t pollingCode = 0x01;  // 1000 Hz
    std::uint8_t battery = 100;
    std::uint8_t chargeState = SimChargeState::kOnBattery;
    std::uint8_t lightingMode = 1;
    std::uint8_t launchButton = 0;
    std::uint8_t sensorCode = kDefaultSensorCode;
    std::uint8_t moveLighting = 0;
    std::uint8_t powerDownTime = 10;
    std::uint8_t rgbOffTime = 1;
    SimRgb colour{0xFF, 0x00, 0x00};
    std::uint8_t speedLevel = 2;

    // The status report; `receiverOnline` goes into byte 1.
    [[nodiscard]] SimStatusReport BuildReport(std::uint8_t receiverOnline) const;

    friend bool operator==(const SimLiveState&, const SimLiveState&) = default;
};
