#pragma once

#include "ui/ListRowSource.h"

#include <vector>

// A small macro library for the gallery: folders that open and close, with macros in
// them, flattened the way the tree list shows it.
class SampleMacroTree : public ListRowSource {
public:
    SampleMacroTree();

    [[nodiscard]] int RowCount() const override;
    [[nodiscard]] ListRow Row(int index) const override;
    void ToggleFolder(int index) override;

private:
    struct Folder {
        QString name;
        bool isOpen;
        std::vector<QString> macros;
    };
    struct FlatRow {
        ListRow row;
        int folder;  // -1 for a macro outside the folders
    };
    [[nodiscard]] std::vector<FlatRow> Flatten() const;

    std::vector<Folder> m_folders;
    std::vector<QString> m_looseMacros;
};

// The actions of one sample macro: key presses and releases with delays between them.
class SampleActionList : public ListRowSource {
public:
    enum Icon : int { kDelayIcon = 0, kPressIcon = 1, kReleaseIcon = 2 };

    SampleActionList();

    [[nodiscard]] int RowCount() const override { return static_cast<int>(m_rows.size()); }
    [[nodiscard]] ListRow Row(int index) const override
    {
        return m_rows[static_cast<std::size_t>(index)];
    }

private:
    std::vector<ListRow> m_rows;
};
