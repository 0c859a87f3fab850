#include "platform/instance/PrivateRuntimeFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t kPrivateMode = 0700;
constexpr mode_t kOthersBits = 0077;
// Below the cache folder: <cache>/corvane/runtime.
constexpr const char* kOwnFolder = "corvane";
constexpr const char* kOwnRuntime = "runtime";

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

// Makes the folder with mode 0700 when it is missing, or narrows one of ours to 0700.
bool MakePrivate(const std::filesystem::path& folder, std::string& problem)
{
    if (::mkdir(folder.c_str(), kPrivateMode) != 0 && errno != EEXIST) {
        problem = folder.string() + ": " + std::strerror(errno);
        return false;
    }
    struct stat status {};
    if (::lstat(folder.c_str(), &status) != 0) {
        problem = folder.string() + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(status.st_mode) || status.st_uid != ::getuid()) {
        problem = folder.string() + " is not a folder of this user's";
        return false;
    }
    if ((status.st_mode & kOthersBits) != 0 && ::chmod(folder.c_str(), kPrivateMode) != 0) {
        problem = folder.string() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

}  // namespace

RuntimeFolderSources RuntimeFolderSources::FromEnvironment()
{
    RuntimeFolderSources sources{Variable("XDG_RUNTIME_DIR"), Variable("XDG_CACHE_HOME"), Variable("HOME")};
    if (sources.home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr && entry->pw_dir != nullptr)
            sources.home = entry->pw_dir;
    }
    return sources;
}

bool IsPrivateFolder(const std::filesystem::path& folder)
{
    struct stat status {};
    return ::lstat(folder.c_str(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == ::getuid() &&
           (status.st_mode & kOthersBits) == 0;
}

std::optional<std::filesystem::path> PrivateRuntimeFolder(const RuntimeFolderSources& sources, std::string& problem)
{
    // Relative paths in these variables are to be ignored.
    if (!sources.runtimeDir.empty() && sources.runtimeDir.front() == '/' && IsPrivateFolder(sources.runtimeDir))
        return std::filesystem::path(sources.runtimeDir);
    std::filesystem::path cache;
    if (!sources.cacheHome.empty() && sources.cacheHome.front() == '/')
        cache = sources.cacheHome;
    else if (!sources.home.empty() && sources.home.front() == '/')
        cache = std::filesystem::path(sources.home) / ".cache";
    else {
        problem = "no private runtime folder: XDG_RUNTIME_DIR is not a private folder of this user's and the "
                  "home folder is unknown";
        return std::nullopt;
    }
    std::error_code error;
    std::filesystem::create_directories(cache, error);
    const std::filesystem::path own = cache / kOwnFolder;
    const std::filesystem::path runtime = own / kOwnRuntime;
    if (!MakePrivate(own, problem) || !MakePrivate(runtime, problem))
        return std::nullopt;
    return runtime;
}
