// Loading documents of growing size into the HTML view (the time should grow linearly),
// and finding text through a long document.
#include "GeneratedPages.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QTextCursor>
#include <benchmark/benchmark.h>

namespace {

// Loads the document of state.range(0) bytes again and again; with layOut the whole
// document is laid out each time (the view otherwise lays out the part below the screen
// while the reader looks at the top).
void LoadRepeatedly(benchmark::State& state, bool layOut)
{
    const QString path = bench::OrdinaryPage(state.range(0));
    THtmlPane pane;
    pane.resize(800, 600);
    pane.show();
    for (auto _ : state) {
        pane.LoadFile(path);
        if (layOut)
            benchmark::DoNotOptimize(pane.View()->document()->documentLayout()->documentSize());
        else
            benchmark::DoNotOptimize(pane.HeadingList().size());
        // The document replaced goes with deleteLater; an event loop would free it here.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_LoadFile(benchmark::State& state) { LoadRepeatedly(state, false); }
// 20 MB is above the view's limit: what a reader waits for before the beginning shows.
BENCHMARK(BM_LoadFile)
    ->Arg(100 * 1000)
    ->Arg(1000 * 1000)
    ->Arg(10 * 1000 * 1000)
    ->Arg(20 * 1000 * 1000)
    ->Unit(benchmark::kMillisecond);

void BM_LoadFileAndLayOut(benchmark::State& state) { LoadRepeatedly(state, true); }
BENCHMARK(BM_LoadFileAndLayOut)
    ->Arg(100 * 1000)
    ->Arg(1000 * 1000)
    ->Arg(10 * 1000 * 1000)
    ->Unit(benchmark::kMillisecond);

void BM_FindText_1MB(benchmark::State& state)
{
    THtmlPane pane;
    pane.resize(800, 600);
    pane.show();
    pane.LoadFile(bench::OrdinaryPage(1000 * 1000));
    THtmlView* view = pane.View();
    for (auto _ : state) {
        view->setTextCursor(QTextCursor(view->document()));
        const bool found = pane.FindText(QStringLiteral("Zanzibar"), false);
        if (!found)
            state.SkipWithError("not found");
    }
}
BENCHMARK(BM_FindText_1MB)->Unit(benchmark::kMillisecond);

} // namespace
