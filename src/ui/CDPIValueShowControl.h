#pragma once

#include "ui/CVerticalSliderControl.h"

// A DPI bar that shows a value set from outside, without dragging. It behaves as a
// button: hover and press looks, code 1 on press and code 2 on a click.
class CDPIValueShowControl : public CVerticalSliderControl {
public:
    CDPIValueShowControl(CMessageWindow* parent, int id, const UiRect& rect, int stepCount,
                         int topPad, int bottomPad, QString caption = {},
                         ControlFlags flags = {});

    // The vertical-axis position kept for the DPI dialogs.
    void SetSecondValue(int value) { m_secondValue = value; }
    [[nodiscard]] int SecondValue() const { return m_secondValue; }

    bool OnMouseMove(unsigned flags, QPoint point) override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;

    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    [[nodiscard]] std::optional<QPoint> PointForValue(int value) const override;
    [[nodiscard]] QPoint ClickPoint() const override;

private:
    int m_secondValue = 0;
};
