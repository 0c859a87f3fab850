#pragma once

#include "macros/MacroItemLocation.h"
#include "ui/ListRowSource.h"

#include <vector>

class MacroLibrary;

// The macro tree as the tree list shows it: the library's flattened view, kept as a list
// of locations so that painting a page of rows does not walk the tree once per row.
// Rebuild() after every change to the library's items or open flags.
class MacroTreeRows : public ListRowSource {
public:
    explicit MacroTreeRows(MacroLibrary& library);

    void Rebuild();
    [[nodiscard]] MacroItemLocation LocationOf(int row) const;
    [[nodiscard]] int RowOf(const MacroItemLocation& location) const;

    [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] ListRow Row(int index) const override;
    // Opens a closed folder and closes an open one.
    void ToggleFolder(int index) override;

private:
    MacroLibrary& m_library;
    std::vector<MacroItemLocation> m_rows;
};
