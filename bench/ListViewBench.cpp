// Sorting and painting the document list at the sizes a large web gives it.
#include "components/listview/TClrListView.h"
#include <QImage>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

// Document rows as the builder makes them: a lower-case name and a size text.
void FillRows(TSortListView& view, int rows, quint32 seed)
{
    QRandomGenerator random(seed);
    view.BeginUpdate();
    for (int i = 0; i < rows; ++i) {
        const quint32 n = random.bounded(1000000u);
        TListItem* item =
            view.AddItem(QStringLiteral("chapter%1-page").arg(n, 6, 10, QLatin1Char('0')));
        item->SubItems << QString::number(random.bounded(5000u));
    }
    view.EndUpdate();
}

void BM_SortCaptions(benchmark::State& state)
{
    TClrListView view;
    view.AddColumn("Name", 315);
    FillRows(view, int(state.range(0)), 7);
    bool ascending = true;
    for (auto _ : state) {
        view.SortByColumn(0, ascending);
        ascending = !ascending;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SortCaptions)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortNumbers(benchmark::State& state)
{
    TClrListView view;
    view.AddColumn("Name", 150);
    view.AddColumn("Size", 150);
    FillRows(view, int(state.range(0)), 11);
    bool ascending = true;
    for (auto _ : state) {
        view.SortByColumn(1, ascending);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortNumbers)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortWithHandler(benchmark::State& state)
{
    TClrListView view;
    view.AddColumn("Name", 315);
    FillRows(view, int(state.range(0)), 13);
    view.OnSortItems = [](QObject*, TListItem* a, TListItem* b, int, int& result) {
        result = QString::compare(a->Caption, b->Caption);
    };
    bool ascending = true;
    for (auto _ : state) {
        view.SortByColumn(0, ascending);
        ascending = !ascending;
    }
}
BENCHMARK(BM_SortWithHandler)->Arg(100000)->Unit(benchmark::kMillisecond);

// The builder's pattern: add a row, then ask for the last column to fit, per document.
void BM_FillLikeTheBuilder(benchmark::State& state)
{
    for (auto _ : state) {
        TClrListView view;
        view.AddColumn("Name", 315);
        view.SetViewStyle(vsList);
        view.SetViewStyle(vsReport);
        view.ClearItems();
        for (int i = 0; i < state.range(0); ++i) {
            view.AddItem(QStringLiteral("page%1").arg(i))->SubItems << QStringLiteral("12KB");
            view.SetColumnWidth(view.ColumnCount() - 1, -2);
        }
        benchmark::DoNotOptimize(view.ItemCount());
    }
}
BENCHMARK(BM_FillLikeTheBuilder)->Arg(100)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_PaintList(benchmark::State& state)
{
    TClrListView view;
    view.resize(231, 600);
    view.AddColumn("Name", 315);
    FillRows(view, int(state.range(0)), 17);
    view.SetSelected(view.Item(int(state.range(0)) / 2));
    view.EnsureVisible(int(state.range(0)) / 2);
    view.SetTextAsThreeD(true);
    view.show();
    QImage target(view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        view.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_PaintList)->Arg(100)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace
