#pragma once

#include "device/LinkKind.h"

#include <array>

// Per link: what the last enumerations saw. The open command interface itself lives in
// DeviceLink's slots.
struct LinkState {
    bool present = false;     // the command interface was seen in the last enumeration
    bool wasPresent = false;  // `present` after the enumeration before
    int statusIndex = -1;     // index of the status interface in the enumeration
    int commandIndex = -1;    // index of the command interface in the enumeration
};

// Which links were present at the last enumeration, by LinkIndex.
using LinkPresence = std::array<bool, kLinkKindCount>;
