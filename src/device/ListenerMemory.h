#pragma once

#include "profiles/ProfileDefaults.h"

#include <cstdint>

// What status processing remembers between reports, across link changes: the DPI level
// and launch button last seen, and the sensor the program is set up for.
struct ListenerMemory {
    static constexpr std::uint8_t kInitialDpiLevel = 2;

    // The DPI level last reported or last chosen on the main window.
    std::uint8_t lastDpiLevel = kInitialDpiLevel;
    // The last non-zero launch button; 0 after a report without a launch.
    std::uint8_t lastLaunchButton = 0;
    std::uint16_t sensorModel = 0;
    // Set while the model is 0x3205, whose main window layout differs.
    bool sensor3205Mode = false;

    // The memory at start-up for the sensor the application settings name.
    [[nodiscard]] static ListenerMemory ForSensor(std::uint16_t model)
    {
        ListenerMemory memory;
        memory.sensorModel = model;
        memory.sensor3205Mode = model == SensorIds::k3205;
        return memory;
    }

    friend bool operator==(const ListenerMemory&, const ListenerMemory&) = default;
};
