#pragma once

#include "macros/MacroAction.h"

#include <cstdint>
#include <functional>
#include <string>

struct MacroKey;

// Editing the actions of one macro from the action list: inserting the kinds the insert
// drop-down offers, modifying a delay or a key, deleting one action. The dialogs that take
// a value from the user are given as functions, so the rules run without windows.
namespace MacroActionEditing {

// The insert drop-down's items, in its order.
enum class InsertKind : int {
    LeftClick = 0,
    RightClick = 1,
    MiddleClick = 2,
    Delay = 3,
    Key = 4,
    MoveLeft = 5,
    MoveRight = 6,
    MoveUp = 7,
    MoveDown = 8,
};
inline constexpr int kInsertKindCount = 9;

// Notices an editing command can end with (language texts, under title 150).
inline constexpr int kNoticeNoMacro = 236;
inline constexpr int kNoticeNoRoom = 237;

// What a click, a key or a move insert asks of MacroCommandActionNum before it: a pair
// of key actions needs at most 123, a single move at most 124 (125 key actions in all).
inline constexpr std::uint8_t kMaxKeyActionsBeforePair = 123;
inline constexpr std::uint8_t kMaxKeyActionsBeforeMove = 124;
// The delay of a click's or a key's press and release, and of a new delay action.
inline constexpr std::uint32_t kPairDelay = 50;
inline constexpr std::uint32_t kNewDelay = 100;
// The key a key insert starts from before the key dialog changes it.
inline constexpr std::uint8_t kPlaceholderKey = 0x41;

// The value dialogs; each returns true on OK, having changed its argument.
struct ValueDialogs {
    std::function<bool(MacroAction& delay)> editDelay;
    std::function<bool(std::uint8_t& code)> editKey;
    // kind is the insert kind 5..8 the move came from.
    std::function<bool(MacroAction& move, int kind)> editMove;
};

struct EditOutcome {
    bool changed = false;
    int notice = 0;          // 0, or the notice to show
    int selectedAction = -1; // the action to select afterwards (unchanged when not changed)
};

// Where an insert goes: after the selected action, or at the end when none is selected.
[[nodiscard]] int InsertionPoint(const MacroKey& macro, int selectedAction);

// Runs an insert of `kind` into the selected macro (null when none is selected).
EditOutcome Insert(MacroKey* macro, int selectedAction, InsertKind kind, const ValueDialogs& dialogs);

// Modify: a delay through the delay dialog, a key's code through the key dialog (its press
// or release flag stays); mouse buttons, moves and the wheel are not modified.
EditOutcome Modify(MacroKey* macro, int selectedAction, const ValueDialogs& dialogs);

// Removes the selected action. The selection stays on the action that took its place,
// moves up when the last one went, and is none when the macro is empty.
EditOutcome Delete(MacroKey* macro, int selectedAction);

// How the action list shows an action: its text and its picture.
enum class ActionPicture : int { Time = 0, Release = 1, Press = 2 };
[[nodiscard]] std::u16string RowText(MacroAction action);
[[nodiscard]] ActionPicture RowPicture(MacroAction action);
// Whether the picture is the action's whole difference from its counterpart: a key or a
// mouse button, whose press and release rows read the same.
[[nodiscard]] bool ShowsPressOrRelease(MacroAction action);

}  // namespace MacroActionEditing
