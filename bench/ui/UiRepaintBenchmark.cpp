// Repaint cost of a skinned window: the gallery (about 150 controls) at UiScale 2.0,
// 2254 x 1480 pixels, painted in full and for the hover change of one control.
#include "CGalleryDlg.h"

#include "ui/CControlBase.h"
#include "ui/UiFont.h"
#include "ui/UiScale.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QWindow>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

std::unique_ptr<CGalleryDlg> MakeGallery()
{
    UiScale::Set(2.0);
    UiFont::SetControlFont(ControlFont{u"Tahoma", UiScale::Scale(16), 1});
    auto gallery = std::make_unique<CGalleryDlg>();
    gallery->InitDialog();
    gallery->show();
    // repaint() paints only a window the platform has exposed.
    QElapsedTimer clock;
    clock.start();
    while ((gallery->windowHandle() == nullptr || !gallery->windowHandle()->isExposed()) &&
           clock.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    gallery->repaint();  // first paint: buffers and scaled-image caches are built
    return gallery;
}

void FullRepaint(benchmark::State& state)
{
    auto gallery = MakeGallery();
    if (!gallery->windowHandle()->isExposed())
        state.SkipWithError("the window was never exposed");
    for (auto _ : state)
        gallery->repaint();
    state.counters["controls"] = gallery->ControlCount();
    state.counters["width"] = gallery->width();
    state.counters["height"] = gallery->height();
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

void HoverRepaint(benchmark::State& state)
{
    auto gallery = MakeGallery();
    // The "normal" text button of the first section, hovered and left in turn.
    CControlBase* button = gallery->GetControl(4000);
    const QRect area = button->GetRect().ToQRect();
    bool hovered = false;
    for (auto _ : state) {
        hovered = !hovered;
        button->SetState(hovered ? ButtonState::Hover : ButtonState::Normal);
        gallery->repaint(area);
    }
}
BENCHMARK(HoverRepaint)->Unit(benchmark::kMicrosecond);

// The whole road of a hover change: a pointer move from one button to its neighbour
// (routing walks every control), then the pending repaint of the two rectangles.
void HoverByPointerMove(benchmark::State& state)
{
    auto gallery = MakeGallery();
    const QPoint first = gallery->GetControl(4000)->GetRect().ToQRect().center();
    const QPoint second = gallery->GetControl(4001)->GetRect().ToQRect().center();
    bool onFirst = false;
    for (auto _ : state) {
        onFirst = !onFirst;
        const QPoint at = onFirst ? first : second;
        QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(gallery->mapToGlobal(at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(gallery.get(), &move);
        QApplication::processEvents();
    }
}
BENCHMARK(HoverByPointerMove)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
