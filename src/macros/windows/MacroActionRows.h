#pragma once

#include "ui/ListRowSource.h"

struct MacroKey;

// The actions of the selected macro as the action list shows them: one row per action,
// its text and its picture (the ActionPicture number is the list's icon index).
class MacroActionRows : public ListRowSource {
public:
    void SetMacro(const MacroKey* macro) { m_macro = macro; }
    [[nodiscard]] const MacroKey* Macro() const { return m_macro; }

    [[nodiscard]] int RowCount() const override;
    [[nodiscard]] ListRow Row(int index) const override;

private:
    const MacroKey* m_macro = nullptr;
};
