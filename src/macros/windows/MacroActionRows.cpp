#include "macros/windows/MacroActionRows.h"

#include "macros/MacroActionEditing.h"
#include "macros/MacroKey.h"

int MacroActionRows::RowCount() const
{
    return m_macro != nullptr ? static_cast<int>(m_macro->UsableActionCount()) : 0;
}

ListRow MacroActionRows::Row(int index) const
{
    if (index < 0 || index >= RowCount())
        return {};
    const MacroAction action = m_macro->Get(static_cast<std::uint32_t>(index));
    ListRow row;
    row.text = QString::fromStdU16String(MacroActionEditing::RowText(action));
    row.icon = static_cast<int>(MacroActionEditing::RowPicture(action));
    return row;
}
