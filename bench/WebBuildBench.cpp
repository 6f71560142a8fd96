// The folder outline of a large web against the system's own folder walk, and the
// document list of one crowded folder. The web is generated once per run.
#include "GeneratedWeb.h"
#include "browse/TWebBuilders.h"
#include "components/listview/TSortListView.h"
#include "components/outline/TColdmereCustomOutline.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kFolders = 10000;
constexpr int kDocumentsPerFolder = 10; // 100 000 documents in the web
constexpr int kCrowdedFolderDocuments = 10000;

// "<tmp>/web/" with kFolders folders (10 at the top, 10 below each, the rest below
// those) of kDocumentsPerFolder documents each, and "<tmp>/crowded/" with one folder of
// kCrowdedFolderDocuments documents.
struct TGeneratedWeb
{
    QTemporaryDir dir;
    QString web;
    QString crowded;

    TGeneratedWeb()
    {
        web = dir.path() + "/web/";
        crowded = dir.path() + "/crowded/";
        const QByteArray body(600, 'x');
        bench::MakeLargeWeb(QFile::encodeName(web), kFolders, kDocumentsPerFolder,
                            [&](int) { return body; });
        ::mkdir(QFile::encodeName(crowded).constData(), 0755);
        const QByteArray c = QFile::encodeName(crowded);
        for (int d = 0; d < kCrowdedFolderDocuments; ++d)
            bench::WriteBenchFile(c + "Document " + QByteArray::number(d) + ".htm", body);
    }
};

TGeneratedWeb& Web()
{
    static TGeneratedWeb web;
    return web;
}

double FindWallSeconds(const QString& folder)
{
    QElapsedTimer timer;
    timer.start();
    QProcess find;
    find.start("find", {folder, "-type", "d"});
    find.waitForFinished(-1);
    const QByteArray out = find.readAllStandardOutput();
    benchmark::DoNotOptimize(out.size());
    return timer.nsecsElapsed() / 1e9;
}

// Each iteration times both walks on the same tree; the reported time is the outline's.
void BM_BuildFolderOutlineAgainstFind(benchmark::State& state)
{
    TGeneratedWeb& web = Web();
    TColdmereCustomOutline outline;
    FindWallSeconds(web.web); // both start with the folders in the cache
    double findTotal = 0, buildTotal = 0;
    for (auto _ : state) {
        findTotal += FindWallSeconds(web.web);
        QElapsedTimer timer;
        timer.start();
        const QString built = BuildFolderOutline(web.web, "0", true, &outline);
        const double seconds = timer.nsecsElapsed() / 1e9;
        benchmark::DoNotOptimize(built.size());
        buildTotal += seconds;
        state.SetIterationTime(seconds);
    }
    const double n = double(state.iterations());
    state.counters["nodes"] = outline.ItemCount();
    state.counters["find_ms"] = findTotal / n * 1e3;
    state.counters["build_ms"] = buildTotal / n * 1e3;
    state.counters["ratio"] = buildTotal / findTotal;
}
BENCHMARK(BM_BuildFolderOutlineAgainstFind)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_FillDocumentList(benchmark::State& state)
{
    TGeneratedWeb& web = Web();
    TSortListView list;
    list.AddColumn("Name", 120);
    list.AddColumn("Size", 40);
    for (auto _ : state) {
        const QString filled = FillDocumentList(web.crowded, "0", false, &list);
        benchmark::DoNotOptimize(filled.size());
    }
    state.counters["rows"] = list.ItemCount();
}
BENCHMARK(BM_FillDocumentList)->UseRealTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace
