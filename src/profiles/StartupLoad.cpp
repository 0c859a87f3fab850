#include "profiles/StartupLoad.h"

#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileTable.h"
#include "profiles/SettingsFile.h"

StartupReport LoadSettingsAndProfiles(AppSettings& settings, ProfileTable& profiles, const LanguageTexts& texts,
                             const DataPaths& paths)
{
    StartupReport report;
    const bool valid = ReadSettingsFile(settings, paths.SettingsFile()).ok;
    report.settingsValid = valid;
    // The sensor is known before any profile is read, so that a profile reset while
    // reading gets the DPI defaults of the real sensor, not of none.
    if (!valid) {
        settings.WriteSettingDefaults(paths);
        WriteSettingsFile(settings, paths.SettingsFile(), CStdioFileEx::OldFile::KeepAsBackup);
    }
    settings.SetSensorId(settings.ParseSensorText());
    if (!valid) {
        for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
            ResetProfile(profiles.At(i), static_cast<unsigned>(i), texts, settings.SensorId());
            WriteProfileFile(profiles.At(i), settings.ProfileSlotPath(i), CStdioFileEx::OldFile::KeepAsBackup);
        }
    }

    for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
        report.profileRead[static_cast<std::size_t>(i)] =
            ReadProfileFile(profiles.At(i), i, settings.ProfileSlotPath(i), settings, texts).ok;
    }

    const auto recordedSensor = static_cast<std::uint16_t>(~settings.ParsePreSTText());
    if (recordedSensor != settings.SensorId()) {
        settings.SetPreSTText(static_cast<std::uint16_t>(~settings.SensorId()));
        WriteSettingsFile(settings, paths.SettingsFile());
        for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
            ResetDpiDefaults(profiles.At(i), settings.SensorId());
        }
        profiles.SaveAllProfiles(settings);
        report.dpiDefaultsRewritten = true;
    }
    return report;
}
