#include "sim/SimLiveState.h"

SimStatusReport SimLiveState::BuildReport(std::uint8_t receiverOnline) const
{
    SimStatusReport report{};
    report[SimStatusLayout::kReportId] = ReportId::kStatus;
    report[SimStatusLayout::kReceiverOnline] = receiverOnline;
    report[SimStatusLayout::kDpiLevel] = dpiLevel;
    report[SimStatusLayout::kPollingCode] = pollingCode;
    report[SimStatusLayout::kBattery] = battery;
    report[SimStatusLayout::kChargeState] = chargeState;
    report[SimStatusLayout::kLightingMode] = lightingMode;
    report[SimStatusLayout::kLaunchButton] = launchButton;
    report[SimStatusLayout::kSensorCode] = sensorCode;
    report[SimStatusLayout::kMoveLighting] = moveLighting;
    report[SimStatusLayout::kPowerDownTime] = powerDownTime;
    report[SimStatusLayout::kRgbOffTime] = rgbOffTime;
    report[SimStatusLayout::kColourRed] = colour.red;
    report[SimStatusLayout::kColourGreen] = colour.green;
    report[SimStatusLayout::kColourBlue] = colour.blue;
    report[SimStatusLayout::kSpeedLevel] = speedLevel;
    return report;
}
