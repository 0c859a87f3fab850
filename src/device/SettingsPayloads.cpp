#include "device/SettingsPayloads.h"

#include "device/DpiStepTable.h"
#include "device/PollingRateLabels.h"

#include <algorithm>

namespace {

// Polling codes by report-rate index; the last entry also serves every larger index.
constexpr std::array<std::uint8_t, 7> kPollingCodes{0x08, 0x04, 0x02, 0x01, 0x11, 0x12, 0x14};
static_assert(kPollingCodes.size() == Profile::kMaxReportRateIndex + 1u);
static_assert(kPollingRateLabels.size() == kPollingCodes.size());

constexpr std::uint8_t kLiftLow = 1;
constexpr std::uint8_t kLiftHigh = 2;

// The lighting command carries the direction of mode 1 and the first colour of mode 6
// whatever mode is active; only speed and brightness follow the active mode.
constexpr std::size_t kDirectionMode = 1;
constexpr std::size_t kFixedColourMode = 6;

// Priming leaves a marker other than 0xFF in byte 0 for modes 8 and above, so the next
// settings apply sends the lighting again.
constexpr std::uint8_t kModeWithColours = 8;
constexpr std::uint8_t kPrimeMarkerMode8 = 8;
constexpr std::uint8_t kModeNine = 9;
constexpr std::uint8_t kPrimeMarkerMode9 = 2;
constexpr std::uint8_t kPrimeMarkerUnknownMode = 0;
constexpr std::size_t kPrimeSlot0Colour = 3;  // bytes 3..5
constexpr std::size_t kPrimeSlot1Colour = 6;  // bytes 6..8, of which only byte 6 exists

constexpr unsigned kNibbleShift = 4;
constexpr unsigned kLowNibble = 0x0F;

// Writes red, green and blue of a 0x00BBGGRR colour from `offset`, as far as they fit.
template <std::size_t N>
void PutColour(std::array<std::uint8_t, N>& bytes, std::size_t offset, std::uint32_t colour)
{
    for (std::size_t i = 0; i < 3 && offset + i < N; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(colour >> (8 * i));
    }
}

void PutCode(SettingsPayloads::DpiBytes& bytes, std::size_t offset, std::uint16_t code)
{
    bytes[offset] = static_cast<std::uint8_t>(code);
    bytes[offset + 1] = static_cast<std::uint8_t>(code >> 8);
}

// A per-mode value of a lighting mode outside the profile's arrays reads as 0.
std::uint8_t PerMode(const std::array<std::uint8_t, Profile::kLightingModeCount>& values, std::uint8_t mode)
{
    return mode < values.size() ? values[mode] : 0;
}

}  // namespace

namespace SettingsPayloads {

std::uint8_t PollingCode(std::uint8_t rateIndex)
{
    return kPollingCodes[std::min<std::size_t>(rateIndex, kPollingCodes.size() - 1)];
}

std::uint8_t TextSettingByte(const Profile& profile, ProfileSetting setting)
{
    // Conversion to an unsigned 8-bit type keeps the low byte, negative values included.
    return static_cast<std::uint8_t>(profile.GetIntSetting(setting));
}

std::uint8_t LiftCode(const Profile& profile)
{
    return profile.GetIntSetting(ProfileSetting::LiftDetectionHeight) == kLiftLow ? kLiftLow : kLiftHigh;
}

DpiBytes BuildDpi(const Profile& profile, const DpiStepTable& table)
{
    DpiBytes bytes{};
    bytes[kDpiLevel] = profile.CurrentDPILevel;
    bytes[kDpiEnableMask] = profile.DPIOffOnFlag;
    for (std::size_t level = 0; level < kDpiLevelsSent; ++level) {
        PutCode(bytes, kDpiXCodes + 2 * level, table.DeviceCode(profile.XYSettingX[level]));
        PutCode(bytes, kDpiYCodes + 2 * level, table.DeviceCode(profile.XYSettingY[level]));
    }
    return bytes;
}

DpiColourBytes BuildDpiColours(const Profile& profile)
{
    DpiColourBytes bytes{};
    for (std::size_t level = 0; level < Profile::kDpiLevelCount; ++level) {
        PutColour(bytes, 3 * level, profile.DPILevelIndication[level]);
    }
    return bytes;
}

LightingBytes BuildLighting(const Profile& profile)
{
    const std::uint8_t mode = profile.Lighting1ModeValue[0];
    const unsigned brightness = PerMode(profile.Lighting1Brightness, mode) + 1u;
    const unsigned speed = PerMode(profile.Lighting1Speed, mode) + 1u;

    LightingBytes bytes{};
    bytes[kLightingMarker] = kLightingBuiltMarker;
    bytes[kLightingMode] = mode;
    bytes[kLightingSpeedBrightness] = static_cast<std::uint8_t>((brightness << kNibbleShift) | (speed & kLowNibble));
    bytes[kLightingDirection] = profile.Lighting1Direction[kDirectionMode];
    PutColour(bytes, kLightingRed, profile.Lighting1FixedColor[kFixedColourMode][0]);
    return bytes;
}

LightingBytes PrimedLighting(const Profile& profile)
{
    LightingBytes bytes = BuildLighting(profile);
    const std::uint8_t mode = bytes[kLightingMode];
    if (mode < kModeWithColours) {
        return bytes;
    }
    if (mode == kModeWithColours) {
        bytes[kLightingMarker] = kPrimeMarkerMode8;
        // The second colour would take bytes 6..8 but the copy ends at byte 6: only its
        // red byte is kept, nothing is written past the copy.
        const auto& selected = profile.Lighting1ColorSelected[kModeWithColours];
        const auto& colours = profile.Lighting1FixedColor[kModeWithColours];
        if (selected[0] != 0) {
            PutColour(bytes, kPrimeSlot0Colour, colours[0]);
        }
        if (selected[1] != 0) {
            PutColour(bytes, kPrimeSlot1Colour, colours[1]);
        }
    } else if (mode == kModeNine) {
        bytes[kLightingMarker] = kPrimeMarkerMode9;
    } else {
        bytes[kLightingMarker] = kPrimeMarkerUnknownMode;
    }
    return bytes;
}

ThreeBytes BuildPowerSaving(const Profile& profile)
{
    return {TextSettingByte(profile, ProfileSetting::PowerDownTime), TextSettingByte(profile, ProfileSetting::RgbOffTime),
            TextSettingByte(profile, ProfileSetting::MoveLightingOnOffMode)};
}

ThreeBytes BuildSensorOptions(const Profile& profile)
{
    return {TextSettingByte(profile, ProfileSetting::AngleSnap), TextSettingByte(profile, ProfileSetting::MotionSync),
            TextSettingByte(profile, ProfileSetting::RippleControl)};
}

}  // namespace SettingsPayloads
