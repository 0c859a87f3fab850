#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the program shows of the mouse and its profile, as its bus interface gives it, and
// the choices the window offers right now.
struct ProgramState {
    // The properties.
    std::uint32_t batteryLevel = 0;  // percent, 0..100
    std::uint32_t charging = 0;      // 0 on battery, 1 charging, 2 full
    std::string link;                // "wired", "receiver", "ble", or "" without a link
    std::uint32_t profile = 0;       // 0-based
    std::u16string profileName;
    std::uint32_t dpiLevel = 1;  // 1-based
    std::uint32_t dpi = 0;
    std::uint32_t pollingRate = 0;  // Hz

    // The choices.
    std::vector<std::uint32_t> listedProfiles;    // 0-based, in the order of the profile list
    std::vector<std::uint32_t> enabledDpiLevels;  // 1-based
    std::vector<std::uint32_t> pollingRates;      // Hz; empty where the link in charge has no rate choice
};
