#include "device/BatteryDisplay.h"

#include "profiles/TextNumbers.h"

std::optional<BatteryView> BatteryDisplay::Tick(bool deviceConfirmed, BatteryState& battery)
{
    if (!deviceConfirmed)
        return std::nullopt;
    battery.batteryLevel = ShownLevel(battery.batteryLevel);
    m_phase += kPhaseStep;
    if (m_phase > kMaxPhase)
        m_phase = kPhaseAfterWrap;

    BatteryView view;
    view.animationPhase = m_phase;
    view.level = battery.batteryLevel;
    view.chargeState = battery.chargeState;
    view.text = TextNumbers::Decimal(battery.batteryLevel) + u"%";
    return view;
}
