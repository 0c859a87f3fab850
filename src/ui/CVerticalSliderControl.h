#pragma once

#include "ui/CControlBase.h"
#include "ui/SkinImage.h"

// A vertical bar whose value grows from the bottom: a background image with a fill
// image drawn from the bottom up to the value. Dragging reports every move (code 3,
// wParam = value).
class CVerticalSliderControl : public CControlBase {
public:
    CVerticalSliderControl(CMessageWindow* parent, int id, const UiRect& rect, int stepCount,
                           int topPad, int bottomPad, QString caption = {},
                           ControlFlags flags = {});

    bool SetImages(const QString& background, const QString& fill);
    void SetStepCount(int stepCount) { m_stepCount = stepCount; }
    [[nodiscard]] int StepCount() const { return m_stepCount; }
    void SetValue(int value) { m_value = value; }
    [[nodiscard]] int Value() const { return m_value; }
    [[nodiscard]] bool IsDragging() const { return m_dragging; }

    // The value a pointer at y stands for (y clamped to the bar).
    [[nodiscard]] int ValueAt(int y) const;
    // Top edge of the fill for the current value.
    [[nodiscard]] int FillTop() const;

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    [[nodiscard]] std::optional<AccessibleRange> AccessibleValue() const override;
    [[nodiscard]] std::optional<QPoint> PointForValue(int value) const override;
    [[nodiscard]] QPoint ClickPoint() const override;
    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

protected:
    SkinImage m_background;
    SkinImage m_fill;
    int m_stepCount;
    int m_topPad;
    int m_bottomPad;
    int m_value = 4;
    bool m_dragging = false;
};
