#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileTable.h"
#include "profiles/SettingsFile.h"
#include "profiles/StartupLoad.h"
#include "support/TempFolder.h"
#include "support/TestTexts.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <map>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

// A process that saves the settings, the five profiles and a large macro library over and
// over is killed at random points. Every save is atomic, so after each kill every file
// holds one whole save, old or new, and start-up reads them all as they are. The number
// of kills is CORVANE_KILL_ROUNDS (a thousand by hand; fewer in the test run).
namespace {

// One state of the data folder: the settings, the five profiles and the library.
struct SavedState {
    AppSettings settings;
    ProfileTable profiles;
    MacroLibrary library;

    void Save(const DataPaths& paths)
    {
        (void)SaveSettings(settings, settings.CurrentProfile(), paths.SettingsFile());
        (void)profiles.SaveAllProfiles(settings);
        (void)library.Save(paths.MacroLibraryFile(), MacroItemLocation::None());
    }
};

void MakeState(SavedState& state, const DataPaths& paths, const LanguageTexts& texts, int variant)
{
    state.settings.WriteSettingDefaults(paths);
    state.settings.SetSensorId(state.settings.ParseSensorText());
    state.settings.SetCurrentProfile(variant);
    for (int index = 0; index < ProfileTable::kProfileCount; ++index) {
        Profile& profile = state.profiles.At(index);
        ResetProfile(profile, static_cast<unsigned>(index), texts, state.settings.SensorId());
        profile.SetSetting(ProfileSetting::ProfileName, u"variant " + TextNumbers::Decimal(variant));
    }
    // A few hundred kilobytes of macros, so that kills land in the middle of writing it.
    for (int number = 0; number < 60 + variant; ++number) {
        MacroItemLocation selection = MacroItemLocation::None();
        const std::u16string name = u"macro " + TextNumbers::Decimal(number);
        if (state.library.CreateMacroAtSelection(name, selection) != MacroLibrary::CreateResult::Created)
            break;
    }
}

[[nodiscard]] int KillRounds()
{
    const char* text = std::getenv("CORVANE_KILL_ROUNDS");
    const int rounds = text != nullptr ? std::atoi(text) : 0;
    return rounds > 0 ? rounds : 40;
}

[[nodiscard]] std::vector<std::filesystem::path> DataFiles(const DataPaths& paths)
{
    std::vector<std::filesystem::path> files{paths.SettingsFile(), paths.MacroLibraryFile()};
    for (int index = 0; index < ProfileTable::kProfileCount; ++index)
        files.push_back(paths.DefaultProfileFile(index));
    return files;
}

}  // namespace

TEST(SaveKillTest, EveryFileIsOneWholeSaveAfterAKillAtAnyPoint)
{
    TempFolder folder;
    const LanguageTexts texts = NumberedTexts();
    const DataPaths live{folder / "live", {}};
    std::filesystem::create_directories(live.ConfigFolder());

    // The bytes of both states, as the live folder's paths write them.
    SavedState states[2];
    std::map<std::filesystem::path, std::string> bytes[2];
    for (int variant = 0; variant < 2; ++variant) {
        MakeState(states[variant], live, texts, variant);
        states[variant].Save(live);
        for (const auto& file : DataFiles(live))
            bytes[variant][file] = ReadBytes(file);
    }

    std::mt19937 random(1234);
    std::uniform_int_distribution<int> delay(0, 30'000);  // microseconds
    const int rounds = KillRounds();
    int interrupted = 0;  // kills that landed inside a save
    for (int round = 0; round < rounds; ++round) {
        const pid_t saver = fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (int variant = 0;; variant ^= 1)
                states[variant].Save(live);
        }
        ::usleep(static_cast<useconds_t>(delay(random)));
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        // A killed save leaves its temporary file behind. The savers are forked from one
        // process and so name their temporaries alike: clear them for the next round.
        bool leftTemporary = false;
        for (const auto& entry : std::filesystem::directory_iterator(live.ConfigFolder())) {
            if (entry.path().filename().string().find(".saving~") != std::string::npos) {
                leftTemporary = true;
                std::filesystem::remove(entry.path());
            }
        }
        interrupted += leftTemporary ? 1 : 0;

        for (const auto& file : DataFiles(live)) {
            const std::string now = ReadBytes(file);
            ASSERT_TRUE(now == bytes[0][file] || now == bytes[1][file])
                << file << " is neither save after kill " << round << " (" << now.size() << " bytes)";
        }
        AppSettings settings;
        ProfileTable profiles;
        const StartupReport report = LoadSettingsAndProfiles(settings, profiles, texts, live);
        ASSERT_TRUE(report.settingsValid) << round;
        ASSERT_EQ(report.profileRead, (std::array<bool, 5>{true, true, true, true, true})) << round;
        MacroLibrary library;
        ASSERT_TRUE(library.Load(live.MacroLibraryFile()).ok) << round;
    }
    EXPECT_GT(interrupted, 0) << "no kill landed inside a save";
}
