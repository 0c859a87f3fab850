#include "app/dialogs/CAppDialog.h"

#include "app/dialogs/DialogParts.h"
#include "ui/UiScale.h"

CAppDialog::CAppDialog(const LanguageTexts& texts, QString frame, int designWidth, int designHeight,
                       QWidget* parent, DialogKeys keys)
    : CDlgBase(parent),
      m_texts(texts),
      m_designWidth(designWidth),
      m_designHeight(designHeight),
      m_keys(keys)
{
    m_frame.Load(frame);
    SetFrameSize(UiScale::Scale(designWidth), UiScale::Scale(designHeight));
}

void CAppDialog::DrawBackground(QPainter& painter, const UiRect& clip)
{
    DialogParts::DrawFrame(painter, *this, m_frame, m_designWidth, m_designHeight);
    DrawControls(painter, clip);
}

LResult CAppDialog::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    if (lParam == NotifyCode::kClick) {
        if (message == kIdOk) {
            OnOkClicked();
            return 0;
        }
        if (message == kIdClose || message == kIdCancel) {
            CloseWithCancel();
            return 0;
        }
    }
    return CDlgBase::OnMessage(message, wParam, lParam);
}

bool CAppDialog::PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (m_keys == DialogKeys::EnterAcceptsOnly) {
        if (IsEnter(key)) {
            OnOkClicked();
            return true;
        }
        if (key == Qt::Key_Escape)
            return true;
    }
    return CDlgBase::PreTranslateKeyDown(key, modifiers);
}

void CAppDialog::OnOkClicked()
{
    CloseWithOk();
}

void CAppDialog::CloseWithOk()
{
    ReleaseAllImages();
    OnOK();
}

void CAppDialog::CloseWithCancel()
{
    ReleaseAllImages();
    OnCancel();
}

QString CAppDialog::Text(int number) const
{
    return DialogParts::LanguageText(m_texts, number);
}
