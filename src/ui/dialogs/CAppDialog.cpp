#include "ui/dialogs/CAppDialog.h"

CAppDialog::CAppDialog(const LanguageTexts& texts, QString frame, int designWidth, int designHeight,
                       QWidget* parent, DialogKeys keys)
    : CFramedDlg(parent, texts, designWidth, designHeight, std::move(frame)), m_keys(keys)
{
}

LResult CAppDialog::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    if (IsClick(lParam)) {
        if (message == kIdOk) {
            OnOkClicked();
            return 0;
        }
        if (message == kIdCloseCross || message == kIdCancel) {
            CloseWithCancel();
            return 0;
        }
    }
    return CFramedDlg::OnMessage(message, wParam, lParam);
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
    return CFramedDlg::PreTranslateKeyDown(key, modifiers);
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
