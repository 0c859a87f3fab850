#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A program and its arguments, run without a shell.
struct SettingsCommand {
    std::string program;
    std::vector<std::string> arguments;

    // "program arg1 arg2", for messages.
    [[nodiscard]] std::string Text() const;

    friend bool operator==(const SettingsCommand&, const SettingsCommand&) = default;
};

// Picks the mouse settings program of the running Linux desktop. The desktops come from
// XDG_CURRENT_DESKTOP (a colon-separated list, most specific first, any case); each known
// desktop offers its commands in order of preference, and the first whose program is
// installed wins. When none of the listed desktops is known, or none of their programs is
// installed, every known command is tried in a fixed order, since any desktop's settings
// beat telling the user there are none.
class DesktopMouseSettings {
public:
    // Whether a program name is found on PATH.
    using ProgramFinder = std::function<bool(const std::string& program)>;

    [[nodiscard]] static std::optional<SettingsCommand> Choose(std::string_view currentDesktops,
                                                               const ProgramFinder& isInstalled);
};
