#include "platform/shell/linux/DesktopMouseSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

struct ChoiceCase {
    const char* desktops;                // XDG_CURRENT_DESKTOP
    std::vector<std::string> installed;  // programs found on PATH
    std::optional<SettingsCommand> expected;
};

const SettingsCommand kGnome{"gnome-control-center", {"mouse"}};
const SettingsCommand kCinnamon{"cinnamon-settings", {"mouse"}};
const SettingsCommand kPlasma{"systemsettings", {"kcm_mouse"}};
const SettingsCommand kKcmShell6{"kcmshell6", {"kcm_mouse"}};
const SettingsCommand kKcmShell5{"kcmshell5", {"mouse"}};
const SettingsCommand kXfce{"xfce4-mouse-settings", {}};
const SettingsCommand kMate{"mate-mouse-properties", {}};
const SettingsCommand kLxqt{"lxqt-config-mouse", {}};

const std::vector<std::string> kEverything{"gnome-control-center", "cinnamon-settings", "systemsettings",
                                           "kcmshell6",            "kcmshell5",         "xfce4-mouse-settings",
                                           "mate-mouse-properties", "lxqt-config-mouse"};

TEST(DesktopMouseSettingsTest, ChoosesTheRunningDesktopsProgramThenAnyInstalledOne)
{
    const std::vector<ChoiceCase> cases = {
        // Each desktop gets its own settings even when every other one is installed.
        {"GNOME", kEverything, kGnome},
        {"Unity", kEverything, kGnome},
        {"Budgie:GNOME", kEverything, kGnome},
        {"X-Cinnamon", kEverything, kCinnamon},
        {"KDE", kEverything, kPlasma},
        {"XFCE", kEverything, kXfce},
        {"MATE", kEverything, kMate},
        {"LXQt", kEverything, kLxqt},
        // Names are compared without regard to case; unknown entries are passed over.
        {"kde", kEverything, kPlasma},
        {"x-cinnamon", kEverything, kCinnamon},
        {"ubuntu:GNOME", kEverything, kGnome},
        {"GNOME-Classic:GNOME", kEverything, kGnome},
        {"::xfce:", kEverything, kXfce},
        // A desktop's fallbacks, in order.
        {"KDE", {"kcmshell5", "kcmshell6"}, kKcmShell6},
        {"KDE", {"kcmshell5", "gnome-control-center"}, kKcmShell5},
        {"X-Cinnamon", {"gnome-control-center"}, kGnome},
        // The first listed desktop without its programs gives way to the next one.
        {"KDE:GNOME", {"gnome-control-center", "xfce4-mouse-settings"}, kGnome},
        // Unknown, unset or unserved desktops try every command in a fixed order.
        {"Pantheon", {"lxqt-config-mouse", "mate-mouse-properties"}, kMate},
        {"", {"lxqt-config-mouse"}, kLxqt},
        {"XFCE", {"kcmshell5"}, kKcmShell5},
        // Nothing installed: nothing to start.
        {"GNOME", {}, std::nullopt},
        {"", {"some-other-tool"}, std::nullopt},
    };
    for (const ChoiceCase& test : cases) {
        SCOPED_TRACE(std::string("desktops \"") + test.desktops + "\"");
        const auto isInstalled = [&test](const std::string& program) {
            return std::find(test.installed.begin(), test.installed.end(), program) != test.installed.end();
        };
        EXPECT_EQ(DesktopMouseSettings::Choose(test.desktops, isInstalled), test.expected);
    }
}

}  // namespace
