#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class Clock;
class HidBackend;
class RunningProgram;
class SimulatedMouse;

// Exit codes of corvanectl.
namespace CtlExit {
inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;  // a file failed its checks, or the mouse refused or did not answer
inline constexpr int kUsage = 2;    // usage error, a file or folder that cannot be reached, or no access to the mouse
}  // namespace CtlExit

// What the commands need from their surroundings, so tests can supply their own.
struct CtlEnvironment {
    std::filesystem::path defaultDataFolder;  // the user's data folder
    std::filesystem::path programLanguageFolder;
    std::string userLocale;
    // The operating system's HID backend; without it only --simulate reaches a mouse.
    std::function<std::unique_ptr<HidBackend>()> systemBackend;
    // For tests: --simulate talks to this mouse instead of a fresh one, and exchanges
    // are paced by this clock instead of the real one.
    SimulatedMouse* simulatedMouse = nullptr;
    Clock* clock = nullptr;
    // Where confirmations are read from; without it a question is answered "no".
    std::istream* input = nullptr;
    // The program running with these options (on the simulated mouse: with this data
    // folder), null when none runs. Unset where there is no way to reach it.
    std::function<std::unique_ptr<RunningProgram>(bool simulate, const std::filesystem::path& dataFolder)>
        findRunningProgram;
};

// corvanectl's commands: parses the arguments, runs the command, writes to out and err,
// and returns the exit code.
int RunCtl(const std::vector<std::string>& arguments, const CtlEnvironment& environment, std::ostream& out,
           std::ostream& err);
