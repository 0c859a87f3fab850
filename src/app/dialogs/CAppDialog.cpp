#include "app/dialogs/CAppDialog.h"

#include "app/dialogs/DialogParts.h"
#include "ui/UiScale.h"

CAppDialog::CAppDialog(const LanguageTexts& texts, QString frame, int designWidth, int designHeight,
                       QWidget* parent)
    : CDlgBase(parent),
      m_texts(texts),
      m_frameName(std::move(frame)),
      m_designWidth(designWidth),
      m_designHeight(designHeight)
{
    m_frame.Load(m_frameName);
    SetFrameSize(UiScale::Scale(designWidth), UiScale::Scale(designHeight));
}

void CAppDialog::DrawBackground(QPainter& painter, const UiRect& clip)
{
    DialogParts::DrawFrame(painter, *this, m_frame, m_designWidth, m_designHeight);
    DrawControls(painter, clip);
}

LResult CAppDialog::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    if ((message == kIdClose || message == kIdCancel) && lParam == NotifyCode::kClick) {
        CloseWithCancel();
        return 0;
    }
    return CDlgBase::OnMessage(message, wParam, lParam);
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
