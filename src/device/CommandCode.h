#pragma once

#include <cstdint>

// The command codes of report 9. Codes 0x0A..0x0E and above 0x11 are never sent.
enum class CommandCode : std::uint8_t {
    KeyAssignments = 0x01,
    DpiLevels = 0x02,
    DpiColours = 0x03,
    PollingRate = 0x04,
    LiftHeight = 0x05,
    Lighting = 0x06,
    PowerSaving = 0x07,
    SensorOptions = 0x08,
    KeyDebounce = 0x09,
    FactoryReset = 0x0F,
    MacroData = 0x10,
    MacroClear = 0x11,
};
