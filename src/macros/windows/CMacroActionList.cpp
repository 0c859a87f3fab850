#include "macros/windows/CMacroActionList.h"

bool CMacroActionList::OnLButtonDown(unsigned flags, QPoint point)
{
    if (RowAt(point) < 0)
        return false;
    return CImageShowList::OnLButtonDown(flags, point);
}
