#pragma once

#include "device/BatteryState.h"

#include <cstdint>
#include <optional>

// Which desktop notification a battery report calls for.
enum class BatteryAlert : std::uint8_t {
    Low,          // on battery at 15 % or less
    NearlyEmpty,  // on battery at 5 % or less
    Charged,      // the mouse reports its battery full
};

// Decides the battery's desktop notifications from the reports the mouse sends: each
// alert once when its state is reached, and again only after the state was left: the
// mouse charging (or on battery again, for "charged"), or the level back above the
// threshold by more than kRearmMargin, so that a reading that wavers by a percent at the
// threshold does not repeat the notification. A fall past both thresholds at once tells
// only the lower one. A battery already full at the first report is not announced
// (nothing was charged while the program watched); a low one is.
class BatteryAlerts {
public:
    static constexpr std::uint8_t kLowLevel = 15;
    static constexpr std::uint8_t kNearlyEmptyLevel = 5;
    static constexpr std::uint8_t kRearmMargin = 5;

    // One battery state as the mouse reported it (level as reported: above 100 reads as
    // 0, as the gauge shows it). Nothing when no notification is due.
    [[nodiscard]] std::optional<BatteryAlert> Take(const BatteryState& battery);

private:
    bool m_seen = false;
    bool m_lowTold = false;
    bool m_nearlyEmptyTold = false;
    bool m_chargedTold = false;
};
