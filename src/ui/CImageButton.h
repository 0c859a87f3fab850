#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"

// A push button drawn from a strip (normal, hover, pressed frames) or, in text mode,
// from a normal and a hover background with the caption over it. Its click notifies
// code 2 with its own id as wParam.
class CImageButton : public CControlBase {
public:
    CImageButton(CMessageWindow* parent, int id, const UiRect& rect, unsigned format,
                 QString caption = {}, ControlFlags flags = {});

    bool SetStripImage(const QString& name, int frameWidth);
    // Text mode: normal background, and the background for hover and pressed.
    bool SetTextImages(const QString& normal, const QString& hover);
    // Left text inset; the right inset becomes 0.
    void SetTextMargin(int left);
    void SetTextMargins(int left, int right);

    void Draw(QPainter& painter, const UiRect& clip) override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    unsigned m_format;
    bool m_textMode = false;
    SkinFrameSet m_frames;
    int m_marginLeft = 0;
    int m_marginRight = 0;
};
