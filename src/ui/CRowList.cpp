#include "ui/CRowList.h"

#include "ui/SkinPainter.h"
#include "ui/UiScale.h"

#include <QPainter>

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


void CRowList::DrawRows(QPainter& painter, const UiRect& clip, std::uint32_t background, int leftInset,
                        int rightInset)
{
    SkinPainter::FillRect(painter, m_rect, background);
    const int last = std::min(RowCount(), m_firstVisible + VisibleRows() + 1);
    painter.save();
    painter.setClipRect(m_rect.ToQRect(), Qt::IntersectClip);
    for (int row = m_firstVisible; row < last; ++row) {
        UiRect rowRect = RowRect(row);
        rowRect.left += UiScale::Scale(leftInset);
        rowRect.right -= UiScale::Scale(rightInset);
        if (!rowRect.Intersects(clip))
            continue;
        const ListRow data = m_source->Row(row);
        const bool selected = row == m_selection;
        if (selected)
            SkinPainter::FillRect(painter, rowRect, kSelectedBackground);
        const int textLeft = DrawRowIcons(painter, data, rowRect);
        SkinPainter::DrawText(painter, m_font, kText,
                              UiRect{textLeft, rowRect.top, rowRect.right, rowRect.bottom},
                              TextFormat::kButtonText, data.text);
    }
    painter.restore();
}

int CRowList::AccessibleItemCount() const
{
    return RowCount();
}

AccessibleItem CRowList::AccessibleItemAt(int index) const
{
    AccessibleItem item;
    if (m_source == nullptr || index < 0 || index >= RowCount())
        return item;
    const ListRow row = m_source->Row(index);
    item.name = row.text;
    item.selected = index == m_selection;
    item.expandable = row.isFolder;
    item.expanded = row.isFolder && row.isOpen;
    item.depth = row.depth;
    if (index >= m_firstVisible && index < m_firstVisible + VisibleRows())
        item.rect = RowRect(index);
    return item;
}

QPoint CRowList::ClickPoint() const
{
    if (RowCount() == 0)
        return CControlBase::ClickPoint();
    const bool selectionShown = m_selection >= m_firstVisible && m_selection < m_firstVisible + VisibleRows();
    return RowClickPoint(selectionShown ? m_selection : m_firstVisible);
}

QPoint CRowList::RowClickPoint(int row) const
{
    const UiRect rect = RowRect(row);
    // Right of the expander, so that a click selects without opening or closing.
    return {rect.right - 2, (rect.top + rect.bottom) / 2};
}

std::optional<QPoint> CRowList::RevealItem(int index)
{
    if (index < 0 || index >= RowCount())
        return std::nullopt;
    if (index < m_firstVisible)
        SetFirstVisible(index);
    else if (index >= m_firstVisible + VisibleRows())
        SetFirstVisible(index - VisibleRows() + 1);
    Invalidate();
    return RowClickPoint(index);
}
