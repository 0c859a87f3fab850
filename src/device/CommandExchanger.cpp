#include "device/CommandExchanger.h"

#include "device/Clock.h"
#include "device/HidHandle.h"

#include <algorithm>
#include <numeric>

std::uint8_t CommandChecksum(std::span<const std::uint8_t> report)
{
    const auto bytes = report.first(std::min(report.size(), ReportLength::kCommand));
    unsigned sum = std::accumulate(bytes.begin(), bytes.end(), 0U);
    if (bytes.size() > CommandLayout::kChecksum)
        sum -= bytes[CommandLayout::kChecksum];
    return static_cast<std::uint8_t>(sum);
}

CommandExchanger::CommandExchanger(Clock& clock) : m_clock(clock) {}

void CommandExchanger::BeginReport(CommandCode code, std::uint8_t packet)
{
    m_buffer.fill(0);
    m_buffer[CommandLayout::kReportId] = ReportId::kCommand;
    m_buffer[CommandLayout::kCode] = static_cast<std::uint8_t>(code);
    m_buffer[CommandLayout::kSequence] = m_sequence++;  // wraps from 255 to 0
    m_buffer[CommandLayout::kPacket] = packet;
    m_buffer[CommandLayout::kChecksum] = 0;
}

void CommandExchanger::SealReport()
{
    m_buffer[CommandLayout::kChecksum] = CommandChecksum(std::span(m_buffer).first(ReportLength::kCommand));
}

void CommandExchanger::PrepareAttempt(const CommandRequest& request, bool firstAttempt)
{
    if (firstAttempt || request.retry == RetryMode::Rebuild) {
        BeginReport(request.code, request.packet);
        std::copy(request.payload.begin(), request.payload.end(),
                  m_buffer.begin() + CommandLayout::kPayload);
        SealReport();
        if (request.retry == RetryMode::ResendSaved)
            std::copy_n(m_buffer.begin(), m_savedPacket.size(), m_savedPacket.begin());
        return;
    }
    // A macro packet is sent again from its saved bytes; only the sequence number and
    // the checksum are new. The rest of the buffer still holds the zeroed reply area.
    m_buffer.fill(0);
    std::copy(m_savedPacket.begin(), m_savedPacket.end(), m_buffer.begin());
    m_buffer[CommandLayout::kSequence] = m_sequence++;
    m_buffer[CommandLayout::kChecksum] = 0;
    SealReport();
}

ExchangeResult CommandExchanger::Exchange(HidHandle* handle, const CommandRequest& request)
{
    const std::size_t writeLength = std::clamp(request.writeLength, ReportLength::kCommand,
                                               ReportLength::kLightingWrite);
    ExchangeResult result = ExchangeResult::Dropped;
    bool anyWritten = false;
    for (int attempt = 0; attempt < kMaxWrites; ++attempt) {
        PrepareAttempt(request, attempt == 0);
        if (handle != nullptr && handle->SetFeature(std::span(m_buffer).first(writeLength)))
            anyWritten = true;
        m_clock.Sleep(request.settle);

        m_buffer.fill(0);
        m_buffer[CommandLayout::kReportId] = ReportId::kCommand;
        // A failed read leaves byte 1 at 0 (or whatever partial reply arrived): the
        // exchange only asks whether the mouse accepted.
        if (handle != nullptr && !handle->GetFeature(std::span(m_buffer).first(ReportLength::kCommand)))
            m_buffer[CommandLayout::kCode] = 0;
        if (m_buffer[CommandLayout::kCode] != 0) {
            result = ExchangeResult::Accepted;
            break;
        }
        m_clock.Sleep(kRetryPause);
    }
    if (request.pauseAfter.count() > 0)
        m_clock.Sleep(request.pauseAfter);
    if (result == ExchangeResult::Dropped && !anyWritten)
        result = ExchangeResult::NotWritten;
    return result;
}

std::optional<bool> CommandExchanger::QueryPresence(HidHandle* handle)
{
    if (handle == nullptr)
        return std::nullopt;
    m_buffer.fill(PresenceLayout::kRequestFill);
    m_buffer[0] = ReportId::kPresence;
    if (!handle->GetFeature(std::span(m_buffer).first(ReportLength::kPresence)))
        return std::nullopt;
    if (m_buffer[0] != ReportId::kPresence ||
        !std::equal(PresenceLayout::kDeviceSignature.begin(), PresenceLayout::kDeviceSignature.end(),
                    m_buffer.begin() + PresenceLayout::kSignature))
        return std::nullopt;
    return m_buffer[PresenceLayout::kOnline] != 0;
}

bool CommandExchanger::RequestPairing(HidHandle* wirelessHandle)
{
    if (wirelessHandle == nullptr)
        return false;
    m_buffer.fill(0);
    m_buffer[0] = ReportId::kPairing;
    m_buffer[1] = PairingLayout::kStartPairing;
    return wirelessHandle->SetFeature(std::span(m_buffer).first(ReportLength::kPairing));
}
