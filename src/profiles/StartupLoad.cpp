#include "profiles/StartupLoad.h"

#include "profiles/AppSettings.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/DataPaths.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileTable.h"
#include "profiles/SaveFailures.h"
#include "profiles/SettingsFile.h"

#include <algorithm>
#include <system_error>

namespace {

// The pairs a failed read assigned before its first bad line (line 1 is the header).
std::size_t PairsReadBefore(const FileCheck& check)
{
    return check.failingLine >= 2 ? std::min(check.failingLine - 2, AppSettings::kPairCount) : 0;
}

}  // namespace

StartupReport LoadSettingsAndProfiles(AppSettings& settings, ProfileTable& profiles, const LanguageTexts& texts,
                                      const DataPaths& paths)
{
    StartupReport report;
    CStdioFileEx::RemoveAbandonedSaves(paths.ConfigFolder());

    const std::filesystem::path settingsFile = paths.SettingsFile();
    // A file that ends before its last pair is read as valid; the pairs it lacks keep
    // their defaults, so the next save writes a whole file instead of empty values that
    // no later start could read.
    AppSettings read = settings;
    read.WriteSettingDefaults(paths);
    const FileCheck check = ReadSettingsFile(read, settingsFile);
    std::error_code existsError;
    // A file that cannot even be looked at (a folder without search permission) counts as
    // there: only a file known to be missing is made anew.
    const bool missing = !std::filesystem::exists(settingsFile, existsError) && !existsError;
    report.settingsValid = check.ok;
    // The sensor is known before any profile is read, so that a profile reset while
    // reading gets the DPI defaults of the real sensor, not of none.
    if (check.ok) {
        settings = read;
    } else if (missing || check.openError.empty()) {
        settings.WriteSettingDefaults(paths);
        report.settingsReplaced =
            WriteSettingsFile(settings, settingsFile, CStdioFileEx::OldFile::KeepAsBackup);
    } else {
        settings.WriteSettingDefaults(paths);
        SaveFailures::Report({settingsFile, check.openError});
    }
    if (!check.ok && !report.settingsReplaced) {
        // The file stays as it is, and so do the profiles: the program runs on what could
        // be read, the pairs before the first bad line over the defaults.
        for (std::size_t k = 0; k < PairsReadBefore(check); ++k) {
            settings.Pair(k) = read.Pair(k);
        }
    }
    settings.UseDataFolder(paths);
    settings.SetSensorId(settings.ParseSensorText());
    if (report.settingsReplaced) {
        for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
            ResetProfile(profiles.At(i), static_cast<unsigned>(i), texts, settings.SensorId());
            if (HasDefaultTexts(texts)) {
                WriteProfileFile(profiles.At(i), settings.ProfileSlotPath(i), CStdioFileEx::OldFile::KeepAsBackup);
            }
        }
    }

    for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
        report.profileRead[static_cast<std::size_t>(i)] =
            ReadProfileFile(profiles.At(i), i, settings.ProfileSlotPath(i), settings, texts).ok;
    }

    // Settings that were not read whole say nothing reliable about the sensor the
    // profiles' DPI positions were written for; the profiles keep theirs.
    const bool settingsKnown = check.ok || report.settingsReplaced;
    const auto recordedSensor = static_cast<std::uint16_t>(~settings.ParsePreSTText());
    if (settingsKnown && recordedSensor != settings.SensorId()) {
        settings.SetPreSTText(static_cast<std::uint16_t>(~settings.SensorId()));
        WriteSettingsFile(settings, settingsFile);
        for (int i = 0; i < ProfileTable::kProfileCount; ++i) {
            ResetDpiDefaults(profiles.At(i), settings.SensorId());
        }
        profiles.SaveAllProfiles(settings);
        report.dpiDefaultsRewritten = true;
    }
    return report;
}
