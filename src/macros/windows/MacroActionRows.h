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

    // The formats ("%1" = the row's text) that say whether a key or mouse-button row
    // presses or releases, which the list shows only by its picture.
    void SetTransitionNames(QString pressed, QString released);
    // The row as a screen reader reads it: its text, said as a press or a release for keys
    // and mouse buttons; delays and moves say everything in their text already.
    [[nodiscard]] QString SpokenText(int index) const;

private:
    const MacroKey* m_macro = nullptr;
    QString m_pressed;
    QString m_released;
};
