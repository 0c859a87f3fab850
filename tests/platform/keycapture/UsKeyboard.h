#pragma once

#include <Qt>

#include <cstdint>
#include <vector>

// One key of a US 104-key keyboard with its keypad: how each system numbers it and the
// virtual-key code the capture must deliver for it.
struct UsKey {
    const char* name;
    unsigned evdevCode;       // Linux input code
    unsigned pcScanCode;      // set 1, 0x100 for the 0xE0 prefix, as Windows reports it
    int qtKey;
    bool keypad;              // the Qt key comes with Qt::KeypadModifier
    std::uint8_t virtualKey;
    std::uint8_t fromQtKey;   // what the Qt key alone gives, where it cannot tell the side
};

// Built by hand from the keyboard, not from the tables under test.
const std::vector<UsKey>& UsKeyboardKeys();
