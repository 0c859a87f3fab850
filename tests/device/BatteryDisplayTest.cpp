#include "device/BatteryDisplay.h"

#include <gtest/gtest.h>

namespace {

TEST(BatteryDisplayTest, NothingHappensUntilTheDeviceIsConfirmed)
{
    BatteryDisplay display;
    BatteryState battery{250, ChargeState::Charging};
    EXPECT_EQ(display.Tick(false, battery), std::nullopt);
    EXPECT_EQ(battery, (BatteryState{250, ChargeState::Charging}));
    EXPECT_EQ(display.AnimationPhase(), BatteryDisplay::kInitialPhase);
}

TEST(BatteryDisplayTest, ShowsTheLevelAndChargeState)
{
    BatteryDisplay display;
    BatteryState battery{57, ChargeState::Charging};
    EXPECT_EQ(display.Tick(true, battery), (BatteryView{50, 57, ChargeState::Charging, u"57%"}));

    battery = {100, ChargeState::Full};
    EXPECT_EQ(display.Tick(true, battery), (BatteryView{75, 100, ChargeState::Full, u"100%"}));

    battery = {0, ChargeState::OnBattery};
    EXPECT_EQ(display.Tick(true, battery), (BatteryView{100, 0, ChargeState::OnBattery, u"0%"}));
}

TEST(BatteryDisplayTest, LevelAbove100IsShownAndStoredAs0)
{
    BatteryDisplay display;
    BatteryState battery{101, ChargeState::Charging};
    const std::optional<BatteryView> view = display.Tick(true, battery);
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->level, 0);
    EXPECT_EQ(view->text, u"0%");
    EXPECT_EQ(battery, (BatteryState{0, ChargeState::Charging}));
}

TEST(BatteryDisplayTest, AnimationPhaseStepsBy25AndWrapsTo25)
{
    BatteryDisplay display;
    BatteryState battery{50, ChargeState::Charging};
    for (const int expected : {50, 75, 100, 25, 50, 75, 100, 25}) {
        const std::optional<BatteryView> view = display.Tick(true, battery);
        ASSERT_TRUE(view.has_value());
        EXPECT_EQ(view->animationPhase, expected);
    }
    EXPECT_EQ(display.AnimationPhase(), 25);
}

}  // namespace
