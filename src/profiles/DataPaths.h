#pragma once

#include <filesystem>

// Where the program's files live: the per-user data folder with its config/ folder, and
// the program's own folder of shipped language files.
struct DataPaths {
    std::filesystem::path dataFolder;
    std::filesystem::path programLanguageFolder;

    [[nodiscard]] std::filesystem::path ConfigFolder() const { return dataFolder / "config"; }
    [[nodiscard]] std::filesystem::path SettingsFile() const { return ConfigFolder() / "config.ini"; }
    [[nodiscard]] std::filesystem::path MacroLibraryFile() const
    {
        return ConfigFolder() / "MacroLibraryFile.mlf";
    }
    // Present while changes made in an earlier run may not have reached the mouse.
    [[nodiscard]] std::filesystem::path UnsentMarkerFile() const { return ConfigFolder() / "unsent-changes"; }
    [[nodiscard]] std::filesystem::path DefaultProfileFile(int slot) const
    {
        return ConfigFolder() / ("default" + std::to_string(slot) + ".psf");
    }
};
