#pragma once

#include "device/LastSentCopies.h"
#include "profiles/Profile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class DpiStepTable;

// The payload bytes of the settings commands, built from a profile. Every function is
// pure: the same profile (and DPI table) always gives the same bytes, and no input value,
// however out of range, makes them read outside the profile's arrays.
namespace SettingsPayloads {

using DpiBytes = std::array<std::uint8_t, LastSentCopies::kDpiBytes>;
using DpiColourBytes = std::array<std::uint8_t, LastSentCopies::kDpiColourBytes>;
using LightingBytes = std::array<std::uint8_t, LastSentCopies::kLightingBytes>;
using ThreeBytes = std::array<std::uint8_t, 3>;

// Layout of the 34 DPI bytes: level, enable mask, then per axis six little-endian codes
// followed by four zero bytes (X axis first).
inline constexpr std::size_t kDpiLevel = 0;
inline constexpr std::size_t kDpiEnableMask = 1;
inline constexpr std::size_t kDpiXCodes = 2;
inline constexpr std::size_t kDpiYCodes = 18;
inline constexpr std::size_t kDpiAxisBytes = 16;   // six codes and four zero bytes
inline constexpr std::size_t kDpiLevelsSent = 6;   // levels 6 and 7 stay in the profile

// Layout of the 7 lighting bytes.
inline constexpr std::size_t kLightingMarker = 0;  // 0xFF as built; priming may change it
inline constexpr std::size_t kLightingMode = 1;
inline constexpr std::size_t kLightingSpeedBrightness = 2;  // brightness high nibble, speed low
inline constexpr std::size_t kLightingDirection = 3;
inline constexpr std::size_t kLightingRed = 4;              // red, green, blue at 4..6
inline constexpr std::uint8_t kLightingBuiltMarker = 0xFF;

// Report-rate index 0..6 (PollingRateValue byte 0) to the code the mouse takes; an index
// above 6 counts as 6 (8000 Hz).
[[nodiscard]] std::uint8_t PollingCode(std::uint8_t rateIndex);

// A text setting read as a decimal integer; its low byte is what the mouse gets.
[[nodiscard]] std::uint8_t TextSettingByte(const Profile& profile, ProfileSetting setting);
// 1 when LiftDetectionHeight reads as 1, else 2.
[[nodiscard]] std::uint8_t LiftCode(const Profile& profile);

// Level, enable mask and the device codes of DPI levels 0..5 for both axes.
[[nodiscard]] DpiBytes BuildDpi(const Profile& profile, const DpiStepTable& table);
// The eight DPI level colours, red, green, blue each.
[[nodiscard]] DpiColourBytes BuildDpiColours(const Profile& profile);
// 0xFF, mode, brightness/speed, direction, red, green, blue.
[[nodiscard]] LightingBytes BuildLighting(const Profile& profile);
// The lighting copy as priming leaves it: the built bytes with byte 0 (and for mode 8 some
// colour bytes) chosen by the mode, so that modes 8 and above are sent again at the next
// settings apply.
[[nodiscard]] LightingBytes PrimedLighting(const Profile& profile);
// PowerDownTime, RgbOffTime, MoveLightingOnOffMode.
[[nodiscard]] ThreeBytes BuildPowerSaving(const Profile& profile);
// AngleSnap, MotionSync, RippleControl.
[[nodiscard]] ThreeBytes BuildSensorOptions(const Profile& profile);

}  // namespace SettingsPayloads
