#pragma once

#include "profiles/Profile.h"

#include <array>
#include <cstdint>

// The state of the macro-button resolution, kept by the device link between applies:
// the requests and marks the main window shares with it, and the slots the last
// resolution gave the buttons, which the macro upload uses.
struct MacroResolution {
    // Set just before the macro manager opens: the next resolution refreshes every macro
    // button's private copy from the library. Every resolution clears it.
    bool copyMacros = false;
    // Per button: a resolution with copyMacros refreshed its private copy. Resolutions
    // only set these; the owner clears them (factory reset, device-change registration).
    std::array<bool, Profile::kButtonCount> macroRefreshed{};
    // Per button: the macro slot given by the last resolution, kNoSlot when the button
    // plays no macro. Slots are 1, 2, 3 ... over the distinct macros in button order.
    std::array<std::uint8_t, Profile::kButtonCount> slots{};

    static constexpr std::uint8_t kNoSlot = 0;
};
