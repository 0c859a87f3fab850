#pragma once

#include "profiles/KeyAssignment.h"

#include <string>

// What a key-function dialog hands its owner with its result message: the name shown on
// the button, the three function bytes and, for a program, its path. The record lives
// only while the message is being handled; the owner copies what it keeps.
struct KeyFunctionResult {
    std::u16string name;
    FunctionValue value{};
    std::u16string path;
};
