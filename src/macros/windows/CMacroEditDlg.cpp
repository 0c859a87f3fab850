#include "macros/windows/CMacroEditDlg.h"

#include "ui/CStaticText.h"
#include "ui/SkinPainter.h"
#include "ui/dialogs/CAttentionDlg.h"

namespace {

const QString kFrame = QStringLiteral("Frame_Macro_Edit.bmp");
constexpr UiRect kCloseCrossRect{300, 4, 315, 19};
constexpr UiRect kOkRect{170, 70, 235, 93};
constexpr UiRect kCancelRect{240, 70, 305, 93};

}  // namespace

CMacroEditDlg::CMacroEditDlg(const LanguageTexts& texts, int promptText, Value value, QWidget* parent)
    : CAppDialog(texts, kFrame, kDesignWidth, kDesignHeight, parent, DialogKeys::EnterAcceptsOnly),
      m_promptText(promptText),
      m_promptId(kIdPrompt),
      m_hasBox(true),
      m_value(std::move(value))
{
}

CMacroEditDlg::CMacroEditDlg(const LanguageTexts& texts, int promptText, int promptId, QWidget* parent)
    : CAppDialog(texts, kFrame, kDesignWidth, kDesignHeight, parent, DialogKeys::Platform),
      m_promptText(promptText),
      m_promptId(promptId),
      m_hasBox(false)
{
}

void CMacroEditDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    AddCloseCross(kCloseCrossRect);
    AddLabel(m_promptId, kPromptRect, Text(m_promptText), TextFormat::kLeft | TextFormat::kSingleLine |
                                                              TextFormat::kVCenter)
        ->SetColor(kWhite);
    AddTextButton(kIdOk, kOkRect, kTextOk);
    AddTextButton(kIdCancel, kCancelRect, kTextCancel);
    if (!m_hasBox) {
        CreateValueControls();
        return;
    }
    m_edit = new CEditBox(this, kIdEdit, kValueRect, EditBoxColors::Standard(), m_value.filter);
    m_edit->SetText(m_value.initialText);
    m_edit->setAccessibleName(Text(m_promptText));
    m_edit->FocusAtEnd();
}

LResult CMacroEditDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    // The character is still entered once the notice has been closed.
    if (message == CEditBox::kNonDigitTyped) {
        CAttentionDlg::Show(Texts(), kTextDigitsOnly, this);
        return 0;
    }
    return CAppDialog::OnMessage(message, wParam, lParam);
}
