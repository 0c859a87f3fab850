#include "sim/SimStatusHandle.h"

#include <algorithm>
#include <mutex>
#include <utility>

SimStatusHandle::SimStatusHandle(std::shared_ptr<SimMouseAnchor> anchor, std::shared_ptr<SimInputQueue> queue)
    : m_anchor(std::move(anchor)), m_queue(std::move(queue))
{
}

SimStatusHandle::~SimStatusHandle()
{
    Close();
}

bool SimStatusHandle::SetFeature(std::span<const std::uint8_t>)
{
    return false;
}

bool SimStatusHandle::GetFeature(std::span<std::uint8_t>)
{
    return false;
}

bool SimStatusHandle::ReadInput(std::span<std::uint8_t> buffer)
{
    if (buffer.size() != ReportLength::kStatus)
        return false;
    std::unique_lock lock(m_anchor->mutex);
    SimInputQueue& queue = *m_queue;
    if (!queue.ended && queue.reports.empty()) {
        ++m_anchor->blockedReaders;
        queue.readerWaiting = true;
        m_anchor->readersChanged.notify_all();
        queue.arrived.wait(lock, [&queue] { return queue.ended || !queue.reports.empty(); });
        --m_anchor->blockedReaders;
        queue.readerWaiting = false;
        m_anchor->readersChanged.notify_all();
    }
    if (queue.ended)
        return false;
    std::copy(queue.reports.front().begin(), queue.reports.front().end(), buffer.begin());
    queue.reports.pop_front();
    return true;
}

void SimStatusHandle::Close()
{
    const std::lock_guard lock(m_anchor->mutex);
    m_queue->ended = true;
    m_queue->reports.clear();
    m_queue->arrived.notify_all();
    m_anchor->readersChanged.notify_all();
}
