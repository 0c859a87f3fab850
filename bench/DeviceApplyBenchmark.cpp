// What an apply costs beyond the pauses the mouse's protocol demands, against the
// simulated mouse on the real clock, and what an apply costs when nothing changed.
#include "device/DeviceIoThread.h"
#include "device/DeviceJobRunner.h"
#include "device/DeviceLink.h"
#include "device/DeviceLinkEvents.h"
#include "device/PostedTaskQueue.h"
#include "device/SteadyClock.h"
#include "device/VirtualClock.h"
#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/LanguageTexts.h"
#include "profiles/ProfileDefaults.h"
#include "profiles/ProfileTable.h"
#include "sim/SimulatedMouse.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <filesystem>

namespace {

// The real clock, also adding up the time spent inside its sleeps, so that what is
// left of an apply's wall time is the work done around the pauses.
class PauseMeasuringClock final : public Clock {
public:
    std::chrono::microseconds Now() const override { return m_clock.Now(); }
    void Sleep(std::chrono::milliseconds duration) override
    {
        const auto start = std::chrono::steady_clock::now();
        m_clock.Sleep(duration);
        const auto slept = std::chrono::steady_clock::now() - start;
        m_requested += std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
        m_slept += std::chrono::duration_cast<std::chrono::microseconds>(slept).count();
    }
    std::atomic<long long> m_requested{0};  // microseconds the protocol asked for
    std::atomic<long long> m_slept{0};      // microseconds actually spent sleeping

private:
    SteadyClock m_clock;
};

// Five default profiles; button 5 of the current one plays a macro of 125 key events,
// each followed by a delay.
struct BenchModel {
    BenchModel()
    {
        settings.WriteSettingDefaults(paths);
        settings.SetSensorId(settings.ParseSensorText());
        for (int index = 0; index < ProfileTable::kProfileCount; ++index)
            ResetProfile(profiles.At(index), static_cast<unsigned>(index), texts, settings.SensorId());
        MacroItemLocation selection;
        (void)library.CreateMacroAtSelection(u"long", selection);
        MacroKey& macro = *library.MutableItem(selection)->macro;
        for (std::uint8_t i = 0; i < 125; ++i) {
            (void)macro.Insert(macro.MacroActionNum,
                               MacroAction::FromBytes(static_cast<std::uint8_t>(0x41 + i % 26), i % 2 ? 0x80 : 0, 0, 0));
            (void)macro.Insert(macro.MacroActionNum, MacroAction::Delay(20));
        }
        macro.MacroCommandActionNum = 125;
        (void)profiles.AssignFunction(settings, ProfileTable::kFirstButtonControl + 5, u"long", u"",
                                      FunctionValue{0x90, 0, 0}, &macro);
        profiles.Current(settings).Keys[5].MacroKeyIndex = macro.MacroKeyIndex;
    }

    DataPaths paths{std::filesystem::temp_directory_path() / "corvane-bench-unused", {}};
    ProfileTable profiles;
    AppSettings settings;
    MacroLibrary library;
    LanguageTexts texts;
    DeviceLinkEvents events;
};

// The model, the simulated mouse on its wired link and a confirmed device link to it.
struct BenchRig {
    BenchRig(DeviceJobRunner& runner, Clock& clock) : mouse(clock), link(Link(runner, clock))
    {
        link.Connection().deviceConfirmed = true;
        link.SetCommandInterface(LinkKind::Wired, mouse.OpenCommandInterface(LinkKind::Wired));
        link.BuildDpiTable();
    }
    DeviceLink Link(DeviceJobRunner& runner, Clock& clock)
    {
        mouse.Plug(LinkKind::Wired);
        return DeviceLink(DeviceModel{model.profiles, model.settings, model.library, model.texts, model.paths},
                          runner, ui, clock, model.events);
    }

