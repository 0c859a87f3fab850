// Profile file write and read, settings file read, and the whole start-up load of the
// settings and five profiles, each on files in a temporary folder.
#include "profiles/AppSettings.h"
#include "profiles/DataPaths.h"
#include "profiles/LanguageTexts.h"
#include "profiles/Profile.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileTable.h"
#include "profiles/SettingsFile.h"
#include "profiles/StartupLoad.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

namespace {

class BenchFolder {
public:
    BenchFolder()
    {
        std::random_device random;
        m_paths.dataFolder = std::filesystem::temp_directory_path() / ("corvane-bench-" + std::to_string(random()));
        std::filesystem::create_directories(m_paths.ConfigFolder());
    }
    ~BenchFolder() { std::filesystem::remove_all(m_paths.dataFolder); }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    [[nodiscard]] const DataPaths& Paths() const { return m_paths; }

private:
    DataPaths m_paths;
};

std::unique_ptr<Profile> SampleProfile()
{
    auto profile = std::make_unique<Profile>();
    LanguageTexts texts;
    ResetProfile(*profile, 0, texts, SensorIds::k3311);
    for (auto& key : profile->Keys) {
        key.Macro.MacroActionNum = 120;
        for (std::uint32_t i = 0; i < key.Macro.MacroActionNum; ++i) {
            key.Macro.actions[i].raw = 0x41000000u + i;
        }
    }
    return profile;
}

void ProfileFileWrite(benchmark::State& state)
{
    BenchFolder folder;
    const auto profile = SampleProfile();
    const auto path = folder.Paths().DefaultProfileFile(0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteProfileFile(*profile, path));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(ProfileFileWrite)->Unit(benchmark::kMicrosecond);

void ProfileFileRead(benchmark::State& state)
{
    BenchFolder folder;
    const auto path = folder.Paths().DefaultProfileFile(0);
    WriteProfileFile(*SampleProfile(), path);
    auto profile = std::make_unique<Profile>();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseProfileFile(*profile, path).ok);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(ProfileFileRead)->Unit(benchmark::kMicrosecond);

void SettingsFileRead(benchmark::State& state)
{
    BenchFolder folder;
    AppSettings settings;
    settings.WriteSettingDefaults(folder.Paths());
    WriteSettingsFile(settings, folder.Paths().SettingsFile());
    for (auto _ : state) {
        AppSettings read;
        benchmark::DoNotOptimize(ReadSettingsFile(read, folder.Paths().SettingsFile()).ok);
    }
}
BENCHMARK(SettingsFileRead)->Unit(benchmark::kMicrosecond);

// Settings plus five profiles, as the program does at every start.
void StartupLoadOfSettingsAndProfiles(benchmark::State& state)
{
    BenchFolder folder;
    LanguageTexts texts;
    {
        AppSettings settings;
        auto table = std::make_unique<ProfileTable>();
        LoadSettingsAndProfiles(settings, *table, texts, folder.Paths());
    }
    auto table = std::make_unique<ProfileTable>();
    for (auto _ : state) {
        AppSettings settings;
        benchmark::DoNotOptimize(LoadSettingsAndProfiles(settings, *table, texts, folder.Paths()).settingsValid);
    }
}
BENCHMARK(StartupLoadOfSettingsAndProfiles)->Unit(benchmark::kMicrosecond);

}  // namespace
