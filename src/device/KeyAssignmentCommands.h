#pragma once

#include "device/CommandRequest.h"
#include "device/LastSentCopies.h"
#include "profiles/Profile.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// The KeyAssignments command (0x01): the six buttons' function values as the mouse
// takes them, and its last-sent copy.
namespace KeyAssignmentLayout {
// The mouse's button order: profile buttons 3 and 4 exchange places.
inline constexpr std::array<std::size_t, Profile::kButtonCount> kWireOrder{0, 1, 2, 4, 3, 5};
inline constexpr std::size_t kFirstKeyByte = 5;   // report bytes 5..22: type, code 1, code 2
inline constexpr std::size_t kFirstFillByte = 23;  // report bytes 23..31 carry kFill
inline constexpr std::uint8_t kFill = 0xFF;
}  // namespace KeyAssignmentLayout

using KeyBytes = std::array<std::uint8_t, LastSentCopies::kKeyBytes>;

// The 18 key bytes of `profile` in the mouse's button order.
[[nodiscard]] KeyBytes BuildKeyBytes(const Profile& profile);

// Zeroes every macro copy (so that the macro upload that follows rewrites every macro),
// compares the key bytes with the keys copy and stores them there. Returns the command
// to send when they differed, nothing when they did not.
[[nodiscard]] std::optional<CommandRequest> SendKeyAssignments(const Profile& profile,
                                                               LastSentCopies& copies);

// Fills the keys copy from `profile` without sending; the macro copies are left alone.
void PrimeKeyAssignments(const Profile& profile, LastSentCopies& copies);
