#pragma once

#include <cstdint>
#include <string_view>

// The two tables indexed by virtual-key code: the display name of a key and the USB HID
// keyboard usage sent for it (0 = not sent). Codes 0xE0..0xE7 are the program's own codes
// for mouse events inside macros.
[[nodiscard]] std::u16string_view KeyName(std::uint8_t virtualKey);
[[nodiscard]] std::uint8_t KeyUsage(std::uint8_t virtualKey);
