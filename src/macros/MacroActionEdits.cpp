#include "macros/MacroActionEdits.h"

#include "profiles/TextNumbers.h"

#include <algorithm>

namespace MacroActionEdits {

namespace {

constexpr std::uint8_t kHorizontalMove = 0xE5;
constexpr std::uint8_t kVerticalMove = 0xE6;

bool IsNegativeMove(MoveKind kind)
{
    return kind == MoveKind::Left || kind == MoveKind::Up;
}

}  // namespace

std::u16string DelayText(MacroAction action)
{
    return TextNumbers::Decimal(action.DelayMilliseconds());
}

// A negative number would be written as the largest 24-bit delay, beyond the limit the
// dialog keeps every other value under; it counts as no delay instead.
MacroAction DelayFromText(std::u16string_view text)
{
    const std::int64_t milliseconds = std::clamp<std::int64_t>(TextNumbers::ParseDecimal(text), 0, kMaxDialogDelay);
    return MacroAction::Delay(static_cast<std::uint32_t>(milliseconds));
}

std::u16string MoveText(MacroAction action, MoveKind kind)
{
    const int stored = static_cast<std::int8_t>(action.Byte(3));
    return TextNumbers::Decimal(IsNegativeMove(kind) ? -stored : stored);
}

MacroAction MoveFromText(std::u16string_view text, MoveKind kind, MacroAction action)
{
    const auto distance = static_cast<int>(
        std::clamp<std::int64_t>(TextNumbers::ParseDecimal(text), kMinMoveDistance, kMaxMoveDistance));
    const int signedDistance = IsNegativeMove(kind) ? -distance : distance;
    const std::uint8_t code = (kind == MoveKind::Left || kind == MoveKind::Right) ? kHorizontalMove : kVerticalMove;
    return MacroAction::FromBytes(code, action.Byte(1), 0, static_cast<std::uint8_t>(static_cast<std::int8_t>(signedDistance)));
}

}  // namespace MacroActionEdits
