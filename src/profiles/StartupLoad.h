#pragma once

#include <array>

struct DataPaths;
class AppSettings;
class LanguageTexts;
class ProfileTable;

// Brings the settings and the five profiles into memory at start-up. A missing or
// invalid settings file is replaced by the defaults, and every profile is reset and
// written; each profile file that cannot be read is reset and rewritten. Every file
// replaced by defaults keeps its old bytes as "<name>.bak" beside it; when the sensor
// differs from the one the DPI defaults were written for, every profile gets the new
// sensor's DPI defaults. Expects the data folder's config/ folder to exist.
struct StartupReport {
    bool settingsValid = false;             // false: the defaults were written
    std::array<bool, 5> profileRead{};      // false: that profile was reset and rewritten
    bool dpiDefaultsRewritten = false;      // the sensor differed from the recorded one
};

StartupReport LoadSettingsAndProfiles(AppSettings& settings, ProfileTable& profiles, const LanguageTexts& texts,
                             const DataPaths& paths);
