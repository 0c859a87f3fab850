#include "platform/shell/linux/DesktopMouseSettings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>

namespace {

struct KnownCommand {
    std::string_view program;
    std::string_view argument;  // every known command takes at most one
};

constexpr KnownCommand kGnome{"gnome-control-center", "mouse"};
constexpr KnownCommand kCinnamon{"cinnamon-settings", "mouse"};
constexpr KnownCommand kPlasma{"systemsettings", "kcm_mouse"};
constexpr KnownCommand kKcmShell6{"kcmshell6", "kcm_mouse"};
constexpr KnownCommand kKcmShell5{"kcmshell5", "mouse"};
constexpr KnownCommand kXfce{"xfce4-mouse-settings", ""};
constexpr KnownCommand kMate{"mate-mouse-properties", ""};
constexpr KnownCommand kLxqt{"lxqt-config-mouse", ""};

constexpr std::array kGnomeCommands{kGnome};
// Cinnamon forked the GNOME panel; an older Cinnamon may still rely on GNOME's.
constexpr std::array kCinnamonCommands{kCinnamon, kGnome};
constexpr std::array kKdeCommands{kPlasma, kKcmShell6, kKcmShell5};
constexpr std::array kXfceCommands{kXfce};
constexpr std::array kMateCommands{kMate};
constexpr std::array kLxqtCommands{kLxqt};

constexpr std::array kEveryCommand{kGnome, kCinnamon, kPlasma, kKcmShell6, kKcmShell5, kXfce, kMate, kLxqt};

struct KnownDesktop {
    std::string_view name;  // lower case, without the "x-" of unregistered names
    std::span<const KnownCommand> commands;
};

// Unity and Budgie run GNOME's settings panels.
constexpr std::array<KnownDesktop, 8> kKnownDesktops{{
    {"gnome", kGnomeCommands},
    {"unity", kGnomeCommands},
    {"budgie", kGnomeCommands},
    {"cinnamon", kCinnamonCommands},
    {"kde", kKdeCommands},
    {"xfce", kXfceCommands},
    {"mate", kMateCommands},
    {"lxqt", kLxqtCommands},
}};

[[nodiscard]] std::string DesktopKey(std::string_view entry)
{
    std::string key;
    key.reserve(entry.size());
    for (const char c : entry)
        key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    // Desktops without a registered name spell it "X-Name" (Cinnamon is "X-Cinnamon").
    if (key.starts_with("x-"))
        key.erase(0, 2);
    return key;
}

[[nodiscard]] std::span<const KnownCommand> CommandsOfDesktop(std::string_view entry)
{
    const std::string key = DesktopKey(entry);
    const auto known = std::find_if(kKnownDesktops.begin(), kKnownDesktops.end(),
                                    [&key](const KnownDesktop& desktop) { return desktop.name == key; });
    if (known == kKnownDesktops.end())
        return {};
    return known->commands;
}

[[nodiscard]] std::optional<SettingsCommand> FirstInstalled(std::span<const KnownCommand> commands,
                                                            const DesktopMouseSettings::ProgramFinder& isInstalled)
{
    for (const KnownCommand& command : commands) {
        const std::string program(command.program);
        if (!isInstalled(program))
            continue;
        SettingsCommand chosen{program, {}};
        if (!command.argument.empty())
            chosen.arguments.emplace_back(command.argument);
        return chosen;
    }
    return std::nullopt;
}

}  // namespace

std::string SettingsCommand::Text() const
{
    std::string text = program;
    for (const std::string& argument : arguments)
        text += " " + argument;
    return text;
}

std::optional<SettingsCommand> DesktopMouseSettings::Choose(std::string_view currentDesktops,
                                                            const ProgramFinder& isInstalled)
{
    std::string_view rest = currentDesktops;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string_view entry = rest.substr(0, colon);
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        if (auto chosen = FirstInstalled(CommandsOfDesktop(entry), isInstalled))
            return chosen;
    }
    return FirstInstalled(kEveryCommand, isInstalled);
}
