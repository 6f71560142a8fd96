// The folder outline of a large web against the system's own folder walk, and the
// document list of one crowded folder. The web is generated once per run.
#include "browse/TWebBuilders.h"
#include "components/TColdmereCustomOutline.h"
#include "components/TSortListView.h"
#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <vector>

namespace {

constexpr int kFolders = 10000;
constexpr int kDocumentsPerFolder = 10; // 100 000 documents in the web
constexpr int kCrowdedFolderDocuments = 10000;

void WriteDocument(const QByteArray& path)
{
    static const QByteArray body(600, 'x');
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0) {
        if (::write(fd, body.constData(), size_t(body.size())) < 0)
            std::perror("write");
        ::close(fd);
    }
}

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
        ::mkdir(QFile::encodeName(web).constData(), 0755);
        ::mkdir(QFile::encodeName(crowded).constData(), 0755);
        std::vector<QByteArray> level{QFile::encodeName(web)};
        int made = 0;
        const int fanOut[] = {10, 10, 100};
        for (int depth = 0; depth < 3 && made < kFolders; ++depth) {
            std::vector<QByteArray> next;
            for (const QByteArray& parent : level) {
                for (int i = 0; i < fanOut[depth] && made < kFolders; ++i, ++made) {
                    const QByteArray folder = parent + "Folder " + QByteArray::number(i) + "/";
                    ::mkdir(folder.constData(), 0755);
                    for (int d = 0; d < kDocumentsPerFolder; ++d)
                        WriteDocument(folder + "Page" + QByteArray::number(d) + ".htm");
                    next.push_back(folder);
                }
            }
            level.swap(next);
        }
        const QByteArray c = QFile::encodeName(crowded);
        for (int d = 0; d < kCrowdedFolderDocuments; ++d)
            WriteDocument(c + "Document " + QByteArray::number(d) + ".htm");
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
BENCHMARK(BM_BuildFolderOutlineAgainstFind)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
