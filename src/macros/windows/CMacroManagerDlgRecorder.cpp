// The recorder's controls: the record button, the delay mode pair, the fixed delay, and
// the key events of the capture.
#include "macros/windows/CMacroManagerDlg.h"

#include "macros/BoundedEditValue.h"
#include "macros/windows/CMacroActionList.h"
#include "macros/windows/MacroManagerIds.h"
#include "ui/CCheckButton.h"
#include "ui/CEditBox.h"

LResult CMacroManagerDlg::OnRecordButton(WParam /*wParam*/, LParam code)
{
    if (code != NotifyCode::kClick)
        return 0;
    if (m_record->IsChecked())
        StartRecording();
    else
        StopRecording();
    return 0;
}

void CMacroManagerDlg::StartRecording()
{
    MacroKey* macro = SelectedMacro();
    if (macro == nullptr) {
        m_record->SetChecked(false);
        InvalidateRect(m_record->GetRect());
        (void)Notice(MacroManagerText::kSelectMacroFirst);
        return;
    }
    m_hook.StartHook(this);
    m_recorder.Start(*macro);
    m_actions->SetSelection(-1);
    m_actions->SetFirstVisible(0);
    ActionsChanged();
    LockForRecording(true);
}

void CMacroManagerDlg::StopRecording()
{
    m_hook.StopHook();
    m_recorder.Stop(SelectedMacro());
    ScrollActionsToEnd();
    m_record->SetChecked(false);
    LockForRecording(false);
    SaveLibrary();
}

void CMacroManagerDlg::EndFullRecording()
{
    LockForRecording(false);
    m_record->SetChecked(false);
    InvalidateRect(m_record->GetRect());
    (void)Notice(MacroManagerText::kMacroFull);
    m_hook.StopHook();
    m_recorder.Stop(SelectedMacro());
    ScrollActionsToEnd();
    SaveLibrary();
}

LResult CMacroManagerDlg::OnKeyHook(WParam wParam, LParam lParam)
{
    // Events still queued when the recording ended are not recorded.
    if (!m_recorder.IsRecording())
        return 0;
    switch (m_recorder.OnKeyEvent(SelectedMacro(), wParam, static_cast<std::uint32_t>(lParam))) {
    case MacroRecorder::KeyOutcome::Recorded:
        ScrollActionsToEnd();
        break;
    case MacroRecorder::KeyOutcome::Full:
        if (m_record->IsChecked())
            EndFullRecording();
        break;
    case MacroRecorder::KeyOutcome::Ignored:
        break;
    }
    return 0;
}

void CMacroManagerDlg::OnDelayMode(int id, LParam code)
{
    if (code != NotifyCode::kClick)
        return;
    // The two check buttons are one choice: each click sets the other to the opposite.
    if (id == MacroManagerId::kMeasuredDelay)
        m_fixed->SetChecked(!m_measured->IsChecked());
    else
        m_measured->SetChecked(!m_fixed->IsChecked());
    m_recorder.SetDelayMode(m_measured->IsChecked() ? MacroRecorder::DelayMode::Measured
                                                    : MacroRecorder::DelayMode::Fixed);
    InvalidateRect(m_measured->GetRect());
    InvalidateRect(m_fixed->GetRect());
}

LResult CMacroManagerDlg::OnFixedDelayChanged(WParam /*wParam*/, LParam code)
{
    if (code != CEditBox::kChangeCode)
        return 0;
    const BoundedEditValue delay =
        BoundedEditValue::From(m_fixedDelay->GetText().toStdU16String(), MacroRecorder::kMaxFixedDelay);
    if (delay.replacement) {
        m_fixedDelay->SetText(QString::fromStdU16String(*delay.replacement));
        m_fixedDelay->end(false);
    }
    m_recorder.SetFixedDelay(delay.value);
    return 0;
}
