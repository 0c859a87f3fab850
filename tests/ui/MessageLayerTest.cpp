#include "TestDialog.h"

#include "ui/MessageMap.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <atomic>
#include <thread>

namespace {

constexpr UiMessage kStatusChanged = Msg::kUser + 43;
constexpr UiMessage kUnmapped = Msg::kUser + 99;
constexpr unsigned kApplyTimer = 30;

// A window that routes through a message map and notes the thread each handler ran on.
class MappedWindow : public CMessageWindow {
public:
    int statusCalls = 0;
    WParam lastWParam = 0;
    Qt::HANDLE handlerThread = nullptr;
    int timerExpiries = 0;
    int unmappedCalls = 0;

protected:
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override
    {
        static const MessageMap<MappedWindow> map{{kStatusChanged, &MappedWindow::OnStatusChanged},
                                                  {Msg::kTimer, &MappedWindow::OnTimer}};
        if (auto result = map.Dispatch(*this, message, wParam, lParam))
            return *result;
        ++unmappedCalls;
        return CMessageWindow::OnMessage(message, wParam, lParam);
    }

private:
    LResult OnStatusChanged(WParam wParam, LParam /*lParam*/)
    {
        ++statusCalls;
        lastWParam = wParam;
        handlerThread = QThread::currentThreadId();
        return 7;
    }
    LResult OnTimer(WParam wParam, LParam /*lParam*/)
    {
        if (wParam == kApplyTimer) {
            ++timerExpiries;
            KillTimer(kApplyTimer);
        }
        return 0;
    }
};

TEST(MessageLayerTest, SendMessageRunsTheMappedHandlerAtOnce)
{
    MappedWindow window;
    EXPECT_EQ(window.SendMessage(kStatusChanged, 1, 0), 7);
    EXPECT_EQ(window.statusCalls, 1);
    EXPECT_EQ(window.SendMessage(kUnmapped, 0, 0), 0);
    EXPECT_EQ(window.unmappedCalls, 1);
}

TEST(MessageLayerTest, PostMessageFromAnotherThreadRunsOnTheWindowsThread)
{
    MappedWindow window;
    std::thread listener([&window] {
        for (WParam i = 1; i <= 3; ++i)
            window.PostMessage(kStatusChanged, i, 0);
    });
    listener.join();
    EXPECT_EQ(window.statusCalls, 0);  // nothing runs until the loop dispatches
    QCoreApplication::processEvents();
    EXPECT_EQ(window.statusCalls, 3);
    EXPECT_EQ(window.lastWParam, 3u);  // in posting order
    EXPECT_EQ(window.handlerThread, QThread::currentThreadId());
}

// Counts deliveries in a place that outlives the window.
class CountingWindow : public CMessageWindow {
public:
    explicit CountingWindow(int& deliveries) : m_deliveries(deliveries) {}

protected:
    LResult OnMessage(UiMessage, WParam, LParam) override
    {
        ++m_deliveries;
        return 0;
    }

private:
    int& m_deliveries;
};

TEST(MessageLayerTest, PostedMessageToADestroyedWindowIsDropped)
{
    int deliveries = 0;
    auto* window = new CountingWindow(deliveries);
    window->PostMessage(kStatusChanged, 1, 0);
    delete window;
    QCoreApplication::processEvents();
    EXPECT_EQ(deliveries, 0);

    CountingWindow alive(deliveries);
    alive.PostMessage(kStatusChanged, 1, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(deliveries, 1);
}

TEST(MessageLayerTest, TimerExpiresWithItsIdUntilKilled)
{
    MappedWindow window;
    window.SetTimer(kApplyTimer, 1);
    EXPECT_TRUE(window.HasTimer(kApplyTimer));
    QElapsedTimer clock;
    clock.start();
    while (window.timerExpiries == 0 && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_EQ(window.timerExpiries, 1);
    EXPECT_FALSE(window.HasTimer(kApplyTimer));
    // Killing a timer that is not running is harmless.
    window.KillTimer(kApplyTimer);
}

}  // namespace
