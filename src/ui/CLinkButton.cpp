#include "ui/CLinkButton.h"

#include "ui/ControlIds.h"
#include "ui/SkinPainter.h"

CLinkButton::CLinkButton(CMessageWindow* parent, const UiRect& rect, unsigned format,
                         QString caption, ControlFlags flags)
    : CControlBase(parent, ControlId::kLinkButton, rect, std::move(caption), flags),
      m_format(format)
{
}

bool CLinkButton::SetStripImage(const QString& name, int frameWidth)
{
    return m_frames.SetStrip(name, frameWidth);
}

void CLinkButton::ReleaseImages()
{
    m_frames.Release();
}

bool CLinkButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    if (m_disabled)
        return false;
    const bool inside = m_rect.Contains(point);
    if (inside != m_inside) {
        m_inside = inside;
        Notify(0, inside ? NotifyCode::kEnter : NotifyCode::kLeave);
    }
    return CommonMouseMove(point);
}

bool CLinkButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CLinkButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonUp(point, [] {});
}

void CLinkButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    if (m_frames.IsStrip()) {
        m_frames.Draw(painter, m_rect, StateIndex());
        return;
    }
    std::uint32_t color = SkinColor::kNormalText;
    if (m_state == ButtonState::Hover)
        color = SkinColor::kHoverText;
    else if (m_state == ButtonState::Pressed)
        color = SkinColor::kPressedText;
    SkinPainter::DrawText(painter, m_font, color, m_rect, m_format | TextFormat::kButtonText,
                          m_caption);
}

QAccessible::Role CLinkButton::AccessibleRole() const
{
    return QAccessible::Link;
}
