// The main window's frame: its messages, timers, keys, frame buttons and the window
// actions the device layer asks for.
#include "app/CCorvaneDlg.h"

#include "app/MainWindowIds.h"
#include "app/dialogs/COSDDialog.h"
#include "app/dialogs/OnScreenDisplay.h"
#include "app/dialogs/maintenance/CFirmwareResetDlg.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/DpiStepTable.h"
#include "keyfunc/dialogs/CFireKeyDlg.h"
#include "keyfunc/dialogs/CQuickLaunchDlg.h"
#include "keyfunc/dialogs/CShortcutDlg.h"
#include "keyfunc/popups/CComboLightingPopup.h"
#include "keyfunc/popups/CComboPopup.h"
#include "keyfunc/popups/CComboProfilePopup.h"
#include "keyfunc/popups/CProfileRKeyPopup.h"
#include "profiles/AppSettings.h"
#include "ui/CBattery.h"
#include "ui/CCheckButton.h"
#include "ui/CDPIValueShowControl.h"
#include "ui/CStaticImage.h"
#include "ui/CStaticText.h"
#include "ui/ImagePreload.h"
#include "ui/MessageMap.h"
#include "ui/OpenDialogList.h"

#include "EmbeddedImages.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include <unordered_map>

namespace {

constexpr std::uint16_t kSensor3205 = 0x3205;
constexpr int kTextNoticeTitle = 150;
constexpr int kTextKeepLeftClick = 151;

// Our own support text, shown by the hidden key sequence.
constexpr const char* kSupportText =
    "Corvane support: start \"corvane --simulate\" to try every setting without the mouse, "
    "and attach the traffic log of \"corvanectl --hid-log FILE\" to a report.";

bool InRange(UiMessage message, int first, int count)
{
    return static_cast<int>(message) >= first && static_cast<int>(message) < first + count;
}

}  // namespace

CCorvaneDlg::CCorvaneDlg(MainWindowModel model, MainWindowServices services)
    : m_model(model), m_services(std::move(services)), m_osd(std::make_unique<OnScreenDisplay>(*this))
{
    SetDialogRole(DialogRole::Main);
    m_sensor3205Mode = m_model.settings.SensorId() == kSensor3205;
    (void)m_panel.Load(QStringLiteral("Frame_Lighting_Setting.bmp"));
}

CCorvaneDlg::~CCorvaneDlg() = default;

QString CCorvaneDlg::BackgroundPicture()
{
    return corvane::embedded::imagePath(corvane::embedded::kMainBackground);
}

bool CCorvaneDlg::OnInitDialog()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    m_screenHeight = screen != nullptr ? screen->availableGeometry().bottom() + 1 : kDesignHeight;
    const bool result = CDlgBase::OnInitDialog();
    // The background's own size is the frame size it is scaled from; a missing picture
    // leaves the frame as it is and builds nothing.
    const QImage background = ImagePreload::Take(BackgroundPicture());
    if (!background.isNull()) {
        SetFrameSize(background.width(), background.height());
        BuildBackground(background);
    }
    return result;
}

