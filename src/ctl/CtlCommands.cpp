#include "ctl/CtlCommands.h"

#include "ctl/DeviceCommands.h"
#include "ctl/JsonExport.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "platform/DataFolder.h"
#include "profiles/AppSettings.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/DataPaths.h"
#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"
#include "profiles/OfferedFileCheck.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileTable.h"
#include "profiles/SaveFailures.h"
#include "profiles/SettingsFile.h"
#include "profiles/StartupLoad.h"

#include <memory>
#include <ostream>
#include <system_error>

namespace {

constexpr const char* kUsage =
    "usage: corvanectl <command> [options]\n"
    "\n"
    "commands:\n"
    "  init [--data-dir DIR]    prepare the data folder as the program does at start-up\n"
    "  show profile FILE        print a profile file (.psf) as JSON\n"
    "  show settings FILE       print a settings file (config.ini) as JSON\n"
    "  show macros FILE         print a macro library or macro file (.mlf, .mkf, .mbf) as JSON\n"
    "  devices                  list the links of the mouse and their interfaces\n"
    "  status                   print the mouse's link, battery, DPI level, polling rate and sensor\n"
    "  set dpi-level|rate|profile VALUE\n"
    "                           change the running program's DPI level, polling rate or profile\n"
    "  push [--profile N]       write a profile of the data folder to the mouse\n"
    "  reset [--yes]            reset the mouse to its factory settings\n"
    "\n"
    "The device commands take --simulate (the simulated mouse) and --hid-log FILE (append\n"
    "every transfer to FILE). While the program runs, status and set ask it over the\n"
    "session bus and the other device commands refuse to open the mouse beside it.\n"
    "\n"
    "Run 'corvanectl <command> --help' for the command's own help.\n";

constexpr const char* kInitUsage =
    "usage: corvanectl init [--data-dir DIR]\n"
    "\n"
    "Prepares the data folder exactly as the program does when it starts: creates the\n"
    "folder and its config/ folder, loads the settings and the five profiles, replaces a\n"
    "missing or damaged settings or profile file by defaults and rewrites it, and rewrites\n"
    "the DPI defaults when the recorded sensor changed. Without --data-dir the user's data\n"
    "folder is used.\n";

constexpr const char* kShowUsage =
    "usage: corvanectl show profile|settings|macros FILE\n"
    "\n"
    "Reads the file with the program's own reader and prints the record as JSON. A file\n"
    "that fails the reader's checks prints nothing on standard output, names the first\n"
    "failing line on standard error and exits with 1. A file far larger than any of its\n"
    "kind (1 MiB for a profile or settings file, 128 MiB for macros) is refused unread with\n"
    "1, a pipe or a device with 2. Never writes anything.\n";

bool WantsHelp(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            return true;
        }
    }
    return false;
}

int Usage(std::ostream& err, const char* text, const std::string& problem)
{
    err << "corvanectl: " << problem << "\n\n" << text;
    return CtlExit::kUsage;
}

std::string PathText(const std::filesystem::path& path)
{
    return path.string();
}

std::uintmax_t SizeLimit(const std::string& kind)
{
    if (kind == "profile") {
        return OfferedFileLimit::kProfile;
    }
    if (kind == "settings") {
        return OfferedFileLimit::kSettings;
    }
    return OfferedFileLimit::kMacros;
}

