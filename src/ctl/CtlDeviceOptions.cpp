#include "ctl/CtlDeviceOptions.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace {

struct OptionUse {
    const char* option;
    std::array<const char*, 5> commands;  // the commands that take it
};

// --data-dir names, for status and set, the data folder of the program on the simulated
// mouse to ask.
constexpr std::array<OptionUse, 6> kOptionUses = {{
    {"--simulate", {"devices", "status", "push", "reset", "set"}},
    {"--hid-log", {"devices", "status", "push", "reset", ""}},
    {"--data-dir", {"push", "reset", "status", "set", ""}},
    {"--profile", {"push", "", "", "", ""}},
    {"--yes", {"reset", "", "", "", ""}},
    {"--timeout", {"devices", "status", "push", "reset", ""}},
}};

[[nodiscard]] bool Takes(const std::string& command, const std::string& option)
{
    for (const OptionUse& use : kOptionUses)
        if (option == use.option)
            return std::find(use.commands.begin(), use.commands.end(), command) != use.commands.end();
    return false;
}

[[nodiscard]] std::optional<int> ParseInt(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<CtlDeviceOptions> CtlDeviceOptions::Parse(const std::string& command,
                                                        const std::vector<std::string>& arguments,
                                                        std::string& problem)
{
    CtlDeviceOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        if (!Takes(command, option)) {
            problem = "unexpected argument '" + option + "'";
            return std::nullopt;
        }
        const bool takesValue = option != "--simulate" && option != "--yes";
        if (takesValue && i + 1 >= arguments.size()) {
            problem = option + " needs a value";
            return std::nullopt;
        }
        if (option == "--simulate") {
            options.simulate = true;
        } else if (option == "--yes") {
            options.assumeYes = true;
        } else if (option == "--hid-log") {
            options.hidLog = arguments[++i];
        } else if (option == "--data-dir") {
            options.dataFolder = arguments[++i];
        } else if (option == "--profile") {
            const auto profile = ParseInt(arguments[++i]);
            if (!profile || *profile < 0 || *profile > 4) {
                problem = "--profile takes a profile number from 0 to 4";
                return std::nullopt;
            }
            options.profile = *profile;
        } else if (option == "--timeout") {
            const auto seconds = ParseInt(arguments[++i]);
            if (!seconds || *seconds < 1 || *seconds > 600) {
                problem = "--timeout takes a number of seconds from 1 to 600";
                return std::nullopt;
            }
            options.timeout = std::chrono::seconds(*seconds);
        }
    }
    return options;
}
