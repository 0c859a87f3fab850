#pragma once

#include "ui/CImageShowList.h"

class MacroActionRows;

// The manager's action list: a press below the last action keeps the selected action
// (the toolkit's list would clear it), and a row read by a screen reader says whether it
// presses or releases its key.
class CMacroActionList : public CImageShowList {
public:
    using CImageShowList::CImageShowList;

    // Shows `rows` from the first row with no action selected.
    void SetRows(MacroActionRows* rows);

    bool OnLButtonDown(unsigned flags, QPoint point) override;
    [[nodiscard]] AccessibleItem AccessibleItemAt(int index) const override;

private:
    MacroActionRows* m_rows = nullptr;
};
