#include "macros/windows/MacroTreeRows.h"

#include "macros/MacroLibrary.h"

int MacroTreeRows::RowCount() const
{
    return m_library.VisibleRowCount();
}

ListRow MacroTreeRows::Row(int index) const
{
    const MacroItemLocation location = m_library.RowToLocation(index);
    const MacroItem* item = m_library.Item(location);
    if (item == nullptr)
        return {};
    ListRow row;
    row.text = QString::fromStdU16String(item->name);
    row.depth = location.stage;
    row.isFolder = item->isFolder;
    row.isOpen = item->IsOpenFolder();
    return row;
}

// A folder with any open flag but 1 shows closed, so a click opens it.
void MacroTreeRows::ToggleFolder(int index)
{
    MacroItem* item = m_library.MutableItem(m_library.RowToLocation(index));
    if (item != nullptr && item->IsUsed() && item->isFolder)
        item->folderIsOpen = item->IsOpenFolder() ? 0 : 1;
}

MacroItemLocation MacroTreeRows::LocationOf(int row) const
{
    return row < 0 ? MacroItemLocation::None() : m_library.RowToLocation(row);
}

int MacroTreeRows::RowOf(const MacroItemLocation& location) const
{
    return location.IsNone() ? -1 : m_library.LocationToRow(location);
}
