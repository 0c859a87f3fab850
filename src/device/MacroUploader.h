#pragma once

#include "device/CommandRequest.h"
#include "device/LastSentCopies.h"
#include "device/MacroEventEncoder.h"
#include "device/MacroResolution.h"
#include "profiles/Profile.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <vector>

// The MacroClear (0x11) and MacroData (0x10) commands.
namespace MacroCommandLayout {
inline constexpr std::size_t kClearFlag = 5;  // MacroClear: kClearValue
inline constexpr std::uint8_t kClearValue = 0xFF;
// The mouse needs a moment after clearing its macro memory before the first data packet.
inline constexpr std::chrono::milliseconds kClearPause{10};

inline constexpr std::size_t kLength = 5;  // MacroData: event bytes in this packet + 1
inline constexpr std::size_t kSlot = 6;    // MacroData: the macro slot
inline constexpr std::size_t kEvents = 7;  // MacroData: bytes 7..31, 25 image bytes
inline constexpr std::size_t kEventsPerPacket = 25;
// The packet field's low nibble counts the packets of one macro.
inline constexpr std::size_t kMaxPackets = 15;
}  // namespace MacroCommandLayout

static_assert(MacroImageLayout::kMaxEventBytes <=
              MacroCommandLayout::kMaxPackets * MacroCommandLayout::kEventsPerPacket);

// Whether an upload writes to the mouse or only brings the macro copies up to date
// (priming).
enum class MacroUploadMode : std::uint8_t {
    CopiesOnly,
    Send,
};

// The MacroClear command, with its pause after the exchange.
[[nodiscard]] CommandRequest MacroClearCommand();

// The MacroData packets of one built image: its event bytes split into packets of 25,
// at least one packet (a macro without events still sends one empty packet).
[[nodiscard]] std::vector<CommandRequest> MacroDataPackets(const BuiltMacroImage& image,
                                                           std::uint8_t slot);

// Builds the image of every macro button (a button of type 0x90 with a slot from
// `resolution`) and stores it in the copy of its slot. With Send, when any image
// differed from its copy: returns MacroClear, zeroes every macro copy and then, in
// button order, stores each image again and returns the packets of every image that
// differed (a second button sharing a slot sends nothing). Otherwise returns nothing.
[[nodiscard]] std::vector<CommandRequest> UploadMacros(const Profile& profile,
                                                       const MacroResolution& resolution,
                                                       LastSentCopies& copies, MacroUploadMode mode);
