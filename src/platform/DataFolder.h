#pragma once

#include <filesystem>
#include <string>

// The per-user data folder: PelmoraData20251125A in the shell's roaming application-data
// folder on Windows (%APPDATA%, as the shell knows it),
// $XDG_CONFIG_HOME/PelmoraData20251125A (default ~/.config/...) elsewhere.
// Empty when the user's folders cannot be determined.
[[nodiscard]] std::filesystem::path UserDataFolder();

// Creates the data folder and its config/ folder when missing. False when that failed.
bool EnsureDataFolder(const std::filesystem::path& dataFolder);

// The user's locale name for messages (e.g. "zh_CN.UTF-8"); empty when unknown.
[[nodiscard]] std::string UserLocaleName();

// The folder of the running program (where lang/ and skins/ are installed beside it).
[[nodiscard]] std::filesystem::path ProgramFolder(const char* argv0);
