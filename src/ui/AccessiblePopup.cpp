#include "ui/AccessiblePopup.h"

#include "ui/AccessibleEntry.h"
#include "ui/CWndPopup.h"
#include "ui/ToolkitAccessibility.h"

#include <QPointer>

namespace {

// The press of an entry, from the event loop: the click may open a dialog. An entry with
// a sub-list opens it the way the pointer does, by coming onto it.
void PressLater(QPointer<CWndPopup> popup, int position)
{
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
}

}  // namespace

AccessiblePopup::AccessiblePopup(CWndPopup* popup)
    : QAccessibleWidget(popup, QAccessible::PopupMenu),
      m_items([this, popup = QPointer<CWndPopup>(popup)](int position) -> QAccessibleInterface* {
          return new AccessibleEntry(
              this, QAccessible::MenuItem,
              [popup, position] { return popup.isNull() ? AccessibleItem{} : popup->AccessibleItemAt(position); },
              [popup, position] { PressLater(popup, position); },
              [popup](const QRect& rect) {
                  return popup.isNull() ? QRect() : QRect(popup->mapToGlobal(rect.topLeft()), rect.size());
              });
      })
{
}

AccessiblePopup::~AccessiblePopup() = default;

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
    return m_items.At(index, childCount());
}

int AccessiblePopup::indexOfChild(const QAccessibleInterface* child) const
{
    return m_items.IndexOf(child);
}

QAccessibleInterface* AccessiblePopup::childAt(int x, int y) const
{
    return m_items.At(QPoint(x, y), childCount());
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
