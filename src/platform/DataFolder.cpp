#include "platform/DataFolder.h"

#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include "platform/WindowsLean.h"
#include <shlobj.h>
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
    // The shell's roaming application-data folder, not %APPDATA%: a program started with a
    // cleaned or another environment (a service, a launcher, a script) still finds the
    // user's files.
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)) ||
        appData[0] == L'\0') {
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
#ifdef _WIN32
    // The executable's own path: argv[0] is the name it was started by, which may be a
    // bare name found on the PATH or relative to another folder.
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (length == 0)
            break;
        if (length < self.size()) {
            self.resize(length);
            return std::filesystem::path(self).parent_path();
        }
        self.resize(self.size() * 2);
    }
#else
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return self.parent_path();
    }
#endif
    const std::filesystem::path fromArgument = std::filesystem::absolute(argv0 != nullptr ? argv0 : "", error);
    return fromArgument.parent_path();
}
