#pragma once

#include "platform/shell/LaunchOutcome.h"

#include <string>

// Opens the program path stored for a launch-program button, the way the system opens a
// file the user double-clicks. The target is never read by a shell: quotes, spaces, `;`
// and `$(...)` are part of the name. Call it on the UI thread; it does not wait for
// what it started.
class ProgramLauncher {
public:
    [[nodiscard]] static LaunchOutcome Open(const std::u16string& target);
};
