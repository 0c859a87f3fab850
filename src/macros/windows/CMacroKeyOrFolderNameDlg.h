#pragma once

#include "macros/windows/CMacroEditDlg.h"

#include <string>

// Asks for the name of a new macro (mode 0) or folder (mode 1). OK, or Enter, ends with
// OK and the box's text in Result(), even when it is empty: the caller decides about
// empty names.
class CMacroKeyOrFolderNameDlg : public CMacroEditDlg {
public:
    static constexpr int kModeMacro = 0;
    static constexpr int kModeFolder = 1;
    static constexpr int kTextMacroPrompt = 239;
    static constexpr int kTextFolderPrompt = 243;

    CMacroKeyOrFolderNameDlg(const LanguageTexts& texts, int mode, QWidget* parent);

    [[nodiscard]] const std::u16string& Result() const { return m_result; }

protected:
    void OnOkClicked() override;

private:
    std::u16string m_result;
};
