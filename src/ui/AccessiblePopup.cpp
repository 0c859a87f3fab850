#include "ui/AccessiblePopup.h"

#include "ui/AccessibleEntry.h"
#include "ui/CWndPopup.h"
#include "ui/ToolkitAccessibility.h"

#include <QPointer>

AccessiblePopup::AccessiblePopup(CWndPopup* popup) : QAccessibleWidget(popup, QAccessible::PopupMenu) {}

AccessiblePopup::~AccessiblePopup()
{
    for (const QAccessible::Id id : m_items)
        QAccessible::deleteAccessibleInterface(id);
}

CWndPopup* AccessiblePopup::Popup() const
{
    return static_cast<CWndPopup*>(widget());
}

int AccessiblePopup::childCount() const
{
    return Popup()->AccessibleItemCount();
}

QAccessibleInterface* AccessiblePopup::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    while (static_cast<int>(m_items.size()) <= index) {
        const int position = static_cast<int>(m_items.size());
        QPointer<CWndPopup> popup = Popup();
        auto* entry = new AccessibleEntry(
            const_cast<AccessiblePopup*>(this), QAccessible::MenuItem,
            [popup, position] { return popup.isNull() ? AccessibleItem{} : popup->AccessibleItemAt(position); },
            [popup, position] {
                // Run from the event loop: the click may open a dialog.
                QMetaObject::invokeMethod(
                    popup.data(),
                    [popup, position] {
                        if (popup.isNull())
                            return;
                        if (popup->AccessibleItemAt(position).hasSubMenu)
                            popup->HoverItem(position);
                        else
                            popup->ClickItem(position);
                    },
                    Qt::QueuedConnection);
            },
            [popup](const QRect& rect) {
                return popup.isNull() ? QRect() : QRect(popup->mapToGlobal(rect.topLeft()), rect.size());
            });
        m_items.push_back(QAccessible::registerAccessibleInterface(entry));
    }
    return QAccessible::accessibleInterface(m_items[static_cast<std::size_t>(index)]);
}

int AccessiblePopup::indexOfChild(const QAccessibleInterface* child) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (QAccessible::accessibleInterface(m_items[i]) == child)
            return static_cast<int>(i);
    }
    return -1;
}

QAccessibleInterface* AccessiblePopup::childAt(int x, int y) const
{
    for (int i = 0; i < childCount(); ++i) {
        QAccessibleInterface* item = child(i);
        if (item != nullptr && item->rect().contains(x, y))
            return item;
    }
    return nullptr;
}

QAccessibleInterface* AccessiblePopup::focusChild() const
{
    for (int i = 0; i < childCount(); ++i) {
        if (Popup()->AccessibleItemAt(i).selected)
            return child(i);
    }
    return nullptr;
}

void AccessiblePopup::ReportChanges()
{
    int hot = -1;
    for (int i = 0; i < childCount(); ++i) {
        if (Popup()->AccessibleItemAt(i).selected)
            hot = i;
    }
    if (hot == m_reportedHot)
        return;
    m_reportedHot = hot;
    if (QAccessibleInterface* item = child(hot)) {
        QAccessibleEvent event(item, QAccessible::Focus);
        ToolkitAccessibility::Report(&event);
    }
}
