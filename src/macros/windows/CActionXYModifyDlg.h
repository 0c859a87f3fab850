#pragma once

#include "macros/MacroAction.h"
#include "macros/MacroActionEdits.h"
#include "macros/windows/CMacroEditDlg.h"

// Edits a pointer move: kind 5 left, 6 right, 7 up, 8 down (the insert kinds). The box
// opens on the distance as a positive number; OK stores the typed distance, limited to
// 1..127, signed and coded for the kind (see MacroActionEdits::MoveFromText). Typing
// anything but digits raises the digits-only notice and is still taken.
class CActionXYModifyDlg : public CMacroEditDlg {
public:
    // Prompts of kinds 5..8, in order.
    static constexpr int kTextFirstPrompt = 222;

    // A kind outside 5..8 is taken as 5 (left).
    CActionXYModifyDlg(const LanguageTexts& texts, MacroAction& action, int kind, QWidget* parent);

protected:
    void OnOkClicked() override;

private:
    MacroAction& m_action;
    MacroActionEdits::MoveKind m_kind;
};
