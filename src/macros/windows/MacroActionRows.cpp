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

void MacroActionRows::SetTransitionNames(QString pressed, QString released)
{
    m_pressed = std::move(pressed);
    m_released = std::move(released);
}

QString MacroActionRows::SpokenText(int index) const
{
    const ListRow row = Row(index);
    if (index < 0 || index >= RowCount() ||
        !MacroActionEditing::ShowsPressOrRelease(m_macro->Get(static_cast<std::uint32_t>(index))))
        return row.text;
    const bool released = row.icon == static_cast<int>(MacroActionEditing::ActionPicture::Release);
    const QString& format = released ? m_released : m_pressed;
    // A language file without the "%1" still names the row, with the text first.
    if (format.contains(QStringLiteral("%1")))
        return format.arg(row.text);
    return format.isEmpty() ? row.text : row.text + QLatin1Char(' ') + format;
}
