#pragma once

#include "device/LastSentCopies.h"
#include "macros/MacroAction.h"
#include "macros/MacroKey.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The macro image: the 512 bytes built for one macro button and compared with the
// last-sent copy of its slot. Bytes from kEvents on are the event stream that the
// MacroData packets carry; everything after the last event is 0.
namespace MacroImageLayout {
inline constexpr std::size_t kTag = 0;           // always kTagValue
inline constexpr std::size_t kFunction = 1;      // the macro function type, 0x90
inline constexpr std::size_t kSlot = 2;          // the macro slot of the button
inline constexpr std::size_t kCommandCount = 3;  // MacroCommandActionNum of the button's copy
inline constexpr std::size_t kEvents = 4;        // 3-byte events in action order
inline constexpr std::uint8_t kTagValue = 9;
inline constexpr std::size_t kEventLength = 3;
// The mouse holds at most 125 events per macro (375 bytes, 15 packets); a corrupt macro
// with more non-delay actions is cut there.
inline constexpr std::size_t kMaxEvents = MacroKey::kMaxCommandActions;
inline constexpr std::size_t kMaxEventBytes = kMaxEvents * kEventLength;
}  // namespace MacroImageLayout

static_assert(MacroImageLayout::kEvents + MacroImageLayout::kMaxEventBytes <=
              LastSentCopies::kMacroImageBytes);

// Bits 6..4 of event byte 0: what kind of input the event plays.
enum class MacroEventClass : std::uint8_t {
    Other = 0,        // device codes 0xE8..0xEF and 0xF8..0xFF, sent as they are
    MouseButton = 1,  // value: one bit per button
    Modifier = 2,     // value: one bit per modifier key
    Key = 3,          // value: the keyboard usage
    MoveX = 4,        // value: signed amount
    MoveY = 5,        // value: signed amount
    Wheel = 6,        // value: signed amount
};

// One encoded event: byte 0 = release flag (bit 7), class (bits 6..4) and delay bits
// 11..8; byte 1 = delay bits 7..0; byte 2 = the value.
using MacroEvent = std::array<std::uint8_t, MacroImageLayout::kEventLength>;

// The longest delay an event carries, in milliseconds; longer delays are cut to it.
inline constexpr std::uint32_t kMaxEventDelay = 0x0FFF;

// Encodes an event for a device code (what KeyUsage gives): `flags` is byte 1 of the
// action (bit 7 = released), `amount` byte 3 (moves and wheel).
[[nodiscard]] MacroEvent EncodeDeviceEvent(std::uint8_t usage, std::uint8_t flags,
                                           std::uint8_t amount, std::uint32_t delayMilliseconds);

// Encodes a non-delay action followed by a delay of `delayMilliseconds` (0 for none).
// The action's code goes through KeyUsage, which also turns the mouse pseudo codes
// 0xE0..0xE7 into the device codes 0xF0..0xF7.
[[nodiscard]] MacroEvent EncodeMacroEvent(MacroAction action, std::uint32_t delayMilliseconds);

// A built image and how many event bytes it holds (a multiple of 3, at most 375).
struct BuiltMacroImage {
    LastSentCopies::MacroImage bytes{};
    std::size_t eventBytes = 0;
};

// Builds the image of `macro` (a button's private copy) for `slot`. Reads only the
// macro's usable actions; each non-delay action becomes one event carrying the delay
// of the action right after it, if that is a delay. A second delay in a row is lost.
[[nodiscard]] BuiltMacroImage BuildMacroImage(const MacroKey& macro, std::uint8_t slot);
