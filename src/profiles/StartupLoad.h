#pragma once

struct DataPaths;
class AppSettings;
class LanguageTexts;
class ProfileTable;

// Brings the settings and the five profiles into memory at start-up. A missing or
// invalid settings file is replaced by the defaults, and every profile is reset and
// written; each profile file that cannot be read is reset and rewritten; when the sensor
// differs from the one the DPI defaults were written for, every profile gets the new
// sensor's DPI defaults. Returns whether the settings file was valid. Expects the data
// folder's config/ folder to exist.
bool LoadSettingsAndProfiles(AppSettings& settings, ProfileTable& profiles, const LanguageTexts& texts,
                             const DataPaths& paths);
