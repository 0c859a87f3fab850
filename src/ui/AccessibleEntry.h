#pragma once

#include "ui/AccessibleItem.h"

#include <QAccessibleActionInterface>
#include <QAccessibleInterface>

#include <functional>

// One entry of a list control or of a popup: a menu item, list item or tree item whose
// content is read from its owner each time, so that it follows scrolling and refills.
// Its press is the owner's click on the entry. The owner creates, registers and deletes
// these interfaces.
class AccessibleEntry : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    using Reader = std::function<AccessibleItem()>;
    using Activator = std::function<void()>;
    using ToScreen = std::function<QRect(const QRect&)>;

    AccessibleEntry(QAccessibleInterface* owner, QAccessible::Role role, Reader read, Activator activate,
                    ToScreen toScreen);

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

    [[nodiscard]] QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    [[nodiscard]] QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QAccessibleInterface* m_owner;
    QAccessible::Role m_role;
    Reader m_read;
    Activator m_activate;
    ToScreen m_toScreen;
};
