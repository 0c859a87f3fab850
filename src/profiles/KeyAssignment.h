#pragma once

#include "macros/MacroKey.h"

#include <array>
#include <cstdint>
#include <string>

// The function value's first byte: which kind of function a button carries.
enum class FunctionType : std::uint8_t {
    Disabled = 0x00,
    MouseButton = 0x10,
    FireKey = 0x30,
    DpiFunction = 0x40,
    DpiLock = 0x50,
    LaunchProgram = 0x60,
    KeyCombination = 0x70,
    ConsumerControl = 0x80,
    Macro = 0x90,
};

// Function type, code 1, code 2.
using FunctionValue = std::array<std::uint8_t, 3>;

// One button of a profile: its function, the name shown for it, and a private copy of
// the macro it plays (present whatever the function is).
struct KeyAssignment {
    std::u16string Name;
    std::u16string URL;  // program path of a launch-program function, else empty
    FunctionValue Value{};
    std::uint32_t MacroKeyIndex = 0;
    MacroKey Macro;

    friend bool operator==(const KeyAssignment&, const KeyAssignment&) = default;
};
