#include "profiles/SettingsFile.h"

#include "profiles/AppSettings.h"
#include "profiles/CStdioFileEx.h"
#include "profiles/LineText.h"
#include "profiles/SaveFailures.h"

#include <string_view>

namespace {

constexpr std::u16string_view kHeader = u"[Setting]";

}  // namespace

FileCheck ReadSettingsFile(AppSettings& settings, const std::filesystem::path& path)
{
    CStdioFileEx file;
    if (!file.OpenForRead(path)) {
        return FileCheck::NotOpened(file.FailureReason());
    }
    std::u16string_view line;
    if (!file.ReadLine(line) || line != kHeader) {
        return FileCheck::FailedAt(1);
    }
    std::size_t pair = 0;
    while (file.ReadLine(line)) {
        const std::size_t equals = line.find(u'=');
        const bool hasKeyAndValue = equals != std::u16string_view::npos && equals >= 1 &&
                                    equals + 2 <= line.size();
        if (!hasKeyAndValue || pair >= AppSettings::kPairCount) {
            return FileCheck::FailedAt(file.LineNumber());
        }
        settings.Pair(pair).key.assign(line.substr(0, equals));
        settings.Pair(pair).value.assign(line.substr(equals + 1));
        ++pair;
    }
    return FileCheck::Passed();
}

bool WriteSettingsFile(const AppSettings& settings, const std::filesystem::path& path, CStdioFileEx::OldFile oldFile)
{
    // Every pair line needs a key and a value the reader takes back as they are; one that
    // would fail would make the next start throw the whole file away, so the file keeps
    // its last good state instead.
    for (std::size_t k = 0; k < AppSettings::kPairCount; ++k) {
        const SettingPair& pair = settings.Pair(k);
        if (!FitsAsKey(pair.key) || pair.value.empty() || !FitsOneLine(pair.value)) {
            SaveFailures::Report({path, "settings pair " + std::to_string(k) +
                                            " is empty or holds a line break or another control character"});
            return false;
        }
    }
    CStdioFileEx file;
    if (!file.OpenForWrite(path, oldFile)) {
        return false;
    }
    file.WriteLine(kHeader);
    for (std::size_t k = 0; k < AppSettings::kPairCount; ++k) {
        const SettingPair& pair = settings.Pair(k);
        file.WriteString(pair.key);
        file.WriteString(u"=");
        file.WriteLine(pair.value);
    }
    return file.Close();
}

bool SaveSettings(AppSettings& settings, int currentProfile, const std::filesystem::path& path)
{
    settings.SetCurrentProfile(currentProfile);
    return WriteSettingsFile(settings, path);
}
