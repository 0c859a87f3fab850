#include "device/StatusReportProcessor.h"

#include "device/PollingRateLabels.h"
#include "device/SensorCodes.h"
#include "profiles/LanguageTexts.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"

namespace {

// Language texts naming the lighting modes: modes 1..7 have their own, every other mode
// shares one.
constexpr std::size_t kFirstNamedLightingMode = 1;
constexpr std::size_t kLastNamedLightingMode = 7;
constexpr std::size_t kFirstLightingModeText = DefaultTexts::kLightingMode1;
constexpr std::size_t kOtherLightingModeText = 109;

constexpr std::uint8_t kMinPowerTime = 1;   // minutes
constexpr std::uint8_t kMaxPowerTime = 30;  // minutes
constexpr std::uint8_t kMinSpeedLevel = 1;
constexpr std::uint8_t kMaxSpeedLevel = 3;

// The mouse reports one speed for the lighting. It is stored into the first eight modes;
// mode 3 stands for them when deciding whether it changed.
constexpr std::size_t kSpeedModeCount = 8;
constexpr std::size_t kSpeedReferenceMode = 3;

// The lighting colour lands in the fixed colour of these modes; the first is the one
// compared and the one the lighting command sends.
constexpr std::size_t kColourMode = 6;
constexpr std::size_t kColourMirrorMode = 3;

bool WiredOrBlePresent(const LinkPresence& presence)
{
    return presence[LinkIndex(LinkKind::Wired)] || presence[LinkIndex(LinkKind::Ble)];
}

bool InPowerTimeRange(std::uint8_t minutes)
{
    return minutes >= kMinPowerTime && minutes <= kMaxPowerTime;
}

}  // namespace

StatusReportProcessor::StatusReportProcessor(ConnectionState& connection, BatteryState& battery,
                                             ListenerMemory& memory, const LanguageTexts& texts)
    : m_connection(connection), m_battery(battery), m_memory(memory), m_texts(texts)
{
}

StatusOutcome StatusReportProcessor::Process(const StatusReport& report, LinkKind link,
                                             const LinkPresence& presence, Profile& profile,
                                             std::uint16_t currentSensor)
{
    StatusOutcome outcome;
    if (!report.IsStatusReport()) {
        outcome.disposition = StatusDisposition::Ignored;
        return outcome;
    }
    if (link == LinkKind::Wireless && !FollowReceiver(report, presence, outcome)) {
        outcome.disposition = StatusDisposition::SkippedMouseOffline;
        return outcome;
    }

    bool changed = TakeDpiLevel(report, profile);
    TakeBattery(report);
    changed |= TakePollingRate(report, link, profile);
    changed |= TakeLightingMode(report, profile);
    outcome.launchUrl = TakeLaunchButton(report, profile);
    outcome.sensorChange = TakeSensor(report, currentSensor);
    changed |= TakeMoveLighting(report, profile);
    changed |= TakePowerTimes(report, profile);
    changed |= TakeColour(report, profile);
    changed |= TakeLightingSpeed(report, profile);
    outcome.changed = changed;
    return outcome;
}

bool StatusReportProcessor::FollowReceiver(const StatusReport& report, const LinkPresence& presence,
                                           StatusOutcome& outcome)
{
    const bool online = report.ReceiverMouseOnline();
    const bool receiverOnly = !WiredOrBlePresent(presence);
    // The indicator follows the receiver's mouse only while no other link carries the
    // connection. A mouse still off line is shown again when the indicator does not say so.
    if (receiverOnly &&
        (online != m_connection.receiverMouseOnline ||
         (!online && m_connection.connectionIndicator != ConnectionIndicator::ReceiverMouseOffline))) {
        outcome.startConnectionTimer = true;
    }
    m_connection.receiverMouseOnline = online;
    if (online)
        return true;
    if (receiverOnly)
        m_battery = BatteryState{};
    return false;
}

bool StatusReportProcessor::TakeDpiLevel(const StatusReport& report, Profile& profile)
{
    // Stored whatever its value; readers of CurrentDPILevel bound it themselves.
    const std::uint8_t level = report.DpiLevel();
    if (level == m_memory.lastDpiLevel)
        return false;
    m_memory.lastDpiLevel = level;
    profile.CurrentDPILevel = level;
    return true;
}

void StatusReportProcessor::TakeBattery(const StatusReport& report)
{
    m_battery.batteryLevel = report.BatteryLevel();
    switch (report.ChargeCode()) {
    case ReportedChargeCode::kCharging:
        m_battery.chargeState = ChargeState::Charging;
        break;
    case ReportedChargeCode::kFull:
        // A full battery reads 100 % whatever level came with it.
        m_battery.chargeState = ChargeState::Full;
        m_battery.batteryLevel = 100;
        break;
    default:
        m_battery.chargeState = ChargeState::OnBattery;
        break;
    }
}

