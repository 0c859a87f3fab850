#include "app/bus/BusRequestCheck.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kDpiLevelCount = 8;

// "1, 2 or 3" for a choice, "1, 2 and 3" for what holds together.
std::string List(const std::vector<std::uint32_t>& values, const char* unit = "", const char* last = " or ")
{
    if (values.empty())
        return "none";
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += i + 1 == values.size() ? last : ", ";
        text += std::to_string(values[i]) + unit;
    }
    return text;
}

bool Contains(const std::vector<std::uint32_t>& values, std::uint32_t value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

BusRefusal Invalid(std::string message)
{
    return {BusRequestCheck::kInvalidArgument, std::move(message)};
}

}  // namespace

BusRefusal BusRequestCheck::NotRunning()
{
    return {kNotAvailable, "the program's window is not up (the program is starting or ending); ask again"};
}

std::optional<BusRefusal> BusRequestCheck::Profile(std::uint32_t profile, const ProgramState& state)
{
    if (Contains(state.listedProfiles, profile))
        return std::nullopt;
    return Invalid("profile " + std::to_string(profile) + " is not in the profile list; it holds profiles " +
                   List(state.listedProfiles) + " (0-based)");
}

std::optional<BusRefusal> BusRequestCheck::DpiLevel(std::uint32_t level, const ProgramState& state)
{
    if (Contains(state.enabledDpiLevels, level))
        return std::nullopt;
    if (level < 1 || level > kDpiLevelCount)
        return Invalid("DPI level " + std::to_string(level) + " does not exist; the levels are 1 to " +
                       std::to_string(kDpiLevelCount) + ", of which " + List(state.enabledDpiLevels, "", " and ") +
                       " are on");
    return Invalid("DPI level " + std::to_string(level) + " is switched off; the levels on are " +
                   List(state.enabledDpiLevels, "", " and "));
}

std::optional<BusRefusal> BusRequestCheck::PollingRate(std::uint32_t hertz, const ProgramState& state)
{
    if (state.pollingRates.empty())
        return BusRefusal{kNotAvailable, "the polling rate cannot be chosen over the " +
                                             (state.link.empty() ? std::string("current") : state.link) + " link"};
    if (Contains(state.pollingRates, hertz))
        return std::nullopt;
    return Invalid("polling rate " + std::to_string(hertz) + " Hz is not offered; the rates are " +
                   List(state.pollingRates, " Hz"));
}
