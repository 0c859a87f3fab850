#pragma once

#include <cstdint>

// What became of opening a launch button's target. A target that was refused is said to the
// user (a profile from elsewhere may carry it); a launch that failed stays silent, as an
// empty or stale path would.
enum class LaunchOutcome : std::uint8_t {
    StartedProgram,   // an executable file or an application entry was started directly
    OpenedByDesktop,  // handed to the desktop: a document, a folder, a URL (on Windows, everything)
    EmptyTarget,      // nothing stored; nothing was tried
    NotFound,         // no such file or folder, and not a URL
    Failed,           // the system refused to start or open it
    // Refused, nothing tried:
    RelativePath,    // a path that is not absolute would depend on the folder the program started in
    UntrustedEntry,  // an application entry (.desktop) the user has not marked executable
};
