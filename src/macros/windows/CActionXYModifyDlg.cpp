#include "macros/windows/CActionXYModifyDlg.h"

namespace {

using MoveKind = MacroActionEdits::MoveKind;

MoveKind KindOf(int kind)
{
    return MacroActionEdits::IsMoveKind(kind) ? static_cast<MoveKind>(kind) : MoveKind::Left;
}

int PromptOf(MoveKind kind)
{
    return CActionXYModifyDlg::kTextFirstPrompt + static_cast<int>(kind) - static_cast<int>(MoveKind::Left);
}

}  // namespace

CActionXYModifyDlg::CActionXYModifyDlg(const LanguageTexts& texts, MacroAction& action, int kind, QWidget* parent)
    : CMacroEditDlg(texts, PromptOf(KindOf(kind)),
                    Value{QString::fromStdU16String(MacroActionEdits::MoveText(action, KindOf(kind))),
                          EditBoxFilter::DigitsReported},
                    parent),
      m_action(action),
      m_kind(KindOf(kind))
{
}

void CActionXYModifyDlg::OnOkClicked()
{
    m_action = MacroActionEdits::MoveFromText(EditText().toStdU16String(), m_kind, m_action);
    CloseWithOk();
}
