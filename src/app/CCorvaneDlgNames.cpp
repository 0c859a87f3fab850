// The main window's names for assistive technology: the pictures, image buttons and
// drop-downs say what they are through language texts.
#include "app/CCorvaneDlg.h"

#include "app/MainWindowIds.h"
#include "profiles/LanguageTexts.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectCheckButton.h"
#include "ui/CComboButton.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticImage.h"
#include "ui/dialogs/DialogParts.h"

namespace {

// Language texts of the names.
namespace NameText {
inline constexpr int kClose = 312;
inline constexpr int kMinimise = 313;
inline constexpr int kWired = 314;
inline constexpr int kWireless = 315;
inline constexpr int kBluetooth = 316;
inline constexpr int kBatteryLevel = 317;  // "%1" is the level in percent
inline constexpr int kBatteryCharging = 318;
inline constexpr int kBatteryCharged = 319;
inline constexpr int kButton = 320;        // "%1" is the button's number
inline constexpr int kDpiLevel = 321;
inline constexpr int kUseDpiLevel = 322;
inline constexpr int kSetDpiLevel = 323;
inline constexpr int kColor = 324;
inline constexpr int kRate = 325;          // "%1" is the rate in Hz
inline constexpr int kUp = 326;
inline constexpr int kDown = 327;
inline constexpr int kMouse = 328;
// Texts the window shows elsewhere and that name a control as well.
inline constexpr int kLighting = 12;
inline constexpr int kBrightness = 120;
inline constexpr int kSpeed = 121;
inline constexpr int kPowerSaving = 265;
inline constexpr int kLiftLow = 270;
inline constexpr int kLiftHigh = 271;
}  // namespace NameText

constexpr std::array<int, 9> kSectionHeaders{
    MainId::kHeaderDpi,      MainId::kHeaderLighting, MainId::kHeaderPointer,
    MainId::kHeaderRate,     MainId::kHeaderLift,     MainId::kHeaderDebounce,
    MainId::kHeaderPairing,  MainId::kHeaderSensorOptions, MainId::kHeaderFirmware};
constexpr std::array<int, 4> kTitleBars{MainId::kTitleButtons, MainId::kTitleBattery, MainId::kTitlePower,
                                        MainId::kTitleProfiles};
constexpr std::array<int, 4> kRatesHz{125, 250, 500, 1000};

// A name with a number in it; a language file whose text lacks the "%1" still names the
// control, with the number after the text.
QString WithNumber(const QString& format, std::size_t number)
{
    if (format.contains(QStringLiteral("%1")))
        return format.arg(number);
    return format.isEmpty() ? QString::number(number) : format + QLatin1Char(' ') + QString::number(number);
}

}  // namespace

void CCorvaneDlg::NameControls()
{
    const LanguageTexts& texts = m_model.texts;
    const auto text = [&texts](int number) { return DialogParts::LanguageText(texts, number); };
    const auto name = [this](int id, const QString& value) {
        if (CControlBase* control = GetControl(id))
            control->SetAccessibleName(value);
    };

    name(MainId::kClose, text(NameText::kClose));
    name(MainId::kMinimise, text(NameText::kMinimise));
    name(MainId::kDevicePicture, text(NameText::kMouse));
    name(MainId::kLightingMode, text(NameText::kLighting));
    name(MainId::kPowerSlider, text(NameText::kPowerSaving));
    name(MainId::kSpeedSlider, text(NameText::kSpeed));
    name(MainId::kBrightnessSlider, text(NameText::kBrightness));
    name(MainId::kDirectionUp, text(NameText::kUp));
    name(MainId::kDirectionDown, text(NameText::kDown));
    name(MainId::kLiftLow, text(NameText::kLiftLow));
    name(MainId::kLiftHigh, text(NameText::kLiftHigh));
    for (std::size_t i = 0; i < kRatesHz.size(); ++i)
        name(MainId::kFirstRateRadio + static_cast<int>(i), WithNumber(text(NameText::kRate), static_cast<std::size_t>(kRatesHz[i])));

    const std::array<int, 3> connection{NameText::kWired, NameText::kWireless, NameText::kBluetooth};
    for (std::size_t i = 0; i < m_statusImages.size(); ++i) {
        if (m_statusImages[i] != nullptr)
            m_statusImages[i]->SetAccessibleName(text(connection[i]));
    }
    if (m_battery != nullptr)
        m_battery->SetAccessibleTexts(text(NameText::kBatteryLevel), text(NameText::kBatteryCharging),
                                      text(NameText::kBatteryCharged));
    for (std::size_t i = 0; i < m_buttonDropDowns.size(); ++i) {
        if (m_buttonDropDowns[i] != nullptr)
            m_buttonDropDowns[i]->SetAccessibleName(WithNumber(text(NameText::kButton), i + 1));
    }
    for (std::size_t i = 0; i < m_dpiLevels.size(); ++i) {
        if (m_dpiChecks[i] != nullptr)
            m_dpiChecks[i]->SetAccessibleName(WithNumber(text(NameText::kUseDpiLevel), i + 1));
        if (m_dpiBars[i] != nullptr)
            m_dpiBars[i]->SetAccessibleName(WithNumber(text(NameText::kSetDpiLevel), i + 1));
        if (m_dpiLevels[i] != nullptr)
            m_dpiLevels[i]->SetAccessibleName(WithNumber(text(NameText::kDpiLevel), i + 1));
    }
    for (std::size_t i = 0; i < m_colorSlots.size(); ++i) {
        if (m_colorSlots[i] != nullptr)
            m_colorSlots[i]->SetAccessibleName(WithNumber(text(NameText::kColor), i + 1));
    }
    for (const int id : kSectionHeaders) {
        if (auto* header = dynamic_cast<CCheckButton*>(GetControl(id)))
            header->SetExpander(true);
    }
    for (const int id : kTitleBars) {
        if (CControlBase* title = GetControl(id))
            title->SetAccessibleRole(QAccessible::StaticText);
    }
}
