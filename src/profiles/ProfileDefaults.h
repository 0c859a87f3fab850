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

// Writes every default of a profile; `index` only chooses the default name. A profile
// whose name text is missing is named "Profile<index + 1>", so it can still be chosen.
void ResetProfile(Profile& profile, unsigned index, const LanguageTexts& texts, std::uint16_t sensorId);

// Whether the language texts hold every name the defaults are made of. Without them a
// reset profile is not written to its file: names made of missing texts would stay in
// the file for good.
[[nodiscard]] bool HasDefaultTexts(const LanguageTexts& texts);

// Fills the names that a file holds empty (written by a program that lacked the language
// texts) from the texts: an empty profile name becomes the default name of `index`, and
// an empty button name the default name of the button when it still carries its default
// function.
void FillEmptyDefaultNames(Profile& profile, unsigned index, const LanguageTexts& texts);

// Rewrites the DPI group for the sensor. An unknown sensor keeps the DPI positions but
// still gets the other DPI defaults.
void ResetDpiDefaults(Profile& profile, std::uint16_t sensorId);
