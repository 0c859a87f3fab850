// The macro manager on a large library: opening it (construction, controls, the first
// paint) and scrolling its tree by a page with every folder open, at UiScale 1.0.
//
// A library of 10,000 macros in 100 folders does not fit the library's blocks of 60: a
// folder holds at most 60 items, so f folders (levels 0 and 1) and the top level hold at
// most 59 f + 60 macros. Two libraries are measured: the full one of 100 folders (5,960
// macros) and the smallest one that holds 10,000 macros (169 folders).
#include "macros/MacroLibrary.h"
#include "macros/windows/CMacroManagerDlg.h"
#include "macros/windows/MacroManagerIds.h"
#include "profiles/LanguageLoader.h"
#include "profiles/LanguageTexts.h"
#include "ui/CRowList.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct LibraryShape {
    int topFolders;
    int childFolders;  // spread over the top-level folders
    int macros;
};
constexpr LibraryShape kFullHundredFolders{2, 98, 5960};
constexpr LibraryShape kTenThousandMacros{4, 165, 10000};

std::u16string Name(const char16_t* prefix, int number)
{
    const std::string digits = std::to_string(number);
    return prefix + std::u16string(digits.begin(), digits.end());
}

// Folders first; then macros fill the level-2 blocks, the level-1 blocks and the top
// level, in that order, until the count is reached.
void Fill(MacroLibrary& library, const LibraryShape& shape)
{
    library.Clear();
    int folders = 0;
    int macros = 0;
    for (int top = 0; top < shape.topFolders; ++top) {
        MacroItemLocation at;
        (void)library.CreateFolderAtSelection(Name(u"Folder ", ++folders), at);
    }
    for (int child = 0; child < shape.childFolders; ++child) {
        MacroItemLocation at = MacroItemLocation::Level0(child % shape.topFolders);
        (void)library.CreateFolderAtSelection(Name(u"Folder ", ++folders), at);
    }
    const auto addIn = [&](MacroItemLocation folder) {
        while (macros < shape.macros) {
            MacroItemLocation at = folder;
            if (library.CreateMacroAtSelection(Name(u"Macro ", macros + 1), at) != MacroLibrary::CreateResult::Created ||
                at == folder)
                return;
            ++macros;
        }
    };
    for (int top = 0; top < shape.topFolders; ++top) {
        for (int child = 0; child < MacroLibrary::kBlockSize; ++child) {
            const MacroItem* item = library.Item(MacroItemLocation::Level1(top, child));
            if (item != nullptr && item->isFolder)
                addIn(MacroItemLocation::Level1(top, child));
        }
    }
    for (int top = 0; top < shape.topFolders; ++top)
        addIn(MacroItemLocation::Level0(top));
    addIn(MacroItemLocation::None());
}

int MacroCount(const MacroLibrary& library)
{
    int count = 0;
    library.ForEachUsedItem([&](const MacroItemLocation&, const MacroItem& item) { count += item.isFolder ? 0 : 1; });
    return count;
}

struct Fixture {
    LanguageTexts texts;
    MacroLibrary library;
    QWidget owner;
    std::filesystem::path file = std::filesystem::path(QDir::tempPath().toStdString()) / "corvane-bench" / "lib.mlf";

    explicit Fixture(const LibraryShape& shape)
    {
        UiScale::Set(1.0);
        const std::string lang = (QApplication::applicationDirPath() + QStringLiteral("/lang/Lan_EN.txt")).toStdString();
        (void)ReadLanguageFile(texts, lang, 1.0);
        UiFont::SetControlFont(texts.Font());
        Fill(library, shape);
    }

    std::unique_ptr<CMacroManagerDlg> Open()
    {
        auto manager = std::make_unique<CMacroManagerDlg>(texts, library, file, MacroManagerServices{}, &owner);
        manager->InitDialog();
        manager->show();
        // repaint() paints only a window the platform has exposed.
        QElapsedTimer clock;
        clock.start();
        while ((manager->windowHandle() == nullptr || !manager->windowHandle()->isExposed()) && clock.elapsed() < 5000)
            QApplication::processEvents(QEventLoop::AllEvents, 1);
        manager->repaint();
        return manager;
    }
};

const LibraryShape& ShapeOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? kFullHundredFolders : kTenThousandMacros;
}

void OpenManager(benchmark::State& state)
{
    Fixture fixture(ShapeOf(state));
    for (auto _ : state) {
        auto manager = fixture.Open();
        state.PauseTiming();
        manager.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["macros"] = MacroCount(fixture.library);
}
BENCHMARK(OpenManager)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A press on the scroll bar's track below the thumb, as the mouse gives it, and the paint.
void ScrollTreeByPage(benchmark::State& state)
{
    Fixture fixture(ShapeOf(state));
    auto manager = fixture.Open();
    fixture.library.ForEachUsedItem([&](const MacroItemLocation& at, const MacroItem& item) {
        if (item.isFolder)
            fixture.library.MutableItem(at)->folderIsOpen = 1;
    });
    manager->ShowItem(MacroItemLocation::Level0(0));  // the tree takes the open folders
    const CRowList& tree = manager->TreeList();
    const UiRect bar = manager->GetControl(MacroManagerId::kTreeScrollBar)->GetRect();
    const QPointF track((bar.left + bar.right) / 2.0, bar.bottom - UiScale::Scale(20));
    for (auto _ : state) {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, track, manager->mapToGlobal(track), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(manager.get(), &event);
        }
        manager->repaint();
        if (tree.FirstVisible() + tree.VisibleRows() >= tree.RowCount()) {
            state.PauseTiming();
            manager->ShowItem(MacroItemLocation::Level0(0));
            state.ResumeTiming();
        }
    }
    state.counters["rows"] = tree.RowCount();
    state.counters["macros"] = MacroCount(fixture.library);
}
BENCHMARK(ScrollTreeByPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
