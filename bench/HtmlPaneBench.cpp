// Loading documents of growing size into the HTML view (the time should grow linearly),
// and finding text through a long document.
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <benchmark/benchmark.h>
#include <map>

namespace {

// A page as webs of the time were written: paragraphs with fonts and links, a named
// heading now and then and small tables.
QString Document(qint64 bytes)
{
    static QTemporaryDir dir;
    static std::map<qint64, QString> made;
    auto found = made.find(bytes);
    if (found != made.end())
        return found->second;
    QByteArray html = "<html><head><title>Bench</title></head><body bgcolor=white>\n";
    for (int n = 0; html.size() < bytes; ++n) {
        if (n % 40 == 0)
            html += "<a name=\"Section " + QByteArray::number(n) + "#2\"></a><h2>Section " +
                    QByteArray::number(n) + "</h2>\n";
        html += "<p>Lorem ipsum <b>dolor</b> sit amet, <a href=\"page" +
                QByteArray::number(n % 97) +
                ".htm\">consectetur</a> adipiscing elit, <font color=red size=4>sed do</font> "
                "eiusmod tempor "
                "incididunt ut labore et dolore magna aliqua &amp; more.</p>\n";
        if (n % 25 == 0)
            html += "<table border=1 cellpadding=2><tr><td>cell</td><td "
                    "bgcolor=#ffffcc>cell</td></tr></table>\n";
    }
    html += "<p>The closing word is zanzibar.</p></body></html>\n";
    const QString path = dir.path() + QStringLiteral("/doc%1.htm").arg(bytes);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(html);
    f.close();
    made[bytes] = path;
    return path;
}

// Loads the document of state.range(0) bytes again and again; with layOut the whole
// document is laid out each time (the view otherwise lays out the part below the screen
// while the reader looks at the top).
void LoadRepeatedly(benchmark::State& state, bool layOut)
{
    const QString path = Document(state.range(0));
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
    pane.LoadFile(Document(1000 * 1000));
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
