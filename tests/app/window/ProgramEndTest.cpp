#include "MainWindowFixture.h"

#include "app/MainWindowIds.h"
#include "profiles/ProfileFile.h"

#include <QEvent>
#include <QTimer>

#include <csignal>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

// The ways a run ends from outside the program, and its own close button.
enum class End : std::uint8_t {
    CloseButton,
    Terminate,  // SIGTERM: the session's end, the service manager's stop
    HangUp,     // SIGHUP: the terminal or the session went away
    Interrupt,  // SIGINT: Ctrl+C in the terminal that started it
    SessionQuit,  // the session manager's end: Qt's quit event to the application
};

std::string EndName(const testing::TestParamInfo<End>& info)
{
    switch (info.param) {
    case End::CloseButton:
        return "CloseButton";
    case End::Terminate:
        return "Terminate";
    case End::HangUp:
        return "HangUp";
    case End::Interrupt:
        return "Interrupt";
    case End::SessionQuit:
        return "SessionQuit";
    }
    return "Unknown";
}

class ProgramEndTest : public MainWindowFixture, public testing::WithParamInterface<End> {
protected:
    // Ends the run the given way and runs the program's loop until it returns; false
    // when it never did.
    bool EndTheRun(End end)
    {
        switch (end) {
        case End::CloseButton:
            Click(MainId::kClose);
            break;
#ifndef _WIN32
        case End::Terminate:
            (void)::kill(::getpid(), SIGTERM);
            break;
        case End::HangUp:
            (void)::kill(::getpid(), SIGHUP);
            break;
        case End::Interrupt:
            (void)::kill(::getpid(), SIGINT);
            break;
#else
        case End::Terminate:
        case End::HangUp:
        case End::Interrupt:
            ADD_FAILURE() << "no signals on Windows";
            return false;
#endif
        case End::SessionQuit:
            // Delivered while the loop runs, as the session manager's message is.
            QTimer::singleShot(0, QCoreApplication::instance(), [] {
                QEvent quit(QEvent::Quit);
                QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
            });
            break;
        }
        bool timedOut = false;
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [this, &timedOut] {
            timedOut = true;
            app->Quit();
        });
        guard.start(10000);
        (void)app->Run();
        return !timedOut;
    }
};

}  // namespace

// The rate is chosen and the run ends before the apply timer expired and long before the
// save delay: the mouse gets the rate, the profile file holds it, nothing is left unsent.
TEST_P(ProgramEndTest, AChangeMadeJustBeforeTheEndIsSentAndSaved)
{
    StartConfirmed();
    const AppSettings& settings = window->Model().settings;
    const std::filesystem::path file = settings.ProfileSlotPath(settings.CurrentProfile());
    const DataPaths paths = app->Paths();
    Click(MainId::kFirstRateRadio + 2);

    ASSERT_TRUE(EndTheRun(GetParam()));
    const auto frames = Sent(CommandCode::PollingRate);
    ASSERT_EQ(frames.size(), 1U);
    EXPECT_EQ(frames[0][CommandLayout::kPayload], 0x02);  // 500 Hz
    Profile saved;
    ASSERT_TRUE(ParseProfileFile(saved, file).ok);
    EXPECT_EQ(saved.PollingRateName, u"500HZ");
    EXPECT_FALSE(std::filesystem::exists(paths.UnsentMarkerFile()));
}

#ifdef _WIN32
// Windows sends a window program no signals: a run ends through its windows and the session.
INSTANTIATE_TEST_SUITE_P(EveryEnd, ProgramEndTest, testing::Values(End::CloseButton, End::SessionQuit), EndName);
#else
INSTANTIATE_TEST_SUITE_P(EveryEnd, ProgramEndTest,
                         testing::Values(End::CloseButton, End::Terminate, End::HangUp, End::Interrupt,
                                         End::SessionQuit),
                         EndName);
#endif
