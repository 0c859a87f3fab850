#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Report ids and lengths of the mouse's HID reports. Byte 0 of every report buffer is
// its report id.
namespace ReportId {
inline constexpr std::uint8_t kStatus = 7;      // input report: the mouse's live state
inline constexpr std::uint8_t kPresence = 8;    // feature report, read only
inline constexpr std::uint8_t kCommand = 9;     // feature report: commands and their replies
inline constexpr std::uint8_t kPairing = 0xBC;  // feature report, written only
inline constexpr std::uint8_t kFlash = 0xBF;    // feature report: firmware transfer frames
}  // namespace ReportId

namespace ReportLength {
inline constexpr std::size_t kCommand = 32;
// The lighting command is written with one extra zero byte; its reply is read with 32.
inline constexpr std::size_t kLightingWrite = 33;
inline constexpr std::size_t kStatus = 32;
inline constexpr std::size_t kPresence = 32;
inline constexpr std::size_t kPairing = 8;
inline constexpr std::size_t kFlash = 136;
}  // namespace ReportLength

// Layout of the 32-byte command report (report id 9).
namespace CommandLayout {
inline constexpr std::size_t kReportId = 0;
inline constexpr std::size_t kCode = 1;      // in a reply: 0 = not accepted, else accepted
inline constexpr std::size_t kSequence = 2;
inline constexpr std::size_t kPacket = 3;    // high nibble: packet index, low nibble: count
inline constexpr std::size_t kChecksum = 4;  // 8-bit sum of all 32 bytes, taken while 0
inline constexpr std::size_t kPayload = 5;   // bytes 5..31
inline constexpr std::size_t kPayloadLength = 27;
inline constexpr std::uint8_t kSinglePacket = 0x01;

// The packet byte of packet `index` (from 0) of a command sent in `count` packets.
[[nodiscard]] constexpr std::uint8_t PacketField(std::size_t index, std::size_t count)
{
    constexpr unsigned kIndexShift = 4;
    constexpr std::size_t kNibble = 0x0F;
    return static_cast<std::uint8_t>(((index & kNibble) << kIndexShift) | (count & kNibble));
}
static_assert(PacketField(0, 1) == kSinglePacket);
}  // namespace CommandLayout

// Layout of the presence reply (report id 8).
namespace PresenceLayout {
inline constexpr std::size_t kSignature = 1;  // bytes 1..4: four ASCII digits
inline constexpr std::size_t kSignatureLength = 4;
inline constexpr std::size_t kOnline = 5;  // non-zero: the receiver's mouse is connected
inline constexpr std::uint8_t kRequestFill = 0xFF;
// The signature the mouse's firmware answers with; replies with another are ignored.
inline constexpr std::array<std::uint8_t, kSignatureLength> kDeviceSignature = {'7', '2', '5', '1'};
}  // namespace PresenceLayout

// The pairing request (report id 0xBC): byte 1 starts pairing, the rest is zero.
namespace PairingLayout {
inline constexpr std::uint8_t kStartPairing = 0x03;
}  // namespace PairingLayout
