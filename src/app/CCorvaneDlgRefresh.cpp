// RefreshUi, CollectUi and the 0x3205 layout switch: the profile into the controls and
// back.
#include "app/CCorvaneDlg.h"

#include "app/MainWindowIds.h"
#include "device/DeviceLink.h"
#include "device/DpiStepTable.h"
#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/Profile.h"
#include "profiles/ProfileTable.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CImageButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"
#include "ui/UiState.h"
#include "ui/dialogs/DialogParts.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kLevelText = 0xB4B4B4;
constexpr std::uint32_t kCurrentLevelText = 0x0000FF;
constexpr std::array<const char16_t*, 4> kBrightnessCaptions{u"25%", u"50%", u"75%", u"100%"};

QString Text(const LanguageTexts& texts, int number)
{
    return DialogParts::LanguageText(texts, number);
}

bool ModeIn(int mode, std::initializer_list<int> modes)
{
    return std::ranges::find(modes, mode) != modes.end();
}

}  // namespace

Profile& CCorvaneDlg::CurrentProfile() const
{
    return m_model.profiles.Current(m_model.settings);
}

QString CCorvaneDlg::BrightnessCaption(int position)
{
    return QString::fromUtf16(kBrightnessCaptions[static_cast<std::size_t>(position) % kBrightnessCaptions.size()]);
}

QString CCorvaneDlg::PowerDownText(int minutes) const
{
    return Text(m_model.texts, 266) + QString::number(minutes) + Text(m_model.texts, 267);
}

void CCorvaneDlg::RefreshUi()
{
    const Profile& profile = CurrentProfile();
    for (std::size_t n = 0; n < Profile::kButtonCount; ++n) {
        if (const KeyAssignment* key = profile.GetKey(static_cast<unsigned>(n)))
            m_buttonDropDowns[n]->SetText(QString::fromStdU16String(key->Name));
    }
    RefreshDpi(profile);
    RefreshRate(profile);
    RefreshLighting(profile);
    UiState::Instance().SelectRadio(profile.GetIntSetting(ProfileSetting::LiftDetectionHeight) == 1 ? MainId::kLiftLow
                                                                                                   : MainId::kLiftHigh);
    const int powerDown = profile.GetIntSetting(ProfileSetting::PowerDownTime);
    m_powerSlider->SetPos(powerDown - 1);
    m_powerValue->SetText(PowerDownText(powerDown));
    InvalidateAll();
    if (m_services.profileShown)
        m_services.profileShown();
}

void CCorvaneDlg::RefreshDpi(const Profile& profile)
{
    DeviceLink& link = m_model.link;
    const DpiStepTable& table = link.DpiTable();
    link.SetLastDpiLevel(profile.CurrentDPILevel);
    const int current = link.LastDpiLevel();
    for (int k = 0; k < MainId::kDpiLevelCount; ++k) {
        const auto index = static_cast<std::size_t>(k);
        const bool enabled = (profile.DPIOffOnFlag & (1U << k)) != 0;
        m_dpiChecks[index]->SetChecked(enabled);
        CDPIRadioButton& level = *m_dpiLevels[index];
        level.SetTextColor(k == current ? kCurrentLevelText : kLevelText);
        const std::size_t position = profile.XYSettingX[index];
        level.SetDpiValue(position < table.PositionCount() ? static_cast<int>(table.DpiDividedBy50(position)) : 0);
        level.SetDisabled(!enabled);
        m_dpiBars[index]->SetValue(profile.XYSettingX[index]);
        m_dpiBars[index]->SetSecondValue(profile.XYSettingY[index]);
    }
    // The buttons up to the current level are lit, as a click on it lights them.
    UiState::Instance().DpiLevelMask = static_cast<std::uint8_t>((1U << std::min(current + 1, 8)) - 1U);
}

