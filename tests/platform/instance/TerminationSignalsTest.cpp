#include "platform/instance/TerminationSignals.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <csignal>
#include <vector>

namespace {

// The watch needs the event loop of a Qt application for its notifier.
class TerminationSignalsTest : public testing::Test {
protected:
    template <typename Done>
    static bool RunUntil(Done done, int limit = 5000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < limit)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        return done();
    }

    int m_argc = 1;
    char m_name[16] = "signals-test";
    char* m_argv[1] = {m_name};
    QCoreApplication m_app{m_argc, m_argv};
};

[[nodiscard]] void (*HandlerOf(int number))(int)
{
    struct sigaction current {};
    (void)::sigaction(number, nullptr, &current);
    return current.sa_handler;
}

}  // namespace

// Without the watch each of these would end the test process at once.
TEST_F(TerminationSignalsTest, EachRequestToEndArrivesOnTheEventLoopAndTheProcessGoesOn)
{
    std::vector<int> requests;
    const TerminationSignals watch([&requests](int number) { requests.push_back(number); });
    ASSERT_TRUE(watch.Watching());
    for (const int number : {SIGTERM, SIGHUP, SIGINT}) {
        SCOPED_TRACE(number);
        requests.clear();
        ASSERT_EQ(std::raise(number), 0);
        // Nothing runs inside the handler: the request waits for the event loop.
        EXPECT_TRUE(requests.empty());
        EXPECT_TRUE(RunUntil([&requests] { return !requests.empty(); }));
        EXPECT_EQ(requests, std::vector<int>{number});
    }
}

TEST_F(TerminationSignalsTest, TheEndOfTheWatchRestoresWhatWasThere)
{
    const auto termBefore = HandlerOf(SIGTERM);
    const auto hangUpBefore = HandlerOf(SIGHUP);
    {
        const TerminationSignals watch([](int) {});
        EXPECT_NE(HandlerOf(SIGTERM), termBefore);
        EXPECT_NE(HandlerOf(SIGHUP), hangUpBefore);
        // One watch per process: a second one watches nothing and changes nothing.
        const TerminationSignals second([](int) {});
        EXPECT_FALSE(second.Watching());
    }
    EXPECT_EQ(HandlerOf(SIGTERM), termBefore);
    EXPECT_EQ(HandlerOf(SIGHUP), hangUpBefore);
}
