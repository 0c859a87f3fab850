#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// What the command line asks of the program.
struct ProgramOptions {
    bool simulate = false;              // run on the simulated mouse, with its control window
    std::filesystem::path hidLog;       // write every HID transfer to this file; empty: no log
    std::filesystem::path dataDir;      // another data folder than the user's; empty: the user's
    float scale = 0.0F;                 // 1.0, 1.5 or 2.0 instead of the screen's choice; 0: the screen's
    std::filesystem::path screenshot;   // save the main window's picture here once it shows, then end

    // Parses the arguments after the program's name, as the system gave them: a file or
    // folder name is taken byte for byte, whatever its encoding. Nothing (and the reason
    // in `error`, or the help text wanted with `error` empty) when the program should not
    // start. Checks what can be checked before the program takes its instance: a traffic
    // log must be a regular file or a new one, since opening anything else (a FIFO
    // without a reader) could block the start.
    [[nodiscard]] static std::optional<ProgramOptions> Parse(const std::vector<std::string>& arguments,
                                                             std::string& error);
    // A file name as this system's arguments spell it: bytes on POSIX systems, UTF-8 on
    // Windows (whose arguments reach the program as UTF-16 and are passed here as UTF-8).
    [[nodiscard]] static std::filesystem::path PathFromArgument(const std::string& argument);
};
