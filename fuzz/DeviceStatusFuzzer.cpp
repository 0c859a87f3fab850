// Drives the device link with arbitrary data: the first bytes set profile fields to any
// value a damaged file or a bug could leave (lighting mode, polling index, DPI positions,
// colours), the rest arrive as status reports from the mouse, each followed by an apply
// to the simulated mouse. Nothing may read or write out of bounds, and the mouse must
// keep the DPI colour a first full apply wrote while the profile keeps it (status reports
// never carry DPI colours, so nothing may change it behind the program's back).
#include "FuzzInput.h"

#include "device/DeviceJobRunner.h"
#include "device/DeviceLink.h"
#include "device/DeviceLinkEvents.h"
#include "device/PostedTaskQueue.h"
#include "device/VirtualClock.h"
#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileTable.h"
#include "sim/SimulatedMouse.h"

#include <array>
#include <cstdlib>
#include <span>

namespace {

constexpr std::size_t kProfileBytes = 24;
constexpr std::size_t kReportBytes = 32;
constexpr std::size_t kMaxReports = 64;

void SetProfileFields(Profile& profile, std::span<const std::uint8_t> bytes)
{
    profile.Lighting1ModeValue[0] = bytes[0];
    profile.PollingRateValue[0] = bytes[1];
    profile.CurrentDPILevel = bytes[2];
    profile.DPIOffOnFlag = bytes[3];
    for (std::size_t level = 0; level < Profile::kDpiLevelCount; ++level) {
        profile.XYSettingX[level] = static_cast<std::uint16_t>(bytes[4 + level] * 3);
        profile.XYSettingY[level] = static_cast<std::uint16_t>(bytes[12 + level] * 3);
    }
    profile.DPILevelIndication[0] = static_cast<std::uint32_t>(bytes[20]) | static_cast<std::uint32_t>(bytes[21]) << 8;
    profile.SetIntSetting(ProfileSetting::LiftDetectionHeight, bytes[22]);
    profile.SetIntSetting(ProfileSetting::PowerDownTime, bytes[23]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < kProfileBytes)
        return 0;
    const FuzzInput input(data, 0);
    DataPaths paths{input.Folder(), {}};
    std::filesystem::create_directories(paths.ConfigFolder());
    ProfileTable profiles;
    AppSettings settings;
    MacroLibrary library;
    LanguageTexts texts;
    settings.WriteSettingDefaults(paths);
    settings.SetSensorId(settings.ParseSensorText());
    for (int index = 0; index < ProfileTable::kProfileCount; ++index)
        ResetProfile(profiles.At(index), static_cast<unsigned>(index), texts, settings.SensorId());

    VirtualClock clock;
    SimulatedMouse mouse(clock);
    mouse.Plug(LinkKind::Wired);
    PostedTaskQueue ui;
    InlineJobRunner runner;
    DeviceLinkEvents events;
    DeviceLink link(DeviceModel{profiles, settings, library, texts, paths}, runner, ui, clock, events);
    link.Connection().deviceConfirmed = true;
    link.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
    link.Link(LinkKind::Wired).present = true;
    link.BuildDpiTable();

    Profile& profile = profiles.Current(settings);
    SetProfileFields(profile, std::span(data, kProfileBytes));
    link.ForgetLastSent();
    link.Flags().settingsChanged = true;
    (void)link.ApplyToDevice();
    const std::uint32_t written = profile.DPILevelIndication[0];

    std::span<const std::uint8_t> rest(data + kProfileBytes, size - kProfileBytes);
    for (std::size_t report = 0; report < kMaxReports && rest.size() >= kReportBytes; ++report) {
        std::array<std::uint8_t, kReportBytes> bytes{};
        std::copy_n(rest.begin(), kReportBytes, bytes.begin());
        rest = rest.subspan(kReportBytes);
        bytes[0] = 7;
        link.OnStatusReport(report % 2 == 0 ? LinkKind::Wired : LinkKind::Wireless, bytes);
        (void)link.OnBatteryTimer();

        link.Flags().settingsChanged = true;
        link.Flags().keysChanged = true;
        link.Flags().powerSavingChanged = true;
        link.Flags().sensorOptionsChanged = true;
        (void)link.ApplyToDevice();
        ui.RunPending();
        if (profiles.Current(settings).DPILevelIndication[0] != written)
            continue;  // a new sensor brought new DPI defaults
        const SimRgb colour = mouse.State().settings.dpiColours[0];
        if (colour.red != static_cast<std::uint8_t>(written) || colour.green != static_cast<std::uint8_t>(written >> 8) ||
            colour.blue != static_cast<std::uint8_t>(written >> 16))
            std::abort();
    }
    return 0;
}
