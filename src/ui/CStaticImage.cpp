#include "ui/CStaticImage.h"

CStaticImage::CStaticImage(CMessageWindow* parent, int id, const UiRect& rect, QString caption,
                           ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), ControlFlags{flags.visible, flags.shown, true})
{
}

bool CStaticImage::SetImage(const QString& name)
{
    return m_image.Load(name);
}

void CStaticImage::ReleaseImages()
{
    m_image.Release();
}

void CStaticImage::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    m_image.Draw(painter, m_rect);
}

QAccessible::Role CStaticImage::AccessibleRole() const
{
    return QAccessible::Graphic;
}
