// The browsing window on large webs: building the site at start (the folder outline of
// 10 000 folders and 100 000 documents, then the introduction page) and a click on a folder
// of 10 000 documents until its list is painted.
#include "BenchHost.h"
#include "browse/TZMMain.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "html/THtmlPane.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void Touch(const QString& path)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write("<p>x");
}

// 100 top folders of 100 folders each (10 000 in all, plus the web folder), ten documents
// in each, and one folder holding 10 000 documents.
const QString& LargeWeb()
{
    static QTemporaryDir dir;
    static const QString web = [] {
        const QString root = dir.path() + "/web/";
        for (int a = 0; a < 100; ++a)
            for (int b = 0; b < 100; ++b) {
                const QString folder = root + QString("Part%1/Chapter%2/").arg(a).arg(b);
                QDir().mkpath(folder);
                for (int d = 0; d < 10; ++d)
                    Touch(folder + QString("page%1.htm").arg(d));
            }
        QDir().mkpath(root + "Big");
        for (int d = 0; d < 10000; ++d)
            Touch(root + QString("Big/doc%1.htm").arg(d));
        Touch(root + "intro.htm");
        return root;
    }();
    return web;
}

void BM_StartOnLargeWeb(benchmark::State& state)
{
    BenchHost host;
    host.Options.StartUpWeb = LargeWeb();
    host.Options.IntroductionFile = LargeWeb() + "intro.htm";
    for (auto _ : state) {
        TZMMain window(&host);
        benchmark::DoNotOptimize(window.FolderList->ItemCount());
    }
}
BENCHMARK(BM_StartOnLargeWeb)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ClickFolderOf10000Documents(benchmark::State& state)
{
    BenchHost host;
    host.Options.StartUpWeb = LargeWeb();
    TZMMain window(&host);
    window.resize(1000, 800);
    const int big = window.FolderList->GetTextItem("Big");
    for (auto _ : state) {
        window.LastFolderIndex = -1;
        window.FolderList->SetSelectedItem(big);
        window.FolderListClick();
        QImage painted = window.DocList->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
    }
    state.counters["rows"] = window.DocList->ItemCount();
}
BENCHMARK(BM_ClickFolderOf10000Documents)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace
