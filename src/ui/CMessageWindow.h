#pragma once

#include "ui/UiMessages.h"
#include "ui/UiRect.h"

#include <QWidget>

#include <map>

// The message and timer layer every skinned window has: synchronous SendMessage,
// thread-safe PostMessage (queued to the window's own thread), numbered timers, and one
// dispatch point, OnMessage. Control notifications, popup results and timer expiries
// all arrive there.
class CMessageWindow : public QWidget {
public:
    explicit CMessageWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    ~CMessageWindow() override;

    // Runs the window's OnMessage now, on the calling (UI) thread.
    LResult SendMessage(UiMessage message, WParam wParam, LParam lParam);
    // Queues the message for the window's thread; callable from any thread while the
    // window exists. A message still queued when the window is destroyed is dropped.
    void PostMessage(UiMessage message, WParam wParam, LParam lParam);

    // Starts or restarts timer id; each expiry sends Msg::kTimer with wParam = id.
    void SetTimer(unsigned id, int intervalMs);
    void KillTimer(unsigned id);
    [[nodiscard]] bool HasTimer(unsigned id) const;

    // Repaint requests for a part of the client area or all of it.
    void InvalidateRect(const UiRect& rect);
    void InvalidateAll();

protected:
    // The single dispatch point. The base closes the window on Msg::kClose and answers 0
    // to everything else.
    virtual LResult OnMessage(UiMessage message, WParam wParam, LParam lParam);

    void timerEvent(QTimerEvent* event) override;

private:
    std::map<unsigned, int> m_timers;  // our timer id -> Qt timer id
};
