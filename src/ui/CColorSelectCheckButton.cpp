#include "ui/CColorSelectCheckButton.h"

#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

namespace {
constexpr int kSwatchInset = 3;  // design units between the frame and the colour
}

CColorSelectCheckButton::CColorSelectCheckButton(CMessageWindow* parent, int id,
                                                 const UiRect& rect, const UiRect& swatch,
                                                 QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags),
      // Inset once: insetting the stored rectangle on every paint would shrink the
      // swatch a little more each time the slot is drawn.
      m_swatch(swatch.Inset(UiScale::Scale(kSwatchInset), UiScale::Scale(kSwatchInset)))
{
}

void CColorSelectCheckButton::SetRect(int left, int top, int right, int bottom)
{
    const int dx = left - m_rect.left;
    const int dy = top - m_rect.top;
    CControlBase::SetRect(left, top, right, bottom);
    m_swatch = {m_swatch.left + dx, m_swatch.top + dy, m_swatch.right + dx, m_swatch.bottom + dy};
}

bool CColorSelectCheckButton::SetImages(const QString& unchecked, const QString& checked)
{
    return m_frames.SetImages({unchecked, checked});
}

bool CColorSelectCheckButton::SetStripImage(const QString& name, int frameWidth)
{
    return m_frames.SetStrip(name, frameWidth);
}

void CColorSelectCheckButton::ReleaseImages()
{
    m_frames.Release();
}

void CColorSelectCheckButton::SetColor(std::uint32_t colorRef)
{
    if (colorRef == m_color)
        return;
    m_color = colorRef;
    Invalidate();
}

bool CColorSelectCheckButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CColorSelectCheckButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CColorSelectCheckButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonUp(point, [] {});
}

bool CColorSelectCheckButton::OnLButtonDblClk(unsigned /*flags*/, QPoint point)
{
    if (!m_disabled && m_rect.Contains(point))
        Notify(0, NotifyCode::kDoubleClick);
    return false;
}

void CColorSelectCheckButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    m_frames.Draw(painter, m_rect, m_checked ? 1 : 0);
    SkinPainter::FillRect(painter, m_swatch, m_color);
}

QAccessible::Role CColorSelectCheckButton::AccessibleRole() const
{
    return QAccessible::RadioButton;
}

void CColorSelectCheckButton::AddAccessibleState(QAccessible::State& state) const
{
    CControlBase::AddAccessibleState(state);
    state.checkable = true;
    state.checked = m_checked;
}

QString CColorSelectCheckButton::AccessibleName() const
{
    return CControlBase::AccessibleName() + QLatin1Char(' ') + SkinPainter::FromColorRef(m_color).name();
}
