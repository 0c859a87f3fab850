#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinFrameSet.h"

// A hyperlink-like button (id 3503): a caption or a strip; entering and leaving are each
// reported once (codes 4 and 5, wParam 0).
class CLinkButton : public CControlBase {
public:
    CLinkButton(CMessageWindow* parent, const UiRect& rect, unsigned format, QString caption = {},
                ControlFlags flags = {});

    bool SetStripImage(const QString& name, int frameWidth);

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

private:
    unsigned m_format;
    SkinFrameSet m_frames;
    bool m_inside = false;
};
