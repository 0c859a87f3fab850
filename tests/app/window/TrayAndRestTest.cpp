// The program in the tray: where it starts, what brings its window, and which of its
// timers run while it is put away.
#include "MainWindowFixture.h"

#include "app/MainWindowIds.h"
#include "app/TrayIcon.h"
#include "profiles/LanguageTexts.h"
#include "ui/CStaticText.h"

#include <QSystemTrayIcon>

namespace {

class TrayAndRestTest : public MainWindowFixture {
protected:
    [[nodiscard]] QString BatteryText() const
    {
        const auto* text = dynamic_cast<const CStaticText*>(window->GetControl(MainId::kBatteryText));
        return text != nullptr ? text->Text() : QString();
    }
};

}  // namespace

TEST_F(TrayAndRestTest, WithATrayNeedPasswordOneStartsInTheTrayUntilARestoreRequest)
{
    TrayIcon::AssumeDesktopHasTray(true);
    WriteNeedPassword(1);
    Start();
    bool everShown = window->isVisible();
    ASSERT_TRUE(RunUntil([&] {
        everShown = everShown || window->isVisible();
        return Link().Connection().deviceConfirmed;
    }));
    // The start-up's presence reply confirms the mouse and leaves the window in the tray.
    const auto watch = [&](int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < milliseconds) {
            QApplication::processEvents(QEventLoop::AllEvents, 10);
            everShown = everShown || window->isVisible();
        }
    };
    watch(400);
    EXPECT_FALSE(everShown);
    EXPECT_FALSE(window->HasTimer(MainTimer::kWindowCheck)) << "the window check outlived the confirmation";

    app->Restore();
    EXPECT_TRUE(RunUntil([this] { return window->isVisible(); }));
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(TrayAndRestTest, WithoutATrayNeedPasswordOneStartsMinimisedAndStaysReachable)
{
    TrayIcon::AssumeDesktopHasTray(false);
    WriteNeedPassword(1);
    Start();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
    bool everHidden = false;
    ASSERT_TRUE(RunUntil([&] {
        everHidden = everHidden || !window->isVisible();
        return Link().Connection().deviceConfirmed;
    }));
    RunFor(300);
    EXPECT_FALSE(everHidden);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMinimized());
}

TEST_F(TrayAndRestTest, EveryActivationOfTheTrayIconButItsMenuIsTheRestoreRequest)
{
    struct Case {
        QSystemTrayIcon::ActivationReason reason;
        int restores;
    };
    LanguageTexts texts;
    for (const Case& c : {Case{QSystemTrayIcon::Trigger, 1}, Case{QSystemTrayIcon::DoubleClick, 1},
                          Case{QSystemTrayIcon::Context, 0}, Case{QSystemTrayIcon::MiddleClick, 0},
                          Case{QSystemTrayIcon::Unknown, 0}}) {
        SCOPED_TRACE(static_cast<int>(c.reason));
        int restores = 0;
        int exits = 0;
        TrayIcon tray(texts, [&restores] { ++restores; }, [&exits] { ++exits; });
        Q_EMIT tray.Icon()->activated(c.reason);
        QApplication::processEvents();
        EXPECT_EQ(restores, c.restores);
        EXPECT_EQ(exits, 0);
    }
}

TEST_F(TrayAndRestTest, PutAwayOnlyTheTrayTipFollowsTheBatteryAndShowingDrawsItAtOnce)
{
    StartConfirmed();
    ASSERT_TRUE(RunUntil([this] { return window->HasTimer(MainTimer::kBattery); }));
    EXPECT_FALSE(window->HasTimer(MainTimer::kWindowCheck));

    window->hide();
    EXPECT_FALSE(window->HasTimer(MainTimer::kBattery));
    mouse->SetBattery(42, 0);
    ASSERT_TRUE(RunUntil([this] { return app->TrayToolTip().endsWith(QStringLiteral(" 42%")); }));
    RunFor(1200);
    EXPECT_FALSE(window->HasTimer(MainTimer::kBattery));
    EXPECT_NE(BatteryText(), QStringLiteral("42%")) << "the hidden window was drawn";

    window->show();
    EXPECT_EQ(BatteryText(), QStringLiteral("42%"));
    EXPECT_TRUE(window->HasTimer(MainTimer::kBattery));
}
