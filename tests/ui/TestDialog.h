#pragma once

#include "ui/CControlBase.h"
#include "ui/CDlgBase.h"
#include "ui/OpenDialogList.h"
#include "ui/UiState.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

// A message as a window received it.
struct ReceivedMessage {
    UiMessage message;
    WParam wParam;
    LParam lParam;
    friend bool operator==(const ReceivedMessage&, const ReceivedMessage&) = default;
};

inline void PrintTo(const ReceivedMessage& m, std::ostream* os)
{
    *os << "{" << m.message << ", " << m.wParam << ", " << m.lParam << "}";
}

// A plain skinned dialog that records every message it is sent and notes when the
// window-move path is taken.
class TestDialog : public CDlgBase {
public:
    TestDialog() { SetFrameSize(400, 300); }

    std::vector<ReceivedMessage> messages;
    int windowMoves = 0;

    int Count(const ReceivedMessage& wanted) const
    {
        return static_cast<int>(std::count(messages.begin(), messages.end(), wanted));
    }

    std::vector<ReceivedMessage> MessagesFor(UiMessage message) const
    {
        std::vector<ReceivedMessage> found;
        for (const auto& m : messages) {
            if (m.message == message)
                found.push_back(m);
        }
        return found;
    }

protected:
    void DrawBackground(QPainter& painter, const UiRect& clip) override
    {
        painter.fillRect(rect(), QColor(30, 30, 30));
        DrawControls(painter, clip);
    }
    void CreateControls(int, int, int, int) override {}
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override
    {
        messages.push_back({message, wParam, lParam});
        return CDlgBase::OnMessage(message, wParam, lParam);
    }
    bool BeginWindowMove(QPoint globalPosition) override
    {
        ++windowMoves;
        return CDlgBase::BeginWindowMove(globalPosition);
    }
};

// Real mouse events delivered to a widget through the application, as the window system
// would deliver them; the left button is tracked so moves carry it while held.
class MouseDriver {
public:
    explicit MouseDriver(QWidget* widget) : m_widget(widget) {}

    void Move(QPoint local) { Send(QEvent::MouseMove, local, Qt::NoButton); }
    void Press(QPoint local, Qt::MouseButton button = Qt::LeftButton)
    {
        m_buttons |= button;
        Send(QEvent::MouseButtonPress, local, button);
    }
    void Release(QPoint local, Qt::MouseButton button = Qt::LeftButton)
    {
        m_buttons &= ~Qt::MouseButtons(button);
        Send(QEvent::MouseButtonRelease, local, button);
    }
    void Click(QPoint local)
    {
        Move(local);
        Press(local);
        Release(local);
    }
    void DoubleClick(QPoint local)
    {
        Click(local);
        m_buttons |= Qt::LeftButton;
        Send(QEvent::MouseButtonDblClick, local, Qt::LeftButton);
        Release(local);
    }
    // The second press of a double click, as the window system reports it.
    void DoubleClickPress(QPoint local)
    {
        m_buttons |= Qt::LeftButton;
        Send(QEvent::MouseButtonDblClick, local, Qt::LeftButton);
    }
    void RightClick(QPoint local)
    {
        Move(local);
        Press(local, Qt::RightButton);
        Release(local, Qt::RightButton);
    }
    void Leave()
    {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(m_widget, &leave);
    }
    // Global position for a local point, fixed at the widget's position when the
    // driver was made (a window that moves itself must not shift the pointer).
    void PinGlobalOrigin() { m_pinnedOrigin = m_widget->mapToGlobal(QPoint(0, 0)); m_pinned = true; }

private:
    void Send(QEvent::Type type, QPoint local, Qt::MouseButton button)
    {
        const QPoint global = m_pinned ? m_pinnedOrigin + local : m_widget->mapToGlobal(local);
        QMouseEvent event(type, QPointF(local), QPointF(global), button, m_buttons, Qt::NoModifier);
        QApplication::sendEvent(m_widget, &event);
    }

    QWidget* m_widget;
    Qt::MouseButtons m_buttons;
    QPoint m_pinnedOrigin;
    bool m_pinned = false;
};

// A shown window standing in for the main window, for tests of the dialogs it owns; the
// table of open dialogs starts and ends empty.
class OwnerTest : public testing::Test {
protected:
    void SetUp() override
    {
        OpenDialogList::Clear();
        owner.SetDialogRole(DialogRole::Main);
        owner.InitDialog();
        owner.show();
    }
    void TearDown() override { OpenDialogList::Clear(); }

    TestDialog owner;
};

// A fresh dialog shown on the offscreen screen, with the shared selection state reset.
class DialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        UiState::Instance().Reset();
        dialog.InitDialog();
        dialog.show();
    }
    void TearDown() override { UiState::Instance().Reset(); }

    template <class Control, class... Args>
    Control* Add(int layer, Args&&... args)
    {
        return dialog.AddControl(layer, std::make_unique<Control>(&dialog, std::forward<Args>(args)...));
    }

    TestDialog dialog;
    MouseDriver mouse{&dialog};
};
