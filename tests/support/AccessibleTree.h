#pragma once

#include <QAccessible>
#include <QStringList>

// Reading a window's accessibility tree as a screen reader would, for the tests.
namespace AccessibleTree {

// The shown controls under iface that assistive technology could not use: one that can be
// pressed, set, typed into or chosen but has no name, or one without a role. Each is
// given by its path of child indexes from `path`.
inline void CollectUnnamed(QAccessibleInterface* iface, const QString& path, QStringList& unnamed)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface* child = iface->child(i);
        if (child == nullptr)
            continue;
        const QAccessible::State state = child->state();
        if (state.invisible)
            continue;
        const QString where = QStringLiteral("%1/%2 (role 0x%3)").arg(path).arg(i).arg(child->role(), 0, 16);
        const bool usable =
            state.focusable || child->role() == QAccessible::EditableText || child->role() == QAccessible::MenuItem;
        if (usable && child->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << where;
        if (child->role() == QAccessible::NoRole)
            unnamed << where + QStringLiteral(" without role");
        CollectUnnamed(child, where, unnamed);
    }
}

inline QStringList UnnamedControls(QAccessibleInterface* iface, const QString& path)
{
    QStringList unnamed;
    CollectUnnamed(iface, path, unnamed);
    return unnamed;
}

}  // namespace AccessibleTree
