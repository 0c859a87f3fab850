#pragma once

#include "profiles/KeyAssignment.h"

#include <cstdint>
#include <string>

// Modifier bits of a key combination's code 1.
namespace ModifierBits {
inline constexpr std::uint8_t kCtrl = 0x01;
inline constexpr std::uint8_t kShift = 0x02;
inline constexpr std::uint8_t kAlt = 0x04;
inline constexpr std::uint8_t kWin = 0x08;
}  // namespace ModifierBits

// Language texts that name functions.
namespace FunctionTexts {
inline constexpr int kFireKey = 26;
inline constexpr int kDisabled = 34;
inline constexpr int kDpiLockPrefix = 36;
inline constexpr int kMacroPrefix = 190;
}  // namespace FunctionTexts

// A function ready to be stored on a button: the three value bytes and the name shown.
struct NamedFunction {
    FunctionValue value{};
    std::u16string name;
};

// A key combination: modifiers as bits, the key as a virtual-key code. The name is
// "Ctrl+", "Shift+", "Alt+", "Win+" for each modifier in that order, then the key's
// name; a final plus sign is removed.
[[nodiscard]] NamedFunction KeyCombination(std::uint8_t modifiers, std::uint8_t virtualKey);

// Removes one final plus sign, as names of combinations and the fire-key text want.
[[nodiscard]] std::u16string WithoutFinalPlus(std::u16string text);
