// The profile list, the profile action menu and the actions timer 60 carries out.
#include "app/CCorvaneDlg.h"

#include "app/MainWindowIds.h"
#include "app/dialogs/CAddProfileDlg.h"
#include "app/dialogs/CAttentionDlg.h"
#include "app/dialogs/CEditProfileDlg.h"
#include "app/dialogs/DialogParts.h"
#include "device/DeviceLink.h"
#include "keyfunc/popups/CComboProfilePopup.h"
#include "keyfunc/popups/CProfileRKeyPopup.h"
#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/OfferedFileCheck.h"
#include "profiles/PathText.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileTable.h"
#include "profiles/SettingsFile.h"
#include "ui/CControlBase.h"
#include "ui/UiScale.h"

namespace {

constexpr int kProfileListSlot = MainSlot::kProfileList;
constexpr int kActionMenuSlot = MainSlot::kActionMenu;
constexpr int kListAboveButtonBottom = 201;
constexpr int kActionMenuBesideList = 225;
constexpr int kActionMenuHeight = 94;

enum ProfileAction : int { kImport = 0, kExport = 1, kEdit = 2, kDelete = 3, kAdd = 4, kAddRefused = 5 };

}  // namespace

LResult CCorvaneDlg::OnProfileListButton(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kHoverMove) {
        m_profileListWasOpen = Popup(kProfileListSlot) != nullptr;
        return 0;
    }
    if (code != NotifyCode::kClick || m_profileListWasOpen)
        return 0;
    auto* list = new CComboProfilePopup(m_model.texts, QStringLiteral("skins\\header2_nr.png"));
    list->SetProfiles(m_model.profiles, m_model.settings, CComboProfilePopup::kProfileListButton);
    ClosePopup(kProfileListSlot);
    const CControlBase* button = GetControl(MainId::kProfileList);
    const UiRect rect = button->GetRect();
    const QPoint corner = mapToGlobal(QPoint(rect.left, rect.bottom));
    const int top = corner.y() - UiScale::Scale(kListAboveButtonBottom);
    (void)OpenPopupAt(kProfileListSlot, list, QPoint(corner.x(), top), CComboProfilePopup::kResultMessage,
                      MainId::kProfileList);
    return 0;
}

LResult CCorvaneDlg::OnProfileListResult(WParam code, LParam entry)
{
    AppSettings& settings = m_model.settings;
    if (code == CComboProfilePopup::kClicked) {
        ClosePopup(kProfileListSlot);
        if (entry == CComboProfilePopup::kAddEntry) {
            m_pendingProfileAction = settings.ProfileShowCount() < ProfileTable::kProfileCount ? kAdd : kAddRefused;
            SetTimer(MainTimer::kProfileAction, MainTimer::kProfileActionMs);
            return 0;
        }
        const auto position = static_cast<int>(entry) - CComboProfilePopup::kFirstProfileEntry;
        if (position < 0 || position >= ProfileTable::kProfileCount)
            return 0;
        const int index = settings.ProfileShowList(position);
        if (index < 0 || index >= ProfileTable::kProfileCount)
            return 0;
        settings.SetCurrentProfile(index);
        RefreshUi();
        ChangeFlags& flags = m_model.link.Flags();
        flags.keysChanged = true;
        flags.settingsChanged = true;
        m_model.link.ScheduleApply();
        return 0;
    }
    if (code != CComboProfilePopup::kRightClicked)
        return 0;
    auto* list = dynamic_cast<CMenuPopup*>(Popup(kProfileListSlot));
    const auto position = static_cast<int>(entry) - CComboProfilePopup::kFirstProfileEntry;
    if (list == nullptr || position < 0 || position >= ProfileTable::kProfileCount)
        return 0;
    const int index = settings.ProfileShowList(position);
    if (index < 0 || index >= ProfileTable::kProfileCount)
        return 0;
    ClosePopup(kActionMenuSlot);
    const UiRect entryRect = list->EntryRect(static_cast<int>(entry) - 1);
    const QPoint entryCorner = list->mapToGlobal(QPoint(0, entryRect.top));
    const int left = entryCorner.x() + UiScale::Scale(kActionMenuBesideList);
    int top = entryCorner.y();
    if (top + UiScale::Scale(kActionMenuHeight) > m_screenHeight)
        top = m_screenHeight - UiScale::Scale(kActionMenuHeight);
    (void)OpenPopupAt(kActionMenuSlot, new CProfileRKeyPopup(m_model.texts), QPoint(left, top),
                      CProfileRKeyPopup::kResultMessage, MainId::kFirstProfileTab + index);
    return 0;
}

