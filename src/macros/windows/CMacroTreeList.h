#pragma once

#include "ui/CEditShowList.h"

// The macro library's tree list (the manager's and the selection window's): the toolkit's
// tree, which also reports a left press on it (code 1), because the press is what selects
// a row, whether or not the button is released inside the list.
class CMacroTreeList : public CEditShowList {
public:
    using CEditShowList::CEditShowList;

    bool OnLButtonDown(unsigned flags, QPoint point) override;
};
