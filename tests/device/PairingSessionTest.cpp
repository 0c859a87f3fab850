#include "device/PairingSession.h"

#include <gtest/gtest.h>

TEST(PairingSessionTest, MouseAlreadyOnLineIsPairedAtTheFirstTick)
{
    PairingSession session;
    const auto press = session.Press();
    EXPECT_TRUE(press.sendRequest);
    EXPECT_TRUE(press.startTimer);
    EXPECT_EQ(session.StatusText(), PairingSession::kTextPairing);
    EXPECT_FALSE(session.Tick(true));
    EXPECT_EQ(session.State(), PairState::Paired);
    EXPECT_EQ(session.StatusText(), PairingSession::kTextPaired);
    EXPECT_FALSE(session.Press().startTimer);  // paired: the button does nothing
}

TEST(PairingSessionTest, WaitsTwentyFiveTicksThenFailsAndARetryWaitsAgainWithoutANewRequest)
{
    PairingSession session;
    ASSERT_TRUE(session.Press().sendRequest);
    const int expectedDots[] = {279, 280, 278};
    for (int tick = 1; tick <= PairingSession::kMaxTicks; ++tick) {
        ASSERT_TRUE(session.Tick(false)) << tick;
        EXPECT_EQ(session.StatusText(), expectedDots[(tick - 1) % 3]) << tick;
    }
    EXPECT_FALSE(session.Tick(false));  // the 26th tick
    EXPECT_EQ(session.State(), PairState::Failed);
    EXPECT_EQ(session.StatusText(), PairingSession::kTextFailed);

    const auto retry = session.Press();
    EXPECT_FALSE(retry.sendRequest);
    EXPECT_TRUE(retry.startTimer);
    EXPECT_EQ(session.State(), PairState::Pairing);
    EXPECT_TRUE(session.Tick(false));
    EXPECT_FALSE(session.Tick(true));
    EXPECT_EQ(session.State(), PairState::Paired);
}

TEST(PairingSessionTest, PressWhilePairingChangesNothing)
{
    PairingSession session;
    (void)session.Press();
    ASSERT_TRUE(session.Tick(false));
    const auto again = session.Press();
    EXPECT_FALSE(again.sendRequest);
    EXPECT_FALSE(again.startTimer);
    EXPECT_EQ(session.StatusText(), 279);
}
