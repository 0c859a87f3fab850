#include "macros/windows/CMacroKeyOrFolderNameDlg.h"

CMacroKeyOrFolderNameDlg::CMacroKeyOrFolderNameDlg(const LanguageTexts& texts, int mode, QWidget* parent)
    : CMacroEditDlg(texts, mode == kModeFolder ? kTextFolderPrompt : kTextMacroPrompt, Value{}, parent)
{
}

void CMacroKeyOrFolderNameDlg::OnOkClicked()
{
    m_result = EditText().toStdU16String();
    CloseWithOk();
}
