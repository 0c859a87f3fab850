#pragma once

#include "device/HidReports.h"
#include "sim/SimMouseState.h"

#include <cstdint>
#include <span>

// The mouse's handling of report-9 commands: the checks a written report must pass and
// what an accepted command changes. Pure functions over a SimMouseState; the caller
// keeps the lock, the replies and the counts.
namespace SimCommandDecoder {

enum class Verdict : std::uint8_t {
    Valid,
    WrongLength,       // neither 32 bytes nor 33 with a zero last byte
    WrongReportId,
    BadChecksum,
    UnknownCode,       // not 0x01..0x09, 0x0F, 0x10, 0x11
    BadPacketField,    // a packet field the command never carries
    BadMacroPacket,    // macro data with a byte count or slot out of range
};

using Report = std::span<const std::uint8_t, ReportLength::kCommand>;

// The 8-bit sum of all 32 bytes, byte 4 counted as 0.
[[nodiscard]] std::uint8_t Checksum(Report report);
[[nodiscard]] Verdict Check(std::span<const std::uint8_t> written);
// Applies a report that Check found valid: the settings it carries, the live state that
// follows them, and the factory reset and macro clear counts.
void Apply(SimMouseState& state, Report report);
// Restores the factory settings and the live state that follows them; battery, charge
// state, sensor and the counters stay.
void FactoryReset(SimMouseState& state);

}  // namespace SimCommandDecoder
