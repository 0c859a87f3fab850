// The button-function drop-downs with their sub-lists and dialogs, and the lighting-mode
// drop-down.
#include "app/CCorvaneDlg.h"

#include "app/MainWindowIds.h"
#include "device/DeviceLink.h"
#include "keyfunc/dialogs/CFireKeyDlg.h"
#include "keyfunc/dialogs/CQuickLaunchDlg.h"
#include "keyfunc/dialogs/CShortcutDlg.h"
#include "keyfunc/dialogs/KeyFunctionResult.h"
#include "keyfunc/popups/CComboLightingPopup.h"
#include "keyfunc/popups/CComboPopup.h"
#include "keyfunc/popups/CDPILockPopup.h"
#include "keyfunc/popups/CDPIPopup.h"
#include "keyfunc/popups/CMultimediaPopup.h"
#include "keyfunc/popups/COfficePopup.h"
#include "keyfunc/popups/CWindowsManagePopup.h"
#include "profiles/AppSettings.h"
#include "profiles/Profile.h"
#include "profiles/ProfileTable.h"
#include "ui/CComboButton.h"
#include "ui/UiScale.h"

namespace {

// Design offsets of the lists beside their drop-down.
constexpr int kListBesideOpener = 161;
constexpr int kListAboveOpenerBottom = 20;
constexpr int kListScreenMargin = 314;
constexpr int kListLiftedAboveBottom = 294;

struct SubList {
    UiMessage open;
    int slot;
    UiMessage result;
    UiMessage dismissal;
};
constexpr std::array<SubList, 5> kSubLists{{
    {CComboPopup::kOpenDpiFunctions, 3, Msg::kUser + 17, Msg::kUser + 18},
    {CComboPopup::kOpenDpiLock, 4, Msg::kUser + 131, Msg::kUser + 132},
    {CComboPopup::kOpenWindowsFunctions, 5, Msg::kUser + 134, Msg::kUser + 135},
    {CComboPopup::kOpenOfficeFunctions, 6, Msg::kUser + 137, Msg::kUser + 138},
    {CComboPopup::kOpenMultimedia, 7, Msg::kUser + 20, Msg::kUser + 21},
}};
constexpr int kFunctionListSlot = MainSlot::kList;
constexpr int kProfileListSlot = MainSlot::kProfileList;
constexpr int kFirstSubListSlot = MainSlot::kFirstSubList;
constexpr int kLastSubListSlot = MainSlot::kLastSubList;

}  // namespace

bool CCorvaneDlg::OpenPopupAt(int slot, CWndPopup* popup, QPoint topLeft, UiMessage resultMessage, int ownerValue)
{
    const int room = UiScale::Scale(MainSlot::kListRoom);
    if (popup->Create(this, UiRect{topLeft.x(), topLeft.y(), topLeft.x() + room, topLeft.y() + room},
                      static_cast<int>(resultMessage), ownerValue) != 0) {
        delete popup;
        return false;
    }
    SetPopup(slot, popup);
    return true;
}

CComboButton* CCorvaneDlg::ButtonDropDown(int id) const
{
    if (id < MainId::kFirstButtonDropDown || id > MainId::kLastButtonDropDown)
        return nullptr;
    return m_buttonDropDowns[static_cast<std::size_t>(id - MainId::kFirstButtonDropDown)];
}

bool CCorvaneDlg::AnySubListOpen() const
{
    if (Popup(kProfileListSlot) != nullptr)
        return true;
    for (int slot = kFirstSubListSlot; slot <= kLastSubListSlot; ++slot) {
        if (Popup(slot) != nullptr)
            return true;
    }
    return false;
}

void CCorvaneDlg::CloseDropDown(CComboButton* dropDown)
{
    if (dropDown == nullptr)
        return;
    dropDown->SetOpen(false);
    InvalidateRect(dropDown->GetRect());
}

void CCorvaneDlg::CloseButtonDropDowns()
{
    for (CComboButton* dropDown : m_buttonDropDowns) {
        if (dropDown->IsOpen())
            CloseDropDown(dropDown);
    }
}

LResult CCorvaneDlg::OnButtonDropDown(WParam wParam, LParam code)
{
    CComboButton* dropDown = ButtonDropDown(static_cast<int>(wParam));
    if (dropDown == nullptr)
        return 0;
    const int id = static_cast<int>(wParam);
    if (code == NotifyCode::kEnter || code == NotifyCode::kLeave) {
        const int previous = m_hoveredButton;
        m_hoveredButton = code == NotifyCode::kEnter ? id - (MainId::kFirstButtonDropDown - 1) : 0;
        LoadHighlight(m_hoveredButton);
        if (previous != m_hoveredButton) {
            InvalidateRect(HighlightArea(previous));
            InvalidateRect(HighlightArea(m_hoveredButton));
        }
    } else if (code == NotifyCode::kClick) {
        OpenFunctionList(*dropDown);
    }
    return 0;
}

