// Raster copies over a full-HD surface: the cost every styled control pays per paint.
#include "platform/TRasterOp.h"
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

void RasterCopy(benchmark::State& state, quint32 code)
{
    QImage dst(1920, 1080, QImage::Format_RGB32);
    QImage src(1920, 1080, QImage::Format_RGB32);
    dst.fill(qRgb(0x20, 0x40, 0x60));
    src.fill(qRgb(0xC0, 0xC0, 0xC0));
    for (auto _ : state) {
        TRasterOp::Copy(dst, 0, 0, src, src.rect(), code, qRgb(0x12, 0x34, 0x56));
        benchmark::DoNotOptimize(dst.constBits());
        benchmark::ClobberMemory();
    }
    const double pixels = double(dst.width()) * dst.height();
    state.counters["Mpx/s"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.SetItemsProcessed(state.iterations() * int64_t(pixels));
}

void BM_RasterOp_SrcCopy(benchmark::State& s) { RasterCopy(s, TCopyMode::cmSrcCopy); }
void BM_RasterOp_SrcPaint(benchmark::State& s) { RasterCopy(s, TCopyMode::cmSrcPaint); }
void BM_RasterOp_MergePaint(benchmark::State& s) { RasterCopy(s, TCopyMode::cmMergePaint); }
void BM_RasterOp_PatPaint(benchmark::State& s) { RasterCopy(s, TCopyMode::cmPatPaint); }

} // namespace

BENCHMARK(BM_RasterOp_SrcCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterOp_SrcPaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterOp_MergePaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RasterOp_PatPaint)->Unit(benchmark::kMillisecond);
