// Outline tree costs: building a million items in one batch, finding items by index and
// rows by number at growing sizes (random access, so the lookup cache does not help), and
// painting the visible rows of a small and of a large outline.
#include "components/outline/TColdmereOutline.h"
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

class BenchOutline : public TColdmereOutline
{
public:
    using TColdmereCustomGrid::PaintVisibleRows;
};

enum Shape { Flat = 0, Folders = 1 };

// Folders: blocks of one top-level item with 9 children of 10 leaves each (100 items).
void Fill(TColdmereOutline& o, int count, Shape shape)
{
    const QString text = QStringLiteral("Folder name");
    o.BeginUpdate();
    int top = 0, middle = 0;
    for (int i = 0; i < count; ++i) {
        if (shape == Flat) {
            o.AddChild(0, text);
            continue;
        }
        const int inBlock = i % 100;
        if (inBlock == 0)
            top = o.AddChild(0, text);
        else if ((inBlock - 1) % 11 == 0)
            middle = o.AddChild(top, text);
        else
            o.AddChild(middle, text);
    }
    o.EndUpdate();
}

// One outline kept between runs of the same size and shape; built once, never freed,
// because widgets must not outlive the application object at exit.
BenchOutline& Outline(int count, Shape shape, bool expanded)
{
    static BenchOutline* outline = nullptr;
    static int builtCount = -1;
    static Shape builtShape = Flat;
    if (!outline || builtCount != count || builtShape != shape) {
        delete outline;
        outline = new BenchOutline;
        outline->SetScrollBars(ssVertical);
        outline->resize(300, 600);
        outline->show(); // lays out the viewport
        Fill(*outline, count, shape);
        builtCount = count;
        builtShape = shape;
    }
    if (expanded)
        outline->FullExpand();
    outline->Items(outline->ItemCount()); // settle the numbering outside the timing
    return *outline;
}

std::vector<int> RandomValues(int count, int upTo)
{
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> pick(0, upTo - 1);
    std::vector<int> v(static_cast<size_t>(count));
    for (int& x : v)
        x = pick(rng);
    return v;
}

// Second argument 0: the outline only (the column follows the client width, as for the
// owner-drawn outliners); 1: a standard outline with a horizontal bar, whose column is the
// widest visible row: the batch ends with the first slice of measuring, the rest follows
// between events (BM_MeasureMillionRows gives all of it).
void BM_AddChildMillionInBatch(benchmark::State& state)
{
    const Shape shape = Shape(state.range(0));
    const bool measured = state.range(1) != 0;
    for (auto _ : state) {
        auto* o = new TColdmereOutline;
        o->SetScrollBars(measured ? ssBoth : ssVertical);
        Fill(*o, 1000000, shape);
        benchmark::DoNotOptimize(o->ItemCount());
        state.PauseTiming();
        delete o;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_AddChildMillionInBatch)
    ->ArgsProduct({{Flat, Folders}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Measuring every row of a flat outline of 1 000 000 items for its horizontal bar: the
// whole work the slices between events share.
void BM_MeasureMillionRows(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto* o = new TColdmereOutline;
        o->SetScrollBars(ssBoth);
        Fill(*o, 1000000, Flat);
        state.ResumeTiming();
        benchmark::DoNotOptimize(o->HorizontalExtent());
        state.PauseTiming();
        delete o;
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_MeasureMillionRows)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ItemsRandom(benchmark::State& state)
{
    const int count = int(state.range(0));
    BenchOutline& o = Outline(count, Shape(state.range(1)), false);
    const std::vector<int> indexes = RandomValues(1 << 16, count);
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(o.Items(indexes[i] + 1));
        i = (i + 1) & 0xFFFF;
    }
}
BENCHMARK(BM_ItemsRandom)
    ->ArgsProduct({benchmark::CreateRange(1000, 1000000, 10), {Flat, Folders}});

void BM_GetVisibleNodeRandom(benchmark::State& state)
{
    const int count = int(state.range(0));
    BenchOutline& o = Outline(count, Shape(state.range(1)), true);
    const std::vector<int> rows = RandomValues(1 << 16, o.RowCount());
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(o.GetVisibleNode(rows[i]));
        i = (i + 1) & 0xFFFF;
    }
}
BENCHMARK(BM_GetVisibleNodeRandom)
    ->ArgsProduct({benchmark::CreateRange(1000, 1000000, 10), {Flat, Folders}});

void BM_IndexAfterInsert(benchmark::State& state)
{
    // An insertion near the top and the number of an item near the end: the renumbering
    // walk this costs grows with the items in between.
    const int count = int(state.range(0));
    BenchOutline& o = Outline(count, Folders, false);
    for (auto _ : state) {
        const int added = o.Insert(2, QStringLiteral("x"));
        benchmark::DoNotOptimize(o.Items(o.ItemCount())->Index());
        o.Delete(added);
    }
}
BENCHMARK(BM_IndexAfterInsert)->RangeMultiplier(10)->Range(1000, 100000);

void BM_PaintVisibleRows(benchmark::State& state)
{
    BenchOutline& o = Outline(int(state.range(0)), Folders, true);
    o.SetRow(o.RowCount() / 2);
    QImage surface(300, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&surface);
        o.PaintVisibleRows(p);
    }
}
BENCHMARK(BM_PaintVisibleRows)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
