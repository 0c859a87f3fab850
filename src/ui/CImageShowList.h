#pragma once

#include "ui/CRowList.h"
#include "ui/SkinImage.h"

#include <vector>

// The action list (id 2020): rows of text, each with an optional icon, on a dark
// background; the selected row is highlighted. A press selects; a double click reports
// code 10.
class CImageShowList : public CRowList {
public:
    CImageShowList(CMessageWindow* parent, const UiRect& rect, QString caption = {},
                   ControlFlags flags = {});

    // Icon number index of the rows (ListRow::icon).
    bool SetIcon(int index, const QString& name);

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonDblClk(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

protected:
    int DrawRowIcons(QPainter& painter, const ListRow& row, const UiRect& rowRect) override;

private:
    std::vector<SkinImage> m_icons;
};