// A file that is refused before its reader opens it: a clear message instead of a failed
// check, and no wait on a pipe or a device. Returns the exit code, or kDone to go on.
int ReportUnreadable(const std::filesystem::path& path, const std::string& kind, std::ostream& err)
{
    const OfferedFile offered = CheckOfferedFile(path, SizeLimit(kind));
    switch (offered.problem) {
    case OfferedFileProblem::None:
        break;
    case OfferedFileProblem::Missing:
        err << "corvanectl: " << PathText(path) << ": no such file\n";
        return CtlExit::kUsage;
    case OfferedFileProblem::Unreadable:
        err << "corvanectl: " << PathText(path) << ": cannot be read\n";
        return CtlExit::kUsage;
    case OfferedFileProblem::Folder:
        err << "corvanectl: " << PathText(path) << ": is a folder, not a file\n";
        return CtlExit::kUsage;
    case OfferedFileProblem::NotRegularFile:
        err << "corvanectl: " << PathText(path) << ": is not a regular file (a pipe, socket or device)\n";
        return CtlExit::kUsage;
    case OfferedFileProblem::TooLarge:
        err << "corvanectl: " << PathText(path) << ": " << offered.size << " bytes is too large for a " << kind
            << " file (at most " << SizeLimit(kind) << " bytes); it was not read\n";
        return CtlExit::kRefused;
    }
    CStdioFileEx file;
    if (!file.OpenForRead(path)) {
        err << "corvanectl: " << PathText(path) << ": cannot be read\n";
        return CtlExit::kUsage;
    }
    return CtlExit::kDone;
}

int ReportFailedCheck(const std::filesystem::path& path, std::size_t line, std::ostream& err)
{
    err << "corvanectl: " << PathText(path) << ": line " << line << " fails the reader's checks\n";
    return CtlExit::kRefused;
}

int ShowProfile(const std::filesystem::path& path, std::ostream& out, std::ostream& err)
{
    auto profile = std::make_unique<Profile>();
    const FileCheck check = ParseProfileFile(*profile, path);
    if (!check.ok) {
        return ReportFailedCheck(path, check.failingLine, err);
    }
    out << JsonExport::ProfileJson(*profile).dump(2) << "\n";
    return CtlExit::kDone;
}

int ShowSettings(const std::filesystem::path& path, std::ostream& out, std::ostream& err)
{
    if (!CStdioFileEx::IsReadWritable(path)) {
        err << "corvanectl: " << PathText(path)
            << ": not writable; the program treats such a settings file as invalid and replaces it\n";
        return CtlExit::kRefused;
    }
    AppSettings settings;
    const FileCheck check = ReadSettingsFile(settings, path);
    if (!check.ok) {
        return ReportFailedCheck(path, check.failingLine, err);
    }
    out << JsonExport::SettingsJson(settings).dump(2) << "\n";
    return CtlExit::kDone;
}

int ShowMacros(const std::filesystem::path& path, std::ostream& out, std::ostream& err)
{
    MacroLibrary library;
    const MacroLibraryLoadResult result = MacroLibraryFile::Load(library, path);
    if (!result.ok) {
        return ReportFailedCheck(path, result.failingLine, err);
    }
    out << JsonExport::MacroLibraryJson(library, result.marker).dump(2) << "\n";
    return CtlExit::kDone;
}

int Show(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    if (WantsHelp(arguments)) {
        out << kShowUsage;
        return CtlExit::kDone;
    }
    if (arguments.size() != 3) {
        return Usage(err, kShowUsage, "show takes a kind and a file");
    }
    const std::string& kind = arguments[1];
    const std::filesystem::path path = arguments[2];
    if (kind != "profile" && kind != "settings" && kind != "macros") {
        return Usage(err, kShowUsage, "unknown kind '" + kind + "'");
    }
    if (const int refused = ReportUnreadable(path, kind, err); refused != CtlExit::kDone) {
        return refused;
    }
    if (kind == "profile") {
        return ShowProfile(path, out, err);
    }
    if (kind == "settings") {
        return ShowSettings(path, out, err);
    }
    return ShowMacros(path, out, err);
}

