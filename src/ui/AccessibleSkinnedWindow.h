#pragma once

#include <QAccessibleWidget>

#include <cstdint>
#include <unordered_map>

class CControlBase;
class CDlgBase;

// A skinned window for assistive technology: its windowless controls, in layer order,
// are its first children, followed by its real child widgets (the edit boxes). Changes
// of the controls' names, states and values are found by comparing with what was last
// reported, each time the window paints, and reported as events.
class AccessibleSkinnedWindow : public QAccessibleWidget {
public:
    explicit AccessibleSkinnedWindow(CDlgBase* window);
    ~AccessibleSkinnedWindow() override;

    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QAccessibleInterface* focusChild() const override;

    // The interface of a control of this window; null for a control it does not own.
    [[nodiscard]] QAccessibleInterface* InterfaceOf(CControlBase* control) const;
    // Reports what changed since the last call.
    void ReportChanges();

private:
    struct Reported {
        QString name;
        std::uint64_t state = 0;
        int value = 0;
    };

    [[nodiscard]] CDlgBase* Window() const;
    [[nodiscard]] std::vector<CControlBase*> Controls() const;

    mutable std::unordered_map<CControlBase*, QAccessible::Id> m_interfaces;
    std::unordered_map<CControlBase*, Reported> m_reported;
    CControlBase* m_reportedFocus = nullptr;
};
