#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

// Exit codes of corvanectl.
namespace CtlExit {
inline constexpr int kDone = 0;
inline constexpr int kRefused = 1;  // a file failed its checks (later: the mouse refused or did not answer)
inline constexpr int kUsage = 2;    // usage error, or a file or folder that cannot be reached
}  // namespace CtlExit

// What the commands need from their surroundings, so tests can supply their own.
struct CtlEnvironment {
    std::filesystem::path defaultDataFolder;  // the user's data folder
    std::filesystem::path programLanguageFolder;
    std::string userLocale;
};

// corvanectl's commands: parses the arguments, runs the command, writes to out and err,
// and returns the exit code.
int RunCtl(const std::vector<std::string>& arguments, const CtlEnvironment& environment, std::ostream& out,
           std::ostream& err);
