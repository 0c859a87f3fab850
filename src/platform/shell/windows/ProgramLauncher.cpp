#include "platform/shell/ProgramLauncher.h"

#include "platform/WindowsLean.h"

#include <shellapi.h>

#include <cstdint>

LaunchOutcome ProgramLauncher::Open(const std::u16string& target)
{
    if (target.empty())
        return LaunchOutcome::EmptyTarget;
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
