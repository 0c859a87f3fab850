#include "macros/windows/MacroTreeRows.h"

#include "macros/MacroLibrary.h"

#include <algorithm>

MacroTreeRows::MacroTreeRows(MacroLibrary& library) : m_library(library)
{
    Rebuild();
}

void MacroTreeRows::Rebuild()
{
    m_rows.clear();
    // The flattened view in one walk: every used top-level item, the used children of an
    // open folder after it, and so on.
    for (std::int32_t i = 0; i < MacroLibrary::kBlockSize; ++i) {
        const MacroItemLocation top = MacroItemLocation::Level0(i);
        const MacroItem* item = m_library.Item(top);
        if (item == nullptr || !item->IsUsed())
            continue;
        m_rows.push_back(top);
        if (!item->IsOpenFolder())
            continue;
        for (std::int32_t j = 0; j < MacroLibrary::kBlockSize; ++j) {
            const MacroItemLocation child = MacroItemLocation::Level1(i, j);
            const MacroItem* childItem = m_library.Item(child);
            if (childItem == nullptr || !childItem->IsUsed())
                continue;
            m_rows.push_back(child);
            if (!childItem->IsOpenFolder())
                continue;
            for (std::int32_t k = 0; k < MacroLibrary::kBlockSize; ++k) {
                const MacroItemLocation grandchild = MacroItemLocation::Level2(i, j, k);
                const MacroItem* grandchildItem = m_library.Item(grandchild);
                if (grandchildItem != nullptr && grandchildItem->IsUsed())
                    m_rows.push_back(grandchild);
            }
        }
    }
}

MacroItemLocation MacroTreeRows::LocationOf(int row) const
{
    if (row < 0 || row >= RowCount())
        return MacroItemLocation::None();
    return m_rows[static_cast<std::size_t>(row)];
}

int MacroTreeRows::RowOf(const MacroItemLocation& location) const
{
    const auto found = std::find(m_rows.begin(), m_rows.end(), location);
    return found == m_rows.end() ? -1 : static_cast<int>(found - m_rows.begin());
}

ListRow MacroTreeRows::Row(int index) const
{
    const MacroItem* item = m_library.Item(LocationOf(index));
    if (item == nullptr)
        return {};
    ListRow row;
    row.text = QString::fromStdU16String(item->name);
    row.depth = LocationOf(index).stage;
    row.isFolder = item->isFolder;
    row.isOpen = item->IsOpenFolder();
    return row;
}

void MacroTreeRows::ToggleFolder(int index)
{
    const MacroItemLocation location = LocationOf(index);
    const MacroItem* item = m_library.Item(location);
    if (item == nullptr || !item->isFolder)
        return;
    m_library.MutableItem(location)->folderIsOpen = item->IsOpenFolder() ? 0 : 1;
    Rebuild();
}
