#include "app/BatteryAlerts.h"

#include "device/BatteryDisplay.h"

std::optional<BatteryAlert> BatteryAlerts::Take(const BatteryState& battery)
{
    const bool first = !m_seen;
    m_seen = true;
    const std::uint8_t level = BatteryDisplay::ShownLevel(battery.batteryLevel);
    const bool onBattery = battery.chargeState == ChargeState::OnBattery;
    const bool full = battery.chargeState == ChargeState::Full;

    // Leaving a state re-arms its alert.
    if (!onBattery || level > kLowLevel + kRearmMargin)
        m_lowTold = false;
    if (!onBattery || level > kNearlyEmptyLevel + kRearmMargin)
        m_nearlyEmptyTold = false;
    if (!full)
        m_chargedTold = false;

    if (full) {
        const bool announce = !m_chargedTold && !first;
        m_chargedTold = true;
        return announce ? std::optional(BatteryAlert::Charged) : std::nullopt;
    }
    if (!onBattery)
        return std::nullopt;
    if (level <= kNearlyEmptyLevel) {
        // The lower threshold covers the higher one: no "low" after "nearly empty".
        const bool announce = !m_nearlyEmptyTold;
        m_nearlyEmptyTold = true;
        m_lowTold = true;
        return announce ? std::optional(BatteryAlert::NearlyEmpty) : std::nullopt;
    }
    if (level <= kLowLevel && !m_lowTold) {
        m_lowTold = true;
        return BatteryAlert::Low;
    }
    return std::nullopt;
}
