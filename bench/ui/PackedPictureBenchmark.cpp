// The main window's background kept packed: what packing it costs once after the first
// paint, and what a control's repaint over it costs (a button-sized clip, unpacked from
// its strips; then the same clip again, drawn from the part kept decoded).
#include "EmbeddedImages.h"
#include "ui/PackedPicture.h"
#include "ui/SkinImage.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QImage Background()
{
    return SkinImage::ReadFile(corvane::embedded::imagePath(corvane::embedded::kMainBackground))
        .convertToFormat(QImage::Format_RGB32);
}

void Pack(benchmark::State& state)
{
    const QImage background = Background();
    if (background.isNull()) {
        state.SkipWithError("the embedded background is missing");
        return;
    }
    qsizetype packedBytes = 0;
    for (auto _ : state) {
        const PackedPicture packed(background);
        packedBytes = packed.PackedBytes();
        benchmark::DoNotOptimize(packedBytes);
    }
    state.counters["packed_bytes"] = static_cast<double>(packedBytes);
    state.counters["plain_bytes"] = static_cast<double>(background.sizeInBytes());
}
BENCHMARK(Pack)->Unit(benchmark::kMillisecond);

// range(0): 1 draws a new clip each time (strips unpacked), 0 the same clip again.
void RepaintAButton(benchmark::State& state)
{
    const PackedPicture packed(Background());
    QImage window(packed.Size(), QImage::Format_RGB32);
    const bool newClipEachTime = state.range(0) != 0;
    int step = 0;
    for (auto _ : state) {
        QPainter painter(&window);
        const int shift = newClipEachTime ? (step++ % 8) * 140 : 0;
        painter.setClipRect(QRect(20 + shift, 300, 110, 30));
        packed.Draw(painter, QPoint(0, 0));
    }
}
BENCHMARK(RepaintAButton)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
