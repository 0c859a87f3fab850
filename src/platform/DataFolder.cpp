#include "platform/DataFolder.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr const char* kDataFolderName = "PelmoraData20251125A";

#ifndef _WIN32
std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}
#endif

}  // namespace

std::filesystem::path UserDataFolder()
{
#ifdef _WIN32
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || *appData == L'\0') {
        return {};
    }
    return std::filesystem::path(appData) / kDataFolderName;
#else
    std::string base = Environment("XDG_CONFIG_HOME");
    if (base.empty()) {
        const std::string home = Environment("HOME");
        if (home.empty()) {
            return {};
        }
        base = home + "/.config";
    }
    return std::filesystem::path(base) / kDataFolderName;
#endif
}

bool EnsureDataFolder(const std::filesystem::path& dataFolder)
{
    if (dataFolder.empty()) {
        return false;
    }
    std::error_code error;
    std::filesystem::create_directories(dataFolder / "config", error);
    return std::filesystem::is_directory(dataFolder / "config", error);
}

std::string UserLocaleName()
{
#ifdef _WIN32
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH) > 0) {
        std::string result;
        for (const wchar_t* c = name; *c != L'\0'; ++c) {
            result.push_back(*c == L'-' ? '_' : static_cast<char>(*c));
        }
        return result;
    }
    return {};
#else
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = Environment(name);
        if (!value.empty()) {
            return value;
        }
    }
    return {};
#endif
}

std::filesystem::path ProgramFolder(const char* argv0)
{
    std::error_code error;
#ifndef _WIN32
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return self.parent_path();
    }
#endif
    const std::filesystem::path fromArgument = std::filesystem::absolute(argv0 != nullptr ? argv0 : "", error);
    return fromArgument.parent_path();
}