void CCorvaneDlg::OpenFunctionList(CComboButton& dropDown)
{
    dropDown.SetOpen(true);
    auto* list = new CComboPopup(m_model.texts);
    ClosePopup(kFunctionListSlot);
    const UiRect rect = dropDown.GetRect();
    const QPoint corner = mapToGlobal(QPoint(rect.left, rect.bottom));
    const int left = corner.x() + UiScale::Scale(kListBesideOpener);
    int top = corner.y() - UiScale::Scale(kListAboveOpenerBottom);
    if (top + UiScale::Scale(kListScreenMargin) > m_screenHeight)
        top = m_screenHeight - UiScale::Scale(kListLiftedAboveBottom);
    if (!OpenPopupAt(kFunctionListSlot, list, QPoint(left, top), CComboPopup::kResultMessage, dropDown.GetId()))
        CloseDropDown(&dropDown);
}

LResult CCorvaneDlg::OnOpenSubList(UiMessage message, WParam wParam, LParam lParam)
{
    const auto found = std::ranges::find(kSubLists, message, &SubList::open);
    CComboButton* dropDown = ButtonDropDown(static_cast<int>(wParam));
    if (found == kSubLists.end() || dropDown == nullptr || Popup(found->slot) != nullptr)
        return 0;
    for (int slot = kProfileListSlot; slot <= kLastSubListSlot; ++slot)
        ClosePopup(slot);
    CMenuPopup* list = nullptr;
    switch (found->slot) {
    case 3:
        list = new CDPIPopup(m_model.texts);
        break;
    case 4:
        list = new CDPILockPopup(m_model.texts, m_model.settings.SensorId());
        break;
    case 5:
        list = new CWindowsManagePopup(m_model.texts);
        break;
    case 6:
        list = new COfficePopup(m_model.texts);
        break;
    default:
        list = new CMultimediaPopup(m_model.texts);
        break;
    }
    // Beside the function list (which opens 161 right of the drop-down), level with the
    // entry under the pointer.
    const UiRect rect = dropDown->GetRect();
    const int left = mapToGlobal(QPoint(rect.right, rect.top)).x() + UiScale::Scale(kListBesideOpener);
    const int top = static_cast<int>(lParam);
    (void)OpenPopupAt(found->slot, list, QPoint(left, top), found->result, dropDown->GetId());
    return 0;
}

LResult CCorvaneDlg::OnCloseSubLists(WParam /*wParam*/, LParam /*lParam*/)
{
    ClosePopup(kProfileListSlot);
    for (int slot = kFirstSubListSlot; slot <= kLastSubListSlot; ++slot)
        ClosePopup(slot);
    if (CWndPopup* list = Popup(kFunctionListSlot))
        list->raise();
    return 0;
}

LResult CCorvaneDlg::OnFunctionResult(UiMessage message, WParam wParam, LParam lParam)
{
    if (message == CComboPopup::kResultMessage && wParam == 0) {
        for (int slot = kProfileListSlot; slot <= kLastSubListSlot; ++slot) {
            if (CWndPopup* popup = Popup(slot))
                popup->raise();
        }
        return 0;
    }
    CComboButton* dropDown = ButtonDropDown(static_cast<int>(wParam));
    if (dropDown == nullptr || lParam == 0)
        return 0;
    const NamedFunction record = CMenuPopup::RecordOf(lParam);
    ClosePopup(kFunctionListSlot);
    const auto sub = std::ranges::find(kSubLists, message, &SubList::result);
    if (sub != kSubLists.end())
        ClosePopup(sub->slot);
    StoreFunction(dropDown, static_cast<int>(wParam), record.name, {}, record.value);
    return 0;
}

void CCorvaneDlg::StoreFunction(CComboButton* dropDown, int id, const std::u16string& name, const std::u16string& url,
                                const std::array<std::uint8_t, 3>& value, const MacroKey* macro)
{
    if (dropDown == nullptr)
        return;
    dropDown->SetText(QString::fromStdU16String(name));
    (void)m_model.profiles.AssignFunction(m_model.settings, id, name, url, value, macro);
    CloseDropDown(dropDown);
    if (m_model.profiles.CheckLeftClickRemains(m_model.settings, id, m_model.texts) == LeftClickCheck::Kept) {
        m_model.link.Flags().keysChanged = true;
        m_model.link.ScheduleApply();
    } else {
        RefreshUi();
        SetTimer(MainTimer::kLeftClickWarning, MainTimer::kLeftClickWarningMs);
    }
}

LResult CCorvaneDlg::OnFunctionListDismissed(WParam /*wParam*/, LParam /*lParam*/)
{
    for (int slot = kFirstSubListSlot; slot <= kLastSubListSlot; ++slot) {
        if (Popup(slot) != nullptr)
            return 0;
    }
    if (Popup(kProfileListSlot) != nullptr)
        return 0;
    CloseButtonDropDowns();
    ClosePopup(kFunctionListSlot);
    return 0;
}

