#pragma once

#include "macros/MacroItemLocation.h"
#include "ui/ListRowSource.h"

class MacroLibrary;

// The macro library as the tree list shows it: the flattened view of the library (every
// top-level item, and the children of open folders), one row per item, indented by level.
// Opening and closing a folder changes the library's open flag, which the library file
// keeps.
class MacroTreeRows : public ListRowSource {
public:
    explicit MacroTreeRows(MacroLibrary& library) : m_library(library) {}

    [[nodiscard]] int RowCount() const override;
    [[nodiscard]] ListRow Row(int index) const override;
    void ToggleFolder(int index) override;

    [[nodiscard]] MacroItemLocation LocationOf(int row) const;
    // -1 when the location is not a visible row.
    [[nodiscard]] int RowOf(const MacroItemLocation& location) const;

private:
    MacroLibrary& m_library;
};
