#pragma once

#include "macros/MacroAction.h"

#include <array>
#include <cstdint>
#include <string>

// A macro: up to 250 events in play order and how the mouse plays them.
// Slots at and above MacroActionNum carry no meaning but are kept (files store all 250).
struct MacroKey {
    static constexpr std::uint32_t kMaxActions = 250;
    static constexpr std::uint8_t kMaxCommandActions = 125;
    // Play modes the macro manager offers; 2 repeats the macro MacroKeyLoopNum times.
    static constexpr std::uint8_t kLoopModeOne = 1;
    static constexpr std::uint8_t kLoopModeCount = 2;
    static constexpr std::uint8_t kLoopModeFour = 4;

    std::u16string name;
    std::uint32_t MacroKeyIndex = 0;
    std::uint32_t MacroActionNum = 0;
    std::array<MacroAction, kMaxActions> actions{};
    std::uint32_t reserved = 0;
    std::uint8_t MacroKeyLoopType = kLoopModeCount;
    std::uint8_t MacroKeyLoopNum = 1;
    std::uint8_t MacroCommandActionNum = 0;

    // Action i, or action 0 for i of 250 or more.
    [[nodiscard]] MacroAction Get(std::uint32_t i) const;
    // Refused (false) for i above 249.
    bool Set(std::uint32_t i, MacroAction action);
    // Refused when 250 actions are held; i beyond the count appends. Every slot from
    // there moves up one, unused ones included. Leaves MacroCommandActionNum to the caller.
    bool Insert(std::uint32_t i, MacroAction action);
    // Refused when i is not below the count; every later slot moves down one, unused ones
    // included, and slot 249 is zeroed.
    bool Remove(std::uint32_t i);

    // The action count, never more than the 250 slots, whatever a file said.
    friend bool operator==(const MacroKey&, const MacroKey&) = default;

    [[nodiscard]] std::uint32_t UsableActionCount() const
    {
        return MacroActionNum < kMaxActions ? MacroActionNum : kMaxActions;
    }
};
