// The skinned dialog's clicks for assistive technology and the keyboard: a click run
// through the mouse routing, the focus stops in reading order, Tab, Space and the arrows,
// and the focus ring.
#include "ui/CDlgBase.h"

#include "ui/CControlBase.h"
#include "ui/UiScale.h"

#include <QCursor>
#include <QPainter>
#include <QPointer>

#include <algorithm>

bool CDlgBase::ClickControl(CControlBase* control, QPoint point)
{
    if (!IsEligible(control) || control->IsDisabled() || m_leftButtonDown || !control->GetRect().Contains(point))
        return false;
    bool owned = false;
    for (const auto& layer : m_layers)
        owned = owned || std::any_of(layer.begin(), layer.end(), [control](const auto& c) { return c.get() == control; });
    if (!owned)
        return false;

    QPointer<CDlgBase> alive(this);
    if (m_hotControl != control) {
        if (CControlBase* oldHot = m_hotControl) {
            oldHot->OnMouseMove(0, QPoint(-1, -1));
            InvalidateRect(oldHot->GetRect());
        }
        m_hotControl = control;
        if (control->OnMouseMove(0, point))
            InvalidateRect(control->GetRect());
    }
    m_lastMousePosition = point;
    RouteLButtonDown(MouseFlag::kLeftButton, point, mapToGlobal(point));
    if (alive.isNull())
        return true;
    RouteLButtonUp(0, point);
    if (alive.isNull())
        return true;
    // The pointer is elsewhere: the control goes back to its normal look.
    if (m_hotControl == control && !control->GetRect().Contains(mapFromGlobal(QCursor::pos()))) {
        control->OnMouseMove(0, QPoint(-1, -1));
        InvalidateRect(control->GetRect());
        m_hotControl = nullptr;
        m_lastMousePosition = QPoint(-1, -1);
    }
    return true;
}

void CDlgBase::SetFocusControl(CControlBase* control)
{
    if (control == m_focusControl)
        return;
    const UiRect old = FocusRingRect();
    m_focusControl = control;
    if (!old.IsEmpty())
        InvalidateRect(old);
    if (control != nullptr) {
        // The keyboard now goes to the window, not to an edit box.
        if (QWidget* focused = focusWidget(); focused != nullptr && focused != this)
            setFocus(Qt::TabFocusReason);
        InvalidateRect(FocusRingRect());
    }
}

std::vector<CDlgBase::FocusStop> CDlgBase::FocusStops() const
{
    struct Placed {
        FocusStop stop;
        QRect rect;
    };
    std::vector<Placed> placed;
    for (const auto& layer : m_layers) {
        for (const auto& control : layer) {
            if (control && control->IsFocusable())
                placed.push_back({{control.get(), nullptr}, control->GetRect().ToQRect()});
        }
    }
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() && child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus))
            placed.push_back({{nullptr, child}, child->geometry()});
    }
    // Reading order: by rows from the top, then from the left.
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        if (a.rect.top() != b.rect.top())
            return a.rect.top() < b.rect.top();
        return a.rect.left() < b.rect.left();
    });
    std::vector<FocusStop> stops;
    stops.reserve(placed.size());
    for (const Placed& p : placed)
        stops.push_back(p.stop);
    return stops;
}

