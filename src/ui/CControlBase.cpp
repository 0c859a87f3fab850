#include "ui/CControlBase.h"

#include "ui/CMessageWindow.h"
#include "ui/UiFont.h"

CControlBase::CControlBase(CMessageWindow* parent, int id, const UiRect& rect, QString caption,
                           ControlFlags flags)
    : m_id(id),
      m_rect(rect),
      m_visible(flags.visible),
      m_shown(flags.shown),
      m_disabled(flags.disabled),
      m_caption(std::move(caption)),
      m_parent(parent),
      m_font(UiFont::ControlQFont())
{
}

CControlBase::~CControlBase() = default;

int CControlBase::CancelPress(int /*reason*/)
{
    return 0;
}

void CControlBase::SetRect(int left, int top, int right, int bottom)
{
    m_rect = {left, top, right, bottom};
}

UiRect CControlBase::GetRect() const
{
    return m_rect;
}

void CControlBase::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    Invalidate();
}

QString CControlBase::GetCaption() const
{
    return m_caption;
}

void CControlBase::SetVisible(bool visible)
{
    m_visible = visible;
}

void CControlBase::SetShown(bool shown)
{
    m_shown = shown;
}

bool CControlBase::OnMouseMove(unsigned /*flags*/, QPoint /*point*/)
{
    return false;
}

bool CControlBase::OnLButtonDown(unsigned /*flags*/, QPoint /*point*/)
{
    return false;
}

bool CControlBase::OnLButtonUp(unsigned /*flags*/, QPoint /*point*/)
{
    return false;
}

bool CControlBase::OnRButtonUp(unsigned /*flags*/, QPoint /*point*/)
{
    return false;
}

bool CControlBase::OnLButtonDblClk(unsigned /*flags*/, QPoint /*point*/)
{
    return false;
}

void CControlBase::ReleaseImages() {}

LResult CControlBase::Notify(WParam wParam, LParam code)
{
    return NotifyWith(static_cast<UiMessage>(m_id), wParam, code);
}

LResult CControlBase::NotifyWith(UiMessage message, WParam wParam, LParam code)
{
    if (m_parent == nullptr)
        return 0;
    return m_parent->SendMessage(message, wParam, code);
}

void CControlBase::Invalidate()
{
    if (m_parent != nullptr)
        m_parent->InvalidateRect(m_rect);
}

bool CControlBase::CommonMouseMove(QPoint point)
{
    if (m_disabled || m_state == ButtonState::Pressed)
        return false;
    const ButtonState old = m_state;
    m_state = m_rect.Contains(point) ? ButtonState::Hover : ButtonState::Normal;
    return m_state != old;
}

bool CControlBase::CommonLButtonDown(QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const ButtonState old = m_state;
    m_state = ButtonState::Pressed;
    Notify(0, NotifyCode::kPress);
    return m_state != old;
}

QAccessible::Role CControlBase::AccessibleRole() const
{
    return m_accessibleRole.value_or(QAccessible::Button);
}

QString CControlBase::AccessibleName() const
{
    return m_accessibleName.isEmpty() ? m_caption : m_accessibleName;
}

void CControlBase::AddAccessibleState(QAccessible::State& state) const
{
    state.pressed = m_state == ButtonState::Pressed;
}

std::optional<AccessibleRange> CControlBase::AccessibleValue() const
{
    return std::nullopt;
}

std::optional<QPoint> CControlBase::PointForValue(int /*value*/) const
{
    return std::nullopt;
}

std::optional<QPoint> CControlBase::StepPoint(int direction) const
{
    const std::optional<AccessibleRange> range = AccessibleValue();
    if (!range)
        return std::nullopt;
    // Steps closer together than pixels cannot all be clicked: the next one that can.
    for (int target = range->value + direction; target >= range->minimum && target <= range->maximum;
         target += direction) {
        if (const std::optional<QPoint> point = PointForValue(target))
            return point;
    }
    return std::nullopt;
}

int CControlBase::AccessibleItemCount() const
{
    return 0;
}

AccessibleItem CControlBase::AccessibleItemAt(int /*index*/) const
{
    return {};
}

std::optional<QPoint> CControlBase::RevealItem(int /*index*/)
{
    return std::nullopt;
}

int CControlBase::CurrentItem() const
{
    return -1;
}

QPoint CControlBase::ClickPoint() const
{
    return {(m_rect.left + m_rect.right) / 2, (m_rect.top + m_rect.bottom) / 2};
}

bool CControlBase::IsFocusable() const
{
    if (!m_visible || !m_shown || m_disabled || !m_enabled || m_rect.IsEmpty())
        return false;
    switch (AccessibleRole()) {
    case QAccessible::StaticText:
    case QAccessible::Graphic:
    case QAccessible::ProgressBar:
    case QAccessible::Indicator:
        return false;
    default:
        return true;
    }
}
