#include "device/CommandSlots.h"

#include "device/HidHandle.h"

void CommandSlots::Set(LinkKind link, std::shared_ptr<HidHandle> handle)
{
    std::shared_ptr<HidHandle> previous;
    {
        const std::lock_guard lock(m_mutex);
        previous = std::exchange(m_slots[LinkIndex(link)], std::move(handle));
    }
    // A handle closes when its last user lets go, which must not happen under the lock.
}

void CommandSlots::Close(LinkKind link)
{
    Set(link, nullptr);
}

void CommandSlots::CloseAll()
{
    for (const LinkKind link : kCommandPreference)
        Close(link);
}

std::shared_ptr<HidHandle> CommandSlots::Get(LinkKind link) const
{
    const std::lock_guard lock(m_mutex);
    return m_slots[LinkIndex(link)];
}

bool CommandSlots::Has(LinkKind link) const
{
    return Get(link) != nullptr;
}

std::optional<LinkKind> CommandSlots::PreferredLink() const
{
    const std::lock_guard lock(m_mutex);
    for (const LinkKind link : kCommandPreference)
        if (m_slots[LinkIndex(link)])
            return link;
    return std::nullopt;
}

std::shared_ptr<HidHandle> CommandSlots::Preferred() const
{
    const std::lock_guard lock(m_mutex);
    for (const LinkKind link : kCommandPreference)
        if (m_slots[LinkIndex(link)])
            return m_slots[LinkIndex(link)];
    return nullptr;
}
