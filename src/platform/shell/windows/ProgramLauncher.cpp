#include "platform/shell/ProgramLauncher.h"

#include "platform/WindowsLean.h"

#include <shellapi.h>

#include <cstdint>

namespace {

[[nodiscard]] bool IsAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Whether the shell would look for the target in the current folder: a path that is
// neither absolute ("C:\...", "\\server\...") nor a URL ("https:", "mailto:", a scheme
// of two letters at least).
[[nodiscard]] bool IsRelativePath(const std::u16string& target)
{
    const bool separatorAt2 = target.size() > 2 && (target[2] == u'\\' || target[2] == u'/');
    if (target.size() > 2 && IsAsciiLetter(target[0]) && target[1] == u':' && separatorAt2)
        return false;
    if (target.size() > 1 && (target[0] == u'\\' || target[0] == u'/') && (target[1] == u'\\' || target[1] == u'/'))
        return false;
    // A scheme is a letter, then letters, digits, "+", "-" or "." ("ms-settings:").
    std::size_t scheme = 0;
    while (scheme < target.size() &&
           (IsAsciiLetter(target[scheme]) ||
            (scheme > 0 && ((target[scheme] >= u'0' && target[scheme] <= u'9') || target[scheme] == u'+' ||
                            target[scheme] == u'-' || target[scheme] == u'.'))))
        ++scheme;
    return !(scheme >= 2 && scheme < target.size() && target[scheme] == u':');
}

}  // namespace

LaunchOutcome ProgramLauncher::Open(const std::u16string& target)
{
    if (target.empty())
        return LaunchOutcome::EmptyTarget;
    if (IsRelativePath(target))
        return LaunchOutcome::RelativePath;
    // UTF-16 either way: the text is copied unit for unit.
    const std::wstring wide(target.begin(), target.end());
    const HINSTANCE instance = ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // The result is a number posing as a handle: above 32 is success, otherwise an error.
    const auto result = reinterpret_cast<std::intptr_t>(instance);
    if (result > 32)
        return LaunchOutcome::OpenedByDesktop;
    if (result == ERROR_FILE_NOT_FOUND || result == ERROR_PATH_NOT_FOUND)
        return LaunchOutcome::NotFound;
    return LaunchOutcome::Failed;
}
