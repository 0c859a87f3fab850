#include "profiles/ProfileDefaults.h"

#include "profiles/LanguageTexts.h"
#include "profiles/Profile.h"
#include "profiles/TextNumbers.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct DefaultSetting {
    std::u16string_view key;
    std::u16string_view value;
};

// Keys and default values of the 24 settings pairs, by position. The profile name (pair
// 0) is filled from the language texts.
constexpr std::array<DefaultSetting, Profile::kSettingCount> kDefaultSettings{{
    {u"ProfileName", u""},
    {u"GameFile0", u""},
    {u"GameFile1", u""},
    {u"GameFile2", u""},
    {u"DoubleClickSpeed", u"6"},
    {u"PointerSpeed", u"5"},
    {u"AccelerationEnable", u"1"},
    {u"ScrollWheelSpeed", u"2"},
    {u"ScrollWheelPageEnable", u"0"},
    {u"TiltSpeed", u"2"},
    {u"Sensitivity_X", u"4"},
    {u"Sensitivity_Y", u"4"},
    {u"XYSynchronous", u"1"},
    {u"X_DPI", u"1"},
    {u"Y_DPI", u"1"},
    {u"MoveLightingOnOffMode", u"0"},
    {u"PowerDownTime", u"10"},
    {u"LiftDetectionHeight", u"2"},
    {u"KeyDebounce", u"2"},
    {u"MotionWakeup", u"1"},
    {u"AngleSnap", u"0"},
    {u"MotionSync", u"1"},
    {u"RippleControl", u"0"},
    {u"RgbOffTime", u"1"},
}};

struct DefaultButton {
    int nameText;
    std::uint8_t type;
    std::uint8_t code;
};

constexpr std::array<DefaultButton, Profile::kButtonCount> kDefaultButtons{{
    {DefaultTexts::kLeftClick, 0x10, 0x01},
    {DefaultTexts::kRightClick, 0x10, 0x02},
    {DefaultTexts::kMiddleClick, 0x10, 0x04},
    {DefaultTexts::kButton5, 0x10, 0x10},
    {DefaultTexts::kButton4, 0x10, 0x08},
    {DefaultTexts::kDpiFunction1, 0x40, 0x01},
}};

struct DefaultColors {
    std::size_t mode;
    std::array<std::uint32_t, Profile::kColorSlotCount> colors;  // 0x00BBGGRR
    std::size_t used;
};

constexpr std::array<DefaultColors, 4> kDefaultLightingColors{{
    {3, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF}, 7},
    {5, {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFA00FA, 0xFFFFFF, 0xFF46FA}, 8},
    {6, {0x0000FF}, 1},
    {8, {0x00FF00, 0x6A00FA}, 2},
}};

struct SensorDpiDefaults {
    std::uint16_t sensorId;
    std::array<std::uint16_t, Profile::kDpiLevelCount> positions;
};

// Positions in each sensor's DPI step list for levels 0..7. The 0x3325 row really has
// level 7 below level 6.
constexpr std::array<SensorDpiDefaults, 8> kSensorDpiDefaults{{
    {SensorIds::k3205, {0, 4, 8, 16, 24, 28, 28, 28}},
    {SensorIds::k3212, {2, 6, 10, 18, 26, 30, 30, 30}},
    {SensorIds::k3325, {7, 11, 15, 23, 31, 49, 58, 50}},
    {SensorIds::k3311, {9, 15, 23, 31, 49, 119, 119, 119}},
    {SensorIds::k0205, {7, 15, 23, 31, 59, 99, 99, 99}},
    {SensorIds::k3335, {3, 7, 15, 31, 63, 159, 159, 159}},
    {SensorIds::k3395, {7, 15, 31, 63, 127, 519, 519, 519}},
    {SensorIds::k3950, {7, 15, 31, 63, 127, 599, 599, 599}},
}};

constexpr std::array<std::uint32_t, Profile::kDpiLevelCount> kDefaultDpiIndication{
    0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF, 0xFFFF00, 0xFF00FF, 0xFFFFFF, 0xFFFFFF};

constexpr std::uint8_t kDefaultDpiLevelMask = 0x3F;  // levels 0..5 enabled
constexpr std::uint8_t kDefaultDpiLevel = 1;
constexpr std::uint8_t kDefaultReportRateIndex = 3;  // 1000 Hz
constexpr std::uint8_t kDefaultLightingMode = 1;
constexpr unsigned kNamedProfileCount = 5;

