#include "ui/ToolkitAccessibility.h"

#include "ui/AccessiblePopup.h"
#include "ui/AccessibleSkinnedWindow.h"
#include "ui/CDlgBase.h"
#include "ui/CWndPopup.h"

#include <QAccessible>

namespace {

ToolkitAccessibility::Listener g_listener = nullptr;

QAccessibleInterface* Factory(const QString& /*className*/, QObject* object)
{
    // The windows have no meta-object of their own, so the type decides, not the name.
    if (auto* window = dynamic_cast<CDlgBase*>(object))
        return new AccessibleSkinnedWindow(window);
    if (auto* popup = dynamic_cast<CWndPopup*>(object))
        return new AccessiblePopup(popup);
    return nullptr;
}

}  // namespace

namespace ToolkitAccessibility {

void Install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(Factory);
}

bool Listening()
{
    return g_listener != nullptr || QAccessible::isActive();
}

void Report(QAccessibleEvent* event)
{
    if (g_listener != nullptr)
        g_listener(event);
    else
        QAccessible::updateAccessibility(event);
}

void SetListener(Listener listener)
{
    g_listener = listener;
}

void WindowPainted(CDlgBase* window)
{
    if (!Listening())
        return;
    if (auto* iface = dynamic_cast<AccessibleSkinnedWindow*>(QAccessible::queryAccessibleInterface(window)))
        iface->ReportChanges();
}

void PopupPainted(CWndPopup* popup)
{
    if (!Listening())
        return;
    if (auto* iface = dynamic_cast<AccessiblePopup*>(QAccessible::queryAccessibleInterface(popup)))
        iface->ReportChanges();
}

}  // namespace ToolkitAccessibility
