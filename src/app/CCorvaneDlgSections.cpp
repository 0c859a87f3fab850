// The settings sections: opening and closing them, and what their controls change.
#include "app/CCorvaneDlg.h"

#include "app/MainWindowIds.h"
#include "app/SectionColumn.h"
#include "app/dialogs/CColorPaletteDlg.h"
#include "app/dialogs/CDPIValueSettingDlg.h"
#include "app/dialogs/CDPIValueSyncSettingDlg.h"
#include "device/DeviceLink.h"
#include "device/DpiStepTable.h"
#include "profiles/Profile.h"
#include "ui/CCheckButton.h"
#include "ui/CColorSelectCheckButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CDPIRadioButton.h"
#include "ui/CSliderControl.h"
#include "ui/CStaticText.h"
#include "ui/UiState.h"

#include <QMouseEvent>

namespace {

struct SectionLayer {
    int header;
    int layer;
};
constexpr std::array<SectionLayer, 5> kSectionLayers{{{MainId::kHeaderDpi, MainLayer::kDpi},
                                                      {MainId::kHeaderLighting, MainLayer::kLighting},
                                                      {MainId::kHeaderPointer, MainLayer::kPointer},
                                                      {MainId::kHeaderRate, MainLayer::kRate},
                                                      {MainId::kHeaderLift, MainLayer::kLift}}};

}  // namespace

bool CCorvaneDlg::IsSectionOpen(int header) const
{
    const auto* control = dynamic_cast<const CCheckButton*>(GetControl(header));
    return control != nullptr && control->IsChecked();
}

LResult CCorvaneDlg::OnHeader(int header)
{
    if (IsSectionOpen(header)) {
        const auto closing = SectionColumn::HeadersToClose(header, [this](int id) { return IsSectionOpen(id); });
        for (int id : closing) {
            if (auto* other = dynamic_cast<CCheckButton*>(GetControl(id)))
                other->SetChecked(false);
        }
    }
    ShowOpenSections();
    RefreshUi();
    return 0;
}

void CCorvaneDlg::ShowOpenSections()
{
    for (const SectionLayer& section : kSectionLayers) {
        const bool open = IsSectionOpen(section.header);
        for (const auto& control : Layer(section.layer))
            control->SetVisible(open);
    }
    InvalidateAll();
}

void CCorvaneDlg::SettingsChanged()
{
    CollectUi();
    m_model.link.Flags().settingsChanged = true;
}

LResult CCorvaneDlg::OnDpiCheck(int level)
{
    Profile& profile = CurrentProfile();
    const auto bit = static_cast<std::uint8_t>(1U << level);
    CCheckButton& check = *m_dpiChecks[static_cast<std::size_t>(level)];
    if (profile.DPIOffOnFlag == bit) {
        // The only enabled level stays enabled, and nothing is sent.
        check.SetChecked(true);
        InvalidateRect(check.GetRect());
        return 0;
    }
    DeviceLink& link = m_model.link;
    if (!check.IsChecked() && link.LastDpiLevel() == level) {
        for (int step = 1; step <= MainId::kDpiLevelCount; ++step) {
            const int next = (level + step) % MainId::kDpiLevelCount;
            if ((profile.DPIOffOnFlag & (1U << next)) != 0 && next != level) {
                link.SetLastDpiLevel(static_cast<std::uint8_t>(next));
                break;
            }
        }
    }
    SettingsChanged();
    RefreshUi();
    link.ScheduleApply();
    return 0;
}

LResult CCorvaneDlg::OnDpiLevel(int level)
{
    DeviceLink& link = m_model.link;
    if (level == link.LastDpiLevel())
        return 0;
    link.SetLastDpiLevel(static_cast<std::uint8_t>(level));
    SettingsChanged();
    RefreshUi();
    link.ScheduleApply();
    return 0;
}

LResult CCorvaneDlg::OnDpiBar(int level)
{
    DeviceLink& link = m_model.link;
    const DpiStepTable& table = link.DpiTable();
    CDPIValueShowControl& bar = *m_dpiBars[static_cast<std::size_t>(level)];
    int result = DialogResult::kCancel;
    if (table.DpiSyncDialog()) {
        CDPIValueSyncSettingDlg dialog(bar, table, m_model.texts, this);
        m_openDpiDialog = &dialog;
        result = dialog.DoModal();
    } else {
        CDPIValueSettingDlg dialog(bar, table, m_model.texts, this);
        m_openDpiDialog = &dialog;
        result = dialog.DoModal();
    }
    if (result != DialogResult::kOk)
        return 0;
    InvalidateRect(bar.GetRect());
    Profile& profile = CurrentProfile();
    const auto index = static_cast<std::size_t>(level);
    profile.XYSettingX[index] = static_cast<std::uint16_t>(bar.Value());
    profile.XYSettingY[index] = static_cast<std::uint16_t>(table.DpiSyncDialog() ? bar.SecondValue() : bar.Value());
    const auto position = static_cast<std::size_t>(bar.Value());
    CDPIRadioButton& button = *m_dpiLevels[index];
    button.SetDpiValue(position < table.PositionCount() ? static_cast<int>(table.DpiDividedBy50(position)) : 0);
    InvalidateRect(button.GetRect());
    link.Flags().settingsChanged = true;
    link.ScheduleApply();
    return 0;
}

