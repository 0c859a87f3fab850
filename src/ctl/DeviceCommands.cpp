#include "ctl/DeviceCommands.h"

#include "ctl/CtlDeviceSession.h"
#include "ctl/RunningProgram.h"
#include "device/DeviceDiscovery.h"
#include "device/DeviceLink.h"
#include "device/PollingRateLabels.h"
#include "device/SensorCodes.h"
#include "device/StatusReport.h"
#include "profiles/Profile.h"
#include "profiles/TextNumbers.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>

namespace {

constexpr const char* kDevicesUsage =
    "usage: corvanectl devices [--simulate] [--hid-log FILE] [--timeout SECONDS]\n"
    "\n"
    "Lists the links of the mouse that are present, with the interfaces found for each\n"
    "(index, role, input and feature report lengths, path), and whether the mouse answered.\n";

constexpr const char* kStatusUsage =
    "usage: corvanectl status [--simulate] [--hid-log FILE] [--timeout SECONDS]\n"
    "\n"
    "Asks the mouse whether it is there, then waits for its next status report (move it or\n"
    "press a button if it stays quiet) and prints the link in charge, battery and charge\n"
    "state, DPI level, polling rate and sensor. Waits at most --timeout seconds (3).\n";

constexpr const char* kPushUsage =
    "usage: corvanectl push [--simulate] [--hid-log FILE] [--data-dir DIR] [--profile N] [--timeout SECONDS]\n"
    "\n"
    "Writes a profile of the data folder to the mouse: keys, settings, power saving, sensor\n"
    "options and macros, every command, as the program does after switching to it on a\n"
    "mouse whose state it does not know. N is 0..4; without it, the current profile. The\n"
    "data folder is only read.\n";

constexpr const char* kResetUsage =
    "usage: corvanectl reset [--simulate] [--hid-log FILE] [--data-dir DIR] [--yes] [--timeout SECONDS]\n"
    "\n"
    "Resets the mouse to its factory settings after asking (--yes does not ask). As in the\n"
    "program, the data folder's current profile is reset as well, keeping its name.\n";

constexpr const char* kSetUsage =
    "usage: corvanectl set dpi-level N | rate HZ | profile N [--simulate] [--data-dir DIR]\n"
    "\n"
    "Asks the running program to make DPI level N current (1-based, a level that is on),\n"
    "to use the polling rate HZ (125, 250, 500 or 1000), or to make profile N current\n"
    "(0-based, as in 'push --profile' and in status). The program does what the same\n"
    "click in its window does: the window follows, the mouse gets the change and it is\n"
    "saved. Without a running program nothing is changed: start corvane first (with the\n"
    "same --simulate and --data-dir). --data-dir names the data folder of a program on the\n"
    "simulated mouse.\n";

constexpr std::chrono::milliseconds kPerCommandAllowance{1000};

// What "set" changes: its word on the command line and the program's method.
struct Setting {
    const char* word;
    const char* method;
    const char* shown;
};
constexpr std::array<Setting, 3> kSettings{{
    {"dpi-level", "SetDpiLevel", "DPI level"},
    {"rate", "SetPollingRate", "polling rate"},
    {"profile", "SwitchProfile", "profile"},
}};

[[nodiscard]] const char* UsageOf(const std::string& command)
{
    if (command == "devices")
        return kDevicesUsage;
    if (command == "status")
        return kStatusUsage;
    if (command == "push")
        return kPushUsage;
    if (command == "set")
        return kSetUsage;
    return kResetUsage;
}

[[nodiscard]] std::string Hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFu);
    return text;
}

[[nodiscard]] const char* RoleName(DiscoveredInterface::Role role)
{
    switch (role) {
    case DiscoveredInterface::Role::Status:
        return "status";
    case DiscoveredInterface::Role::Command:
        return "command";
    case DiscoveredInterface::Role::Other:
        break;
    }
    return "other";
}

