#pragma once

#include "ui/AccessibleEntryList.h"

#include <QAccessibleWidget>

class CWndPopup;

// A popup for assistive technology: a menu whose entries are menu items. Pressing an
// item clicks it as the mouse does; an item with a sub-list opens it the way the pointer
// does, by coming onto it.
class AccessiblePopup : public QAccessibleWidget {
public:
    explicit AccessiblePopup(CWndPopup* popup);
    ~AccessiblePopup() override;

    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

    // Reports the entry under the pointer as the focused one when it changed.
    void ReportChanges();

private:
    [[nodiscard]] CWndPopup* Popup() const;

    mutable AccessibleEntryList m_items;
    int m_reportedHot = -1;
};
