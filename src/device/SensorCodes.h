#pragma once

#include "profiles/ProfileDefaults.h"

#include <array>
#include <cstdint>
#include <optional>

// The sensor codes of status report byte 9 and the sensor models they stand for.
namespace SensorCode {
inline constexpr std::uint8_t k3205 = 0x10;
inline constexpr std::uint8_t k3212 = 0x30;
inline constexpr std::uint8_t k3325 = 0x43;
inline constexpr std::uint8_t k3335 = 0x4E;
inline constexpr std::uint8_t k3311 = 0x50;
inline constexpr std::uint8_t k3395 = 0x51;
inline constexpr std::uint8_t k0205 = 0xB2;
}  // namespace SensorCode

struct SensorCodeEntry {
    std::uint8_t code;
    std::uint16_t model;
};

inline constexpr std::array<SensorCodeEntry, 7> kSensorCodes = {{
    {SensorCode::k3205, SensorIds::k3205},
    {SensorCode::k3212, SensorIds::k3212},
    {SensorCode::k3325, SensorIds::k3325},
    {SensorCode::k3335, SensorIds::k3335},
    {SensorCode::k3311, SensorIds::k3311},
    {SensorCode::k3395, SensorIds::k3395},
    {SensorCode::k0205, SensorIds::k0205},
}};

// The model for a reported code; nothing for a code the program does not know, which
// leaves the current model in force.
[[nodiscard]] constexpr std::optional<std::uint16_t> SensorModelOfCode(std::uint8_t code)
{
    for (const SensorCodeEntry& entry : kSensorCodes) {
        if (entry.code == code)
            return entry.model;
    }
    return std::nullopt;
}
