#pragma once

#include "ui/CDlgBase.h"
#include "ui/SkinImage.h"

class LanguageTexts;

// How a dialog takes Enter and Escape.
enum class DialogKeys {
    Platform,         // Enter is OK, Escape cancels, as on any platform dialog
    EnterAcceptsOnly, // Enter acts as the OK button; Escape does nothing
};

// The common ground of the application's small modal dialogs: a frame picture stretched
// over the design size, the OK button, the close cross and the cancel button (the last
// two end the dialog with cancel after releasing the images), Enter and Escape as the
// dialog wants them, and the language texts for the captions.
class CAppDialog : public CDlgBase {
public:
    static constexpr int kIdClose = 2004;
    static constexpr int kIdOk = 2010;
    static constexpr int kIdCancel = 2011;
    // Language texts of the OK and cancel captions.
    static constexpr int kTextOk = 4;
    static constexpr int kTextCancel = 5;

    // frame: a skin file name or an embedded picture path; its design size is the
    // dialog's.
    CAppDialog(const LanguageTexts& texts, QString frame, int designWidth, int designHeight,
               QWidget* parent, DialogKeys keys = DialogKeys::Platform);

protected:
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;
    bool PreTranslateKeyDown(int key, Qt::KeyboardModifiers modifiers) override;
    // The OK button was clicked (or Enter pressed, with DialogKeys::EnterAcceptsOnly).
    // The base ends the dialog with OK.
    virtual void OnOkClicked();

    // ReleaseAllImages, then the platform's OK or cancel.
    void CloseWithOk();
    void CloseWithCancel();

    [[nodiscard]] static bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
    [[nodiscard]] QString Text(int number) const;
    [[nodiscard]] const LanguageTexts& Texts() const { return m_texts; }
    [[nodiscard]] const SkinImage& FrameImage() const { return m_frame; }
    [[nodiscard]] int DesignWidth() const { return m_designWidth; }
    [[nodiscard]] int DesignHeight() const { return m_designHeight; }

private:
    const LanguageTexts& m_texts;
    SkinImage m_frame;
    int m_designWidth;
    int m_designHeight;
    DialogKeys m_keys;
};
