#pragma once

#include "ui/CRowList.h"
#include "ui/SkinImage.h"

// The macro library tree (id 2015): folders with an open or closed icon, macros below
// them, indented by depth. A press selects and, on a folder's expander area, opens or
// closes it; a double click toggles the folder and reports code 10; a right click selects
// and reports code 11 with a pointer to the click point in wParam; a release reports code 2.
class CEditShowList : public CRowList {
public:
    CEditShowList(CMessageWindow* parent, const UiRect& rect, QString caption = {},
                  ControlFlags flags = {});

    bool SetFolderImages(const QString& open, const QString& closed);
    // Width of a folder icon in design units (the images' width, 16 without them).
    [[nodiscard]] int IconWidth() const;
    // Right edge of a row's expander area.
    [[nodiscard]] int ExpanderRight(int row) const;
    // The point of the last right click; wParam of code 11 points at it.
    [[nodiscard]] QPoint LastRightClickPoint() const { return m_rightClickPoint; }

    void Draw(QPainter& painter, const UiRect& clip) override;
    [[nodiscard]] QAccessible::Role AccessibleRole() const override;
    bool OnLButtonDown(unsigned flags, QPoint point) override;
    bool OnLButtonUp(unsigned flags, QPoint point) override;
    bool OnLButtonDblClk(unsigned flags, QPoint point) override;
    bool OnRButtonUp(unsigned flags, QPoint point) override;
    void ReleaseImages() override;

protected:
    int DrawRowIcons(QPainter& painter, const ListRow& row, const UiRect& rowRect) override;

private:
    SkinImage m_folderOpen;
    SkinImage m_folderClosed;
    QPoint m_rightClickPoint;
};
