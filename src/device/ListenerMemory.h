#pragma once

#include <cstdint>

// What status processing remembers between reports, across link changes: the DPI level
// and launch button last seen. The sensor the program is set up for is not remembered
// here: it is the application settings' value, read when a report arrives, so a link
// built before the settings were loaded cannot mistake the first report for a change.
struct ListenerMemory {
    static constexpr std::uint8_t kInitialDpiLevel = 2;

    // The DPI level last reported or last chosen on the main window.
    std::uint8_t lastDpiLevel = kInitialDpiLevel;
    // The last non-zero launch button; 0 after a report without a launch.
    std::uint8_t lastLaunchButton = 0;
    friend bool operator==(const ListenerMemory&, const ListenerMemory&) = default;
};
