#pragma once

#include "ui/dialogs/CFramedDlg.h"

// How a dialog takes Enter and Escape.
enum class DialogKeys {
    Platform,          // Enter is OK, Escape cancels, as on any platform dialog
    EnterAcceptsOnly,  // Enter acts as the OK button; Escape does nothing
};

// The small modal dialogs of the program and the macro manager: a framed dialog whose OK
// button (and Enter, where the dialog wants it) runs OnOkClicked, and whose close cross
// and cancel button end it with cancel after releasing the images.
class CAppDialog : public CFramedDlg {
public:
    // Language texts of the OK and cancel captions.
    static constexpr int kTextOk = 4;
    static constexpr int kTextCancel = 5;

    // frame: a skin file name or an embedded picture path; its design size is the
    // dialog's.
    CAppDialog(const LanguageTexts& texts, QString frame, int designWidth, int designHeight,
               QWidget* parent, DialogKeys keys = DialogKeys::Platform);

protected:
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // The OK button was clicked (or Enter pressed, with DialogKeys::EnterAcceptsOnly).
    // The base ends the dialog with OK.
    virtual void OnOkClicked();

    // ReleaseAllImages, then the platform's OK.
    void CloseWithOk();

    [[nodiscard]] static bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
    [[nodiscard]] const LanguageTexts& Texts() const { return m_texts; }

private:
    DialogKeys m_keys;
};
