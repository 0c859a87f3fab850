#include "app/BatteryAlerts.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct Step {
    std::uint8_t level;
    ChargeState charge;
    std::optional<BatteryAlert> alert;
};

struct Sequence {
    const char* name;
    std::vector<Step> steps;
};

constexpr ChargeState kOnBattery = ChargeState::OnBattery;
constexpr ChargeState kCharging = ChargeState::Charging;
constexpr ChargeState kFull = ChargeState::Full;
constexpr std::optional<BatteryAlert> kNone = std::nullopt;
constexpr std::optional<BatteryAlert> kLow = BatteryAlert::Low;
constexpr std::optional<BatteryAlert> kEmpty = BatteryAlert::NearlyEmpty;
constexpr std::optional<BatteryAlert> kCharged = BatteryAlert::Charged;

}  // namespace

TEST(BatteryAlertsTest, EachThresholdIsToldOnceUntilItsStateIsLeft)
{
    const std::vector<Sequence> sequences = {
        {"falling one percent at a time",
         {{17, kOnBattery, kNone}, {16, kOnBattery, kNone}, {15, kOnBattery, kLow}, {14, kOnBattery, kNone},
          {6, kOnBattery, kNone}, {5, kOnBattery, kEmpty}, {4, kOnBattery, kNone}, {0, kOnBattery, kNone}}},
        {"a jump past both thresholds tells only the lower one",
         {{40, kOnBattery, kNone}, {3, kOnBattery, kEmpty}, {10, kOnBattery, kNone}, {2, kOnBattery, kNone}}},
        {"a reading that wavers at the threshold is told once",
         {{15, kOnBattery, kLow}, {16, kOnBattery, kNone}, {15, kOnBattery, kNone}, {20, kOnBattery, kNone},
          {15, kOnBattery, kNone}}},
        {"back above the threshold by more than the margin re-arms it",
         {{15, kOnBattery, kLow}, {21, kOnBattery, kNone}, {15, kOnBattery, kLow}}},
        {"back above 10 re-arms only the lower alert",
         {{5, kOnBattery, kEmpty}, {11, kOnBattery, kNone}, {5, kOnBattery, kEmpty}, {21, kOnBattery, kNone},
          {15, kOnBattery, kLow}}},
        {"charging re-arms both, and a low level while charging is not told",
         {{12, kOnBattery, kLow}, {12, kCharging, kNone}, {4, kCharging, kNone}, {12, kOnBattery, kLow},
          {4, kOnBattery, kEmpty}}},
        {"charged is told when the mouse reports full, once",
         {{80, kCharging, kNone}, {100, kFull, kCharged}, {100, kFull, kNone}, {100, kOnBattery, kNone},
          {100, kFull, kCharged}}},
        {"charged again after charging",
         {{90, kCharging, kNone}, {100, kFull, kCharged}, {95, kCharging, kNone}, {100, kFull, kCharged}}},
        {"a battery full at the first report is not announced",
         {{100, kFull, kNone}, {100, kFull, kNone}, {99, kOnBattery, kNone}, {100, kFull, kCharged}}},
        {"a battery low at the first report is told",
         {{9, kOnBattery, kLow}, {8, kOnBattery, kNone}}},
        {"nearly empty at the first report is told",
         {{1, kOnBattery, kEmpty}, {15, kOnBattery, kNone}}},
        {"a level above 100 on battery reads as 0, as the gauge shows it",
         {{50, kOnBattery, kNone}, {200, kOnBattery, kEmpty}}},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        BatteryAlerts alerts;
        for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
            const Step& step = sequence.steps[i];
            SCOPED_TRACE("step " + std::to_string(i) + ": " + std::to_string(step.level) + " %");
            EXPECT_EQ(alerts.Take(BatteryState{step.level, step.charge}), step.alert);
        }
    }
}
