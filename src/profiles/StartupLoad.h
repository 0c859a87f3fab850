#pragma once

#include <array>

struct DataPaths;
class AppSettings;
class LanguageTexts;
class ProfileTable;

// Brings the settings and the five profiles into memory at start-up, after removing the
// temporary files of saves that a killed program left in the config/ folder.
//
// A missing or malformed settings file is replaced by the defaults, and when that
// replacement lands every profile is reset and written. A settings file that is there
// but cannot be read (a folder, another user's private file), or a malformed one that
// cannot be replaced (read-only), is left as it is: the program runs on the defaults
// with whatever pairs could be read, reads the profiles from their files as usual, and
// reports to SaveFailures why its changes cannot be saved. Each profile file that cannot
// be read is reset and rewritten. Every file replaced by defaults keeps its old bytes as
// "<name>.bak" beside it; when the sensor differs from the one the DPI defaults were
// written for, every profile gets the new sensor's DPI defaults. Expects the data
// folder's config/ folder to exist.
struct StartupReport {
    bool settingsValid = false;             // the settings file was read as it is
    bool settingsReplaced = false;          // it was missing or malformed and the defaults replaced it
    std::array<bool, 5> profileRead{};      // false: that profile was reset and rewritten
    bool dpiDefaultsRewritten = false;      // the sensor differed from the recorded one
};

StartupReport LoadSettingsAndProfiles(AppSettings& settings, ProfileTable& profiles, const LanguageTexts& texts,
                                      const DataPaths& paths);