int Devices(CtlDeviceSession& session, std::ostream& out)
{
    DeviceLink& link = session.Link();
    for (const LinkKind kind : kCommandPreference) {
        const bool present = link.Link(kind).present;
        out << LinkName(kind) << ": " << (present ? "present" : "absent");
        if (present && kind == LinkKind::Wired)
            out << ", version " << Hex4(link.Connection().wiredVersion);
        out << "\n";
        for (const DiscoveredInterface& found : session.Discovery().Found()) {
            if (found.link != kind)
                continue;
            out << "  interface " << found.index << ": " << RoleName(found.role) << ", input "
                << found.info.inputReportLength << " bytes, feature " << found.info.featureReportLength
                << " bytes, " << found.info.path << "\n";
        }
    }
    const auto& presence = session.Events().presence;
    out << "mouse: " << (*presence ? "answered, on line" : "answered, off line (the receiver has no mouse)") << "\n";
    return CtlExit::kDone;
}

[[nodiscard]] const char* ChargeText(std::uint8_t code)
{
    if (code == ReportedChargeCode::kCharging)
        return "charging";
    if (code == ReportedChargeCode::kFull)
        return "fully charged";
    return "on battery";
}

int Status(CtlDeviceSession& session, const CtlDeviceOptions& options, std::ostream& out, std::ostream& err)
{
    DeviceLink& link = session.Link();
    // Connect found a link, so one is in charge.
    const LinkKind inCharge = session.Discovery().LinkInCharge().value_or(LinkKind::Wireless);
    out << "link in charge: " << LinkName(inCharge) << "\n";
    if (!link.CanReachMouse()) {
        err << "corvanectl: the receiver is there, but its mouse is off line\n";
        return CtlExit::kRefused;
    }
    const auto bytes = session.ReadStatusReport(inCharge);
    const auto report = bytes ? StatusReport::FromBytes(*bytes) : std::nullopt;
    if (!report) {
        err << "corvanectl: the mouse sent no status report within " << options.timeout.count() / 1000
            << " s; move it or press a button and ask again\n";
        return CtlExit::kRefused;
    }
    // Shown as the program's battery gauge shows it.
    int battery = report->BatteryLevel();
    if (report->ChargeCode() == ReportedChargeCode::kFull)
        battery = 100;
    else if (battery > 100)
        battery = 0;
    const std::uint8_t pollingIndex = PollingIndexOfReportedCode(inCharge, report->PollingCode());
    const auto sensor = SensorModelOfCode(report->SensorCode());
    out << "battery: " << battery << " % (" << ChargeText(report->ChargeCode()) << ")\n";
    out << "DPI level: " << report->DpiLevel() + 1 << "\n";
    out << "polling rate: " << TextNumbers::ToUtf8(std::u16string(kPollingRateLabels.at(pollingIndex))) << "\n";
    out << "sensor: " << (sensor ? Hex4(*sensor) : "unknown code " + Hex4(report->SensorCode())) << "\n";
    return CtlExit::kDone;
}

[[nodiscard]] std::chrono::milliseconds ExchangeAllowance(const CtlDeviceOptions& options, std::size_t commands)
{
    return options.timeout + kPerCommandAllowance * static_cast<long>(commands);
}

int ReportExchanges(const std::optional<ExchangeSummary>& totals, std::ostream& out, std::ostream& err)
{
    if (!totals) {
        err << "corvanectl: the mouse did not finish answering in time\n";
        return CtlExit::kRefused;
    }
    out << totals->accepted << (totals->accepted == 1 ? " command" : " commands") << " accepted";
    if (totals->dropped > 0)
        out << ", " << totals->dropped << " not accepted after four attempts";
    if (totals->unsent > 0)
        out << ", " << totals->unsent << " not written: the mouse went away";
    out << "\n";
    return totals->dropped == 0 && totals->unsent == 0 ? CtlExit::kDone : CtlExit::kRefused;
}

