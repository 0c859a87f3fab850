#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

// Report-9 commands for tests. The checksum is summed here with its own loop, so a test
// that sends these reports also checks the mouse's checksum.
namespace SimCommandBuilder {

using Command = std::array<std::uint8_t, 32>;

inline constexpr std::size_t kChecksumByte = 4;
inline constexpr std::size_t kPayloadByte = 5;

inline void Seal(Command& report)
{
    report[kChecksumByte] = 0;
    unsigned sum = 0;
    for (std::uint8_t byte : report)
        sum += byte;
    report[kChecksumByte] = static_cast<std::uint8_t>(sum & 0xFF);
}

// Report id 9, the code, the sequence number, the packet field, then `payload` from
// byte 5 on; the rest zero; sealed.
inline Command Make(std::uint8_t code, std::uint8_t packet, std::initializer_list<std::uint8_t> payload,
                    std::uint8_t sequence = 1)
{
    Command report{};
    report[0] = 9;
    report[1] = code;
    report[2] = sequence;
    report[3] = packet;
    std::size_t at = kPayloadByte;
    for (std::uint8_t byte : payload)
        report[at++] = byte;
    Seal(report);
    return report;
}

// Puts `bytes` at `at` and seals again.
inline Command With(Command report, std::size_t at, std::initializer_list<std::uint8_t> bytes)
{
    for (std::uint8_t byte : bytes)
        report[at++] = byte;
    Seal(report);
    return report;
}

// One macro data packet: byte 5 = event bytes + 1, byte 6 = slot, events from byte 7.
inline Command MacroPacket(std::uint8_t packet, std::uint8_t slot, const std::vector<std::uint8_t>& events)
{
    Command report = Make(0x10, packet, {static_cast<std::uint8_t>(events.size() + 1), slot});
    std::size_t at = 7;
    for (std::uint8_t byte : events)
        report[at++] = byte;
    Seal(report);
    return report;
}

}  // namespace SimCommandBuilder
