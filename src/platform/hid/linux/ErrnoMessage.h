#pragma once

#include <string>
#include <string_view>
#include <system_error>

// "cannot <action>: <system's reason> (<call>, errno <n>)", the form of every failure the
// hidraw backend reports, e.g. "cannot open /dev/hidraw3: Permission denied (open, errno 13)".
[[nodiscard]] inline std::string ErrnoMessage(std::string_view action, std::string_view call, int errorNumber)
{
    std::string message = "cannot ";
    message += action;
    message += ": ";
    message += std::generic_category().message(errorNumber);
    message += " (";
    message += call;
    message += ", errno ";
    message += std::to_string(errorNumber);
    message += ')';
    return message;
}
