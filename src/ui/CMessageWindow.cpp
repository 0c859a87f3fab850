#include "ui/CMessageWindow.h"

#include <QMetaObject>
#include <QTimerEvent>

CMessageWindow::CMessageWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

CMessageWindow::~CMessageWindow() = default;

LResult CMessageWindow::SendMessage(UiMessage message, WParam wParam, LParam lParam)
{
    return OnMessage(message, wParam, lParam);
}

void CMessageWindow::PostMessage(UiMessage message, WParam wParam, LParam lParam)
{
    // The window is the context object: Qt delivers the call on the window's thread and
    // discards it if the window is gone by then.
    QMetaObject::invokeMethod(
        this, [this, message, wParam, lParam] { OnMessage(message, wParam, lParam); },
        Qt::QueuedConnection);
}

void CMessageWindow::SetTimer(unsigned id, int intervalMs)
{
    KillTimer(id);
    const int qtId = startTimer(intervalMs < 0 ? 0 : intervalMs);
    if (qtId != 0)
        m_timers[id] = qtId;
}

void CMessageWindow::KillTimer(unsigned id)
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return;
    killTimer(found->second);
    m_timers.erase(found);
}

bool CMessageWindow::HasTimer(unsigned id) const
{
    return m_timers.contains(id);
}

void CMessageWindow::InvalidateRect(const UiRect& rect)
{
    if (!rect.IsEmpty())
        update(rect.ToQRect());
}

void CMessageWindow::InvalidateAll()
{
    update();
}

LResult CMessageWindow::OnMessage(UiMessage message, WParam /*wParam*/, LParam /*lParam*/)
{
    if (message == Msg::kClose)
        close();
    return 0;
}

void CMessageWindow::timerEvent(QTimerEvent* event)
{
    for (const auto& [id, qtId] : m_timers) {
        if (qtId == event->timerId()) {
            OnMessage(Msg::kTimer, id, 0);
            return;
        }
    }
    QWidget::timerEvent(event);
}
