#include "device/StatusListener.h"

#include "device/HidHandle.h"
#include "device/HidReports.h"
#include "device/UiPoster.h"

#include <algorithm>

std::unique_ptr<StatusListener> StatusListener::Start(LinkKind link, std::unique_ptr<HidHandle> handle,
                                                      std::size_t inputLength, std::atomic<bool>& active,
                                                      UiPoster& poster, ReportSink reports, EndSink ended)
{
    if (!handle || inputLength == 0)
        return nullptr;
    if (active.exchange(true))
        return nullptr;
    std::unique_ptr<StatusListener> listener(new StatusListener(link, std::move(handle), inputLength, active));
    listener->m_thread = std::thread([self = listener.get(), &poster, reports = std::move(reports),
                                      ended = std::move(ended)] { self->Run(poster, reports, ended); });
    return listener;
}

StatusListener::StatusListener(LinkKind link, std::shared_ptr<HidHandle> handle, std::size_t inputLength,
                               std::atomic<bool>& active)
    : m_link(link), m_handle(std::move(handle)), m_inputLength(inputLength), m_active(active)
{
}

StatusListener::~StatusListener()
{
    // Closing wakes the blocked read, which then fails and ends the loop.
    m_handle->Close();
    if (m_thread.joinable())
        m_thread.join();
}

void StatusListener::Run(UiPoster& poster, const ReportSink& reports, const EndSink& ended)
{
    // The buffer is filled once and reused: a report shorter than the interface's length
    // leaves the bytes of the one before it behind, as the mouse's reports always have
    // the full length.
    std::vector<std::uint8_t> buffer(m_inputLength, 0xFF);
    buffer[0] = ReportId::kStatus;
    while (m_handle->ReadInput(buffer)) {
        if (buffer[0] != ReportId::kStatus)
            continue;
        poster.Post([reports, link = m_link, report = buffer] { reports(link, report); });
    }
    m_active.store(false);
    poster.Post(ended);
}