    BenchModel model;
    SimulatedMouse mouse;
    PostedTaskQueue ui;
    DeviceLink link;
};

void SetEveryFlag(DeviceLink& link)
{
    link.Flags().keysChanged = true;
    link.Flags().settingsChanged = true;
    link.Flags().powerSavingChanged = true;
    link.Flags().sensorOptionsChanged = true;
}

// Writes every settings command, the keys and the 125-action macro (15 packets) on the
// device thread and waits for them; returns the wall time in microseconds.
long long RunFullApply(BenchRig& rig, DeviceIoThread& deviceThread, std::size_t& commands)
{
    DeviceLink& link = rig.link;
    link.ForgetLastSent();
    SetEveryFlag(link);
    const auto start = std::chrono::steady_clock::now();
    commands = link.ApplyToDevice().commandCount;
    deviceThread.WaitIdle();
    const auto wall = std::chrono::steady_clock::now() - start;
    rig.ui.RunPending();
    return std::chrono::duration_cast<std::chrono::microseconds>(wall).count();
}

// The full apply on the real clock. Reported: the wall time beyond the time spent
// sleeping in the pauses, and how far the sleeps themselves overran what the protocol
// asked for.
void BM_FullApplyBeyondSettlePauses(benchmark::State& state)
{
    PauseMeasuringClock clock;
    DeviceIoThread deviceThread;
    BenchRig rig(deviceThread, clock);

    double beyondPauses = 0;
    double sleepOverrun = 0;
    std::size_t commands = 0;
    for (auto _ : state) {
        const long long requestedBefore = clock.m_requested;
        const long long sleptBefore = clock.m_slept;
        const long long wall = RunFullApply(rig, deviceThread, commands);
        const long long slept = clock.m_slept - sleptBefore;
        beyondPauses += static_cast<double>(wall - slept);
        sleepOverrun += static_cast<double>(slept - (clock.m_requested - requestedBefore));
    }
    state.counters["commands"] = static_cast<double>(commands);
    state.counters["beyond_pauses_us"] = benchmark::Counter(beyondPauses, benchmark::Counter::kAvgIterations);
    state.counters["sleep_overrun_us"] = benchmark::Counter(sleepOverrun, benchmark::Counter::kAvgIterations);
    state.counters["dropped"] = rig.link.Totals().dropped;
}
BENCHMARK(BM_FullApplyBeyondSettlePauses)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same apply with pauses that cost nothing: the work of the program and the
// simulated mouse alone, with caches warm. The difference to the figure above is what
// waking up after each pause costs on the machine at hand.
void BM_FullApplyWithoutPauses(benchmark::State& state)
{
    VirtualClock clock;
    DeviceIoThread deviceThread;
    BenchRig rig(deviceThread, clock);
    std::size_t commands = 0;
    for (auto _ : state)
        state.SetIterationTime(static_cast<double>(RunFullApply(rig, deviceThread, commands)) / 1e6);
    state.counters["commands"] = static_cast<double>(commands);
    state.counters["dropped"] = rig.link.Totals().dropped;
}
BENCHMARK(BM_FullApplyWithoutPauses)->Unit(benchmark::kMicrosecond)->UseManualTime();

// An apply after which every copy already holds the profile: only building and
// comparing, including the 512-byte image of the macro button. The keys flag stays
// clear: a key-assignment send empties the macro copies on purpose, so an apply with it
// always rewrites the macros.
void BM_ApplyWithNothingChanged(benchmark::State& state)
{
    SteadyClock clock;
    InlineJobRunner runner;
    BenchRig rig(runner, clock);
    DeviceLink& link = rig.link;
    link.PrimeLastSent();
    std::size_t commands = 0;
    for (auto _ : state) {
        link.Flags().settingsChanged = true;
        link.Flags().powerSavingChanged = true;
        link.Flags().sensorOptionsChanged = true;
        commands += link.ApplyToDevice().commandCount;
    }
    state.counters["commands"] = static_cast<double>(commands);
}
BENCHMARK(BM_ApplyWithNothingChanged)->Unit(benchmark::kMicrosecond);

}  // namespace
