#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinImage.h"

// A progress bar (id 3002): the background stretched over the control and the fill
// image drawn from the left in proportion to position / maximum. Not interactive.
class CStaticProgressBar : public CControlBase {
public:
    CStaticProgressBar(CMessageWindow* parent, const UiRect& rect, QString caption = {},
                       ControlFlags flags = {});

    bool SetImages(const QString& background, const QString& fill);
    void SetPos(int position) { m_position = position; }
    [[nodiscard]] int GetPos() const { return m_position; }
    void SetMaximum(int maximum) { m_maximum = maximum; }
    // Width of the fill in pixels.
    [[nodiscard]] int FillWidth() const;

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    [[nodiscard]] std::optional<AccessibleRange> AccessibleValue() const override;
    void ReleaseImages() override;

private:
    SkinImage m_background;
    SkinImage m_fill;
    int m_maximum = 100;
    int m_position = 10;
};
