#pragma once

#include <QString>

// One row of a list control, as the list shows it.
struct ListRow {
    QString text;
    int depth = 0;          // indentation level, 0 at the root
    bool isFolder = false;
    bool isOpen = false;    // folders: children shown
    int icon = -1;          // image list: index of the row's icon, -1 for none
};

// What the list controls read their rows from: the flattened view of a tree (folders
// with their open children) or a plain list. The list never looks behind it.
class ListRowSource {
public:
    virtual ~ListRowSource() = default;
    [[nodiscard]] virtual int RowCount() const = 0;
    [[nodiscard]] virtual ListRow Row(int index) const = 0;
    // Opens or closes the folder of a row; the rows after it change accordingly.
    virtual void ToggleFolder(int /*index*/) {}
};
