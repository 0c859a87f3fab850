#include "macros/windows/CMacroActionList.h"

#include "macros/windows/MacroActionRows.h"

void CMacroActionList::SetRows(MacroActionRows* rows)
{
    m_rows = rows;
    SetSource(rows);
}

bool CMacroActionList::OnLButtonDown(unsigned flags, QPoint point)
{
    if (RowAt(point) < 0)
        return false;
    return CImageShowList::OnLButtonDown(flags, point);
}

AccessibleItem CMacroActionList::AccessibleItemAt(int index) const
{
    AccessibleItem item = CImageShowList::AccessibleItemAt(index);
    if (m_rows != nullptr && index >= 0 && index < RowCount())
        item.name = m_rows->SpokenText(index);
    return item;
}
