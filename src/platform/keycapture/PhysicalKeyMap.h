#pragma once

#include <cstdint>

// Physical key positions to virtual-key codes as a US keyboard names them, so a key
// captured under any layout is replayed by the mouse as the same physical key. Left and
// right Shift, Ctrl, Alt and Win are told apart (0xA0..0xA5, 0x5B, 0x5C); keypad keys keep
// their keypad codes whatever the Num Lock state. 0 = a key without a code here.

// Linux input event codes (linux/input-event-codes.h), as evdev, X11 (key code - 8) and
// Wayland (key code - 8) report them.
[[nodiscard]] std::uint8_t VirtualKeyFromEvdevCode(unsigned evdevCode);

// PC scan codes of set 1 as Windows reports them: the code, plus 0x100 for the keys sent
// with the 0xE0 prefix (Windows' "extended" flag). Windows reports Pause as 0x45 and Num
// Lock as 0x145.
[[nodiscard]] std::uint8_t VirtualKeyFromPcScanCode(unsigned scanCode);

// A key as Windows' keyboard hook reports it: by its scan code and extended flag through
// the table above, else (keys typed by programs carry no scan code, media keys of some
// keyboards have none we know) the virtual key Windows gave.
[[nodiscard]] std::uint8_t VirtualKeyFromWindowsKey(unsigned scanCode, bool extended, unsigned windowsVirtualKey);