void CDlgBase::MoveFocus(int direction)
{
    const std::vector<FocusStop> stops = FocusStops();
    if (stops.empty())
        return;
    const int count = static_cast<int>(stops.size());
    QWidget* focusedWidget = focusWidget() != this ? focusWidget() : nullptr;
    int current = -1;
    for (int i = 0; i < count; ++i) {
        const FocusStop& stop = stops[static_cast<std::size_t>(i)];
        if ((m_focusControl != nullptr && stop.control == m_focusControl) ||
            (m_focusControl == nullptr && focusedWidget != nullptr && stop.widget == focusedWidget))
            current = i;
    }
    const int next = current < 0 ? (direction > 0 ? 0 : count - 1) : (current + direction + count) % count;
    const FocusStop& target = stops[static_cast<std::size_t>(next)];
    if (target.control != nullptr) {
        SetFocusControl(target.control);
    } else {
        SetFocusControl(nullptr);
        target.widget->setFocus(direction > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    }
}

bool CDlgBase::focusNextPrevChild(bool next)
{
    // Qt takes Tab before the key handler; it goes the same way as every other key, so
    // a dialog that keeps all keys (the shortcut dialog) keeps Tab too.
    HandleDialogKey(next ? Qt::Key_Tab : Qt::Key_Backtab, next ? Qt::NoModifier : Qt::ShiftModifier);
    return true;
}

bool CDlgBase::MoveInRadioGroup(int direction)
{
    const std::vector<FocusStop> stops = FocusStops();
    const auto current = std::find_if(stops.begin(), stops.end(),
                                      [this](const FocusStop& stop) { return stop.control == m_focusControl; });
    if (current == stops.end())
        return false;
    const auto index = current - stops.begin() + direction;
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(stops.size()))
        return false;
    CControlBase* neighbour = stops[static_cast<std::size_t>(index)].control;
    if (neighbour == nullptr || neighbour->AccessibleRole() != QAccessible::RadioButton)
        return false;
    SetFocusControl(neighbour);
    ClickControl(neighbour, neighbour->ClickPoint());
    return true;
}

bool CDlgBase::PressFocusedButton(int key, Qt::KeyboardModifiers modifiers)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space)
        return false;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    CControlBase* focus = m_focusControl;
    // Check boxes and radios keep Enter for the dialog's default, as on a platform dialog;
    // their Space is a navigation key.
    if (focus == nullptr || !focus->IsFocusable() || focus->AccessibleRole() != QAccessible::Button)
        return false;
    ClickControl(focus, focus->ClickPoint());
    return true;
}

bool CDlgBase::HandleNavigationKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        MoveFocus(key == Qt::Key_Backtab || (modifiers & Qt::ShiftModifier) ? -1 : 1);
        return true;
    }
    CControlBase* focus = m_focusControl;
    if (focus == nullptr || !focus->IsFocusable())
        return false;
    if (key == Qt::Key_Space) {
        ClickControl(focus, focus->ClickPoint());
        return true;
    }
    int direction = 0;
    if (key == Qt::Key_Right || key == Qt::Key_Down)
        direction = 1;
    else if (key == Qt::Key_Left || key == Qt::Key_Up)
        direction = -1;
    if (direction == 0)
        return false;
    switch (focus->AccessibleRole()) {
    case QAccessible::Slider:
    case QAccessible::ScrollBar: {
        // Right and Up raise a slider; a scroll bar moves the way the arrow points.
        const bool raises = key == Qt::Key_Right || key == Qt::Key_Up;
        const int step = focus->AccessibleRole() == QAccessible::ScrollBar ? direction : (raises ? 1 : -1);
        if (const std::optional<QPoint> point = focus->StepPoint(step))
            ClickControl(focus, *point);
        return true;
    }
    case QAccessible::RadioButton:
        return MoveInRadioGroup(direction);
    case QAccessible::List:
    case QAccessible::Tree: {
        const int row = std::clamp(focus->CurrentItem() + direction, 0, focus->AccessibleItemCount() - 1);
        if (const std::optional<QPoint> point = focus->RevealItem(row))
            ClickControl(focus, *point);
        return true;
    }
    default:
        return false;
    }
}

UiRect CDlgBase::FocusRingRect() const
{
    if (m_focusControl == nullptr)
        return {};
    const int margin = std::max(2, UiScale::Scale(2));
    const UiRect rect = m_focusControl->GetRect();
    return {rect.left - margin, rect.top - margin, rect.right + margin, rect.bottom + margin};
}

void CDlgBase::DrawFocusRing(QPainter& painter) const
{
    if (!IsEligible(m_focusControl) || !m_focusControl->IsFocusable())
        return;
    const UiRect ring = FocusRingRect();
    // Two pens, so that the ring shows on light and dark skin parts alike.
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRect(ring.left, ring.top, ring.Width() - 1, ring.Height() - 1));
    painter.setPen(QPen(QColor(0xFF, 0xFF, 0x00), 1, Qt::DotLine));
    painter.drawRect(QRect(ring.left, ring.top, ring.Width() - 1, ring.Height() - 1));
    painter.restore();
}
