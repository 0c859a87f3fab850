#include "macros/windows/ListScrolling.h"

#include "ui/CRowList.h"
#include "ui/CVScrollBar.h"

namespace ListScrolling {

void OnScrollBar(CRowList& list, CVScrollBar& bar, WParam part, LParam code)
{
    if (code == NotifyCode::kPress) {
        switch (part) {
        case ScrollPart::kLineUp:
            list.ScrollBy(-1);
            break;
        case ScrollPart::kLineDown:
            list.ScrollBy(1);
            break;
        case ScrollPart::kPageUp:
            list.ScrollBy(-list.VisibleRows());
            break;
        case ScrollPart::kPageDown:
            list.ScrollBy(list.VisibleRows());
            break;
        default:
            return;  // the thumb: its drag follows
        }
        Sync(list, bar);
    } else if (code == NotifyCode::kDragValue) {
        list.SetFirstVisible(bar.GetPos());
    } else if (code == NotifyCode::kClick) {
        Sync(list, bar);
    }
}

// One row per event, whatever its size: a touchpad's small deltas still move the list.
void OnWheel(CRowList& list, CVScrollBar& bar, int delta)
{
    if (delta == 0)
        return;
    list.ScrollBy(delta > 0 ? -1 : 1);
    Sync(list, bar);
}

void Sync(const CRowList& list, CVScrollBar& bar)
{
    bar.SetScrollInfo(list.FirstVisible(), list.VisibleRows(), list.RowCount());
}

}  // namespace ListScrolling
