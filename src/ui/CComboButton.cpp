#include "ui/CComboButton.h"

#include "ui/SkinPainter.h"

namespace {
const QString kDisabledText = QStringLiteral("Disable");
constexpr int kStripLockedIdle = 3;
constexpr int kStripLockedActive = 4;
}  // namespace

CComboButton::CComboButton(CMessageWindow* parent, UiMessage notifyMessage, int id,
                           const UiRect& rect, unsigned format, QString caption,
                           ControlFlags flags, QString displayedText)
    : CControlBase(parent, id, rect, std::move(caption), flags),
      m_notifyMessage(notifyMessage),
      m_format(format),
      m_text(std::move(displayedText))
{
}

bool CComboButton::SetStripImage(const QString& name, int frameWidth)
{
    return m_frames.SetStrip(name, frameWidth);
}

bool CComboButton::SetImages(const QString& normal, const QString& hover)
{
    return m_frames.SetImages({normal, hover});
}

void CComboButton::SetTextMargins(int left, int right)
{
    m_marginLeft = left;
    m_marginRight = right;
}

void CComboButton::SetText(const QString& text)
{
    m_text = text;
    Invalidate();
}

void CComboButton::ReleaseImages()
{
    m_frames.Release();
}

bool CComboButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || m_state == ButtonState::Pressed)
        return false;
    const ButtonState old = m_state;
    if (m_rect.Contains(point)) {
        m_state = ButtonState::Hover;
        m_left = false;
        if (!m_entered) {
            NotifyWith(m_notifyMessage, static_cast<WParam>(m_id), NotifyCode::kEnter);
            if (m_enterCount < kEnterReports - 1)
                ++m_enterCount;
            else
                m_entered = true;
        }
    } else {
        m_state = ButtonState::Normal;
        if (!m_left && !m_open) {
            m_entered = false;
            m_enterCount = 0;
            m_left = true;
            NotifyWith(m_notifyMessage, static_cast<WParam>(m_id), NotifyCode::kLeave);
        }
    }
    return m_state != old;
}

bool CComboButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    if (m_disabled || !m_rect.Contains(point))
        return false;
    const ButtonState old = m_state;
    m_state = ButtonState::Pressed;
    if (!m_locked)
        Notify(0, NotifyCode::kPress);
    return m_state != old;
}

bool CComboButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    if (m_disabled)
        return false;
    const ButtonState old = m_state;
    if (m_rect.Contains(point)) {
        m_state = ButtonState::Hover;
        if (!m_locked)
            NotifyWith(m_notifyMessage, static_cast<WParam>(m_id), NotifyCode::kClick);
    } else {
        m_state = ButtonState::Normal;
    }
    return m_state != old;
}

int CComboButton::FrameIndex() const
{
    if (m_locked)
        return m_state != ButtonState::Normal ? kStripLockedActive : kStripLockedIdle;
    return m_open ? 1 : StateIndex();
}

void CComboButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    std::uint32_t color = SkinColor::kNormalText;
    if (m_frames.IsStrip()) {
        const int frame = FrameIndex();
        m_frames.Draw(painter, m_rect, frame);
        if (m_locked || frame != 0)
            color = SkinColor::kHoverText;
    } else {
        const bool lit = m_open || m_state != ButtonState::Normal;
        m_frames.Draw(painter, m_rect, lit ? 1 : 0);
        if (lit)
            color = SkinColor::kHoverText;
    }
    const UiRect textRect{m_rect.left + m_marginLeft, m_rect.top, m_rect.right - m_marginRight,
                          m_rect.bottom};
    SkinPainter::DrawText(painter, m_font, color, textRect, m_format | TextFormat::kButtonText,
                          m_showDisabledText ? kDisabledText : m_text);
}

QAccessible::Role CComboButton::AccessibleRole() const
{
    return QAccessible::ButtonMenu;
}

void CComboButton::AddAccessibleState(QAccessible::State& state) const
{
    CControlBase::AddAccessibleState(state);
    state.hasPopup = true;
    state.expanded = m_open;
    // A locked drop-down does not open.
    state.disabled = m_locked;
}

QString CComboButton::AccessibleName() const
{
    // What it is called, then what it shows: "Button 1: Left Click".
    const QString shown = m_showDisabledText ? kDisabledText : m_text;
    const QString label = CControlBase::AccessibleName();
    if (label.isEmpty())
        return shown;
    return shown.isEmpty() ? label : label + QStringLiteral(": ") + shown;
}
