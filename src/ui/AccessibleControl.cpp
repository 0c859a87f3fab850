#include "ui/AccessibleControl.h"

#include "ui/AccessibleEntry.h"
#include "ui/CControlBase.h"
#include "ui/CDlgBase.h"

#include <QWidget>

AccessibleControl::AccessibleControl(CDlgBase* window, CControlBase* control)
    : m_window(window),
      m_control(control),
      m_items([this](int position) -> QAccessibleInterface* {
          return new AccessibleEntry(
              this, m_control->AccessibleRole() == QAccessible::Tree ? QAccessible::TreeItem : QAccessible::ListItem,
              [this, position] { return isValid() ? m_control->AccessibleItemAt(position) : AccessibleItem{}; },
              [this, position] { ActivateItem(position); },
              [this](const QRect& rect) { return ScreenRect(rect); });
      })
{
}

AccessibleControl::~AccessibleControl() = default;

bool AccessibleControl::isValid() const
{
    return !m_window.isNull() && m_control != nullptr;
}

QObject* AccessibleControl::object() const
{
    return nullptr;
}

QWindow* AccessibleControl::window() const
{
    return m_window.isNull() ? nullptr : m_window->windowHandle();
}

QAccessibleInterface* AccessibleControl::parent() const
{
    return m_window.isNull() ? nullptr : QAccessible::queryAccessibleInterface(m_window.data());
}

QAccessibleInterface* AccessibleControl::child(int index) const
{
    return isValid() ? m_items.At(index, childCount()) : nullptr;
}

int AccessibleControl::childCount() const
{
    return isValid() ? m_control->AccessibleItemCount() : 0;
}

int AccessibleControl::indexOfChild(const QAccessibleInterface* child) const
{
    return m_items.IndexOf(child);
}

QAccessibleInterface* AccessibleControl::childAt(int x, int y) const
{
    return m_items.At(QPoint(x, y), childCount());
}

QString AccessibleControl::text(QAccessible::Text kind) const
{
    if (!isValid())
        return {};
    if (kind == QAccessible::Name)
        return m_control->AccessibleName();
    if (kind == QAccessible::Value) {
        if (const auto range = m_control->AccessibleValue())
            return QString::number(range->value);
    }
    return {};
}

void AccessibleControl::setText(QAccessible::Text /*kind*/, const QString& /*text*/) {}

QRect AccessibleControl::ScreenRect(const QRect& clientRect) const
{
    if (m_window.isNull())
        return {};
    return {m_window->mapToGlobal(clientRect.topLeft()), clientRect.size()};
}

QRect AccessibleControl::rect() const
{
    return isValid() ? ScreenRect(m_control->GetRect().ToQRect()) : QRect();
}

QAccessible::Role AccessibleControl::role() const
{
    return isValid() ? m_control->AccessibleRole() : QAccessible::NoRole;
}

QAccessible::State AccessibleControl::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    m_control->AddAccessibleState(state);
    state.invisible = !m_control->IsVisible() || !m_control->IsShown() || !m_window->isVisible();
    state.offscreen = state.invisible;
    const QAccessible::Role role = m_control->AccessibleRole();
    const bool showsOnly = role == QAccessible::StaticText || role == QAccessible::Graphic ||
                           role == QAccessible::ProgressBar;
    // Texts and pictures are not interactive by construction; that is not "disabled".
    if (!showsOnly && m_control->IsDisabled())
        state.disabled = true;
    state.focusable = m_control->IsFocusable();
    state.focused = state.focusable && m_window->FocusControl() == m_control && m_window->isActiveWindow();
    state.hotTracked = m_window->HotControl() == m_control;
    return state;
}

void* AccessibleControl::interface_cast(QAccessible::InterfaceType type)
{
    if (!isValid())
        return nullptr;
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    if (type == QAccessible::ValueInterface && m_control->AccessibleValue())
        return static_cast<QAccessibleValueInterface*>(this);
    return nullptr;
}

QStringList AccessibleControl::actionNames() const
{
    if (!isValid() || !m_control->IsFocusable())
        return {};
    switch (m_control->AccessibleRole()) {
    case QAccessible::CheckBox:
        return {toggleAction(), pressAction()};
    case QAccessible::ButtonMenu:
    case QAccessible::ComboBox:
        return {showMenuAction(), pressAction()};
    case QAccessible::Slider:
    case QAccessible::ScrollBar: {
        QStringList names;
        if (m_control->StepPoint(1))
            names << increaseAction();
        if (m_control->StepPoint(-1))
            names << decreaseAction();
        return names;
    }
    case QAccessible::List:
    case QAccessible::Tree:
        return {};
    default:
        return {pressAction()};
    }
}

void AccessibleControl::doAction(const QString& actionName)
{
    if (!actionNames().contains(actionName))
        return;
    CControlBase* control = m_control;
    if (actionName == increaseAction() || actionName == decreaseAction()) {
        const int direction = actionName == increaseAction() ? 1 : -1;
        ClickLater([control, direction] { return control->StepPoint(direction); });
        return;
    }
    ClickLater([control] { return std::optional<QPoint>(control->ClickPoint()); });
}

QStringList AccessibleControl::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction() || actionName == toggleAction() || actionName == showMenuAction())
        return {QStringLiteral("Space")};
    return {};
}

void AccessibleControl::ClickLater(std::function<std::optional<QPoint>()> locate)
{
    if (m_window.isNull())
        return;
    QPointer<CDlgBase> window = m_window;
    CControlBase* control = m_control;
    QMetaObject::invokeMethod(
        window.data(),
        [window, control, locate = std::move(locate)] {
            if (window.isNull())
                return;
            if (const std::optional<QPoint> point = locate())
                window->ClickControl(control, *point);
        },
        Qt::QueuedConnection);
}

void AccessibleControl::ActivateItem(int index)
{
    CControlBase* control = m_control;
    ClickLater([control, index] { return control->RevealItem(index); });
}

QVariant AccessibleControl::currentValue() const
{
    const auto range = isValid() ? m_control->AccessibleValue() : std::nullopt;
    return range ? QVariant(range->value) : QVariant();
}

void AccessibleControl::setCurrentValue(const QVariant& value)
{
    if (!isValid() || m_control->IsDisabled())
        return;
    const int target = value.toInt();
    CControlBase* control = m_control;
    ClickLater([control, target] { return control->PointForValue(target); });
}

QVariant AccessibleControl::maximumValue() const
{
    const auto range = isValid() ? m_control->AccessibleValue() : std::nullopt;
    return range ? QVariant(range->maximum) : QVariant();
}

QVariant AccessibleControl::minimumValue() const
{
    const auto range = isValid() ? m_control->AccessibleValue() : std::nullopt;
    return range ? QVariant(range->minimum) : QVariant();
}

QVariant AccessibleControl::minimumStepSize() const
{
    return 1;
}