std::u16string DefaultProfileName(unsigned index, const LanguageTexts& texts)
{
    if (index < kNamedProfileCount) {
        const std::u16string& text = texts.Text(static_cast<std::size_t>(DefaultTexts::kFirstProfileName) + index);
        if (!text.empty()) {
            return text;
        }
    }
    std::u16string name = u"Profile";
    TextNumbers::AppendDecimal(name, static_cast<std::int64_t>(index) + 1);
    return name;
}

}  // namespace

void ResetProfile(Profile& profile, unsigned index, const LanguageTexts& texts, std::uint16_t sensorId)
{
    for (std::size_t i = 0; i < Profile::kSettingCount; ++i) {
        profile.Settings[i].key = kDefaultSettings[i].key;
        profile.Settings[i].value = kDefaultSettings[i].value;
    }
    profile.SetSetting(ProfileSetting::ProfileName, DefaultProfileName(index, texts));

    for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
        KeyAssignment& key = profile.Keys[button];
        key.Name = texts.Text(static_cast<std::size_t>(kDefaultButtons[button].nameText));
        key.URL.clear();
        key.Value = {kDefaultButtons[button].type, kDefaultButtons[button].code, 0};
        key.MacroKeyIndex = 0;
        key.Macro = MacroKey{};
    }

    profile.PollingRateName = u"1000HZ";
    profile.PollingRateValue = {kDefaultReportRateIndex, 0, 0};

    profile.Lighting1OffOn = 1;
    profile.Lighting1Name = texts.Text(DefaultTexts::kLightingMode1);
    profile.Lighting1ModeValue = {kDefaultLightingMode, 0, 0};
    profile.Lighting1Speed.fill(1);
    profile.Lighting1Brightness.fill(3);
    profile.Lighting1Direction.fill(0);
    profile.Lighting1Direction[kDefaultLightingMode] = 1;
    for (auto& mode : profile.Lighting1ColorSelected) {
        mode.fill(0);
    }
    for (auto& mode : profile.Lighting1FixedColor) {
        mode.fill(0);
    }
    for (const DefaultColors& preset : kDefaultLightingColors) {
        for (std::size_t slot = 0; slot < preset.used; ++slot) {
            profile.Lighting1ColorSelected[preset.mode][slot] = 1;
            profile.Lighting1FixedColor[preset.mode][slot] = preset.colors[slot];
        }
    }

    profile.Lighting2OffOn = 0;
    profile.Lighting2Name = texts.Text(DefaultTexts::kLightingMode1);
    profile.Lighting2ModeValue = {kDefaultLightingMode, 0, 0};
    profile.Lighting2Speed = 0;
    profile.Lighting2Brightness = 0;
    profile.Lighting2FixedColor = 0;

    ResetDpiDefaults(profile, sensorId);
}

bool HasDefaultTexts(const LanguageTexts& texts)
{
    const auto present = [&texts](int number) { return !texts.Text(static_cast<std::size_t>(number)).empty(); };
    for (unsigned index = 0; index < kNamedProfileCount; ++index) {
        if (!present(DefaultTexts::kFirstProfileName + static_cast<int>(index))) {
            return false;
        }
    }
    return present(DefaultTexts::kLightingMode1) &&
           std::all_of(kDefaultButtons.begin(), kDefaultButtons.end(),
                       [&present](const DefaultButton& button) { return present(button.nameText); });
}

void FillEmptyDefaultNames(Profile& profile, unsigned index, const LanguageTexts& texts)
{
    if (profile.GetSetting(ProfileSetting::ProfileName).empty()) {
        profile.SetSetting(ProfileSetting::ProfileName, DefaultProfileName(index, texts));
    }
    for (std::size_t button = 0; button < Profile::kButtonCount; ++button) {
        KeyAssignment& key = profile.Keys[button];
        const DefaultButton& preset = kDefaultButtons[button];
        if (key.Name.empty() && key.Value[0] == preset.type && key.Value[1] == preset.code) {
            key.Name = texts.Text(static_cast<std::size_t>(preset.nameText));
        }
    }
}

void ResetDpiDefaults(Profile& profile, std::uint16_t sensorId)
{
    profile.DPIOffOnFlag = kDefaultDpiLevelMask;
    const auto* row = std::find_if(kSensorDpiDefaults.begin(), kSensorDpiDefaults.end(),
                                   [sensorId](const SensorDpiDefaults& r) { return r.sensorId == sensorId; });
    if (row != kSensorDpiDefaults.end()) {
        profile.XYSettingX = row->positions;
        profile.XYSettingY = row->positions;
    }
    profile.CurrentDPILevel = kDefaultDpiLevel;
    profile.DPILevelIndication = kDefaultDpiIndication;
    profile.AngleSnapValue = 0;
    profile.LiftDetectionValue = 1;
}
