#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The options of corvanectl's device commands.
struct CtlDeviceOptions {
    bool simulate = false;               // talk to the simulated mouse
    std::filesystem::path hidLog;        // append every transfer to this file
    std::filesystem::path dataFolder;    // empty: the user's data folder
    std::optional<int> profile;          // push: which profile, else the current one
    bool assumeYes = false;              // reset: no confirmation prompt
    std::chrono::milliseconds timeout{3000};

    // Parses the options after the command name. Options a command does not take are
    // usage errors; the reason goes to `problem`.
    [[nodiscard]] static std::optional<CtlDeviceOptions> Parse(const std::string& command,
                                                               const std::vector<std::string>& arguments,
                                                               std::string& problem);
};