void CCorvaneDlg::RefreshLighting(const Profile& profile)
{
    const int mode = profile.Lighting1ModeValue[0] % static_cast<int>(Profile::kLightingModeCount);
    const auto m = static_cast<std::size_t>(mode);
    m_lightingMode->SetText(QString::fromStdU16String(profile.Lighting1Name));
    for (std::size_t j = 0; j < m_colorSlots.size(); ++j) {
        m_colorSlots[j]->SetColor(profile.Lighting1FixedColor[m][j]);
        m_colorSlots[j]->SetChecked(profile.Lighting1ColorSelected[m][j] != 0);
    }
    if (IsSectionOpen(MainId::kHeaderLighting)) {
        m_lightingMode->SetVisible(true);
        const bool firstSlot = ModeIn(mode, {3, 6, 8});
        m_colorsLabel->SetVisible(firstSlot);
        m_colorSlots[0]->SetVisible(firstSlot);
        m_colorSlots[1]->SetVisible(mode == 8);
        for (std::size_t j = 2; j < m_colorSlots.size(); ++j)
            m_colorSlots[j]->SetVisible(false);
        for (CControlBase* control : m_speedGroup)
            control->SetVisible(!ModeIn(mode, {0, 5, 6}));
        for (CControlBase* control : m_brightnessGroup)
            control->SetVisible(ModeIn(mode, {5, 6}));
        for (CControlBase* control : m_directionGroup)
            control->SetVisible(mode == 1);
    }
    m_speedSlider->SetPos(profile.Lighting1Speed[m]);
    m_speedValue->SetText(QString::number(m_speedSlider->GetPos() + 1));
    m_brightnessSlider->SetPos(profile.Lighting1Brightness[m]);
    m_brightnessValue->SetText(BrightnessCaption(m_brightnessSlider->GetPos()));
    UiState::Instance().SelectRadio(profile.Lighting1Direction[m] != 0 ? MainId::kDirectionUp
                                                                       : MainId::kDirectionDown);
}

void CCorvaneDlg::RefreshRate(const Profile& profile)
{
    const int index = std::min<int>(profile.PollingRateValue[0], MainId::kRateRadioCount - 1);
    UiState::Instance().SelectRadio(MainId::kFirstRateRadio + index);
    for (int i = 0; i < MainId::kRateRadioCount; ++i)
        m_rateCaptions[static_cast<std::size_t>(i)]->SetShown(i == index);
}

void CCorvaneDlg::CollectUi()
{
    Profile& profile = CurrentProfile();
    profile.SetIntSetting(ProfileSetting::PowerDownTime, m_powerSlider->GetPos() + 1);
    profile.CurrentDPILevel = m_model.link.LastDpiLevel();
    std::uint8_t enabled = 0;
    for (int k = 0; k < MainId::kDpiLevelCount; ++k) {
        if (m_dpiChecks[static_cast<std::size_t>(k)]->IsChecked())
            enabled = static_cast<std::uint8_t>(enabled | (1U << k));
    }
    profile.DPIOffOnFlag = enabled;
    // Speed, brightness and direction are one setting for modes 0..7 and the current mode.
    const auto mode = static_cast<std::size_t>(profile.Lighting1ModeValue[0] % Profile::kLightingModeCount);
    const auto speed = static_cast<std::uint8_t>(m_speedSlider->GetPos());
    const auto brightness = static_cast<std::uint8_t>(m_brightnessSlider->GetPos());
    const std::uint8_t direction = UiState::Instance().IsRadioSelected(MainId::kDirectionUp) ? 1 : 0;
    constexpr std::size_t kSharedModes = 8;
    for (std::size_t m = 0; m < kSharedModes; ++m) {
        profile.Lighting1Speed[m] = speed;
        profile.Lighting1Brightness[m] = brightness;
        profile.Lighting1Direction[m] = direction;
    }
    profile.Lighting1Speed[mode] = speed;
    profile.Lighting1Brightness[mode] = brightness;
    profile.Lighting1Direction[mode] = direction;
    profile.SetIntSetting(ProfileSetting::LiftDetectionHeight,
                          UiState::Instance().IsRadioSelected(MainId::kLiftLow) ? 1 : 2);
}

void CCorvaneDlg::ApplySensorLayout()
{
    CControlBase* lighting = GetControl(MainId::kHeaderLighting);
    if (m_sensor3205Mode) {
        m_macroManager->SetShown(false);
        if (auto* header = dynamic_cast<CCheckButton*>(lighting))
            header->SetChecked(false);
        lighting->SetShown(false);
    } else {
        m_macroManager->SetShown(true);
        lighting->SetShown(true);
    }
}
