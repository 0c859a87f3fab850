#include "ui/CColorSelectButton.h"

#include "ui/SkinPainter.h"

CColorSelectButton::CColorSelectButton(CMessageWindow* parent, int id, const UiRect& rect,
                                       const UiRect& swatch, QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags), m_swatch(swatch)
{
}

void CColorSelectButton::SetColor(std::uint32_t colorRef)
{
    if (colorRef == m_color)
        return;
    m_color = colorRef;
    Invalidate();
}

bool CColorSelectButton::OnMouseMove(unsigned /*flags*/, QPoint point)
{
    return CommonMouseMove(point);
}

bool CColorSelectButton::OnLButtonDown(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonDown(point);
}

bool CColorSelectButton::OnLButtonUp(unsigned /*flags*/, QPoint point)
{
    return CommonLButtonUp(point, [] {});
}

void CColorSelectButton::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    SkinPainter::FillRect(painter, m_swatch, m_color);
}

QString CColorSelectButton::AccessibleName() const
{
    return CControlBase::AccessibleName() + QLatin1Char(' ') + SkinPainter::FromColorRef(m_color).name();
}
