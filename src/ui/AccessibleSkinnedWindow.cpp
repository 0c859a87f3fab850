#include "ui/AccessibleSkinnedWindow.h"

#include "ui/AccessibleControl.h"
#include "ui/CControlBase.h"
#include "ui/CDlgBase.h"
#include "ui/ToolkitAccessibility.h"

#include <cstring>

namespace {

std::uint64_t Bits(const QAccessible::State& state)
{
    static_assert(sizeof(QAccessible::State) == sizeof(std::uint64_t));
    std::uint64_t bits = 0;
    std::memcpy(&bits, &state, sizeof bits);
    return bits;
}

QAccessible::State FromBits(std::uint64_t bits)
{
    QAccessible::State state;
    std::memcpy(static_cast<void*>(&state), &bits, sizeof bits);
    return state;
}

}  // namespace

AccessibleSkinnedWindow::AccessibleSkinnedWindow(CDlgBase* window)
    : QAccessibleWidget(window, window->Role() == DialogRole::Main ? QAccessible::Window : QAccessible::Dialog)
{
}

AccessibleSkinnedWindow::~AccessibleSkinnedWindow()
{
    for (const auto& [control, id] : m_interfaces)
        QAccessible::deleteAccessibleInterface(id);
}

CDlgBase* AccessibleSkinnedWindow::Window() const
{
    return static_cast<CDlgBase*>(widget());
}

std::vector<CControlBase*> AccessibleSkinnedWindow::Controls() const
{
    std::vector<CControlBase*> controls;
    for (int layer = 0; layer < CDlgBase::kLayerCount; ++layer) {
        for (const auto& control : Window()->Layer(layer)) {
            if (control)
                controls.push_back(control.get());
        }
    }
    return controls;
}

QAccessibleInterface* AccessibleSkinnedWindow::InterfaceOf(CControlBase* control) const
{
    if (control == nullptr)
        return nullptr;
    if (const auto found = m_interfaces.find(control); found != m_interfaces.end())
        return QAccessible::accessibleInterface(found->second);
    const std::vector<CControlBase*> controls = Controls();
    if (std::find(controls.begin(), controls.end(), control) == controls.end())
        return nullptr;
    auto* created = new AccessibleControl(Window(), control);
    m_interfaces.emplace(control, QAccessible::registerAccessibleInterface(created));
    return created;
}

int AccessibleSkinnedWindow::childCount() const
{
    return static_cast<int>(Controls().size()) + QAccessibleWidget::childCount();
}

QAccessibleInterface* AccessibleSkinnedWindow::child(int index) const
{
    if (index < 0)
        return nullptr;
    const std::vector<CControlBase*> controls = Controls();
    if (index < static_cast<int>(controls.size()))
        return InterfaceOf(controls[static_cast<std::size_t>(index)]);
    return QAccessibleWidget::child(index - static_cast<int>(controls.size()));
}

int AccessibleSkinnedWindow::indexOfChild(const QAccessibleInterface* child) const
{
    if (child == nullptr)
        return -1;
    const std::vector<CControlBase*> controls = Controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto found = m_interfaces.find(controls[i]);
        if (found != m_interfaces.end() && QAccessible::accessibleInterface(found->second) == child)
            return static_cast<int>(i);
    }
    const int widgetIndex = QAccessibleWidget::indexOfChild(child);
    return widgetIndex < 0 ? -1 : widgetIndex + static_cast<int>(controls.size());
}

QAccessibleInterface* AccessibleSkinnedWindow::childAt(int x, int y) const
{
    if (QAccessibleInterface* widgetChild = QAccessibleWidget::childAt(x, y))
        return widgetChild;
    // The topmost shown control under the point: later layers paint over earlier ones.
    const QPoint point = Window()->mapFromGlobal(QPoint(x, y));
    const std::vector<CControlBase*> controls = Controls();
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        CControlBase* control = *it;
        if (control->IsVisible() && control->IsShown() && control->GetRect().Contains(point))
            return InterfaceOf(control);
    }
    return nullptr;
}

QAccessibleInterface* AccessibleSkinnedWindow::focusChild() const
{
    if (CControlBase* focus = Window()->FocusControl())
        return InterfaceOf(focus);
    return QAccessibleWidget::focusChild();
}

void AccessibleSkinnedWindow::ReportChanges()
{
    for (CControlBase* control : Controls()) {
        QAccessibleInterface* iface = InterfaceOf(control);
        Reported now{control->AccessibleName(), Bits(iface->state()), 0};
        const auto range = control->AccessibleValue();
        if (range)
            now.value = range->value;
        const auto known = m_reported.find(control);
        if (known == m_reported.end()) {
            m_reported.emplace(control, now);
            continue;
        }
        Reported& was = known->second;
        if (now.name != was.name) {
            QAccessibleEvent event(iface, QAccessible::NameChanged);
            ToolkitAccessibility::Report(&event);
        }
        if (now.state != was.state) {
            QAccessibleStateChangeEvent event(iface, FromBits(now.state ^ was.state));
            ToolkitAccessibility::Report(&event);
        }
        if (range && now.value != was.value) {
            QAccessibleValueChangeEvent event(iface, now.value);
            ToolkitAccessibility::Report(&event);
        }
        was = now;
    }
    CControlBase* focus = Window()->FocusControl();
    if (focus != m_reportedFocus) {
        m_reportedFocus = focus;
        if (QAccessibleInterface* iface = InterfaceOf(focus); iface != nullptr && Window()->isActiveWindow()) {
            QAccessibleEvent event(iface, QAccessible::Focus);
            ToolkitAccessibility::Report(&event);
        }
    }
}
