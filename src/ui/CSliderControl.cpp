#include "ui/CSliderControl.h"

#include "ui/UiScale.h"

#include <algorithm>

CSliderControl::CSliderControl(CMessageWindow* parent, int id, const UiRect& rect, int stepCount,
                               int leftPad, int rightPad, QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags),
      m_leftPad(leftPad),
      m_rightPad(rightPad)
{
    BuildSteps(stepCount);
    SetPos(0);
}

void CSliderControl::BuildSteps(int stepCount)
{
    m_steps.assign(static_cast<std::size_t>(std::max(stepCount, 0)), 0);
    const int n = stepCount;
    if (n < 1)
        return;
    const int span = m_rect.Width() - m_leftPad - m_rightPad;
    for (int i = 1; i < n - 1; ++i)
        m_steps[static_cast<std::size_t>(i)] = i * span / (n - 1) + m_rect.left + m_leftPad;
    m_steps.front() = m_rect.left + m_leftPad;
    m_steps.back() = m_rect.right - m_rightPad;
}

void CSliderControl::SetStepCount(int stepCount)
{
    BuildSteps(stepCount);
    SetPos(std::clamp(m_index, 0, std::max(0, stepCount - 1)));
}

bool CSliderControl::SetThumbImage(const QString& name)
{
    return m_thumb.Load(name);
}

void CSliderControl::ReleaseImages()
{
    m_thumb.Release();
}

void CSliderControl::SetPos(int index)
{
    if (m_steps.empty()) {
        m_index = 0;
        m_thumbRect = {m_rect.left, m_rect.top, m_rect.left, m_rect.bottom};
        return;
    }
    m_index = std::clamp(index, 0, StepCount() - 1);
    const int step = m_steps[static_cast<std::size_t>(m_index)];
    m_thumbRect = {step - m_leftPad, m_rect.top, step + m_rightPad, m_rect.bottom};
}

int CSliderControl::NearestStep(int x) const
{
    const int n = StepCount();
    if (n < 1)
        return 0;
    for (int i = 0; i + 1 < n; ++i) {
        if (x < (m_steps[static_cast<std::size_t>(i)] + m_steps[static_cast<std::size_t>(i + 1)]) / 2)
            return i;
    }
    return n - 1;
}

int CSliderControl::ThumbLeft() const
{
    if (m_dragging) {
        const int thumbWidth = UiScale::Scale(m_thumb.Width());
        return std::max(m_rect.left, std::min(m_dragX, m_rect.right - thumbWidth));
    }
    if (m_steps.empty())
        return m_rect.left;
    return m_steps[static_cast<std::size_t>(m_index)] - m_leftPad;
}

void CSliderControl::DragTo(int x)
{
    const int clamped = std::clamp(x, m_rect.left, m_rect.right);
    m_dragX = clamped - m_leftPad;
    const int index = NearestStep(clamped);
    m_index = index;
    m_lastSent = index;
    Invalidate();
    Notify(static_cast<WParam>(index), NotifyCode::kDragValue);
}

bool CSliderControl::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    if (m_disabled)
        return false;
    const ButtonState old = m_state;
    if (m_state != ButtonState::Pressed)
        m_state = m_rect.Contains(point) ? ButtonState::Hover : ButtonState::Normal;
    if (m_state == ButtonState::Normal)
        m_dragging = false;
    if (m_dragging) {
        DragTo(point.x());
        return true;
    }
    return m_state != old;
}

bool CSliderControl::ContinueDrag(int x, int /*y*/)
{
    if (!m_dragging)
        return false;
    if (m_state != ButtonState::Normal)
        DragTo(x);
    return true;
}

bool CSliderControl::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    m_state = ButtonState::Pressed;
    if (m_thumbRect.Contains(point)) {
        m_dragging = true;
        m_dragX = point.x() - m_leftPad;
    }
    Notify(0, NotifyCode::kPress);
    return true;
}

bool CSliderControl::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    if (m_disabled)
        return false;
    m_dragging = false;
    if (m_rect.Contains(point)) {
        m_state = ButtonState::Hover;
        SetPos(NearestStep(point.x()));
        Notify(0, NotifyCode::kClick);
    } else {
        // Keep the press area on the step the drag left the thumb at.
        m_state = ButtonState::Normal;
        SetPos(m_index);
    }
    return true;
}

void CSliderControl::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    if (m_thumb.IsNull())
        return;
    const int left = ThumbLeft();
    m_thumb.Draw(painter, UiRect{left, m_rect.top, left + UiScale::Scale(m_thumb.Width()),
                                 m_rect.top + UiScale::Scale(m_thumb.Height())});
}

QAccessible::Role CSliderControl::AccessibleRole() const
{
    return QAccessible::Slider;
}

std::optional<AccessibleRange> CSliderControl::AccessibleValue() const
{
    return AccessibleRange{m_index, 0, std::max(0, StepCount() - 1)};
}

std::optional<QPoint> CSliderControl::PointForValue(int value) const
{
    if (value < 0 || value >= StepCount())
        return std::nullopt;
    // Where a release selects the step: on the step itself, unless steps lie so close that
    // the step's own pixel is the midpoint that rounds up; then the nearest pixel that
    // selects it.
    const int y = (m_rect.top + m_rect.bottom) / 2;
    const int x = m_steps[static_cast<std::size_t>(value)];
    for (const int candidate : {x, x - 1, x + 1}) {
        if (m_rect.Contains(candidate, y) && NearestStep(candidate) == value)
            return QPoint(candidate, y);
    }
    return std::nullopt;
}

QPoint CSliderControl::ClickPoint() const
{
    return PointForValue(m_index).value_or(CControlBase::ClickPoint());
}
