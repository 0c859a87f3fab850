#include "SampleRows.h"

SampleMacroTree::SampleMacroTree()
    : m_folders{{QStringLiteral("Shooter"), true,
                 {QStringLiteral("Burst fire"), QStringLiteral("Quick reload"),
                  QStringLiteral("Crouch jump")}},
                {QStringLiteral("Strategy"), false,
                 {QStringLiteral("Build order"), QStringLiteral("Select army")}},
                {QStringLiteral("Office"), true,
                 {QStringLiteral("Copy and paste"), QStringLiteral("Signature")}}},
      m_looseMacros{QStringLiteral("Hello world"), QStringLiteral("A very long macro name that does not fit")}
{
}

std::vector<SampleMacroTree::FlatRow> SampleMacroTree::Flatten() const
{
    std::vector<FlatRow> rows;
    for (std::size_t i = 0; i < m_folders.size(); ++i) {
        const Folder& folder = m_folders[i];
        rows.push_back({ListRow{folder.name, 0, true, folder.isOpen, -1}, static_cast<int>(i)});
        if (!folder.isOpen)
            continue;
        for (const QString& macro : folder.macros)
            rows.push_back({ListRow{macro, 1, false, false, -1}, static_cast<int>(i)});
    }
    for (const QString& macro : m_looseMacros)
        rows.push_back({ListRow{macro, 0, false, false, -1}, -1});
    return rows;
}

int SampleMacroTree::RowCount() const
{
    return static_cast<int>(Flatten().size());
}

ListRow SampleMacroTree::Row(int index) const
{
    const auto rows = Flatten();
    if (index < 0 || index >= static_cast<int>(rows.size()))
        return {};
    return rows[static_cast<std::size_t>(index)].row;
}

void SampleMacroTree::ToggleFolder(int index)
{
    const auto rows = Flatten();
    if (index < 0 || index >= static_cast<int>(rows.size()))
        return;
    const FlatRow& row = rows[static_cast<std::size_t>(index)];
    if (row.row.isFolder && row.folder >= 0)
        m_folders[static_cast<std::size_t>(row.folder)].isOpen =
            !m_folders[static_cast<std::size_t>(row.folder)].isOpen;
}

SampleActionList::SampleActionList()
{
    const struct {
        const char* text;
        int icon;
    } actions[] = {{"Left Ctrl", kPressIcon}, {"30ms", kDelayIcon}, {"C", kPressIcon},
                   {"50ms", kDelayIcon},      {"C", kReleaseIcon},  {"20ms", kDelayIcon},
                   {"Left Ctrl", kReleaseIcon}, {"200ms", kDelayIcon}, {"Left Ctrl", kPressIcon},
                   {"30ms", kDelayIcon},      {"V", kPressIcon},    {"50ms", kDelayIcon},
                   {"V", kReleaseIcon},       {"Left Ctrl", kReleaseIcon}};
    for (const auto& action : actions)
        m_rows.push_back(ListRow{QString::fromLatin1(action.text), 0, false, false, action.icon});
}
