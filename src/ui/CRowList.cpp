#include "ui/CRowList.h"

#include "ui/UiScale.h"

#include <algorithm>
#include <cmath>

CRowList::CRowList(CMessageWindow* parent, int id, const UiRect& rect, QString caption,
                   ControlFlags flags)
    : CControlBase(parent, id, rect, std::move(caption), flags)
{
}

void CRowList::SetSource(ListRowSource* source)
{
    m_source = source;
    m_firstVisible = 0;
    m_selection = -1;
    Invalidate();
}

int CRowList::RowCount() const
{
    return m_source != nullptr ? m_source->RowCount() : 0;
}

int CRowList::RowHeight() const
{
    return std::max(1, UiScale::Scale(kRowHeight));
}

int CRowList::VisibleRows() const
{
    return static_cast<int>(std::lround(static_cast<double>(m_rect.Height()) / RowHeight()));
}

void CRowList::SetFirstVisible(int row)
{
    const int last = std::max(0, RowCount() - VisibleRows());
    m_firstVisible = std::clamp(row, 0, last);
    Invalidate();
}

void CRowList::SetSelection(int row)
{
    m_selection = (row >= 0 && row < RowCount()) ? row : -1;
    EnsureSelectionVisible();
    Invalidate();
}

void CRowList::EnsureSelectionVisible()
{
    if (m_selection < 0)
        return;
    if (m_selection >= m_firstVisible + VisibleRows())
        m_firstVisible = m_selection - VisibleRows() + 1;
    else if (m_selection < m_firstVisible)
        m_firstVisible = m_selection;
}

int CRowList::RowAt(QPoint point) const
{
    if (!m_rect.Contains(point))
        return -1;
    const int row = (point.y() - m_rect.top) / RowHeight() + m_firstVisible;
    return row < RowCount() ? row : -1;
}

UiRect CRowList::RowRect(int row) const
{
    const int top = m_rect.top + (row - m_firstVisible) * RowHeight();
    return {m_rect.left, top, m_rect.right, std::min(top + RowHeight(), m_rect.bottom)};
}
