#pragma once

#include "profiles/KeyAssignment.h"

#include <array>
#include <cstdint>
#include <string>

struct SettingPair {
    std::u16string key;
    std::u16string value;
    friend bool operator==(const SettingPair&, const SettingPair&) = default;
};

// Positions of the 24 settings pairs of a profile. The key texts are data (a profile
// file may rewrite them); the program always uses the pairs by position.
enum class ProfileSetting : std::size_t {
    ProfileName = 0,
    GameFile0,
    GameFile1,
    GameFile2,
    DoubleClickSpeed,
    PointerSpeed,
    AccelerationEnable,
    ScrollWheelSpeed,
    ScrollWheelPageEnable,
    TiltSpeed,
    SensitivityX,
    SensitivityY,
    XYSynchronous,
    XDpi,
    YDpi,
    MoveLightingOnOffMode,
    PowerDownTime,
    LiftDetectionHeight,
    KeyDebounce,
    MotionWakeup,
    AngleSnap,
    MotionSync,
    RippleControl,
    RgbOffTime,
};

// One of the mouse's five profiles as the program mirrors it. Colours are 0x00BBGGRR.
struct Profile {
    static constexpr std::size_t kSettingCount = 24;
    static constexpr std::size_t kButtonCount = 6;
    static constexpr std::size_t kLightingModeCount = 10;
    static constexpr std::size_t kColorSlotCount = 10;
    static constexpr std::size_t kDpiLevelCount = 8;
    static constexpr std::uint8_t kMaxReportRateIndex = 6;

    std::array<SettingPair, kSettingCount> Settings;
    std::array<KeyAssignment, kButtonCount> Keys;
    std::u16string PollingRateName;
    std::array<std::uint8_t, 3> PollingRateValue{};  // byte 0: report-rate index 0..6
    std::uint8_t Lighting1OffOn = 1;
    std::u16string Lighting1Name;
    std::array<std::uint8_t, 3> Lighting1ModeValue{};  // byte 0: lighting mode 0..9
    std::array<std::uint8_t, kLightingModeCount> Lighting1Speed{};
    std::array<std::uint8_t, kLightingModeCount> Lighting1Brightness{};
    std::array<std::array<std::uint8_t, kColorSlotCount>, kLightingModeCount> Lighting1ColorSelected{};
    std::array<std::array<std::uint32_t, kColorSlotCount>, kLightingModeCount> Lighting1FixedColor{};
    std::array<std::uint8_t, kLightingModeCount> Lighting1Direction{};
    std::uint8_t Lighting2OffOn = 1;
    std::u16string Lighting2Name;
    std::array<std::uint8_t, 3> Lighting2ModeValue{};
    std::uint8_t Lighting2Speed = 2;
    std::uint8_t Lighting2Brightness = 100;
    std::uint32_t Lighting2FixedColor = 0;
    std::uint8_t DPIOffOnFlag = 0x7F;  // bit k: DPI level k enabled
    std::array<std::uint16_t, kDpiLevelCount> XYSettingX{};  // positions in the DPI step list
    std::array<std::uint16_t, kDpiLevelCount> XYSettingY{};
    std::uint8_t CurrentDPILevel = 0;
    std::array<std::uint32_t, kDpiLevelCount> DPILevelIndication{};
    std::uint8_t AngleSnapValue = 0;
    std::uint8_t LiftDetectionValue = 0;

    friend bool operator==(const Profile&, const Profile&) = default;

    // Pair text access; an index above 23 reads as empty and writes nothing. A value that
    // does not fit one line of the file (a line break or another control character) is
    // not taken: the pair keeps its last value.
    [[nodiscard]] const std::u16string& GetSetting(std::size_t pair) const;
    void SetSetting(std::size_t pair, std::u16string value);
    [[nodiscard]] const std::u16string& GetSetting(ProfileSetting pair) const;
    void SetSetting(ProfileSetting pair, std::u16string value);

    // Typed access: base-10 parsing at each use, "%d" on writing. Booleans are written
    // "1" for a positive argument (MoveLightingOnOffMode, MotionWakeup, AngleSnap,
    // MotionSync, RippleControl) or a non-zero one (AccelerationEnable,
    // ScrollWheelPageEnable), else "0".
    [[nodiscard]] int GetIntSetting(ProfileSetting pair) const;
    void SetIntSetting(ProfileSetting pair, int value);
    void SetBoolSetting(ProfileSetting pair, int value);

    // Button 0..5, or null for a larger number.
    [[nodiscard]] KeyAssignment* GetKey(unsigned button);
    [[nodiscard]] const KeyAssignment* GetKey(unsigned button) const;
};
