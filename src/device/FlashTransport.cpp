#include "device/FlashTransport.h"

#include "device/Clock.h"
#include "device/HidHandle.h"

#include <algorithm>

FlashTransport::FlashTransport(HidHandle* handle, Clock& clock, std::stop_token stop)
    : m_handle(handle), m_clock(clock), m_stop(std::move(stop))
{
}

void FlashTransport::ThrowIfStopped() const
{
    if (m_stop.stop_requested())
        throw Stopped{};
}

bool FlashTransport::Send(const FlashFrame& frame)
{
    ThrowIfStopped();
    return m_handle != nullptr && m_handle->SetFeature(frame.Report());
}

void FlashTransport::SendUnchecked(const FlashFrame& frame)
{
    static_cast<void>(Send(frame));
}

bool FlashTransport::SendWithRetries(const FlashFrame& frame)
{
    for (int attempt = 0; attempt < kWriteAttempts; ++attempt) {
        if (Send(frame))
            return true;
        Wait(kRetryPause);
    }
    return false;
}

std::optional<FlashTransport::Block> FlashTransport::Read(std::uint32_t address, std::size_t count)
{
    const bool requested = Send(FlashFrame::TransferRead(address, count));
    Wait(kReadPause);
    FlashFrame::Bytes reply{};
    reply[FlashLayout::kReportId] = ReportId::kFlash;
    const bool replied = m_handle != nullptr && m_handle->GetFeature(reply);
    if (!requested || !replied)
        return std::nullopt;
    Block block{};
    std::copy_n(reply.begin() + FlashLayout::kData, block.size(), block.begin());
    return block;
}

void FlashTransport::Wait(std::chrono::milliseconds duration)
{
    while (duration.count() > 0) {
        ThrowIfStopped();
        const std::chrono::milliseconds slice = std::min(duration, kWaitSlice);
        m_clock.Sleep(slice);
        duration -= slice;
    }
    ThrowIfStopped();
}
