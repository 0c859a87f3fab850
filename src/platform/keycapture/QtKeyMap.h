#pragma once

#include <QStringView>
#include <Qt>

#include <cstdint>

class QKeyEvent;

// How the platform plugin numbers the physical keys in QKeyEvent::nativeScanCode().
enum class NativeScanCodes {
    None,    // no physical numbering (offscreen, other systems): the Qt key is all there is
    Evdev,   // X11 and Wayland: Linux input code + 8
    PcSet1,  // Windows: set-1 scan code, 0x100 for the 0xE0 prefix
};

[[nodiscard]] NativeScanCodes NativeScanCodesOf(QStringView platformName);

// The virtual-key code of a Qt key as the US layout places it: a shifted symbol names the
// key it is typed on ("!" is the 1 key), and keypad keys keep their keypad codes whatever
// Num Lock says. Shift, Ctrl, Alt and Win give the left key's code, as a Qt key does not
// tell the sides apart. 0 for a key without a code.
[[nodiscard]] std::uint8_t VirtualKeyFromQtKey(int key, Qt::KeyboardModifiers modifiers);

// The physical key of an event: its native scan code when the platform numbers keys and
// the code is known, else its Qt key.
[[nodiscard]] std::uint8_t VirtualKeyOfKeyEvent(const QKeyEvent& event, NativeScanCodes numbering);
