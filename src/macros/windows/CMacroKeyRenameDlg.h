#pragma once

#include "macros/windows/CMacroEditDlg.h"

#include <string>

// Edits an existing name. OK, or Enter, puts the box's text in Result() and ends with OK
// only when it differs from the current name; an unchanged name ends with Cancel.
class CMacroKeyRenameDlg : public CMacroEditDlg {
public:
    static constexpr int kTextPrompt = 238;

    CMacroKeyRenameDlg(const LanguageTexts& texts, std::u16string currentName, QWidget* parent);

    [[nodiscard]] const std::u16string& Result() const { return m_result; }

protected:
    void OnOkClicked() override;

private:
    std::u16string m_currentName;
    std::u16string m_result;
};
