#pragma once

#include "ui/CImageShowList.h"

// The manager's action list: a press below the last action keeps the selected action
// (the toolkit's list would clear it).
class CMacroActionList : public CImageShowList {
public:
    using CImageShowList::CImageShowList;

    bool OnLButtonDown(unsigned flags, QPoint point) override;
};
