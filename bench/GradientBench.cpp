// The gradient background of a 300 x 1000 outliner, drawn at every paint.
#include "components/paint/TBackgroundPainter.h"
#include "components/paint/TGradientPainter.h"
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void BM_Gradient_300x1000(benchmark::State& state)
{
    QImage surface(300, 1000, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&surface);
        TGradientPainter::Paint(painter, surface.rect(), 0x800000, 0xFFFFFF);
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    const double pixels = 300.0 * 1000.0;
    state.counters["Mpx/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Background_Tiled_300x1000(benchmark::State& state)
{
    QImage surface(300, 1000, QImage::Format_RGB32);
    QImage tile(64, 64, QImage::Format_RGB32);
    tile.fill(qRgb(90, 120, 150));
    for (auto _ : state) {
        QPainter painter(&surface);
        TBackgroundPainter::Paint(painter, surface.rect(), rbsBitmap, tile, 0, 0);
        painter.end();
        benchmark::DoNotOptimize(surface.constBits());
    }
    const double pixels = 300.0 * 1000.0;
    state.counters["Mpx/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
}

} // namespace

BENCHMARK(BM_Gradient_300x1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Background_Tiled_300x1000)->Unit(benchmark::kMicrosecond);
