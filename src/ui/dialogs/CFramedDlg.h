#pragma once

#include "ui/CDlgBase.h"
#include "ui/SkinImage.h"

#include <QString>

class CImageButton;
class CStaticText;
class LanguageTexts;

// Base of the small framed dialogs (maintenance, settings, macro editing): a skinned
// frame picture stretched over the dialog's design size times UiScale, captions from the
// language texts, and the usual controls made from design rectangles: the close cross
// (2004), text buttons and labels.
// The close idiom (release the images, then cancel) is CloseWithCancel.
class CFramedDlg : public CDlgBase {
public:
    static constexpr int kIdCloseCross = 2004;
    static constexpr int kIdOk = 2010;
    static constexpr int kIdCancel = 2011;
    static constexpr std::uint32_t kLabelColor = 0xB4B4B4;

    CFramedDlg(QWidget* owner, const LanguageTexts& texts, int designWidth, int designHeight, QString framePicture);

    [[nodiscard]] QString Text(int number) const;

protected:
    void DrawBackground(QPainter& painter, const UiRect& clip) override;
    // Draws the frame picture over the whole client area.
    void DrawFrame(QPainter& painter);

    CImageButton* AddCloseCross(const UiRect& design);
    CImageButton* AddTextButton(int id, const UiRect& design, int textNumber);
    CStaticText* AddLabel(int id, const UiRect& design, const QString& text, unsigned format);

    // Releases every image and ends the dialog with cancel.
    void CloseWithCancel();
    // Message-map handler of the controls that close the dialog: CloseWithCancel on a click.
    LResult OnCloseClick(WParam wParam, LParam lParam);
    // Whether a control notification is the click that ends a press (code 2).
    [[nodiscard]] static bool IsClick(LParam code);

    const LanguageTexts& m_texts;

private:
    int m_designWidth;
    int m_designHeight;
    SkinImage m_frame;
};
