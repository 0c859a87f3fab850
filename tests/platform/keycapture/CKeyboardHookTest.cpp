#include "platform/keycapture/CKeyboardHook.h"

#include "ui/CMessageWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWindow>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct HookMessage {
    WParam virtualKey;
    LParam eventWord;
    friend bool operator==(const HookMessage&, const HookMessage&) = default;
};

void PrintTo(const HookMessage& m, std::ostream* os)
{
    *os << "{0x" << std::hex << m.virtualKey << ", 0x" << m.eventWord << "}";
}

// A window that keeps the key messages its hook posts it, with a line edit that has the
// keyboard focus, as a dialog's edit box would.
class HookWindow : public CMessageWindow {
public:
    HookWindow()
    {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        layout->addWidget(edit);
    }

    std::vector<HookMessage> messages;
    QLineEdit* edit;

protected:
    LResult OnMessage(UiMessage message, WParam wParam, LParam lParam) override
    {
        if (message == KeyHook::kMessage)
            messages.push_back({wParam, lParam});
        return CMessageWindow::OnMessage(message, wParam, lParam);
    }
};

class KeyboardHookTest : public testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<HookWindow>();
        window->show();
        window->edit->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // A key event as the window system hands it to the program: to the top-level window,
    // which passes it on to the focus widget.
    void SendKey(QEvent::Type type, int key, quint64 timestamp, bool autoRepeat = false,
                 quint32 nativeScanCode = 0, const QString& text = {})
    {
        QKeyEvent event(type, key, Qt::NoModifier, nativeScanCode, 0, 0, text, autoRepeat);
        event.setTimestamp(timestamp);
        QApplication::sendEvent(window->windowHandle(), &event);
    }

    // The hook posts its messages; they are in once the queue is drained.
    std::vector<HookMessage> Received()
    {
        QCoreApplication::processEvents();
        return window->messages;
    }

    std::unique_ptr<HookWindow> window;
    CKeyboardHook hook;
};

constexpr LParam kRelease = 0x80000000;

}  // namespace

TEST_F(KeyboardHookTest, PressRepeatedPressAndReleaseWithTheirTimes)
{
    ASSERT_TRUE(hook.StartHook(window.get()));
    EXPECT_FALSE(hook.IsSystemWide());  // offscreen: the program's own windows
    SendKey(QEvent::KeyPress, Qt::Key_A, 1000, false, 0, QStringLiteral("a"));
    // Held: some systems report each repeat as a release and a press.
    SendKey(QEvent::KeyRelease, Qt::Key_A, 1500, true);
    SendKey(QEvent::KeyPress, Qt::Key_A, 1500, true, 0, QStringLiteral("a"));
    SendKey(QEvent::KeyPress, Qt::Key_A, 1533, true, 0, QStringLiteral("a"));
    SendKey(QEvent::KeyRelease, Qt::Key_A, 1600);

    const std::vector<HookMessage> expected{
        {0x41, 1000}, {0x41, 1500}, {0x41, 1533}, {0x41, kRelease | 1600}};
    EXPECT_EQ(Received(), expected);
    // The hook only watches: the edit box got its text.
    EXPECT_EQ(window->edit->text(), QStringLiteral("aaa"));
}

TEST_F(KeyboardHookTest, TheTimeStampWrapsAt31Bits)
{
    ASSERT_TRUE(hook.StartHook(window.get()));
    SendKey(QEvent::KeyPress, Qt::Key_B, 0x8000'0010ull);
    SendKey(QEvent::KeyRelease, Qt::Key_B, 0xFFFF'FFFFull);
    const std::vector<HookMessage> expected{{0x42, 0x10}, {0x42, kRelease | 0x7FFF'FFFF}};
    EXPECT_EQ(Received(), expected);
}

TEST_F(KeyboardHookTest, RealKeyClicksThroughTheWindowSystem)
{
    ASSERT_TRUE(hook.StartHook(window.get()));
    QTest::keyClick(window->windowHandle(), Qt::Key_Exclam, Qt::ShiftModifier);
    QTest::keyClick(window->windowHandle(), Qt::Key_4, Qt::KeypadModifier);
    // The time stamps are the window system's; the codes and the release bits are ours.
    std::vector<std::pair<WParam, bool>> keys;
    for (const HookMessage& message : Received())
        keys.emplace_back(message.virtualKey, (message.eventWord & kRelease) != 0);
    const std::vector<std::pair<WParam, bool>> expected{
        {0xA0, false}, {0x31, false}, {0x31, true}, {0xA0, true}, {0x64, false}, {0x64, true}};
    EXPECT_EQ(keys, expected);
}

TEST_F(KeyboardHookTest, NothingAfterStopNorForKeysWithoutCode)
{
    ASSERT_TRUE(hook.StartHook(window.get()));
    SendKey(QEvent::KeyPress, Qt::Key_Launch0, 10);
    SendKey(QEvent::KeyPress, Qt::Key_C, 20);
    EXPECT_TRUE(hook.StopHook());
    EXPECT_FALSE(hook.IsStarted());
    SendKey(QEvent::KeyRelease, Qt::Key_C, 30);
    EXPECT_TRUE(hook.StopHook());  // twice is harmless
    const std::vector<HookMessage> expected{{0x43, 20}};
    EXPECT_EQ(Received(), expected);
}

TEST_F(KeyboardHookTest, RestartingGoesToTheNewWindowOnly)
{
    HookWindow other;
    other.show();
    ASSERT_TRUE(hook.StartHook(window.get()));
    ASSERT_TRUE(hook.StartHook(&other));
    SendKey(QEvent::KeyPress, Qt::Key_D, 5);
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->messages.empty());
    const std::vector<HookMessage> expected{{0x44, 5}};
    EXPECT_EQ(other.messages, expected);
}

TEST_F(KeyboardHookTest, AGoneWindowGetsNothingAndTheHookSurvives)
{
    HookWindow target;
    auto doomed = std::make_unique<HookWindow>();
    ASSERT_TRUE(hook.StartHook(doomed.get()));
    doomed.reset();
    SendKey(QEvent::KeyPress, Qt::Key_E, 5);
    QCoreApplication::processEvents();
    ASSERT_TRUE(hook.StartHook(&target));
    SendKey(QEvent::KeyPress, Qt::Key_E, 6);
    QCoreApplication::processEvents();
    const std::vector<HookMessage> expected{{0x45, 6}};
    EXPECT_EQ(target.messages, expected);
}
