// Painting the outliner and filling it from a heading list, at the sizes a large web gives.
#include "components/outline/TROutliner.h"
#include <QImage>
#include <QStringList>
#include <benchmark/benchmark.h>

namespace {

// A folder outline: top-level folders of 100 documents each, all expanded, the current
// row in the middle, so a paint has to find rows deep inside the tree.
void FillFolders(TROutliner& outliner, int items)
{
    outliner.BeginUpdate();
    int added = 0;
    for (int folder = 0; added < items; ++folder) {
        const int parent = outliner.AddChild(0, QStringLiteral("Folder %1").arg(folder));
        ++added;
        for (int i = 0; i < 99 && added < items; ++i, ++added)
            outliner.AddChild(parent,
                              QStringLiteral("chapter%1-page").arg(i, 3, 10, QLatin1Char('0')));
    }
    outliner.EndUpdate();
    outliner.FullExpand();
}

void BM_PaintOutliner(benchmark::State& state)
{
    TROutliner outliner;
    outliner.resize(231, 600);
    outliner.SetBackGroundStyle(rbsGradient);
    outliner.SetBackgroundCellCopyMode(15597702); // cmSrcPaint: every cell is a raster copy
    outliner.SetDoCellOutline(rlsBox);
    FillFolders(outliner, int(state.range(0)));
    outliner.SetRow(outliner.RowCount() / 2);
    int rows = 0;
    for (auto _ : state) {
        const QImage image = outliner.RenderToImage();
        benchmark::DoNotOptimize(image.constBits());
        rows = outliner.LastPaint().Rows;
    }
    state.counters["rows_painted"] = rows;
}
BENCHMARK(BM_PaintOutliner)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_FillFromHeadings(benchmark::State& state)
{
    QStringList lines;
    for (int i = 0; i < state.range(0); ++i)
        lines << QStringLiteral("Heading %1#%2").arg(i).arg(1 + i % 4);
    TROutliner outliner;
    for (auto _ : state) {
        outliner.FillFromHeadings(lines);
        benchmark::DoNotOptimize(outliner.ItemCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_FillFromHeadings)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace
