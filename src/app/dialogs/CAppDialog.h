#pragma once

#include "ui/CDlgBase.h"
#include "ui/SkinImage.h"

class LanguageTexts;

// The common ground of the application's small modal dialogs: a frame picture stretched
// over the design size, the close cross and the cancel button that end the dialog with
// cancel after releasing the images, and the language texts for the captions.
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
               QWidget* parent);

protected:
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override;

    // ReleaseAllImages, then the platform's OK or cancel.
    void CloseWithOk();
    void CloseWithCancel();

    [[nodiscard]] QString Text(int number) const;
    [[nodiscard]] const LanguageTexts& Texts() const { return m_texts; }
    [[nodiscard]] const SkinImage& FrameImage() const { return m_frame; }
    [[nodiscard]] int DesignWidth() const { return m_designWidth; }
    [[nodiscard]] int DesignHeight() const { return m_designHeight; }

private:
    const LanguageTexts& m_texts;
    QString m_frameName;
    SkinImage m_frame;
    int m_designWidth;
    int m_designHeight;
};
