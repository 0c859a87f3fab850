#include "ui/CDPIValueShowControl.h"

CDPIValueShowControl::CDPIValueShowControl(CMessageWindow* parent, int id, const UiRect& rect,
                                           int stepCount, int topPad, int bottomPad,
                                           QString caption, ControlFlags flags)
    : CVerticalSliderControl(parent, id, rect, stepCount, topPad, bottomPad, std::move(caption),
                             flags)
{
}

bool CDPIValueShowControl::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CDPIValueShowControl::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CDPIValueShowControl::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonUp(point, [] {});
}

QAccessible::Role CDPIValueShowControl::AccessibleRole() const
{
    // A click opens the level's dialog; the bar only shows the value.
    return QAccessible::Button;
}

std::optional<QPoint> CDPIValueShowControl::PointForValue(int /*value*/) const
{
    return std::nullopt;
}

QPoint CDPIValueShowControl::ClickPoint() const
{
    return CControlBase::ClickPoint();
}
