#include "app/ProgramOptions.h"

#include <array>
#include <charconv>
#include <system_error>

namespace {

// The options that take a value.
constexpr std::array<const char*, 4> kValueOptions{"--hid-log", "--data-dir", "--scale", "--screenshot"};

[[nodiscard]] bool TakesValue(const std::string& option)
{
    for (const char* name : kValueOptions)
        if (option == name)
            return true;
    return false;
}

[[nodiscard]] const char* KindOf(std::filesystem::file_type type)
{
    switch (type) {
    case std::filesystem::file_type::directory:
        return "a folder";
    case std::filesystem::file_type::fifo:
        return "a FIFO";
    case std::filesystem::file_type::socket:
        return "a socket";
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block:
        return "a device";
    default:
        return "not a regular file";
    }
}

// A traffic log is appended to: a regular file, or a name where none is yet. stat() does
// not open the file, so a FIFO is seen without blocking on it.
[[nodiscard]] bool AcceptableLog(const std::filesystem::path& file, std::string& error)
{
    std::error_code failure;
    const std::filesystem::file_status status = std::filesystem::status(file, failure);
    if (status.type() == std::filesystem::file_type::not_found || status.type() == std::filesystem::file_type::regular)
        return true;
    if (failure) {
        error = "--hid-log: cannot look at " + file.string() + ": " + failure.message();
        return false;
    }
    error = "--hid-log: " + file.string() + " is " + KindOf(status.type()) + "; give a regular file or a new name";
    return false;
}

}  // namespace

std::filesystem::path ProgramOptions::PathFromArgument(const std::string& argument)
{
#if defined(_WIN32)
    return std::filesystem::path(std::u8string(argument.begin(), argument.end()));
#else
    return std::filesystem::path(argument);
#endif
}

std::optional<ProgramOptions> ProgramOptions::Parse(const std::vector<std::string>& arguments, std::string& error)
{
    error.clear();
    ProgramOptions options;
    bool wantsHelp = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        std::optional<std::string> value;
        // --option=value as well as --option value.
        if (const std::size_t equals = option.find('='); option.starts_with("--") && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option.resize(equals);
        }
        if (option == "-h" || option == "--help") {
            wantsHelp = true;
            continue;
        }
        if (option == "--simulate" && !value) {
            options.simulate = true;
            continue;
        }
        if (!TakesValue(option)) {
            error = option.starts_with("-") ? "unknown option: " + option : "unexpected argument: " + option;
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                error = option + " needs a value";
                return std::nullopt;
            }
            value = arguments[++i];
        }
        if (value->empty()) {
            // An empty folder would mean the user's own data folder, an empty file no log:
            // neither is what a caller naming one meant.
            error = option + " needs a value; an empty one names nothing";
            return std::nullopt;
        }
        if (option == "--hid-log") {
            options.hidLog = PathFromArgument(*value);
        } else if (option == "--data-dir") {
            options.dataDir = PathFromArgument(*value);
        } else if (option == "--screenshot") {
            options.screenshot = PathFromArgument(*value);
        } else {
            float factor = 0.0F;
            const char* end = value->data() + value->size();
            const auto [stop, failure] = std::from_chars(value->data(), end, factor);
            if (failure != std::errc{} || stop != end || (factor != 1.0F && factor != 1.5F && factor != 2.0F)) {
                error = "--scale must be 1.0, 1.5 or 2.0";
                return std::nullopt;
            }
            options.scale = factor;
        }
    }
    if (wantsHelp)
        return std::nullopt;
    if (!options.hidLog.empty() && !AcceptableLog(options.hidLog, error))
        return std::nullopt;
    return options;
}
