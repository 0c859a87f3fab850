#pragma once

#include "profiles/KeyAssignment.h"

#include <string>

struct MacroKey;

// What a key-function dialog hands its owner with its result message: the name shown on
// the button, the three function bytes and, for a program, its path; for a macro, the
// macro the button takes a copy of. The record lives only while the message is being
// handled; the owner copies what it keeps.
struct KeyFunctionResult {
    std::u16string name;
    FunctionValue value{};
    std::u16string path;
    const MacroKey* macro = nullptr;
};
