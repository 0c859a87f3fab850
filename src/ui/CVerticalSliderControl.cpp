#include "ui/CVerticalSliderControl.h"

#include "ui/UiScale.h"

#include <algorithm>

CVerticalSliderControl::CVerticalSliderControl(CMessageWindow* parent, int id, const UiRect& rect,
                                               int stepCount, int topPad, int bottomPad,
                                               QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags),
      m_stepCount(stepCount),
      m_topPad(topPad),
      m_bottomPad(bottomPad)
{
}

bool CVerticalSliderControl::SetImages(const QString& background, const QString& fill)
{
    const bool a = m_background.Load(background);
    const bool b = m_fill.Load(fill);
    return a && b;
}

void CVerticalSliderControl::ReleaseImages()
{
    m_background.Release();
    m_fill.Release();
}

int CVerticalSliderControl::ValueAt(int y) const
{
    const int height = m_rect.Height();
    if (height <= 0 || m_stepCount < 1)
        return 0;
    const int clamped = std::clamp(y, m_rect.top, m_rect.bottom);
    const int fromBottom = m_rect.bottom - clamped - (clamped != m_rect.bottom ? 1 : 0);
    return fromBottom * m_stepCount / height;
}

int CVerticalSliderControl::FillTop() const
{
    if (m_stepCount < 1)
        return m_rect.bottom;
    const int filled = m_rect.Height() * (m_value + 1) / m_stepCount;
    int top = m_rect.bottom - filled;
    if (UiScale::Get() > 1.0 && filled % 2 != 0)
        --top;
    return top;
}

bool CVerticalSliderControl::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    if (m_disabled)
        return false;
    if (m_dragging) {
        m_value = ValueAt(point.y());
        Invalidate();
        Notify(static_cast<WParam>(m_value), NotifyCode::kDragValue);
        return true;
    }
    return CommonMouseMove(point);
}

bool CVerticalSliderControl::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    m_state = ButtonState::Pressed;
    m_dragging = true;
    m_value = ValueAt(point.y());
    Notify(0, NotifyCode::kPress);
    return true;
}

bool CVerticalSliderControl::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    if (m_disabled)
        return false;
    const bool wasDragging = m_dragging;
    m_dragging = false;
    const ButtonState old = m_state;
    if (m_rect.Contains(point)) {
        m_state = ButtonState::Hover;
        Notify(0, NotifyCode::kClick);
    } else {
        m_state = ButtonState::Normal;
    }
    return wasDragging || m_state != old;
}

void CVerticalSliderControl::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    m_background.Draw(painter, UiRect{m_rect.left, m_rect.top,
                                      m_rect.left + UiScale::Scale(m_background.Width()),
                                      m_rect.top + UiScale::Scale(m_background.Height())});
    if (m_fill.IsNull() || m_rect.Height() <= 0)
        return;
    const int top = std::max(FillTop(), m_rect.top);
    const int shown = m_rect.bottom - top;
    if (shown <= 0)
        return;
    // The lower part of the fill image, in the same proportion as the filled part of the bar.
    const int sourceHeight = std::max(1, m_fill.Height() * shown / m_rect.Height());
    const QRect source(0, m_fill.Height() - sourceHeight, m_fill.Width(), sourceHeight);
    m_fill.Draw(painter, UiRect{m_rect.left, top, m_rect.left + UiScale::Scale(m_fill.Width()),
                                m_rect.bottom},
                source);
}

QAccessible::Role CVerticalSliderControl::AccessibleRole() const
{
    return QAccessible::Slider;
}

std::optional<AccessibleRange> CVerticalSliderControl::AccessibleValue() const
{
    return AccessibleRange{m_value, 0, std::max(0, m_stepCount - 1)};
}

std::optional<QPoint> CVerticalSliderControl::PointForValue(int value) const
{
    // The lowest point that reads as the value: where a press gives it.
    for (int y = m_rect.bottom; y >= m_rect.top; --y) {
        if (ValueAt(y) == value)
            return QPoint((m_rect.left + m_rect.right) / 2, y == m_rect.bottom ? y - 1 : y);
    }
    return std::nullopt;
}

QPoint CVerticalSliderControl::ClickPoint() const
{
    return PointForValue(m_value).value_or(CControlBase::ClickPoint());
}
