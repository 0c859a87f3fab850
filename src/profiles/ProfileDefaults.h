#pragma once

#include <cstdint>

class LanguageTexts;
struct Profile;

// Well-known sensor ids; each has its own DPI step list and DPI defaults.
namespace SensorIds {
inline constexpr std::uint16_t k3205 = 0x3205;
inline constexpr std::uint16_t k3212 = 0x3212;
inline constexpr std::uint16_t k3325 = 0x3325;
inline constexpr std::uint16_t k3311 = 0x3311;
inline constexpr std::uint16_t k0205 = 0x0205;
inline constexpr std::uint16_t k3335 = 0x3335;
inline constexpr std::uint16_t k3395 = 0x3395;
inline constexpr std::uint16_t k3950 = 0x3950;
}  // namespace SensorIds

// Language text numbers the defaults use.
namespace DefaultTexts {
inline constexpr int kLeftClick = 20;
inline constexpr int kRightClick = 21;
inline constexpr int kMiddleClick = 22;
inline constexpr int kButton5 = 23;
inline constexpr int kButton4 = 24;
inline constexpr int kDpiFunction1 = 42;
inline constexpr int kFirstProfileName = 85;  // 85..89 name profiles 0..4
inline constexpr int kLightingMode1 = 100;
}  // namespace DefaultTexts

// Writes every default of a profile; `index` only chooses the default name.
void ResetProfile(Profile& profile, unsigned index, const LanguageTexts& texts, std::uint16_t sensorId);

// Rewrites the DPI group for the sensor. An unknown sensor keeps the DPI positions but
// still gets the other DPI defaults.
void ResetDpiDefaults(Profile& profile, std::uint16_t sensorId);
