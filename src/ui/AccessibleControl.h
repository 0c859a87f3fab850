#pragma once

#include "ui/AccessibleEntryList.h"

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>
#include <QAccessibleValueInterface>
#include <QPointer>

#include <functional>
#include <optional>

class CControlBase;
class CDlgBase;

// A windowless control as an accessible child of its window: role, name, state and
// value come from the control; every action is a click through the window's routing,
// run from the event loop so that a dialog it opens does not hold up the caller. The
// rows of a list control are its children.
class AccessibleControl : public QAccessibleInterface,
                          public QAccessibleActionInterface,
                          public QAccessibleValueInterface {
public:
    AccessibleControl(CDlgBase* window, CControlBase* control);
    ~AccessibleControl() override;

    [[nodiscard]] CControlBase* Control() const { return m_control; }

    // QAccessibleInterface
    [[nodiscard]] bool isValid() const override;
    [[nodiscard]] QObject* object() const override;
    [[nodiscard]] QWindow* window() const override;
    [[nodiscard]] QAccessibleInterface* parent() const override;
    [[nodiscard]] QAccessibleInterface* child(int index) const override;
    [[nodiscard]] int childCount() const override;
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override;
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override;
    [[nodiscard]] QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text kind, const QString& text) override;
    [[nodiscard]] QRect rect() const override;
    [[nodiscard]] QAccessible::Role role() const override;
    [[nodiscard]] QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // QAccessibleActionInterface
    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString& actionName) const override;

    // QAccessibleValueInterface
    [[nodiscard]] QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    [[nodiscard]] QVariant maximumValue() const override;
    [[nodiscard]] QVariant minimumValue() const override;
    [[nodiscard]] QVariant minimumStepSize() const override;

    // Client rectangle of the control on the screen.
    [[nodiscard]] QRect ScreenRect(const QRect& clientRect) const;
    // Clicks the row of a list control (after scrolling it into view), later.
    void ActivateItem(int index);

private:
    // Clicks the control at `point`, or at the point `locate` gives when it runs.
    void ClickLater(std::function<std::optional<QPoint>()> locate);

    QPointer<CDlgBase> m_window;
    CControlBase* m_control;
    mutable AccessibleEntryList m_items;
};
