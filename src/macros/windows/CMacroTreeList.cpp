#include "macros/windows/CMacroTreeList.h"

bool CMacroTreeList::OnLButtonDown(unsigned flags, QPoint point)
{
    const bool changed = CEditShowList::OnLButtonDown(flags, point);
    if (changed)
        Notify(0, NotifyCode::kPress);
    return changed;
}
