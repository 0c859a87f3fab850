// The action list of the selected macro and its editing: the insert drop-down, modify
// and delete.
#include "macros/windows/CMacroManagerDlg.h"

#include "keyfunc/popups/CComboActionInsertPopup.h"
#include "macros/MacroActionEditing.h"
#include "macros/windows/CMacroActionList.h"
#include "macros/windows/ListScrolling.h"
#include "macros/windows/MacroManagerIds.h"
#include "ui/CComboButton.h"
#include "ui/CVScrollBar.h"
#include "ui/UiScale.h"

namespace {

constexpr int kInsertListRoom = 300;  // design units below the opener

}  // namespace

void CMacroManagerDlg::ActionsChanged()
{
    ListScrolling::Sync(*m_actions, *m_actionBar);
    InvalidateRect(m_actions->GetRect());
    InvalidateRect(m_actionBar->GetRect());
}

void CMacroManagerDlg::ScrollActionsToEnd()
{
    const int count = m_actions->RowCount();
    if (count > m_actions->VisibleRows())
        m_actions->SetFirstVisible(count - m_actions->VisibleRows());
    ActionsChanged();
}

LResult CMacroManagerDlg::OnActionList(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kDoubleClick)
        ModifyAction();
    return 0;
}

LResult CMacroManagerDlg::OnActionScroll(WParam wParam, LParam code)
{
    ListScrolling::OnScrollBar(*m_actions, *m_actionBar, wParam, code);
    InvalidateRect(m_actions->GetRect());
    return 0;
}

LResult CMacroManagerDlg::OnModifyButton(WParam /*wParam*/, LParam code)
{
    if (code == NotifyCode::kClick)
        ModifyAction();
    return 0;
}

void CMacroManagerDlg::ModifyAction()
{
    (void)MacroActionEditing::Modify(SelectedMacro(), SelectedAction(), m_services.valueDialogs);
    ActionsChanged();
}

LResult CMacroManagerDlg::OnDeleteActionButton(WParam /*wParam*/, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    const MacroActionEditing::EditOutcome outcome = MacroActionEditing::Delete(SelectedMacro(), SelectedAction());
    if (!outcome.changed)
        return 0;
    const int first = m_actions->FirstVisible();
    m_actions->SetSelection(outcome.selectedAction);
    m_actions->SetFirstVisible(std::min(first, m_actions->FirstVisible()));
    ActionsChanged();
    return 0;
}

LResult CMacroManagerDlg::OnInsertOpener(WParam /*wParam*/, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    ClosePopup(kInsertPopupSlot);
    auto* list = new CComboActionInsertPopup(m_texts);
    const UiRect opener = m_insertOpener->GetRect();
    const QPoint at = mapToGlobal(QPoint(opener.left, opener.bottom));
    const int room = UiScale::Scale(kInsertListRoom);
    if (list->Create(this, UiRect{at.x(), at.y(), at.x() + room, at.y() + room},
                     static_cast<int>(MacroManagerMsg::kInsertChosen), MacroManagerId::kInsertOpener) != 0) {
        delete list;
        return 0;
    }
    SetPopup(kInsertPopupSlot, list);
    m_insertOpener->SetOpen(true);
    InvalidateRect(opener);
    return 0;
}

LResult CMacroManagerDlg::OnInsertChosen(WParam /*wParam*/, LParam lParam)
{
    if (lParam == 0)
        return 0;
    const int kind = CMenuPopup::RecordOf(lParam).value[0];
    ClosePopup(kInsertPopupSlot);
    m_insertOpener->SetOpen(false);
    // The insert may open a dialog: it runs once the list is gone and the window has
    // repainted where it was.
    PostAfterNextPaint([this, kind] { RunInsert(kind); });
    return 0;
}

LResult CMacroManagerDlg::OnInsertClosed(WParam /*wParam*/, LParam /*lParam*/)
{
    ClosePopup(kInsertPopupSlot);
    m_insertOpener->SetOpen(false);
    InvalidateRect(m_insertOpener->GetRect());
    return 0;
}

void CMacroManagerDlg::RunInsert(int kind)
{
    if (kind < 0 || kind >= MacroActionEditing::kInsertKindCount)
        return;
    // The keys typed into a dialog are not the recording's; the next recorded delay
    // spans the time the dialog was open.
    const bool recording = m_recorder.IsRecording();
    if (recording)
        m_hook.StopHook();
    const MacroActionEditing::EditOutcome outcome =
        MacroActionEditing::Insert(SelectedMacro(), SelectedAction(),
                                   static_cast<MacroActionEditing::InsertKind>(kind), m_services.valueDialogs);
    if (outcome.notice != 0)
        (void)Notice(outcome.notice);
    if (outcome.changed) {
        RefreshSelection();
        m_actions->SetSelection(outcome.selectedAction);
        ScrollActionsToEnd();
    }
    InvalidateAll();
    if (recording)
        m_hook.StartHook(this);
}
