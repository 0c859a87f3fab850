#include "ui/CStaticText.h"

#include "ui/SkinPainter.h"

CStaticText::CStaticText(CMessageWindow* parent, int id, const UiRect& rect, std::uint32_t colorRef,
                         unsigned format, QString caption, ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), ControlFlags{flags.visible, flags.shown, true}),
      m_color(colorRef),
      m_format(format)
{
}

void CStaticText::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    SkinPainter::DrawText(painter, m_font, m_color, m_rect,
                          m_format | TextFormat::kWordEllipsis | TextFormat::kVCenter, m_caption);
}

QAccessible::Role CStaticText::AccessibleRole() const
{
    return QAccessible::StaticText;
}
