#include "ui/dialogs/CAttentionDlg.h"

#include "ui/SkinPainter.h"
#include "ui/dialogs/DialogParts.h"

CAttentionDlg::CAttentionDlg(const LanguageTexts& texts, QString title, QString message, QWidget* parent)
    : CAppDialog(texts, QStringLiteral("Frame_warning.bmp"), kDesignWidth, kDesignHeight, parent),
      m_title(std::move(title)),
      m_message(std::move(message))
{
}

int CAttentionDlg::Show(const LanguageTexts& texts, int messageNumber, QWidget* parent)
{
    CAttentionDlg attention(texts, DialogParts::LanguageText(texts, kTextTitle),
                            DialogParts::LanguageText(texts, messageNumber), parent);
    return attention.DoModal();
}

void CAttentionDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    AddCloseCross({300, 4, 315, 19});
    AddTextButton(kIdOk, {240, 70, 309, 90}, kTextOk);
    AddLabel(kIdMessage, {0, 40, 319, 60}, m_message, TextFormat::kCenter | TextFormat::kWordBreak);
}