LResult CCorvaneDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    // Controls that come in rows of one id per level, slot or rate.
    if (InRange(message, MainId::kFirstDpiCheck, MainId::kDpiLevelCount))
        return lParam == NotifyCode::kClick ? OnDpiCheck(static_cast<int>(message) - MainId::kFirstDpiCheck) : 0;
    if (InRange(message, MainId::kFirstDpiLevel, MainId::kDpiLevelCount))
        return lParam == NotifyCode::kClick ? OnDpiLevel(static_cast<int>(message) - MainId::kFirstDpiLevel) : 0;
    if (InRange(message, MainId::kFirstDpiBar, MainId::kDpiLevelCount))
        return lParam == NotifyCode::kClick ? OnDpiBar(static_cast<int>(message) - MainId::kFirstDpiBar) : 0;
    if (InRange(message, MainId::kFirstColorSlot, MainId::kColorSlotCount))
        return OnColorSlot(static_cast<int>(message) - MainId::kFirstColorSlot, lParam);
    if (InRange(message, MainId::kFirstRateRadio, MainId::kRateRadioCount))
        return lParam == NotifyCode::kClick ? OnRateRadio(static_cast<int>(message)) : 0;

    switch (message) {
    case MainId::kHeaderDpi:
    case MainId::kHeaderLighting:
    case MainId::kHeaderPointer:
    case MainId::kHeaderRate:
    case MainId::kHeaderLift:
        return lParam == NotifyCode::kClick ? OnHeader(static_cast<int>(message)) : 0;
    case MainId::kSpeedSlider:
    case MainId::kBrightnessSlider:
    case MainId::kPowerSlider:
        return OnSlider(static_cast<int>(message), lParam);
    default:
        break;
    }

    // Messages whose handler needs to know which of its kind arrived.
    using KindHandler = LResult (CCorvaneDlg::*)(UiMessage, WParam, LParam);
    static const std::unordered_map<UiMessage, KindHandler> kinds{
        {CComboPopup::kOpenDpiFunctions, &CCorvaneDlg::OnOpenSubList},
        {CComboPopup::kOpenDpiLock, &CCorvaneDlg::OnOpenSubList},
        {CComboPopup::kOpenWindowsFunctions, &CCorvaneDlg::OnOpenSubList},
        {CComboPopup::kOpenOfficeFunctions, &CCorvaneDlg::OnOpenSubList},
        {CComboPopup::kOpenMultimedia, &CCorvaneDlg::OnOpenSubList},
        {CComboPopup::kResultMessage, &CCorvaneDlg::OnFunctionResult},
        {Msg::kUser + 17, &CCorvaneDlg::OnFunctionResult},
        {Msg::kUser + 131, &CCorvaneDlg::OnFunctionResult},
        {Msg::kUser + 134, &CCorvaneDlg::OnFunctionResult},
        {Msg::kUser + 137, &CCorvaneDlg::OnFunctionResult},
        {Msg::kUser + 20, &CCorvaneDlg::OnFunctionResult},
        {Msg::kUser + 18, &CCorvaneDlg::OnSubListDismissed},
        {Msg::kUser + 132, &CCorvaneDlg::OnSubListDismissed},
        {Msg::kUser + 135, &CCorvaneDlg::OnSubListDismissed},
        {Msg::kUser + 138, &CCorvaneDlg::OnSubListDismissed},
        {Msg::kUser + 21, &CCorvaneDlg::OnSubListDismissed},
        {CComboPopup::kAskShortcut, &CCorvaneDlg::OnDialogRequest},
        {CComboPopup::kAskFireKey, &CCorvaneDlg::OnDialogRequest},
        {CComboPopup::kAskMacroSelection, &CCorvaneDlg::OnDialogRequest},
        {CComboPopup::kAskLaunchProgram, &CCorvaneDlg::OnDialogRequest},
        {MainMsg::kRunShortcut, &CCorvaneDlg::OnRunDialog},
        {MainMsg::kRunFireKey, &CCorvaneDlg::OnRunDialog},
        {MainMsg::kRunMacroSelection, &CCorvaneDlg::OnRunDialog},
        {MainMsg::kRunLaunch, &CCorvaneDlg::OnRunDialog},
        {CShortcutDlg::kResultMessage, &CCorvaneDlg::OnDialogResult},
        {CFireKeyDlg::kResultMessage, &CCorvaneDlg::OnDialogResult},
        {CQuickLaunchDlg::kResultMessage, &CCorvaneDlg::OnDialogResult},
        {MainMsg::kMacroSelectionResult, &CCorvaneDlg::OnDialogResult},
    };
    if (const auto found = kinds.find(message); found != kinds.end())
        return (this->*(found->second))(message, wParam, lParam);

    static const MessageMap<CCorvaneDlg> map{
        {Msg::kTimer, &CCorvaneDlg::OnTimer},
        {MainId::kClose, &CCorvaneDlg::OnCloseButton},
        {MainId::kMinimise, &CCorvaneDlg::OnHideButton},
        {MainId::kHide, &CCorvaneDlg::OnHideButton},
        {MainId::kMouseSettings, &CCorvaneDlg::OnMouseSettings},
        {MainId::kFactoryReset, &CCorvaneDlg::OnFactoryReset},
        {MainId::kMacroManager, &CCorvaneDlg::OnMacroManager},
        {MainId::kProfileList, &CCorvaneDlg::OnProfileListButton},
        {MainId::kDirectionUp, &CCorvaneDlg::OnDirection},
        {MainId::kDirectionDown, &CCorvaneDlg::OnDirection},
        {MainId::kLiftLow, &CCorvaneDlg::OnLiftRadio},
        {MainId::kLiftHigh, &CCorvaneDlg::OnLiftRadio},
        {MainMsg::kButtonDropDown, &CCorvaneDlg::OnButtonDropDown},
        {CComboPopup::kCloseSubList, &CCorvaneDlg::OnCloseSubLists},
        {MainMsg::kFunctionListDismissed, &CCorvaneDlg::OnFunctionListDismissed},
        {MainMsg::kLightingDropDown, &CCorvaneDlg::OnLightingDropDown},
        {CComboLightingPopup::kResultMessage, &CCorvaneDlg::OnLightingResult},
        {MainMsg::kLightingDismissed, &CCorvaneDlg::OnLightingDismissed},
        {CComboProfilePopup::kResultMessage, &CCorvaneDlg::OnProfileListResult},
        {MainMsg::kProfileListDismissed, &CCorvaneDlg::OnProfileListDismissed},
        {CProfileRKeyPopup::kResultMessage, &CCorvaneDlg::OnProfileActionResult},
        {MainMsg::kProfileActionDismissed, &CCorvaneDlg::OnProfileActionDismissed},
        {OnScreenDisplay::kMsgStatusChanged, &CCorvaneDlg::OnStatusMessage},
        {MainMsg::kRestore, &CCorvaneDlg::OnRestore},
    };
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CDlgBase::OnMessage(message, wParam, lParam);
}

