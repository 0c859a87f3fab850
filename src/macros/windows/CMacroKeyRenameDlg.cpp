#include "macros/windows/CMacroKeyRenameDlg.h"

#include "macros/MacroActionEdits.h"

CMacroKeyRenameDlg::CMacroKeyRenameDlg(const LanguageTexts& texts, std::u16string currentName, QWidget* parent)
    : CMacroEditDlg(texts, kTextPrompt, Value{QString::fromStdU16String(currentName), EditBoxFilter::None}, parent),
      m_currentName(std::move(currentName))
{
}

void CMacroKeyRenameDlg::OnOkClicked()
{
    m_result = EditText().toStdU16String();
    if (MacroActionEdits::IsRenamed(m_currentName, m_result))
        CloseWithOk();
    else
        CloseWithCancel();
}
