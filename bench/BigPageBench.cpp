// A big page (40 000 small tables, 3.9 MB) to its first screen, with the longest pause of
// the window meanwhile; and the view's load of ordinary markup against the engine's own
// reading of the same bytes, which is the least a load can cost.
#include "GeneratedPages.h"
#include "html/THtmlDocument.h"
#include "html/THtmlPage.h"
#include "html/THtmlPageLoader.h"
#include "html/THtmlPane.h"
#include "html/THtmlSettings.h"
#include "html/THtmlView.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTextDocument>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// The longest time between two ticks of a 16 ms timer: how long the window could not
// paint.
class TPauseMeter
{
public:
    TPauseMeter()
    {
        m_timer.setInterval(16);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Tick(); });
    }
    void Start()
    {
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    void Stop()
    {
        Tick();
        m_timer.stop();
    }
    qint64 Longest() const { return m_longest; }

private:
    void Tick()
    {
        const qint64 now = m_clock.elapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

void BM_SmallTablesToFirstScreen(benchmark::State& state)
{
    const QString path = bench::SmallTablesPage(int(state.range(0)));
    THtmlPane pane;
    pane.resize(800, 600);
    pane.show();
    TPauseMeter meter, after;
    for (auto _ : state) {
        meter.Start();
        pane.LoadFile(path);
        // The first screen as the reader sees it.
        benchmark::DoNotOptimize(pane.View()->viewport()->grab());
        meter.Stop();
        state.counters["headings"] = double(pane.HeadingList().size());
        state.counters["shortened"] = double(pane.View()->Page().shortened);
        state.counters["blocks"] = double(pane.View()->document()->blockCount());
        state.PauseTiming();
        // The engine lays the rest out in steps on this thread while the reader looks at
        // the top: the window pauses for each step.
        after.Start();
        QElapsedTimer rest;
        rest.start();
        while (rest.elapsed() < 3000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        after.Stop();
        pane.Clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["longest_pause_ms"] = double(meter.Longest());
    state.counters["longest_pause_after_ms"] = double(after.Longest());
}
BENCHMARK(BM_SmallTablesToFirstScreen)->Arg(40000)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same page opened at its last heading: the engine must lay out everything above it
// before the first screen, on the window's thread.
void BM_SmallTablesToLastHeading(benchmark::State& state)
{
    const QString path = bench::SmallTablesPage(int(state.range(0)));
    THtmlPane pane;
    pane.resize(800, 600);
    pane.show();
    pane.LoadFile(path);
    const QString last = pane.HeadingList().value(pane.HeadingList().size() - 1);
    pane.Clear();
    TPauseMeter meter;
    for (auto _ : state) {
        meter.Start();
        pane.LoadFile(path + u'#' + last);
        benchmark::DoNotOptimize(pane.View()->viewport()->grab());
        meter.Stop();
        state.PauseTiming();
        pane.Clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.counters["longest_pause_ms"] = double(meter.Longest());
}
BENCHMARK(BM_SmallTablesToLastHeading)->Arg(40000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The view's load (decode, rewrite, the engine's reading; no layout) ...
void BM_LoadFileOrdinary(benchmark::State& state)
{
    const QString path = bench::OrdinaryPage(state.range(0));
    THtmlPane pane;
    pane.resize(800, 600);
    pane.show();
    for (auto _ : state) {
        pane.LoadFile(path);
        benchmark::DoNotOptimize(pane.HeadingList().size());
        // The reader came from a small page, whose layout is long done.
        state.PauseTiming();
        pane.Clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
// CPU time of all threads: on a busy machine the wall clock says more about the others.
BENCHMARK(BM_LoadFileOrdinary)
    ->Arg(1000 * 1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// ... against the engine reading the same bytes unchanged.
void BM_EngineSetHtmlOrdinary(benchmark::State& state)
{
    QFile file(bench::OrdinaryPage(state.range(0)));
    if (!file.open(QIODevice::ReadOnly)) {
        state.SkipWithError("unreadable");
        return;
    }
    const QByteArray bytes = file.readAll();
    for (auto _ : state) {
        QTextDocument doc;
        doc.setUndoRedoEnabled(false);
        doc.setHtml(QString::fromLatin1(bytes));
        benchmark::DoNotOptimize(doc.blockCount());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EngineSetHtmlOrdinary)
    ->Arg(1000 * 1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

// The load's two parts apart: reading and rewriting the file, then the engine building the
// document from the rewritten markup. Their sum against the engine's own reading tells
// where a slow load spends its time.
void BM_RewriteOrdinary(benchmark::State& state)
{
    const QString path = bench::OrdinaryPage(state.range(0));
    const THtmlSettings settings;
    qint64 written = 0;
    for (auto _ : state) {
        const THtmlPage page = THtmlPageLoader::Load(path, path, settings);
        written = page.html.size();
    }
    state.counters["markup_growth"] = double(written) / double(state.range(0));
}
BENCHMARK(BM_RewriteOrdinary)
    ->Arg(1000 * 1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

void BM_BuildRewrittenOrdinary(benchmark::State& state)
{
    const THtmlSettings settings;
    const THtmlPage page =
        THtmlPageLoader::Load(bench::OrdinaryPage(state.range(0)), QString(), settings);
    for (auto _ : state) {
        std::unique_ptr<THtmlDocument> doc(THtmlDocument::Build(page, settings));
        benchmark::DoNotOptimize(doc->blockCount());
    }
}
BENCHMARK(BM_BuildRewrittenOrdinary)
    ->Arg(1000 * 1000)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

} // namespace