LResult CCorvaneDlg::OnTimer(WParam wParam, LParam /*lParam*/)
{
    const auto id = static_cast<unsigned>(wParam);
    DeviceLink& link = m_model.link;
    DeviceDiscovery& discovery = m_model.discovery;
    switch (id) {
    case MainTimer::kLeftClickWarning:
        KillTimer(id);
        m_services.showNotice(kTextNoticeTitle, kTextKeepLeftClick);
        break;
    case MainTimer::kApply:
        KillTimer(id);
        (void)link.ApplyToDevice();
        break;
    case MainTimer::kWindowCheck:
        discovery.OnWindowCheckTimer();
        break;
    case OnScreenDisplay::kTimerId:
        m_osd->OnTimer();
        break;
    case MainTimer::kProfileAction:
        RunProfileAction();
        break;
    case MainTimer::kSave:
        KillTimer(id);
        link.OnSaveTimer();
        break;
    case MainTimer::kConnection:
        KillTimer(id);
        discovery.OnConnectionTimer();
        break;
    case MainTimer::kBattery:
        if (const auto view = link.OnBatteryTimer())
            ShowBattery(*view);
        break;
    case MainTimer::kReenumerate:
        KillTimer(id);
        discovery.OnReenumerateTimer();
        break;
    default:
        break;
    }
    return 0;
}

bool CCorvaneDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        m_hiddenSequence.Reset();
        return true;
    }
    if (m_hiddenSequence.Press(key))
        ShowMessage(QString::fromLatin1(kSupportText));
    return false;
}

void CCorvaneDlg::StartBatteryTimer(int periodMs)
{
    m_batteryPeriodMs = periodMs;
    if (isVisible())
        SetTimer(MainTimer::kBattery, periodMs);
}

void CCorvaneDlg::showEvent(QShowEvent* event)
{
    CDlgBase::showEvent(event);
    if (m_batteryPeriodMs > 0 && !HasTimer(MainTimer::kBattery)) {
        (void)OnTimer(MainTimer::kBattery, 0);
        SetTimer(MainTimer::kBattery, m_batteryPeriodMs);
    }
}

void CCorvaneDlg::hideEvent(QHideEvent* event)
{
    // A window that is not shown draws nothing; the program rests instead.
    KillTimer(MainTimer::kBattery);
    CDlgBase::hideEvent(event);
}

void CCorvaneDlg::closeEvent(QCloseEvent* event)
{
    // Closing the window from the desktop ends the program, as the close button does.
    event->ignore();
    (void)OnCloseButton(0, NotifyCode::kClick);
}

LResult CCorvaneDlg::OnCloseButton(WParam /*wParam*/, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    CloseOpenDialogs();
    if (m_services.quit)
        m_services.quit();
    return 0;
}

LResult CCorvaneDlg::OnHideButton(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kClick && m_services.putAway)
        m_services.putAway();
    return 0;
}

LResult CCorvaneDlg::OnMouseSettings(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kClick && m_services.openMouseSettings && !m_services.openMouseSettings())
        ShowMessage(QStringLiteral("No mouse settings of this desktop were found."));
    return 0;
}

