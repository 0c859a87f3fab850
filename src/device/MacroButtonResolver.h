#pragma once

#include "device/MacroResolution.h"
#include "macros/MacroLibrary.h"
#include "profiles/LanguageTexts.h"
#include "profiles/Profile.h"

// Binds the macro buttons of `profile` to the library's macros and numbers them for the
// mouse. A macro button whose number is 0 or not in the library becomes an unassigned
// button (language text 34, value 0, 0, 0), and the profile keeps that. A found one gets
// its slot in `resolution.slots` and the value (0x90, loop type << 4 | slot, loop count
// for counted loops else 0); its private copy takes the library's command count, and
// with `resolution.copyMacros` the whole library macro. Clears copyMacros.
void ResolveMacroButtons(Profile& profile, const MacroLibrary& library, const LanguageTexts& texts,
                         MacroResolution& resolution);
