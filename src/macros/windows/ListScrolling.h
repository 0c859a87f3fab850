#pragma once

#include "ui/UiMessages.h"

class CRowList;
class CVScrollBar;

// How the macro windows scroll their lists with the scroll bar beside each: a press on an
// arrow or the track moves by a row or a page, a thumb drag sets the first shown row, the
// wheel moves one row per notch.
namespace ListScrolling {

// A notification of `bar` (part in wParam, code in lParam).
void OnScrollBar(CRowList& list, CVScrollBar& bar, WParam part, LParam code);
// A wheel event: one row up for a positive delta, one down for a negative one.
void OnWheel(CRowList& list, CVScrollBar& bar, int delta);
// The bar shows the list's first row, rows shown and row count.
void Sync(const CRowList& list, CVScrollBar& bar);

}  // namespace ListScrolling