LResult CCorvaneDlg::OnFactoryReset(WParam /*wParam*/, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    DeviceLink& link = m_model.link;
    // Without a way to the mouse the reset reports that at once; there is nothing to ask.
    if (link.CanReachMouse()) {
        CFirmwareResetDlg question(this, m_model.texts);
        if (question.DoModal() != DialogResult::kOk)
            return 0;
    }
    (void)link.FactoryReset();
    RefreshUi();
    return 0;
}

LResult CCorvaneDlg::OnMacroManager(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kClick && m_services.runMacroManager)
        m_services.runMacroManager(*this);
    return 0;
}

LResult CCorvaneDlg::OnStatusMessage(WParam wParam, LParam /*lParam*/)
{
    m_osd->OnStatusChanged(wParam, CurrentProfile(), m_model.link.DpiTable());
    return 0;
}

LResult CCorvaneDlg::OnRestore(WParam /*wParam*/, LParam /*lParam*/)
{
    m_model.discovery.RequestShowWindow();
    return 0;
}

void CCorvaneDlg::ShowMessage(const QString& message)
{
    if (m_services.showMessage)
        m_services.showMessage(message);
}

void CCorvaneDlg::CloseOpenDialogs()
{
    OpenDialogList::CloseAll();
}

// --- window actions of the device layer

void CCorvaneDlg::ShowStatusImage(std::optional<LinkKind> linkInCharge)
{
    constexpr std::array<LinkKind, 3> kImageLinks{LinkKind::Wired, LinkKind::Wireless, LinkKind::Ble};
    for (std::size_t i = 0; i < kImageLinks.size(); ++i) {
        m_statusImages[i]->SetShown(linkInCharge == kImageLinks[i]);
        InvalidateRect(m_statusImages[i]->GetRect());
    }
}

void CCorvaneDlg::ShowConnectionNotice(bool shown)
{
    m_receiverNotice->SetShown(shown);
    InvalidateRect(m_receiverNotice->GetRect());
}

void CCorvaneDlg::SetRateHeaderEnabled(bool enabled)
{
    auto* header = dynamic_cast<CCheckButton*>(GetControl(MainId::kHeaderRate));
    if (header == nullptr)
        return;
    if (!enabled && header->IsChecked()) {
        header->SetChecked(false);
        ShowOpenSections();
    }
    header->SetDisabled(!enabled);
    InvalidateAll();
}

void CCorvaneDlg::ShowBattery(const BatteryView& view)
{
    m_battery->SetLevel(view.level);
    switch (view.chargeState) {
    case ChargeState::Charging:
        m_battery->SetMode(CBattery::kCharging);
        break;
    case ChargeState::Full:
        m_battery->SetMode(CBattery::kCharged);
        break;
    default:
        m_battery->SetMode(CBattery::kLevel);
        break;
    }
    m_battery->SetAnimationLevel(view.animationPhase);
    m_batteryText->SetText(QString::fromStdU16String(view.text));
    InvalidateRect(m_battery->GetRect());
    InvalidateRect(m_batteryText->GetRect());
}

void CCorvaneDlg::OnSensorChanged(bool to3205Layout, bool from3205Layout)
{
    // An open DPI dialog shows positions of the old table; its OK would write one of them
    // over the levels just reset for the new sensor.
    if (m_openDpiDialog && !m_openDpiDialog->IsEnded())
        m_openDpiDialog->EndDialog(DialogResult::kCancel);
    // The DPI table was rebuilt for the new sensor: the bars take its step count, and the
    // lift-off section follows whether the sensor offers it.
    const auto steps = static_cast<int>(m_model.link.DpiTable().PositionCount());
    for (CDPIValueShowControl* bar : m_dpiBars)
        bar->SetStepCount(steps);
    if (CControlBase* lift = GetControl(MainId::kHeaderLift)) {
        const bool shown = m_model.link.DpiTable().LiftOptionShown();
        lift->SetShown(shown);
        if (!shown) {
            if (auto* header = dynamic_cast<CCheckButton*>(lift))
                header->SetChecked(false);
        }
    }
    if (to3205Layout || from3205Layout) {
        m_sensor3205Mode = to3205Layout;
        ApplySensorLayout();
    }
    ShowOpenSections();
    RefreshUi();
}

void CCorvaneDlg::ShowStatusDisplay()
{
    (void)SendMessage(OnScreenDisplay::kMsgStatusChanged, OnScreenDisplay::kShowDisplay, 0);
}
