#pragma once

#include "macros/MacroAction.h"
#include "macros/windows/CMacroEditDlg.h"

// Edits a delay action: the box opens on its milliseconds; OK rewrites the whole action
// as a delay of the typed number (see MacroActionEdits::DelayFromText). Typing anything
// but digits raises the digits-only notice and is still taken.
class CActionTimeModifyDlg : public CMacroEditDlg {
public:
    static constexpr int kTextPrompt = 220;

    CActionTimeModifyDlg(const LanguageTexts& texts, MacroAction& action, QWidget* parent);

protected:
    void OnOkClicked() override;

private:
    MacroAction& m_action;
};
