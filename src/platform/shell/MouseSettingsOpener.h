#pragma once

#include <string>

// Which mouse settings were opened. `command` is the command line as run, for a message;
// it is empty when this system offers none the program knows, and set with `started`
// false when one was found but could not be started.
struct MouseSettingsOutcome {
    bool started = false;
    std::string command;
};

// Opens the system's own mouse settings (pointer speed, buttons, wheel) in a program of
// their own, without waiting for it.
class MouseSettingsOpener {
public:
    [[nodiscard]] static MouseSettingsOutcome Open();
};
