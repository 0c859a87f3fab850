#include "sim/SimCommandHandle.h"

#include "sim/SimulatedMouse.h"

#include <mutex>
#include <utility>

SimCommandHandle::SimCommandHandle(std::shared_ptr<SimMouseAnchor> anchor, LinkKind link, std::uint64_t period)
    : m_anchor(std::move(anchor)), m_link(link), m_period(period)
{
}

SimCommandHandle::~SimCommandHandle()
{
    Close();
}

bool SimCommandHandle::SetFeature(std::span<const std::uint8_t> report)
{
    std::unique_lock lock(m_anchor->mutex);
    SimulatedMouse* mouse = m_anchor->mouse;
    if (m_closed || mouse == nullptr || !mouse->IsCurrent(m_link, m_period))
        return false;
    return mouse->ReceiveSetFeature(lock, m_link, report);
}

bool SimCommandHandle::GetFeature(std::span<std::uint8_t> buffer)
{
    std::unique_lock lock(m_anchor->mutex);
    SimulatedMouse* mouse = m_anchor->mouse;
    if (m_closed || mouse == nullptr || !mouse->IsCurrent(m_link, m_period))
        return false;
    return mouse->ReceiveGetFeature(lock, m_link, buffer);
}

bool SimCommandHandle::ReadInput(std::span<std::uint8_t>)
{
    return false;
}

void SimCommandHandle::Close()
{
    const std::lock_guard lock(m_anchor->mutex);
    m_closed = true;
}