int Push(CtlDeviceSession& session, const CtlDeviceOptions& options, std::ostream& out, std::ostream& err)
{
    if (!session.SettingsRead()) {
        err << "corvanectl: " << session.Paths().SettingsFile().string()
            << " is missing or fails its checks; run 'corvanectl init' first\n";
        return CtlExit::kUsage;
    }
    AppSettings& settings = session.Settings();
    const int index = options.profile.value_or(settings.CurrentProfile());
    if (const std::size_t line = session.ProfileFailingLine(index); line != 0) {
        err << "corvanectl: " << settings.ProfileSlotPath(index).string() << ": line " << line
            << " fails the reader's checks\n";
        return CtlExit::kUsage;
    }
    DeviceLink& link = session.Link();
    if (!link.CanReachMouse()) {
        err << "corvanectl: the receiver is there, but its mouse is off line\n";
        return CtlExit::kRefused;
    }
    // In memory only: the settings file keeps its current profile.
    settings.SetCurrentProfile(index);
    link.ForgetLastSent();
    ChangeFlags& flags = link.Flags();
    flags.keysChanged = true;
    flags.settingsChanged = true;
    flags.powerSavingChanged = true;
    flags.sensorOptionsChanged = true;
    const ApplyOutcome outcome = link.ApplyToDevice();
    if (outcome.result != ApplyResult::Applied) {
        err << "corvanectl: the mouse cannot be reached\n";
        return CtlExit::kRefused;
    }
    const Profile& profile = session.Profiles().At(index);
    out << "profile " << index << " (" << TextNumbers::ToUtf8(profile.GetSetting(ProfileSetting::ProfileName))
        << ") to the " << LinkName(*link.SelectCommandInterface()) << " link: " << outcome.commandCount
        << " commands\n";
    return ReportExchanges(session.WaitForExchanges(ExchangeAllowance(options, outcome.commandCount)), out, err);
}

enum class Answer : std::uint8_t { Yes, No, None };

[[nodiscard]] Answer Ask(const CtlEnvironment& environment, std::ostream& out)
{
    if (!environment.input)
        return Answer::None;
    out << "Reset the mouse to its factory settings? The current profile is reset as well. [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(*environment.input, answer))
        return Answer::None;
    return answer == "y" || answer == "Y" || answer == "yes" ? Answer::Yes : Answer::No;
}

int Reset(CtlDeviceSession& session, const CtlDeviceOptions& options, const CtlEnvironment& environment,
          std::ostream& out, std::ostream& err)
{
    DeviceLink& link = session.Link();
    if (!link.CanReachMouse()) {
        err << "corvanectl: the receiver is there, but its mouse is off line\n";
        return CtlExit::kRefused;
    }
    if (!options.assumeYes) {
        const Answer answer = Ask(environment, out);
        if (answer == Answer::No) {
            out << "not reset\n";
            return CtlExit::kDone;
        }
        if (answer == Answer::None) {
            err << "corvanectl: no answer; --yes resets without asking\n";
            return CtlExit::kUsage;
        }
    }
    // Without the data folder's settings there is no current profile to keep in step.
    const auto scope =
        session.SettingsRead() ? DeviceLink::ResetScope::MouseAndCurrentProfile : DeviceLink::ResetScope::MouseOnly;
    if (scope == DeviceLink::ResetScope::MouseOnly)
        out << "no settings in the data folder: only the mouse is reset\n";
    if (!link.FactoryReset(scope)) {
        err << "corvanectl: the mouse cannot be reached\n";
        return CtlExit::kRefused;
    }
    out << "factory reset: ";
    return ReportExchanges(session.WaitForExchanges(ExchangeAllowance(options, 1)), out, err);
}

[[nodiscard]] const char* ChargeTextOfProperty(std::uint32_t charging)
{
    if (charging == 1)
        return "charging";
    if (charging == 2)
        return "fully charged";
    return "on battery";
}

// The status as the running program shows it, in the words of the mouse's own status.
int StatusThroughProgram(RunningProgram& program, std::ostream& out, std::ostream& err)
{
    std::string problem;
    const auto status = program.ReadStatus(problem);
    if (!status) {
        err << "corvanectl: the running program (" << program.Name() << ") does not answer: " << problem << "\n";
        return CtlExit::kRefused;
    }
    const std::string link = status->link == "receiver" ? std::string(LinkName(LinkKind::Wireless)) : status->link;
    out << "link in charge: " << (link.empty() ? "none yet" : link) << "\n";
    out << "battery: " << status->batteryLevel << " % (" << ChargeTextOfProperty(status->charging) << ")\n";
    out << "profile: " << status->profile << " (" << status->profileName << ")\n";
    out << "DPI level: " << status->dpiLevel << "\n";
    out << "DPI: " << status->dpi << "\n";
    out << "polling rate: " << status->pollingRate << "Hz\n";
    out << "source: the running program, " << program.Name() << "\n";
    return CtlExit::kDone;
}

// "set WHAT VALUE": the setting and the number; the rest are options.
struct SetRequest {
    const Setting* setting = nullptr;
    std::uint32_t value = 0;
};