void CCorvaneDlg::ShowSliderValue(int id)
{
    switch (id) {
    case MainId::kSpeedSlider:
        m_speedValue->SetText(QString::number(m_speedSlider->GetPos() + 1));
        InvalidateRect(m_speedValue->GetRect());
        break;
    case MainId::kBrightnessSlider:
        m_brightnessValue->SetText(BrightnessCaption(m_brightnessSlider->GetPos()));
        InvalidateRect(m_brightnessValue->GetRect());
        break;
    case MainId::kPowerSlider:
        m_powerValue->SetText(PowerDownText(m_powerSlider->GetPos() + 1));
        InvalidateRect(m_powerValue->GetRect());
        break;
    default:
        break;
    }
}

LResult CCorvaneDlg::OnSlider(int id, LParam code)
{
    if (code != NotifyCode::kDragValue && code != NotifyCode::kClick)
        return 0;
    ShowSliderValue(id);
    CollectUi();
    ChangeFlags& flags = m_model.link.Flags();
    if (id == MainId::kPowerSlider)
        flags.powerSavingChanged = true;
    else
        flags.settingsChanged = true;
    if (code == NotifyCode::kClick)
        m_model.link.ScheduleApply();
    return 0;
}

LResult CCorvaneDlg::OnColorSlot(int slot, LParam code)
{
    if (code != NotifyCode::kDoubleClick)
        return 0;
    Profile& profile = CurrentProfile();
    const int mode = profile.Lighting1ModeValue[0] % static_cast<int>(Profile::kLightingModeCount);
    CColorPaletteDlg dialog(m_model.texts, profile, PaletteTarget::LightingColor, mode, slot, this);
    if (dialog.DoModal() != DialogResult::kOk)
        return 0;
    CColorSelectCheckButton& button = *m_colorSlots[static_cast<std::size_t>(slot)];
    button.SetColor(profile.Lighting1FixedColor[static_cast<std::size_t>(mode)][static_cast<std::size_t>(slot)]);
    InvalidateRect(button.GetRect());
    m_model.link.Flags().settingsChanged = true;
    m_model.link.ScheduleApply();
    return 0;
}

LResult CCorvaneDlg::OnDirection(WParam /*wParam*/, LParam code)
{
    return OnRadioPair(MainId::kDirectionUp, MainId::kDirectionDown, code);
}

LResult CCorvaneDlg::OnRadioPair(int first, int second, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    for (int id : {first, second}) {
        if (const CControlBase* radio = GetControl(id))
            InvalidateRect(radio->GetRect());
    }
    SettingsChanged();
    m_model.link.ScheduleApply();
    return 0;
}

LResult CCorvaneDlg::OnRateRadio(int id)
{
    constexpr std::array<const char16_t*, MainId::kRateRadioCount> kRateNames{u"125HZ", u"250HZ", u"500HZ",
                                                                               u"1000HZ"};
    int index = -1;
    for (int i = 0; i < MainId::kRateRadioCount; ++i) {
        if (UiState::Instance().IsRadioSelected(MainId::kFirstRateRadio + i))
            index = i;
    }
    if (index < 0)
        index = id - MainId::kFirstRateRadio;
    Profile& profile = CurrentProfile();
    profile.PollingRateName = kRateNames[static_cast<std::size_t>(index)];
    profile.PollingRateValue = {static_cast<std::uint8_t>(index), 0, 0};
    m_model.link.Flags().settingsChanged = true;
    m_model.link.ScheduleApply();
    RefreshUi();
    return 0;
}

LResult CCorvaneDlg::OnLiftRadio(WParam /*wParam*/, LParam code)
{
    return OnRadioPair(MainId::kLiftLow, MainId::kLiftHigh, code);
}

void CCorvaneDlg::ContinueSliderDrags(QPoint point, bool leftButtonDown)
{
    ChangeFlags& flags = m_model.link.Flags();
    if (leftButtonDown) {
        std::vector<CSliderControl*> sliders{m_powerSlider};
        if (IsSectionOpen(MainId::kHeaderLighting)) {
            sliders.push_back(m_speedSlider);
            sliders.push_back(m_brightnessSlider);
        }
        for (CSliderControl* slider : sliders) {
            if (slider->ContinueDrag(point.x(), point.y())) {
                // Collected and flagged as its own drag notification is, so that the
                // value sent on release is the one shown.
                m_sliderDragged = true;
                (void)OnSlider(slider->GetId(), NotifyCode::kDragValue);
                InvalidateRect(slider->GetRect());
            }
        }
        return;
    }
    if (m_sliderDragged && (flags.powerSavingChanged || flags.settingsChanged || flags.pointerChanged)) {
        m_sliderDragged = false;
        m_model.link.ScheduleApply();
    }
}

void CCorvaneDlg::mouseMoveEvent(QMouseEvent* event)
{
    CDlgBase::mouseMoveEvent(event);
    ContinueSliderDrags(event->position().toPoint(), (event->buttons() & Qt::LeftButton) != 0);
}