LResult CCorvaneDlg::OnSubListDismissed(UiMessage message, WParam /*wParam*/, LParam /*lParam*/)
{
    const auto sub = std::ranges::find(kSubLists, message, &SubList::dismissal);
    if (sub == kSubLists.end())
        return 0;
    const CWndPopup* functionList = Popup(kFunctionListSlot);
    if (Popup(sub->slot) != nullptr && (functionList == nullptr || !functionList->IsTracking()))
        ClosePopup(sub->slot);
    if (!AnySubListOpen()) {
        ClosePopup(kFunctionListSlot);
        CloseButtonDropDowns();
    }
    return 0;
}

LResult CCorvaneDlg::OnDialogRequest(UiMessage message, WParam wParam, LParam /*lParam*/)
{
    CComboButton* dropDown = ButtonDropDown(static_cast<int>(wParam));
    if (dropDown == nullptr)
        return 0;
    CloseDropDown(dropDown);
    ClosePopup(kFunctionListSlot);
    const PendingOpener opener{dropDown, static_cast<int>(wParam)};
    UiMessage run = MainMsg::kRunShortcut;
    if (message == CComboPopup::kAskShortcut) {
        m_pendingShortcut = opener;
    } else if (message == CComboPopup::kAskFireKey) {
        m_pendingShortcut = opener;
        run = MainMsg::kRunFireKey;
    } else if (message == CComboPopup::kAskMacroSelection) {
        m_pendingMacro = opener;
        run = MainMsg::kRunMacroSelection;
    } else {
        m_pendingLaunch = opener;
        run = MainMsg::kRunLaunch;
    }
    PostMessage(run, 0, 0);
    return 0;
}

LResult CCorvaneDlg::OnRunDialog(UiMessage message, WParam /*wParam*/, LParam /*lParam*/)
{
    const CKeyFunctionDlg::ShowNotice notice = [this](int title, int text) { m_services.showNotice(title, text); };
    if (message == MainMsg::kRunShortcut) {
        CShortcutDlg dialog(this, m_model.texts, notice);
        (void)dialog.DoModal();
    } else if (message == MainMsg::kRunFireKey) {
        CFireKeyDlg dialog(this, m_model.texts, notice);
        (void)dialog.DoModal();
    } else if (message == MainMsg::kRunLaunch) {
        CQuickLaunchDlg dialog(this, m_model.texts);
        (void)dialog.DoModal();
    } else if (message == MainMsg::kRunMacroSelection && m_services.selectMacro) {
        m_services.selectMacro(*this);
    }
    return 0;
}

LResult CCorvaneDlg::OnDialogResult(UiMessage message, WParam /*wParam*/, LParam lParam)
{
    if (lParam == 0)
        return 0;
    const auto& result = *reinterpret_cast<const KeyFunctionResult*>(lParam);
    PendingOpener opener = m_pendingShortcut;
    if (message == CQuickLaunchDlg::kResultMessage)
        opener = m_pendingLaunch;
    else if (message == MainMsg::kMacroSelectionResult)
        opener = m_pendingMacro;
    StoreFunction(opener.dropDown, opener.id, result.name, result.path, result.value, result.macro);
    return 0;
}

LResult CCorvaneDlg::OnLightingDropDown(WParam /*wParam*/, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    m_lightingMode->SetOpen(true);
    auto* list = new CComboLightingPopup(m_model.texts);
    ClosePopup(kFunctionListSlot);
    const UiRect rect = m_lightingMode->GetRect();
    const QPoint corner = mapToGlobal(QPoint(rect.left, rect.bottom));
    if (!OpenPopupAt(kFunctionListSlot, list, corner, CComboLightingPopup::kResultMessage, MainId::kLightingMode))
        CloseDropDown(m_lightingMode);
    return 0;
}

LResult CCorvaneDlg::OnLightingResult(WParam /*wParam*/, LParam lParam)
{
    CloseDropDown(m_lightingMode);
    ClosePopup(kFunctionListSlot);
    if (lParam == 0)
        return 0;
    const NamedFunction& record = CMenuPopup::RecordOf(lParam);
    m_lightingMode->SetText(QString::fromStdU16String(record.name));
    Profile& profile = CurrentProfile();
    profile.Lighting1Name = record.name;
    profile.Lighting1ModeValue = record.value;
    RefreshUi();
    m_model.link.Flags().settingsChanged = true;
    m_model.link.ScheduleApply();
    return 0;
}

LResult CCorvaneDlg::OnLightingDismissed(WParam /*wParam*/, LParam /*lParam*/)
{
    CloseDropDown(m_lightingMode);
    ClosePopup(kFunctionListSlot);
    return 0;
}
