#pragma once

#include "ui/dialogs/CFramedDlg.h"

// The factory-reset question. OK confirms (the run ends with OK), and so does Enter unless
// the keyboard rests on another button, which Enter then presses; cancel and the cross end
// it with cancel; Escape is swallowed, so the question cannot be waved away by a stray key.
class CFirmwareResetDlg : public CFramedDlg {
public:
    static constexpr int kDesignWidth = 429;
    static constexpr int kDesignHeight = 140;
    static constexpr int kIdQuestion = 2012;
    static constexpr int kTextQuestion = 140;
    static constexpr int kTextOk = 4;
    static constexpr int kTextCancel = 5;

    CFirmwareResetDlg(QWidget* owner, const LanguageTexts& texts);

protected:
    void CreateControls(int left, int top, int right, int bottom) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;

private:
    LResult OnConfirm(WParam wParam, LParam lParam);
};
