#pragma once

#include "device/BatteryState.h"

#include <cstdint>
#include <optional>
#include <string>

// What one tick of the battery display shows.
struct BatteryView {
    int animationPhase = 0;  // hand to the battery gauge with the level and charge state
    std::uint8_t level = 0;  // percent, 0..100
    ChargeState chargeState = ChargeState::OnBattery;
    std::u16string text;  // the level as "57%", for the text beside the gauge

    friend bool operator==(const BatteryView&, const BatteryView&) = default;
};

// The once-a-second battery display of the main window: limits the reported level to
// what can be shown and steps the gauge's charging animation.
class BatteryDisplay {
public:
    static constexpr int kInitialPhase = 25;  // the gauge's own start value
    static constexpr int kPhaseStep = 25;
    static constexpr int kMaxPhase = 100;       // a step past this starts the cycle again
    static constexpr int kPhaseAfterWrap = 25;
    static constexpr std::uint8_t kMaxShownLevel = 100;

    // The level as the gauge shows it: a reported level above 100 reads as 0.
    [[nodiscard]] static constexpr std::uint8_t ShownLevel(std::uint8_t reported)
    {
        return reported > kMaxShownLevel ? std::uint8_t{0} : reported;
    }

    // One timer tick. Until the device is confirmed nothing is shown and nothing moves.
    // A level above 100 cannot be shown: it is stored back as 0 and shown as 0 %.
    [[nodiscard]] std::optional<BatteryView> Tick(bool deviceConfirmed, BatteryState& battery);

    [[nodiscard]] int AnimationPhase() const { return m_phase; }

private:
    int m_phase = kInitialPhase;
};
