#include "macros/MacroLibrary.h"
#include "macros/MacroLibraryFile.h"
#include "profiles/TextNumbers.h"

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kTopFolders = 50;
constexpr int kSubfolders = 4;
constexpr int kMacrosPerSubfolder = 50;  // 50 x 4 x 50 = 10,000 macros

// A library as a heavy user would have it: 50 top-level folders of 4 subfolders with 50
// macros each, the macros holding between 2 and 250 actions (keys and delays).
std::unique_ptr<MacroLibrary> BuildLibrary()
{
    auto library = std::make_unique<MacroLibrary>();
    int serial = 0;
    for (int f = 0; f < kTopFolders; ++f) {
        MacroItemLocation folder = MacroItemLocation::None();
        static_cast<void>(library->CreateFolderAtSelection(u"Game " + TextNumbers::Decimal(f), folder));
        library->MutableItem(folder)->folderIsOpen = (f % 3) == 0;
        for (int s = 0; s < kSubfolders; ++s) {
            MacroItemLocation sub = folder;
            static_cast<void>(library->CreateFolderAtSelection(u"Loadout " + TextNumbers::Decimal(s), sub));
            for (int m = 0; m < kMacrosPerSubfolder; ++m, ++serial) {
                MacroItemLocation macro = sub;
                static_cast<void>(library->CreateMacroAtSelection(
                    u"Combo " + TextNumbers::Decimal(serial) + u" rapid reload", macro));
                MacroKey& key = *library->MutableItem(macro)->macro;
                const auto count = static_cast<std::uint32_t>(2 + (serial * 37) % 249);
                for (std::uint32_t i = 0; i < count; ++i) {
                    const auto code = static_cast<std::uint8_t>(0x41 + (serial + i) % 26);
                    const MacroAction action =
                        i % 2 == 1 ? MacroAction::Delay(10 + (i * 7) % 500)
                                   : MacroAction::FromBytes(code, (i / 2) % 2 == 0 ? 0x00 : 0x80, 0, 0);
                    static_cast<void>(key.Insert(i, action));
                }
                key.MacroCommandActionNum = static_cast<std::uint8_t>(std::min<std::uint32_t>(count / 2, 125));
            }
        }
    }
    return library;
}

fs::path BenchFolder()
{
    const fs::path folder =
        fs::temp_directory_path() / ("corvane-macro-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    return folder;
}

void BM_SaveLibrary(benchmark::State& state)
{
    const auto library = BuildLibrary();
    const fs::path path = BenchFolder() / "save.mlf";
    for (auto _ : state) {
        if (!library->Save(path, MacroItemLocation::None())) {
            state.SkipWithError("save failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(path)));
    state.counters["file_bytes"] = static_cast<double>(fs::file_size(path));
    fs::remove_all(path.parent_path());
}
BENCHMARK(BM_SaveLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

// Formatting alone, to tell the text work from the file system's.
void BM_FormatLibrary(benchmark::State& state)
{
    const auto library = BuildLibrary();
    std::size_t characters = 0;
    for (auto _ : state) {
        const std::u16string text = MacroLibraryFile::Format(*library, MacroItemLocation::None());
        characters = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(characters * 2));
}
BENCHMARK(BM_FormatLibrary)->Unit(benchmark::kMillisecond);

void BM_LoadLibrary(benchmark::State& state)
{
    const fs::path path = BenchFolder() / "load.mlf";
    if (!BuildLibrary()->Save(path, MacroItemLocation::None())) {
        state.SkipWithError("could not write the input");
        return;
    }
    MacroLibrary library;
    for (auto _ : state) {
        const MacroLibraryLoadResult result = library.Load(path);
        if (!result.ok) {
            state.SkipWithError("load failed");
            break;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(fs::file_size(path)));
    state.counters["macros_per_s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * kTopFolders * kSubfolders * kMacrosPerSubfolder,
        benchmark::Counter::kIsRate);
    fs::remove_all(path.parent_path());
}
BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond)->UseRealTime();

// What an empty library costs: heap bytes in use after constructing one, and the time to
// construct and destroy it.
void BM_EmptyLibrary(benchmark::State& state)
{
    const struct mallinfo2 before = ::mallinfo2();
    auto probe = std::make_unique<MacroLibrary>();
    const struct mallinfo2 after = ::mallinfo2();
    benchmark::DoNotOptimize(probe.get());
    const std::size_t heapBytes =
        (after.uordblks + after.hblkhd) - (before.uordblks + before.hblkhd);
    probe.reset();
    for (auto _ : state) {
        auto library = std::make_unique<MacroLibrary>();
        benchmark::DoNotOptimize(library.get());
    }
    state.counters["heap_bytes"] = static_cast<double>(heapBytes);
    state.counters["sizeof"] = static_cast<double>(sizeof(MacroLibrary));
}
BENCHMARK(BM_EmptyLibrary);

}  // namespace
