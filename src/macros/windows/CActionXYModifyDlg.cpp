#include "macros/windows/CActionXYModifyDlg.h"

#include "macros/MacroActionEdits.h"

namespace {

MacroActionEdits::MoveKind KindOf(int kind)
{
    return MacroActionEdits::IsMoveKind(kind) ? static_cast<MacroActionEdits::MoveKind>(kind)
                                              : MacroActionEdits::MoveKind::Left;
}

}  // namespace

CActionXYModifyDlg::CActionXYModifyDlg(const LanguageTexts& texts, MacroAction& action, int kind, QWidget* parent)
    : CMacroEditDlg(texts, kTextFirstPrompt + static_cast<int>(KindOf(kind)) - static_cast<int>(MacroActionEdits::MoveKind::Left),
                    Value{QString::fromStdU16String(MacroActionEdits::MoveText(action, KindOf(kind))),
                          EditBoxFilter::DigitsReported},
                    parent),
      m_action(action),
      m_kind(static_cast<int>(KindOf(kind)))
{
}

void CActionXYModifyDlg::OnOkClicked()
{
    m_action = MacroActionEdits::MoveFromText(EditText().toStdU16String(), KindOf(m_kind), m_action);
    CloseWithOk();
}