int Init(const std::vector<std::string>& arguments, const CtlEnvironment& environment, std::ostream& out,
         std::ostream& err)
{
    if (WantsHelp(arguments)) {
        out << kInitUsage;
        return CtlExit::kDone;
    }
    std::filesystem::path dataFolder = environment.defaultDataFolder;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--data-dir" && i + 1 < arguments.size()) {
            dataFolder = arguments[++i];
        } else {
            return Usage(err, kInitUsage, "unexpected argument '" + arguments[i] + "'");
        }
    }
    if (dataFolder.empty()) {
        err << "corvanectl: the user's data folder is unknown (no HOME); name one with --data-dir\n";
        return CtlExit::kUsage;
    }
    if (!EnsureDataFolder(dataFolder)) {
        err << "corvanectl: cannot create " << PathText(dataFolder / "config") << "\n";
        return CtlExit::kUsage;
    }

    const DataPaths paths{dataFolder, environment.programLanguageFolder};
    auto texts = std::make_unique<LanguageTexts>();
    const LanguageSources sources{paths.ConfigFolder(), paths.programLanguageFolder, environment.userLocale, 1.0};
    const bool languageRead = LoadLanguage(*texts, sources);
    AppSettings settings;
    auto profiles = std::make_unique<ProfileTable>();
    const StartupReport report = LoadSettingsAndProfiles(settings, *profiles, *texts, paths);

    out << "data folder: " << PathText(dataFolder) << "\n";
    if (!languageRead) {
        out << "language: no complete language file found\n";
    }
    if (!HasDefaultTexts(*texts)) {
        out << "language: the texts of the default names are missing; profiles reset now are not written\n";
    }
    out << "settings: "
        << (report.settingsValid      ? "read"
            : report.settingsReplaced ? "missing or damaged, replaced by defaults"
                                      : "cannot be read or replaced; the program runs on defaults and keeps the profiles")
        << "\n";
    for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
        out << "profile " << i << ": " << PathText(settings.ProfileSlotPath(i))
            << (report.profileRead[static_cast<std::size_t>(i)] ? "" : " (reset to defaults)") << "\n";
    }
    if (report.dpiDefaultsRewritten) {
        out << "sensor changed: DPI defaults rewritten in every profile\n";
    }
    return CtlExit::kDone;
}

}  // namespace

namespace {

// The device commands' --simulate and --hid-log FILE may also come before the command
// ("corvanectl --simulate push"); they are moved behind it.
std::vector<std::string> MoveLeadingDeviceOptions(const std::vector<std::string>& arguments)
{
    std::vector<std::string> leading;
    std::size_t i = 0;
    while (i < arguments.size()) {
        if (arguments[i] == "--simulate") {
            leading.push_back(arguments[i++]);
        } else if (arguments[i] == "--hid-log" && i + 1 < arguments.size()) {
            leading.push_back(arguments[i++]);
            leading.push_back(arguments[i++]);
        } else {
            break;
        }
    }
    if (leading.empty() || i == arguments.size()) {
        return arguments;
    }
    std::vector<std::string> moved{arguments[i]};
    moved.insert(moved.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1, arguments.end());
    moved.insert(moved.end(), leading.begin(), leading.end());
    return moved;
}

}  // namespace

int RunCtl(const std::vector<std::string>& givenArguments, const CtlEnvironment& environment, std::ostream& out,
           std::ostream& err)
{
    const std::vector<std::string> arguments = MoveLeadingDeviceOptions(givenArguments);
    // A save that fails is told once, with the folder and the reason.
    SaveFailures::ScopedObserver saveFailures;
    bool saveFailureTold = false;
    saveFailures.Set([&err, &saveFailureTold](const SaveFailure& failure) {
        if (!saveFailureTold) {
            saveFailureTold = true;
            err << "corvanectl: changes cannot be saved in " << PathText(failure.file.parent_path()) << ": "
                << failure.reason << "\n";
        }
    });
    if (arguments.empty()) {
        return Usage(err, kUsage, "no command given");
    }
    const std::string& command = arguments[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << kUsage;
        return CtlExit::kDone;
    }
    if (command == "init") {
        return Init(arguments, environment, out, err);
    }
    if (command == "show") {
        return Show(arguments, out, err);
    }
    if (DeviceCommands::IsDeviceCommand(command)) {
        return DeviceCommands::Run(arguments, environment, out, err);
    }
    return Usage(err, kUsage, "unknown command '" + command + "'");
}
