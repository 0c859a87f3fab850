// Feeds arbitrary bytes to the settings file reader. A file with all 17 pairs that the
// reader accepts must read back the same after being written.
#include "FuzzInput.h"

#include "profiles/AppSettings.h"
#include "profiles/PathText.h"
#include "profiles/Profile.h"
#include "profiles/ProfileFile.h"
#include "profiles/SettingsFile.h"

#include "profiles/SaveFailures.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const FuzzInput input(data, size);
    AppSettings settings;
    if (!ReadSettingsFile(settings, input.Path()).ok) {
        return 0;
    }
    // The accessors that index tables must stay in range whatever the file said.
    if (settings.CurrentProfile() < 0 || settings.CurrentProfile() > 4 || settings.ProfileShowCount() < 1 ||
        settings.ProfileShowCount() > 5) {
        std::abort();
    }
    for (int position = 0; position < 5; ++position) {
        const int index = settings.ProfileShowList(position);
        if (index < 0 || index > 4) {
            std::abort();
        }
    }
    // Every value may be taken for a path (the profile slots are); no text may throw on
    // the way, and a path made text comes back as the same path.
    for (std::size_t k = 0; k < AppSettings::kPairCount; ++k) {
        const std::filesystem::path path = PathFromText(settings.Pair(k).value);
        if (PathFromText(TextFromPath(path)) != path) {
            std::abort();
        }
    }
    for (int slot = 0; slot < 5; ++slot) {
        Profile profile;
        (void)ParseProfileFile(profile, settings.ProfileSlotPath(slot));
    }
    if (settings.Pair(AppSettings::kPairCount - 1).key.empty()) {
        return 0;
    }
    // The reader takes control characters inside a value, the writer refuses them (they
    // are line ends to other readers); any other failure to write what was read is a fault.
    std::string refusal;
    SaveFailures::ScopedObserver observer;
    observer.Set([&refusal](const SaveFailure& failure) { refusal = failure.reason; });
    const auto written = input.Folder() / "written.ini";
    if (!WriteSettingsFile(settings, written)) {
        if (refusal.find("control character") == std::string::npos) {
            std::abort();
        }
        return 0;
    }
    AppSettings again;
    if (!ReadSettingsFile(again, written).ok) {
        std::abort();
    }
    for (std::size_t k = 0; k < AppSettings::kPairCount; ++k) {
        if (!(again.Pair(k) == settings.Pair(k))) {
            std::abort();
        }
    }
    return 0;
}
