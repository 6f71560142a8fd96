// Saving and loading the look of the browsing window's six styled controls: the whole
// state file is read once and replaced once per operation, whatever the number of keys.
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "platform/TMessageBox.h"
#include "state/TDisplayState.h"
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

struct Display
{
    TMDIOutline FolderList, ReadOutliner;
    TClrListView DocList;
    TKXPanelPage PanelPage;
    TGraphicSplitBar GraphicSplit1, GraphicSplit2;

    Display()
    {
        PanelPage.resize(231, 428);
        GraphicSplit1.SetAlign(alLeft);
        GraphicSplit2.SetAlign(alBottom);
    }

    TDisplayControls Controls()
    {
        return {&FolderList, &ReadOutliner, &DocList, &PanelPage, &GraphicSplit1, &GraphicSplit2};
    }
};

void BM_SaveDisplayStateNewFile(benchmark::State& state)
{
    TMessageBox::SetHook([](const TMessage&) { return TMsgResult::Ok; });
    QTemporaryDir dir;
    const QString path = dir.filePath("look.sta");
    Display display;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
        benchmark::DoNotOptimize(TDisplayState::SaveDisplayState(display.Controls(), path));
    }
    TMessageBox::SetHook({});
}
BENCHMARK(BM_SaveDisplayStateNewFile)->Unit(benchmark::kMillisecond);

void BM_SaveDisplayStateChanged(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.sta");
    Display display;
    TDisplayState::SaveDisplayState(display.Controls(), path);
    int colour = 0;
    for (auto _ : state) {
        display.GraphicSplit2.SetColor(++colour); // one key differs: one replace
        benchmark::DoNotOptimize(TDisplayState::SaveDisplayState(display.Controls(), path));
    }
}
BENCHMARK(BM_SaveDisplayStateChanged)->Unit(benchmark::kMillisecond);

void BM_LoadDisplayState(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.sta");
    Display display;
    TDisplayState::SaveDisplayState(display.Controls(), path);
    for (auto _ : state)
        benchmark::DoNotOptimize(TDisplayState::LoadDisplayState(display.Controls(), path));
}
BENCHMARK(BM_LoadDisplayState)->Unit(benchmark::kMillisecond);

} // namespace
