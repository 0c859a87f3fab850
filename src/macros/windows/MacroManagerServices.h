#pragma once

#include "macros/MacroActionEditing.h"
#include "macros/MacroItemLocation.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CDlgBase;
class MacroLibrary;

// What the macro manager asks of others: the notices, the dialogs that take a name or a
// value, the export and import commands, and which macros the current profile plays.
// The manager fills every function left empty with the program's own dialog; tests give
// their own.
struct MacroManagerServices {
    // The attention dialog with a title and a message text; returns its result
    // (DialogResult::kOk when the user confirmed).
    std::function<int(int titleText, int messageText)> notice;
    // The name of a new macro (mode 0) or folder (mode 1); none when cancelled.
    std::function<std::optional<std::u16string>(int mode)> askName;
    // The new name of an item; none when cancelled or left unchanged.
    std::function<std::optional<std::u16string>(const std::u16string& currentName)> askRename;
    // The delay, key and move dialogs of the action editing.
    MacroActionEditing::ValueDialogs valueDialogs;
    // Export macro, import macro, import macros, export macros (the context menu's
    // commands 2, 3, 6, 7). An import returns the new selection; none when nothing changed.
    std::function<std::optional<MacroItemLocation>(int command, CDlgBase& owner, MacroLibrary& library,
                                                   const MacroItemLocation& selection)>
        fileCommand;
    // The macro numbers that buttons of the current profile play (function type 0x90).
    std::function<std::vector<std::uint32_t>()> macrosInUse;
};
