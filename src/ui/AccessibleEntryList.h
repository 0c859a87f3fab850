#pragma once

#include <QAccessible>

#include <functional>
#include <vector>

// The entry interfaces of one owner (a list control or a popup), one per position, made
// when first asked for and registered with Qt; the list deletes them with itself.
class AccessibleEntryList {
public:
    // Makes the interface of the entry at a position.
    using Factory = std::function<QAccessibleInterface*(int position)>;

    explicit AccessibleEntryList(Factory make);
    ~AccessibleEntryList();
    AccessibleEntryList(const AccessibleEntryList&) = delete;
    AccessibleEntryList& operator=(const AccessibleEntryList&) = delete;

    // The interface at index when index < count; null otherwise.
    [[nodiscard]] QAccessibleInterface* At(int index, int count);
    [[nodiscard]] int IndexOf(const QAccessibleInterface* entry) const;
    // The first of the count entries whose rectangle holds the screen point.
    [[nodiscard]] QAccessibleInterface* At(QPoint screenPoint, int count);

private:
    Factory m_make;
    std::vector<QAccessible::Id> m_ids;
};
