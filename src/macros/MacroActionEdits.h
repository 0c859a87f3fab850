#pragma once

#include "macros/MacroAction.h"

#include <cstdint>
#include <string>
#include <string_view>

// What the action and name dialogs of the macro manager turn their edit text into. The
// dialogs only show and read text; every rule about the values lives here.
namespace MacroActionEdits {

// The longest delay the delay dialog accepts, in milliseconds.
inline constexpr std::int64_t kMaxDialogDelay = 15'300'000;
// A pointer move is one signed byte on the wire; the dialog keeps its size in 1..127.
inline constexpr int kMinMoveDistance = 1;
inline constexpr int kMaxMoveDistance = 127;

// The move kinds of the insert drop-down, as the move dialog is given them.
enum class MoveKind : int { Left = 5, Right = 6, Up = 7, Down = 8 };
[[nodiscard]] constexpr bool IsMoveKind(int kind)
{
    return kind >= static_cast<int>(MoveKind::Left) && kind <= static_cast<int>(MoveKind::Down);
}

// The number the delay dialog opens with: the 24-bit delay of the action.
[[nodiscard]] std::u16string DelayText(MacroAction action);
// The delay action for the dialog's text: the leading integer (optional sign, digits,
// anything else gives 0) limited to 0..15,300,000 ms, as code 0x03 and three big-endian
// bytes.
[[nodiscard]] MacroAction DelayFromText(std::u16string_view text);

// The distance the move dialog opens with, always as a positive number for its kind:
// a left or up move stores its distance negated.
[[nodiscard]] std::u16string MoveText(MacroAction action, MoveKind kind);
// The move for the dialog's text: the leading integer limited to 1..127, signed by the
// kind, with b0 0xE5 (left, right) or 0xE6 (up, down), b2 0 and b1 kept from `action`.
[[nodiscard]] MacroAction MoveFromText(std::u16string_view text, MoveKind kind, MacroAction action);

// A rename is a change only when the text differs, exactly, from the current name.
[[nodiscard]] inline bool IsRenamed(std::u16string_view currentName, std::u16string_view edited)
{
    return currentName != edited;
}

}  // namespace MacroActionEdits
