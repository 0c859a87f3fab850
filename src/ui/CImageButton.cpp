#include "ui/CImageButton.h"

#include "ui/ControlIds.h"
#include "ui/SkinPainter.h"

CImageButton::CImageButton(CMessageWindow* parent, int id, const UiRect& rect, unsigned format,
                           QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags), m_format(format)
{
}

bool CImageButton::SetStripImage(const QString& name, int frameWidth)
{
    m_textMode = false;
    return m_frames.SetStrip(name, frameWidth);
}

bool CImageButton::SetTextImages(const QString& normal, const QString& hover)
{
    m_textMode = true;
    return m_frames.SetImages({normal, hover});
}

void CImageButton::SetTextMargin(int left)
{
    SetTextMargins(left, 0);
}

void CImageButton::SetTextMargins(int left, int right)
{
    m_marginLeft = left;
    m_marginRight = right;
}

void CImageButton::ReleaseImages()
{
    m_frames.Release();
}

bool CImageButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    const bool changed = CommonMouseMove(point);
    if (!m_disabled && m_id == ControlId::kHoverReportingButton &&
        m_state != ButtonState::Pressed && m_rect.Contains(point))
        Notify(0, NotifyCode::kHoverMove);
    return changed;
}

bool CImageButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CImageButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonUp(point, [] {}, static_cast<WParam>(m_id));
}

void CImageButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    if (!m_textMode) {
        m_frames.Draw(painter, m_rect, StateIndex());
        return;
    }
    const int background = m_state == ButtonState::Normal ? 0 : 1;
    if (!m_frames.HasFrame(background))
        return;
    m_frames.Draw(painter, m_rect, background);
    std::uint32_t color = SkinColor::kNormalText;
    if (m_state == ButtonState::Hover)
        color = SkinColor::kHoverText;
    else if (m_state == ButtonState::Pressed)
        color = SkinColor::kPressedText;
    const UiRect textRect{m_rect.left + m_marginLeft, m_rect.top, m_rect.right - m_marginRight,
                          m_rect.bottom};
    SkinPainter::DrawText(painter, m_font, color, textRect, m_format | TextFormat::kButtonText,
                          m_caption);
}
