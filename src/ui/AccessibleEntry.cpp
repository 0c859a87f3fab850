#include "ui/AccessibleEntry.h"

AccessibleEntry::AccessibleEntry(QAccessibleInterface* owner, QAccessible::Role role, Reader read,
                                 Activator activate, ToScreen toScreen)
    : m_owner(owner),
      m_role(role),
      m_read(std::move(read)),
      m_activate(std::move(activate)),
      m_toScreen(std::move(toScreen))
{
}

bool AccessibleEntry::isValid() const
{
    return m_owner != nullptr && m_owner->isValid();
}

QObject* AccessibleEntry::object() const
{
    return nullptr;
}

QWindow* AccessibleEntry::window() const
{
    return m_owner->window();
}

QAccessibleInterface* AccessibleEntry::parent() const
{
    return m_owner;
}

QAccessibleInterface* AccessibleEntry::child(int /*index*/) const
{
    return nullptr;
}

int AccessibleEntry::childCount() const
{
    return 0;
}

int AccessibleEntry::indexOfChild(const QAccessibleInterface* /*child*/) const
{
    return -1;
}

QAccessibleInterface* AccessibleEntry::childAt(int /*x*/, int /*y*/) const
{
    return nullptr;
}

QString AccessibleEntry::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name && isValid() ? m_read().name : QString();
}

void AccessibleEntry::setText(QAccessible::Text /*kind*/, const QString& /*text*/) {}

QRect AccessibleEntry::rect() const
{
    if (!isValid())
        return {};
    const UiRect rect = m_read().rect;
    return rect.IsEmpty() ? QRect() : m_toScreen(rect.ToQRect());
}

QAccessible::Role AccessibleEntry::role() const
{
    return m_role;
}

QAccessible::State AccessibleEntry::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    const AccessibleItem item = m_read();
    const QAccessible::State owner = m_owner->state();
    // Unused places of a list (a profile slot without a profile) are blank.
    state.invisible = owner.invisible || item.name.isEmpty();
    state.offscreen = item.rect.IsEmpty() || owner.invisible;
    state.selectable = true;
    state.selected = item.selected;
    state.focusable = true;
    state.focused = item.selected && m_role == QAccessible::MenuItem;
    state.hasPopup = item.hasSubMenu;
    state.expandable = item.expandable;
    state.expanded = item.expanded;
    state.collapsed = item.expandable && !item.expanded;
    return state;
}

void* AccessibleEntry::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList AccessibleEntry::actionNames() const
{
    return {pressAction()};
}

void AccessibleEntry::doAction(const QString& actionName)
{
    if (actionName == pressAction() && isValid())
        m_activate();
}

QStringList AccessibleEntry::keyBindingsForAction(const QString& actionName) const
{
    return actionName == pressAction() ? QStringList{QStringLiteral("Return")} : QStringList{};
}
