#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The user's private folder for the files a running program leaves for later starts (a
// lock and a socket), on POSIX systems: $XDG_RUNTIME_DIR when it is a folder of this
// user's with mode 0700, as the login session makes it; otherwise a folder of the
// program's own below the user's cache folder, made with mode 0700 and checked to be
// the user's. Never a folder other users share, such as /tmp.
struct RuntimeFolderSources {
    std::string runtimeDir;  // $XDG_RUNTIME_DIR
    std::string cacheHome;   // $XDG_CACHE_HOME
    std::string home;        // $HOME, else the user's home folder of the password database

    // The sources of this process's environment.
    [[nodiscard]] static RuntimeFolderSources FromEnvironment();
};

// The folder, or nothing with the reason in `problem`.
[[nodiscard]] std::optional<std::filesystem::path> PrivateRuntimeFolder(const RuntimeFolderSources& sources,
                                                                        std::string& problem);

// Whether the folder is a real folder (not a link), owned by this user, that no one else
// may enter.
[[nodiscard]] bool IsPrivateFolder(const std::filesystem::path& folder);