[[nodiscard]] std::optional<SetRequest> ParseSet(std::vector<std::string>& rest, std::string& problem)
{
    if (rest.size() < 2 || rest[0].starts_with("--") || rest[1].starts_with("--")) {
        problem = "set takes what to set and its value";
        return std::nullopt;
    }
    SetRequest request;
    for (const Setting& setting : kSettings) {
        if (rest[0] == setting.word)
            request.setting = &setting;
    }
    if (request.setting == nullptr) {
        problem = "set cannot change '" + rest[0] + "'; it changes dpi-level, rate or profile";
        return std::nullopt;
    }
    const std::string& text = rest[1];
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), request.value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        problem = std::string(request.setting->shown) + " takes a whole number, not '" + text + "'";
        return std::nullopt;
    }
    rest.erase(rest.begin(), rest.begin() + 2);
    return request;
}

int SetThroughProgram(RunningProgram& program, const SetRequest& request, std::ostream& out, std::ostream& err)
{
    std::string problem;
    if (!program.Call(request.setting->method, request.value, problem)) {
        err << "corvanectl: the running program (" << program.Name() << ") did not set the "
            << request.setting->shown << ": " << problem << "\n";
        return CtlExit::kRefused;
    }
    out << request.setting->shown << " " << request.value << (request.setting == &kSettings[1] ? " Hz" : "")
        << ": set by the running program, " << program.Name() << "\n";
    return CtlExit::kDone;
}

}  // namespace

bool DeviceCommands::IsDeviceCommand(const std::string& command)
{
    return command == "devices" || command == "status" || command == "push" || command == "reset" ||
           command == "set";
}

int DeviceCommands::Run(const std::vector<std::string>& arguments, const CtlEnvironment& environment,
                        std::ostream& out, std::ostream& err)
{
    const std::string& command = arguments.at(0);
    std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    for (const std::string& argument : rest) {
        if (argument == "--help" || argument == "-h") {
            out << UsageOf(command);
            return CtlExit::kDone;
        }
    }
    std::string problem;
    std::optional<SetRequest> setRequest;
    if (command == "set") {
        setRequest = ParseSet(rest, problem);
        if (!setRequest) {
            err << "corvanectl: " << problem << "\n\n" << UsageOf(command);
            return CtlExit::kUsage;
        }
    }
    const auto options = CtlDeviceOptions::Parse(command, rest, problem);
    if (!options) {
        err << "corvanectl: " << problem << "\n\n" << UsageOf(command);
        return CtlExit::kUsage;
    }

    // A running program drives the mouse: it is asked, and the mouse is not opened beside it.
    const std::filesystem::path dataFolder =
        options->dataFolder.empty() ? environment.defaultDataFolder : options->dataFolder;
    if (const auto program = environment.findRunningProgram
                                 ? environment.findRunningProgram(options->simulate, dataFolder)
                                 : nullptr) {
        if (command == "status")
            return StatusThroughProgram(*program, out, err);
        if (setRequest)
            return SetThroughProgram(*program, *setRequest, out, err);
        err << "corvanectl: the program runs (" << program->Name() << ") and drives the mouse; '" << command
            << "' opens the mouse only while no program runs: end the program first\n";
        return CtlExit::kRefused;
    }
    if (setRequest) {
        err << "corvanectl: no program runs" << (options->simulate ? " on the simulated mouse with this data folder" : "")
            << "; 'set' changes the running program's settings: start corvane first"
            << (environment.findRunningProgram ? "" : " (this corvanectl cannot reach the session bus)") << "\n";
        return CtlExit::kRefused;
    }
    if (!options->simulate && options->dataFolder.empty() && environment.defaultDataFolder.empty() &&
        (command == "push" || command == "reset")) {
        err << "corvanectl: the user's data folder is unknown (no HOME); name one with --data-dir\n";
        return CtlExit::kUsage;
    }

    CtlDeviceSession session(environment, *options, err);
    if (const int connected = session.Connect(); connected != CtlExit::kDone)
        return connected;
    if (command == "devices")
        return Devices(session, out);
    if (command == "status")
        return Status(session, *options, out, err);
    if (command == "push")
        return Push(session, *options, out, err);
    return Reset(session, *options, environment, out, err);
}
