#include "macros/windows/CActionTimeModifyDlg.h"

#include "macros/MacroActionEdits.h"

CActionTimeModifyDlg::CActionTimeModifyDlg(const LanguageTexts& texts, MacroAction& action, QWidget* parent)
    : CMacroEditDlg(texts, kTextPrompt,
                    Value{QString::fromStdU16String(MacroActionEdits::DelayText(action)),
                          EditBoxFilter::DigitsReported},
                    parent),
      m_action(action)
{
}

void CActionTimeModifyDlg::OnOkClicked()
{
    m_action = MacroActionEdits::DelayFromText(EditText().toStdU16String());
    CloseWithOk();
}
