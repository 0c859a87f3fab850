#include "ui/AccessibleEntryList.h"

#include <QAccessibleInterface>

AccessibleEntryList::AccessibleEntryList(Factory make) : m_make(std::move(make)) {}

AccessibleEntryList::~AccessibleEntryList()
{
    for (const QAccessible::Id id : m_ids)
        QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* AccessibleEntryList::At(int index, int count)
{
    if (index < 0 || index >= count)
        return nullptr;
    // Entries come and go (folders open, lists refill); the interface of a position
    // reads its entry whenever it is asked.
    while (static_cast<int>(m_ids.size()) <= index)
        m_ids.push_back(QAccessible::registerAccessibleInterface(m_make(static_cast<int>(m_ids.size()))));
    return QAccessible::accessibleInterface(m_ids[static_cast<std::size_t>(index)]);
}

int AccessibleEntryList::IndexOf(const QAccessibleInterface* entry) const
{
    for (std::size_t i = 0; i < m_ids.size(); ++i) {
        if (QAccessible::accessibleInterface(m_ids[i]) == entry)
            return static_cast<int>(i);
    }
    return -1;
}

QAccessibleInterface* AccessibleEntryList::At(QPoint screenPoint, int count)
{
    for (int i = 0; i < count; ++i) {
        QAccessibleInterface* entry = At(i, count);
        if (entry != nullptr && entry->rect().contains(screenPoint))
            return entry;
    }
    return nullptr;
}
