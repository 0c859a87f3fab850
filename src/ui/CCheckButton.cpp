#include "ui/CCheckButton.h"

#include "ui/SkinPainter.h"

CCheckButton::CCheckButton(CMessageWindow* parent, int id, const UiRect& rect, unsigned format,
                           QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags), m_format(format)
{
}

bool CCheckButton::SetImages(const QString& normal, const QString& hover, const QString& checked)
{
    return m_frames.SetImages({normal, hover, checked});
}

bool CCheckButton::SetStripImage(const QString& name, int frameWidth)
{
    return m_frames.SetStrip(name, frameWidth);
}

void CCheckButton::SetCaptions(const QString& unchecked, const QString& checked)
{
    m_uncheckedCaption = unchecked;
    m_checkedCaption = checked;
}

void CCheckButton::SetTextMargins(int left, int right)
{
    m_marginLeft = left;
    m_marginRight = right;
}

void CCheckButton::ReleaseImages()
{
    m_frames.Release();
}

int CCheckButton::FrameIndex() const
{
    return m_checked ? 2 : StateIndex();
}

bool CCheckButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CCheckButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CCheckButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    const bool wasChecked = m_checked;
    const bool changed = CommonLButtonUp(point, [this] { m_checked = !m_checked; });
    return changed || wasChecked != m_checked;
}

void CCheckButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    const int frame = FrameIndex();
    m_frames.Draw(painter, m_rect, frame);
    std::uint32_t color = m_normalColor;
    if (frame == 0) {
        if (!m_uncheckedCaption.isEmpty())
            m_caption = m_uncheckedCaption;
    } else if (frame == 1) {
        color = m_hoverColor;
        if (!m_uncheckedCaption.isEmpty())
            m_caption = m_uncheckedCaption;
    } else {
        color = m_checkedColor;
        if (!m_checkedCaption.isEmpty())
            m_caption = m_checkedCaption;
    }
    const UiRect textRect{m_rect.left + m_marginLeft, m_rect.top, m_rect.right - m_marginRight,
                          m_rect.bottom};
    SkinPainter::DrawText(painter, m_font, color, textRect, m_format | TextFormat::kButtonText,
                          m_caption);
}

QAccessible::Role CCheckButton::AccessibleRole() const
{
    if (m_expander)
        return QAccessible::Button;
    return CControlBase::AccessibleRole() == QAccessible::Button ? QAccessible::CheckBox
                                                                  : CControlBase::AccessibleRole();
}

void CCheckButton::AddAccessibleState(QAccessible::State& state) const
{
    CControlBase::AddAccessibleState(state);
    if (m_expander) {
        state.expandable = true;
        state.expanded = m_checked;
        state.collapsed = !m_checked;
    } else {
        state.checkable = true;
        state.checked = m_checked;
    }
}
