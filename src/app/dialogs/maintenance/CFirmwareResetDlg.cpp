#include "CFirmwareResetDlg.h"

#include "ui/MessageMap.h"
#include "ui/SkinPainter.h"

CFirmwareResetDlg::CFirmwareResetDlg(QWidget* owner, const LanguageTexts& texts)
    : CFramedDlg(owner, texts, kDesignWidth, kDesignHeight, QStringLiteral("Frame_common.bmp"))
{
}

void CFirmwareResetDlg::CreateControls(int /*left*/, int /*top*/, int /*right*/, int /*bottom*/)
{
    AddCloseCross(UiRect{405, 4, 420, 19});
    AddLabel(kIdQuestion, UiRect{15, 40, 415, 96}, Text(kTextQuestion), TextFormat::kCenter | TextFormat::kWordBreak);
    AddTextButton(kIdOk, UiRect{260, 110, 329, 130}, kTextOk);
    AddTextButton(kIdCancel, UiRect{350, 110, 419, 130}, kTextCancel);
}

LResult CFirmwareResetDlg::OnMessage(UiMessage message, WParam wParam, LParam lParam)
{
    static const MessageMap<CFirmwareResetDlg> map{{kIdOk, &CFirmwareResetDlg::OnConfirm},
                                                   {kIdCancel, &CFirmwareResetDlg::OnCloseClick},
                                                   {kIdCloseCross, &CFirmwareResetDlg::OnCloseClick}};
    if (auto result = map.Dispatch(*this, message, wParam, lParam))
        return *result;
    return CFramedDlg::OnMessage(message, wParam, lParam);
}

bool CFirmwareResetDlg::PreTranslateKeyDown(int key, Qt::KeyboardModifiers /*modifiers*/)
{
    // Enter falls through to the dialog's OK; Escape stops here.
    return key == Qt::Key_Escape;
}

LResult CFirmwareResetDlg::OnConfirm(WParam /*wParam*/, LParam lParam)
{
    if (IsClick(lParam)) {
        ReleaseAllImages();
        OnOK();
    }
    return 0;
}

