// The web search on the generated web of 10 000 folders and 100 000 documents: the first
// full index on the worker thread (with the longest pause of the user-interface thread
// meanwhile), the check of an index against an unchanged web beside a bare walk of the
// same folders, a query of two words to its first 50 results, and the index's size.
// ZELMORA_SEARCH_BENCH_FOLDERS makes the web smaller for a quick look.
#include "GeneratedWeb.h"
#include "platform/TDirEnumerator.h"
#include "search/TSearchIndex.h"
#include "search/TWebIndexer.h"
#include "search/TWebSearch.h"
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

constexpr int kDocumentsPerFolder = 10;

int Folders()
{
    const int n = qEnvironmentVariableIntValue("ZELMORA_SEARCH_BENCH_FOLDERS");
    return n > 0 ? n : 10000;
}

// About 2 KB of prose per document from a vocabulary of a thousand words, so common and
// rare words both occur; "river" and "lantern" meet in some documents only.
QByteArray Document(int n)
{
    static const std::vector<QByteArray> words = [] {
        std::vector<QByteArray> w;
        const char* stems[] = {"river",  "lantern", "harbour", "stone",    "garden",
                               "winter", "letter",  "market",  "mountain", "window"};
        for (int i = 0; i < 1000; ++i)
            w.push_back(QByteArray(stems[i % 10]) + (i < 10 ? "" : QByteArray::number(i)));
        return w;
    }();
    quint32 seed = quint32(n) * 2654435761u + 1;
    QByteArray body = "<html><head><title>Document " + QByteArray::number(n) +
                      "</title></head><body><h1>Chapter " + QByteArray::number(n % 97) + "</h1><p>";
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1664525u + 1013904223u;
        body += words[(seed >> 8) % words.size()];
        body += (i % 40 == 39) ? "</p>\n<p>" : " ";
    }
    return body + "</p></body></html>\n";
}

struct TWeb
{
    QTemporaryDir dir;
    QString web;
    QString cache;
    TWeb()
    {
        web = dir.path() + "/web/";
        cache = dir.path() + "/cache";
        bench::MakeLargeWeb(QFile::encodeName(web), Folders(), kDocumentsPerFolder, Document);
    }
    QString IndexFile() const
    {
        const QStringList files = QDir(cache + "/search").entryList({"*.idx"}, QDir::Files);
        return files.isEmpty() ? QString() : cache + "/search/" + files[0];
    }
};

TWeb& Web()
{
    static TWeb web;
    return web;
}

void BM_FirstFullIndexOnWorkerThread(benchmark::State& state)
{
    Web(); // written before the clock starts
    for (auto _ : state) {
        QDir(Web().cache).removeRecursively();
        TWebSearch search;
        QEventLoop loop;
        QObject::connect(&search, &TWebSearch::Updated, &loop, &QEventLoop::quit);
        // The user-interface thread's longest wait between two ticks of a 10 ms timer.
        QElapsedTimer sinceTick;
        qint64 longestPause = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout,
                         [&] { longestPause = std::max(longestPause, sinceTick.restart()); });
        tick.start(10);
        sinceTick.start();
        search.SetWeb(Web().web, Web().cache);
        search.Update();
        loop.exec();
        state.counters["ui_longest_pause_ms"] = double(longestPause);
    }
    state.counters["documents"] = double(Folders()) * kDocumentsPerFolder;
    state.counters["index_MB"] = double(QFileInfo(Web().IndexFile()).size()) / (1024.0 * 1024.0);
}
BENCHMARK(BM_FirstFullIndexOnWorkerThread)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_UpToDateCheckNothingChanged(benchmark::State& state)
{
    TSearchIndex index;
    index.Open(Web().IndexFile());
    for (auto _ : state) {
        TWebIndexer indexer(index, Web().web);
        benchmark::DoNotOptimize(indexer.Scan());
        if (!indexer.Current())
            state.SkipWithError("the index did not match the unchanged web");
    }
}
BENCHMARK(BM_UpToDateCheckNothingChanged)->Unit(benchmark::kMillisecond)->Iterations(3);

// The baseline of the check: listing every folder of the web with sizes and times.
void BM_FolderWalkAlone(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<QString> stack{Web().web};
        qint64 documents = 0;
        while (!stack.empty()) {
            const QString folder = stack.back();
            stack.pop_back();
            for (const TDirEntry& e : TDirEnumerator::List(folder + "*", TDirEnumerator::Full)) {
                if (e.name == QLatin1String(".") || e.name == QLatin1String(".."))
                    continue;
                if (e.isDirectory)
                    stack.push_back(folder + e.name + u'/');
                else
                    ++documents;
            }
        }
        benchmark::DoNotOptimize(documents);
    }
}
BENCHMARK(BM_FolderWalkAlone)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TwoWordQueryFirst50(benchmark::State& state)
{
    TSearchIndex index;
    index.Open(Web().IndexFile());
    qsizetype hits = 0;
    for (auto _ : state)
        hits = index.Query(QStringLiteral("river lantern")).size();
    state.counters["hits"] = double(hits);
}
BENCHMARK(BM_TwoWordQueryFirst50)->Unit(benchmark::kMillisecond);

} // namespace
