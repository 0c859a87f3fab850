#pragma once

#include "device/CommandRequest.h"
#include "device/HidReports.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

class Clock;
class HidHandle;

// The 8-bit sum of the 32 command-report bytes, taken with the checksum byte as 0.
[[nodiscard]] std::uint8_t CommandChecksum(std::span<const std::uint8_t> report);

// What an exchange came to.
enum class ExchangeResult : std::uint8_t {
    Accepted,
    Dropped,     // not accepted after four writes
    NotWritten,  // every write failed, or there was no interface: the mouse never saw it
};

// The device thread's side of the feature-report traffic: the one report buffer, the
// sequence number shared by every report-9 command, and the write / settle / read-back
// exchange with its retries. Only the device thread uses it, so nothing here is locked.
class CommandExchanger {
public:
    static constexpr std::size_t kBufferSize = 1024;
    static constexpr int kMaxWrites = 4;
    static constexpr std::chrono::milliseconds kRetryPause{60};
    static constexpr std::uint8_t kFirstSequence = 1;

    explicit CommandExchanger(Clock& clock);

    // Writes the command, waits its settle time, reads the reply back; an unaccepted
    // reply (byte 1 = 0) leads to a pause and a fresh report with the next sequence
    // number, at most four writes in all. With no interface (null) nothing travels but
    // the attempts and their pauses still run, as they would against a silent mouse; the
    // result then, as when every write failed, is NotWritten.
    ExchangeResult Exchange(HidHandle* handle, const CommandRequest& request);

    // Reads the presence report. The reply counts only when the read succeeds, carries
    // report id 8 and the mouse's signature; its value is the mouse-online flag.
    [[nodiscard]] std::optional<bool> QueryPresence(HidHandle* handle);

    // Writes the 8-byte pairing request (no sequence number, no reply). False when the
    // write failed or there is no interface.
    bool RequestPairing(HidHandle* wirelessHandle);

    [[nodiscard]] std::uint8_t NextSequence() const { return m_sequence; }
    // The report buffer: after an exchange, the last reply read.
    [[nodiscard]] std::span<const std::uint8_t> Buffer() const { return m_buffer; }

private:
    void BeginReport(CommandCode code, std::uint8_t packet);
    void SealReport();
    void PrepareAttempt(const CommandRequest& request, bool firstAttempt);

    Clock& m_clock;
    std::array<std::uint8_t, kBufferSize> m_buffer{};
    std::array<std::uint8_t, ReportLength::kCommand> m_savedPacket{};
    std::uint8_t m_sequence = kFirstSequence;
};
