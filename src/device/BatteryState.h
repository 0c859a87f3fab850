#pragma once

#include <cstdint>

// Whether the mouse runs on its battery, charges it, or has it full.
enum class ChargeState : std::uint8_t {
    OnBattery = 0,
    Charging = 1,
    Full = 2,
};

// The battery as the last status report gave it. Written by status processing, read by
// the one-second battery display; the level is kept as reported (0..255) and only
// limited when shown.
struct BatteryState {
    std::uint8_t batteryLevel = 0;  // percent
    ChargeState chargeState = ChargeState::OnBattery;

    friend bool operator==(const BatteryState&, const BatteryState&) = default;
};
