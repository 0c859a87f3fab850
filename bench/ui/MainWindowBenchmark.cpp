// The main window of the real program on the simulated mouse: a full repaint at
// UiScale 2.0, the hover repaint of a button-function drop-down, and the longest stall
// of the UI thread's event loop while a profile with macros on two buttons is written to
// the mouse with its real pauses.
#include "app/CCorvaneApp.h"
#include "app/CCorvaneDlg.h"
#include "app/MainWindowIds.h"
#include "device/DeviceLink.h"
#include "macros/MacroLibrary.h"
#include "profiles/AppSettings.h"
#include "profiles/ProfileTable.h"
#include "ui/CControlBase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

std::filesystem::path BenchDataFolder()
{
    const auto folder = std::filesystem::temp_directory_path() / "corvane-main-window-bench";
    std::filesystem::remove_all(folder);
    return folder;
}

void RunFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::unique_ptr<CCorvaneApp> StartProgram(float scale)
{
    ProgramOptions options;
    options.simulate = true;
    options.scale = scale;
    options.dataDir = BenchDataFolder();
    auto app = std::make_unique<CCorvaneApp>(options,
                                             std::filesystem::path(QApplication::applicationDirPath().toStdString()));
    if (app->Start() != CCorvaneApp::StartResult::Running)
        return nullptr;
    QElapsedTimer clock;
    clock.start();
    CCorvaneDlg* window = app->Window();
    while ((window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) && clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    RunFor(300);       // the mouse's first answers
    window->repaint();  // first paint: buffers and scaled-image caches are built
    return app;
}

void MainWindowFullRepaint(benchmark::State& state)
{
    auto app = StartProgram(2.0F);
    if (!app) {
        state.SkipWithError("the program did not start");
        return;
    }
    CCorvaneDlg* window = app->Window();
    for (auto _ : state)
        window->repaint();
    state.counters["width"] = window->width();
    state.counters["height"] = window->height();
}
BENCHMARK(MainWindowFullRepaint)->Unit(benchmark::kMillisecond);

// A pointer move from one button-function drop-down to the next: routing, the highlight
// on the device picture and the repaint of what changed.
void MainWindowHoverRepaint(benchmark::State& state)
{
    auto app = StartProgram(2.0F);
    if (!app) {
        state.SkipWithError("the program did not start");
        return;
    }
    CCorvaneDlg* window = app->Window();
    const QPoint first = window->GetControl(MainId::kFirstButtonDropDown)->GetRect().ToQRect().center();
    const QPoint second = window->GetControl(MainId::kFirstButtonDropDown + 1)->GetRect().ToQRect().center();
    bool onFirst = false;
    for (auto _ : state) {
        onFirst = !onFirst;
        const QPoint at = onFirst ? first : second;
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(window->mapToGlobal(at)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(window, &move);
        QApplication::processEvents();
    }
}
BENCHMARK(MainWindowHoverRepaint)->Unit(benchmark::kMicrosecond);

// Buttons 4 and 5 of the current profile play a macro of 125 key events each.
void GiveTwoButtonsMacros(CCorvaneDlg& window)
{
    const MainWindowModel& model = window.Model();
    for (int button : {3, 4}) {
        MacroItemLocation selection;
        (void)model.macros.CreateMacroAtSelection(button == 3 ? u"first" : u"second", selection);
        MacroKey& macro = *model.macros.MutableItem(selection)->macro;
        for (std::uint8_t i = 0; i < 125; ++i) {
            (void)macro.Insert(macro.MacroActionNum, MacroAction::FromBytes(static_cast<std::uint8_t>(0x41 + i % 26),
                                                                            i % 2 ? 0x80 : 0, 0, 0));
            (void)macro.Insert(macro.MacroActionNum, MacroAction::Delay(20));
        }
        macro.MacroCommandActionNum = 125;
        (void)model.profiles.AssignFunction(model.settings, ProfileTable::kFirstButtonControl + button, macro.name,
                                            u"", FunctionValue{0x90, static_cast<std::uint8_t>(button), 0}, &macro);
    }
}

// The longest gap between two ticks of a 1 ms timer on the UI thread, from the request
// for the apply until every exchange it queued has ended. The timer fires from any event
// loop, the progress dialog's nested one included, so the gap is what a user would feel.
void UiStallDuringMacroApply(benchmark::State& state)
{
    auto app = StartProgram(1.0F);
    if (!app) {
        state.SkipWithError("the program did not start");
        return;
    }
    CCorvaneDlg& window = *app->Window();
    GiveTwoButtonsMacros(window);
    DeviceLink& link = window.Model().link;
    double longestStallMs = 0.0;
    double applyMs = 0.0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestStallMs = std::max(longestStallMs, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    for (auto _ : state) {
        link.ForgetLastSent();
        link.Flags().keysChanged = true;
        link.Flags().settingsChanged = true;
        bool done = false;
        QElapsedTimer whole;
        whole.start();
        sinceTick.start();
        ticker.start();
        link.ScheduleApply();
        RunFor(40);  // the apply timer fires inside this loop
        link.AfterPendingExchanges([&done](const ExchangeSummary&) { done = true; });
        while (!done)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        ticker.stop();
        applyMs = static_cast<double>(whole.nsecsElapsed()) / 1e6;
    }
    state.counters["longest_stall_ms"] = longestStallMs;
    state.counters["apply_ms"] = applyMs;
}
BENCHMARK(UiStallDuringMacroApply)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
