#include "ui/CStaticProgressBar.h"

#include "ui/ControlIds.h"
#include "ui/UiScale.h"

#include <algorithm>

CStaticProgressBar::CStaticProgressBar(CMessageWindow* parent, const UiRect& rect, QString caption,
                                       ControlFlags flags)
    : CControlBase(parent, ControlId::kProgressBar, rect, std::move(caption),
                   ControlFlags{flags.visible, flags.shown, true})
{
}

bool CStaticProgressBar::SetImages(const QString& background, const QString& fill)
{
    const bool a = m_background.Load(background);
    const bool b = m_fill.Load(fill);
    return a && b;
}

void CStaticProgressBar::ReleaseImages()
{
    m_background.Release();
    m_fill.Release();
}

int CStaticProgressBar::FillWidth() const
{
    if (m_maximum <= 0)
        return 0;
    const int position = std::clamp(m_position, 0, m_maximum);
    return UiScale::Scale(position * m_fill.Width() / m_maximum);
}

void CStaticProgressBar::Draw(QPainter& painter, const UiRect& /*clip*/)
{
    m_background.Draw(painter, m_rect);
    if (m_fill.IsNull() || m_maximum <= 0)
        return;
    const int position = std::clamp(m_position, 0, m_maximum);
    const int sourceWidth = position * m_fill.Width() / m_maximum;
    if (sourceWidth <= 0)
        return;
    m_fill.Draw(painter, UiRect{m_rect.left, m_rect.top, m_rect.left + FillWidth(), m_rect.bottom},
                QRect(0, 0, sourceWidth, m_fill.Height()));
}

QAccessible::Role CStaticProgressBar::AccessibleRole() const
{
    return QAccessible::ProgressBar;
}

std::optional<AccessibleRange> CStaticProgressBar::AccessibleValue() const
{
    return AccessibleRange{m_position, 0, m_maximum};
}
