#pragma once

#include "macros/MacroAction.h"
#include "macros/MacroKey.h"

#include <cstdint>
#include <initializer_list>

// Macro actions as the recorder stores them, and a macro built from a list of them with
// its command count (the non-delay actions) filled in as the macro manager does.
namespace MacroTestActions {

inline constexpr std::uint8_t kLeftMouseButton = 0xE0;
inline constexpr std::uint8_t kMouseButton5 = 0xE4;
inline constexpr std::uint8_t kMoveX = 0xE5;
inline constexpr std::uint8_t kMoveY = 0xE6;
inline constexpr std::uint8_t kWheel = 0xE7;

inline MacroAction Press(std::uint8_t code)
{
    return MacroAction::FromBytes(code, MacroAction::kPressFlag, 0, 0);
}
inline MacroAction Release(std::uint8_t code)
{
    return MacroAction::FromBytes(code, MacroAction::kReleaseFlag, 0, 0);
}
inline MacroAction Amount(std::uint8_t code, std::int8_t amount)
{
    return MacroAction::FromBytes(code, 0, 0, static_cast<std::uint8_t>(amount));
}
inline MacroAction Delay(std::uint32_t milliseconds)
{
    return MacroAction::Delay(milliseconds);
}

inline MacroKey MakeMacro(std::initializer_list<MacroAction> actions)
{
    MacroKey macro;
    std::uint8_t commands = 0;
    for (const MacroAction action : actions) {
        static_cast<void>(macro.Insert(macro.MacroActionNum, action));
        if (!action.IsDelay()) {
            ++commands;
        }
    }
    macro.MacroCommandActionNum = commands;
    return macro;
}

// A macro of `count` key presses of the letters A, B, C ... (device codes 0x04, 0x05 ...).
inline MacroKey KeyPresses(std::uint8_t count)
{
    MacroKey macro;
    for (std::uint8_t i = 0; i < count; ++i) {
        static_cast<void>(macro.Insert(i, Press(static_cast<std::uint8_t>('A' + i % 26))));
    }
    macro.MacroCommandActionNum = count;
    return macro;
}

}  // namespace MacroTestActions