bool StatusReportProcessor::TakePollingRate(const StatusReport& report, LinkKind link, Profile& profile)
{
    const std::uint8_t index = PollingIndexOfReportedCode(link, report.PollingCode());
    if (index == profile.PollingRateValue[0])
        return false;
    profile.PollingRateValue = {index, 0, 0};
    profile.PollingRateName = std::u16string(PollingRateLabel(index));
    return true;
}

bool StatusReportProcessor::TakeLightingMode(const StatusReport& report, Profile& profile) const
{
    const std::uint8_t mode = report.LightingMode();
    if (mode == profile.Lighting1ModeValue[0])
        return false;
    profile.Lighting1ModeValue = {mode, 0, 0};
    const bool named = mode >= kFirstNamedLightingMode && mode <= kLastNamedLightingMode;
    profile.Lighting1Name =
        m_texts.Text(named ? kFirstLightingModeText + mode - kFirstNamedLightingMode : kOtherLightingModeText);
    return true;
}

std::optional<std::u16string> StatusReportProcessor::TakeLaunchButton(const StatusReport& report,
                                                                      const Profile& profile)
{
    // The mouse repeats the button in every report until another event; only the first
    // report of a press launches.
    const std::uint8_t button = report.LaunchButton();
    if (button == 0) {
        m_memory.lastLaunchButton = 0;
        return std::nullopt;
    }
    if (button == m_memory.lastLaunchButton)
        return std::nullopt;
    m_memory.lastLaunchButton = button;
    const KeyAssignment* key = profile.GetKey(button - 1u);
    if (key == nullptr || key->URL.empty())
        return std::nullopt;
    return key->URL;
}

std::optional<SensorChange> StatusReportProcessor::TakeSensor(const StatusReport& report, std::uint16_t currentSensor)
{
    const std::optional<std::uint16_t> model = SensorModelOfCode(report.SensorCode());
    if (!model || *model == currentSensor)
        return std::nullopt;
    // The 0x3205 layout is in force exactly while the program is set up for that sensor.
    SensorChange change{*model, SensorLayoutSwitch::None};
    if (*model == SensorIds::k3205)
        change.layoutSwitch = SensorLayoutSwitch::To3205Layout;
    else if (currentSensor == SensorIds::k3205)
        change.layoutSwitch = SensorLayoutSwitch::From3205Layout;
    return change;
}

bool StatusReportProcessor::TakeMoveLighting(const StatusReport& report, Profile& profile)
{
    // The setting ends as the reported state, "1" or "0". A value the window never
    // writes (a hand-edited "2", say) is replaced as well, so the profile cannot keep
    // a value that disagrees with the mouse.
    const int reported = report.MoveLightingOn() ? 1 : 0;
    if (profile.GetIntSetting(ProfileSetting::MoveLightingOnOffMode) == reported)
        return false;
    profile.SetBoolSetting(ProfileSetting::MoveLightingOnOffMode, reported);
    return true;
}

bool StatusReportProcessor::TakePowerTimes(const StatusReport& report, Profile& profile)
{
    bool changed = false;
    const auto take = [&profile, &changed](ProfileSetting setting, std::uint8_t minutes) {
        if (!InPowerTimeRange(minutes) || profile.GetIntSetting(setting) == minutes)
            return;
        profile.SetIntSetting(setting, minutes);
        changed = true;
    };
    take(ProfileSetting::PowerDownTime, report.PowerDownTime());
    take(ProfileSetting::RgbOffTime, report.RgbOffTime());
    return changed;
}

bool StatusReportProcessor::TakeColour(const StatusReport& report, Profile& profile)
{
    const std::uint32_t colour = report.Colour();
    if (colour == profile.Lighting1FixedColor[kColourMode][0])
        return false;
    profile.Lighting1FixedColor[kColourMode][0] = colour;
    profile.Lighting1FixedColor[kColourMirrorMode][0] = colour;
    return true;
}

bool StatusReportProcessor::TakeLightingSpeed(const StatusReport& report, Profile& profile)
{
    const std::uint8_t level = report.LightingSpeed();
    if (level < kMinSpeedLevel || level > kMaxSpeedLevel)
        return false;
    // The profile keeps speeds 0-based.
    const auto speed = static_cast<std::uint8_t>(level - kMinSpeedLevel);
    if (speed == profile.Lighting1Speed[kSpeedReferenceMode])
        return false;
    for (std::size_t mode = 0; mode < kSpeedModeCount; ++mode)
        profile.Lighting1Speed[mode] = speed;
    return true;
}
