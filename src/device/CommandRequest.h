#pragma once

#include "device/CommandCode.h"
#include "device/HidReports.h"

#include <array>
#include <chrono>
#include <cstdint>

// How a retry of an unaccepted command is written. Both give a fresh sequence number
// and checksum; they differ only in where the rest of the report comes from.
enum class RetryMode : std::uint8_t {
    Rebuild,       // built again from its source (every command but macro data)
    ResendSaved,   // the saved 32 bytes of the packet (macro data packets)
};

// One report-9 command, built and compared on the UI thread and handed to the device
// thread ready to go: the exchange only adds the sequence number and the checksum.
struct CommandRequest {
    static constexpr std::chrono::milliseconds kSettle{60};
    static constexpr std::chrono::milliseconds kMacroSettle{120};

    CommandCode code = CommandCode::KeyAssignments;
    std::uint8_t packet = CommandLayout::kSinglePacket;
    std::array<std::uint8_t, CommandLayout::kPayloadLength> payload{};  // report bytes 5..31
    std::size_t writeLength = ReportLength::kCommand;
    std::chrono::milliseconds settle = kSettle;
    RetryMode retry = RetryMode::Rebuild;
    std::chrono::milliseconds pauseAfter{0};  // a wait after the exchange (after MacroClear)

    // Report byte `index` (5..31) of the payload.
    [[nodiscard]] std::uint8_t& At(std::size_t index) { return payload[index - CommandLayout::kPayload]; }
    [[nodiscard]] std::uint8_t At(std::size_t index) const
    {
        return payload[index - CommandLayout::kPayload];
    }

    friend bool operator==(const CommandRequest&, const CommandRequest&) = default;
};
