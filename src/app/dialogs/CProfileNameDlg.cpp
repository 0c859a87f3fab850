#include "app/dialogs/CProfileNameDlg.h"

#include "ui/CEditBox.h"
#include "ui/SkinPainter.h"
#include "ui/dialogs/CAttentionDlg.h"

CProfileNameDlg::CProfileNameDlg(const LanguageTexts& texts, Layout layout, QString initialName,
                                 QWidget* parent)
    : CAppDialog(texts, QStringLiteral("Frame_common.bmp"), kDesignWidth, kDesignHeight, parent,
                 DialogKeys::EnterAcceptsOnly),
      m_layout(layout),
      m_initialName(std::move(initialName))
{
}

void CProfileNameDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    AddCloseCross({405, 4, 420, 19});
    AddTextButton(kIdOk, {260, 110, 329, 130}, kTextOk);
    AddTextButton(kIdCancel, {350, 110, 419, 130}, kTextCancel);
    AddLabel(kIdTitle, m_layout.title, Text(m_layout.titleText), TextFormat::kLeft);
    m_edit = new CEditBox(this, kIdEdit, m_layout.edit);
    m_edit->SetText(m_initialName);
    m_edit->setAccessibleName(Text(m_layout.titleText));
    m_edit->FocusAtEnd();
}

void CProfileNameDlg::OnOkClicked()
{
    const QString name = m_edit->GetText();
    if (name.isEmpty()) {
        CAttentionDlg::Show(Texts(), kTextEmptyName, this);
        return;
    }
    ApplyName(name.toStdU16String());
    CloseWithOk();
}
