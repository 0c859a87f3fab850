#pragma once

#include <cstdint>

// What became of opening a launch button's target. The program does not act on it (a
// failed launch stays silent); it tells tests and logs which way the target went.
enum class LaunchOutcome : std::uint8_t {
    StartedProgram,   // an executable file or an application entry was started directly
    OpenedByDesktop,  // handed to the desktop: a document, a folder, a URL (on Windows, everything)
    EmptyTarget,      // nothing stored; nothing was tried
    NotFound,         // no such file or folder, and not a URL
    Failed,           // the system refused to start or open it
};