LResult CCorvaneDlg::OnProfileActionResult(WParam wParam, LParam lParam)
{
    if (lParam == 0)
        return 0;
    const int index = static_cast<int>(wParam) - MainId::kFirstProfileTab;
    if (index < 0 || index >= ProfileTable::kProfileCount)
        return 0;
    m_pendingProfileAction = CMenuPopup::RecordOf(lParam).value[0];
    m_pendingProfileIndex = index;
    ClosePopup(0);
    ClosePopup(kActionMenuSlot);
    ClosePopup(kProfileListSlot);
    SetTimer(MainTimer::kProfileAction, MainTimer::kProfileActionMs);
    return 0;
}

LResult CCorvaneDlg::OnProfileListDismissed(WParam /*wParam*/, LParam /*lParam*/)
{
    if (Popup(kActionMenuSlot) == nullptr)
        ClosePopup(kProfileListSlot);
    return 0;
}

LResult CCorvaneDlg::OnProfileActionDismissed(WParam /*wParam*/, LParam /*lParam*/)
{
    const CWndPopup* menu = Popup(kActionMenuSlot);
    if (menu != nullptr && !menu->IsTracking()) {
        ClosePopup(kActionMenuSlot);
        ClosePopup(kProfileListSlot);
    }
    if (!AnySubListOpen() && Popup(kActionMenuSlot) == nullptr)
        ClosePopup(0);
    return 0;
}

void CCorvaneDlg::SaveSettingsAndProfiles()
{
    AppSettings& settings = m_model.settings;
    (void)SaveSettings(settings, settings.CurrentProfile(), m_model.paths.SettingsFile());
    (void)m_model.profiles.SaveAllProfiles(settings);
}

void CCorvaneDlg::RunProfileAction()
{
    KillTimer(MainTimer::kProfileAction);
    AppSettings& settings = m_model.settings;
    ProfileTable& profiles = m_model.profiles;
    const int index = m_pendingProfileIndex;
    switch (m_pendingProfileAction) {
    case kImport: {
        const QString file = m_services.pickImportFile(DialogParts::LanguageText(m_model.texts, 142));
        if (file.isEmpty())
            return;
        // A file far larger than any profile, a pipe or a device is refused before it is
        // opened: reading it on this thread would stall the window, or wait for ever.
        const std::filesystem::path path = PathFromText(file.toStdU16String());
        const OfferedFile offered = CheckOfferedFile(path, OfferedFileLimit::kProfile);
        if (offered.problem == OfferedFileProblem::TooLarge) {
            ShowMessage(
                QStringLiteral("%1 is not a profile file: it holds %2 bytes, and a profile file holds about 30 KB.")
                    .arg(file)
                    .arg(offered.size));
            return;
        }
        // Read into a copy: a file that fails its checks leaves the profile as it was.
        Profile imported = profiles.At(index);
        if (offered.problem != OfferedFileProblem::None || !ParseProfileFile(imported, path).ok) {
            ShowMessage(QStringLiteral("%1 is not a profile file that can be read.").arg(file));
            return;
        }
        profiles.At(index) = std::move(imported);
        SaveSettingsAndProfiles();
        RefreshUi();
        if (index == settings.CurrentProfile()) {
            // The mouse carries the current profile: send it the imported one whole.
            ChangeFlags& flags = m_model.link.Flags();
            flags.keysChanged = flags.settingsChanged = flags.powerSavingChanged = flags.sensorOptionsChanged = true;
            m_model.link.ScheduleApply();
        }
        return;
    }
    case kExport: {
        const QString file = m_services.pickExportFile(DialogParts::LanguageText(m_model.texts, 143));
        if (!file.isEmpty() && !WriteProfileFile(profiles.At(index), PathFromText(file.toStdU16String())))
            ShowMessage(QStringLiteral("%1 could not be written.").arg(file));
        return;
    }
    case kEdit: {
        CEditProfileDlg dialog(m_model.texts, profiles.At(index), this);
        if (dialog.DoModal() == DialogResult::kOk) {
            SaveSettingsAndProfiles();
            RefreshUi();
        }
        return;
    }
    case kDelete:
        if (index == settings.CurrentProfile()) {
            m_services.showNotice(CAttentionDlg::kTextTitle, ProfileMessages::kCannotDeleteCurrent);
            return;
        }
        if (profiles.DeleteVisibleProfile(settings, index).change == ProfileListChange::Done) {
            SaveSettingsAndProfiles();
            RefreshUi();
        }
        return;
    case kAdd: {
        const int count = settings.ProfileShowCount();
        if (count >= ProfileTable::kProfileCount)
            return;
        const int hidden = settings.ProfileShowList(count);
        if (hidden < 0 || hidden >= ProfileTable::kProfileCount)
            return;
        CAddProfileDlg dialog(m_model.texts, settings, profiles.At(hidden), this);
        if (dialog.DoModal() == DialogResult::kOk) {
            SaveSettingsAndProfiles();
            RefreshUi();
        }
        return;
    }
    case kAddRefused:
        m_services.showNotice(CAttentionDlg::kTextTitle, ProfileMessages::kNoFurtherProfile);
        return;
    default:
        return;
    }
}
