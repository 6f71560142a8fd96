// Start-up and memory of the whole program, in-process: the host window reading its ini
// file, the browsing window loading its state file and building its site, then shown and
// painted once, on the demo kit and on a kit whose web holds 100 000 documents in 10 000
// folders. The memory benchmark reports the resident set (VmRSS) and the heap in use
// while the demo kit is shown and after 1 000 documents were opened one after the other:
// growth between the 100th and the 1 000th document means a leak, since by then every
// document of the demo web has been opened several times.
#include "GeneratedWeb.h"
#include "app/TMDIHost.h"
#include "browse/TZMMain.h"
#include "platform/TMessageBox.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#ifndef ZELMORA_SOURCE_DIR
#error "ZELMORA_SOURCE_DIR must name the source folder (it holds the demo kit)"
#endif

namespace {

constexpr int kFolders = 10000;
constexpr int kDocumentsPerFolder = 10;
constexpr int kDocumentsBrowsed = 1000;
constexpr int kWarmUpDocuments = 100;

bool CopyFolder(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::copy(source, target)) {
            return false;
        }
    }
    return true;
}

// A copy of the demo kit in a temporary folder, so that nothing the program writes lands
// in the source tree.
struct TKit
{
    QTemporaryDir dir;
    QString root;

    TKit()
    {
        root = dir.path() + "/kit/";
        CopyFolder(QStringLiteral(ZELMORA_SOURCE_DIR "/demo"), root);
    }
};

TKit& DemoKit()
{
    static TKit kit;
    return kit;
}

QByteArray Document(int number)
{
    return "<html><head><title>Page " + QByteArray::number(number) +
           "</title></head><body><h1>Page " + QByteArray::number(number) + "</h1><p>" +
           QByteArray(400, 'x') + "</p></body></html>\r\n";
}

// The demo kit with its web replaced: StartUpWeb names "web/" beside the program, 10
// folders at the top, 10 below each, 100 below those (10 000 in all), 10 documents each.
struct TLargeKit : TKit
{
    TLargeKit()
    {
        bench::MakeLargeWeb(QFile::encodeName(root + "web/"), kFolders, kDocumentsPerFolder,
                            Document);
        QFile ini(root + "zelmora.INI");
        if (ini.open(QIODevice::WriteOnly | QIODevice::Truncate))
            ini.write("[StartUp]\r\nStateFileName=READERBASE\\zelmora.STA\r\n"
                      "StartUpWeb=READERBASE\\web\\\r\nAdvertsFolder=READERBASE\\Advertisers\r\n"
                      "IntroductionFile=0\r\nYourLogoHereBitmap=READERBASE\\logo.bmp\r\n"
                      "StartUpMode=0\r\nkxItem2=0\r\n\r\n[Warnings]\r\nColourWarning=1\r\n");
    }
};

TLargeKit& LargeKit()
{
    static TLargeKit kit;
    return kit;
}

// Runs the program from a kit: the executable's path points into it and every message is
// recorded instead of shown.
class TKitSession
{
public:
    explicit TKitSession(const QString& kit)
    {
        TPath::SetExecutablePathOverride(kit + "zelmora");
        TScreen::SetDepthOverride(24);
        TMessageBox::SetHook([this](const TMessage& m) {
            messages.append(m.caption + ": " + m.text);
            return TMsgResult::Ok;
        });
    }
    ~TKitSession()
    {
        TMessageBox::SetHook({});
        TScreen::SetDepthOverride(0);
        TPath::SetExecutablePathOverride(QString());
    }
    QStringList messages;
};

// Notes the first paint of any widget of one window.
class TPaintWatch : public QObject
{
public:
    explicit TPaintWatch(QWidget* window) : m_window(window) { qApp->installEventFilter(this); }
    ~TPaintWatch() override { qApp->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_window)
            painted = true;
        return false;
    }

private:
    QWidget* m_window;
};

// The entry sequence of main(), up to the first painted window. False when nothing was
// painted within 60 seconds.
struct TProgram
{
    std::unique_ptr<TMDIHost> host;
    std::unique_ptr<TZMMain> browser;

    bool Start()
    {
        host = std::make_unique<TMDIHost>();
        browser = std::make_unique<TZMMain>(host.get());
        host->SetViewerWindow(browser.get());
        TPaintWatch watch(host.get());
        host->show();
        QElapsedTimer waited;
        waited.start();
        // The window paints all its widgets in one pass, inside the event that first
        // shows it; once that event has returned the whole window has been painted.
        while (!watch.painted && waited.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QCoreApplication::processEvents();
        return watch.painted;
    }
    ~TProgram()
    {
        browser.reset();
        host.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

void StartUp(benchmark::State& state, const QString& kit)
{
    TKitSession session(kit);
    for (auto _ : state) {
        auto program = std::make_unique<TProgram>();
        const bool painted = program->Start();
        state.PauseTiming();
        program.reset();
        state.ResumeTiming();
        if (!painted) {
            state.SkipWithError("the window was not painted within 60 s");
            break;
        }
    }
    if (!session.messages.isEmpty())
        state.SkipWithError(
            ("start-up showed a message: " + session.messages.first()).toLocal8Bit().constData());
}

void BM_StartUpDemoKit(benchmark::State& state) { StartUp(state, DemoKit().root); }
BENCHMARK(BM_StartUpDemoKit)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_StartUp100000Documents(benchmark::State& state)
{
    const QString kit = LargeKit().root; // generated before the clock runs
    StartUp(state, kit);
}
BENCHMARK(BM_StartUp100000Documents)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

double ResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// Bytes the program holds on the heap: unlike the resident set it does not keep memory
// that was freed but not yet handed back.
double HeapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

QStringList DemoDocuments(const QString& kit)
{
    QStringList files;
    QDirIterator it(kit + "webs", {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

void BM_MemoryBrowsing1000Documents(benchmark::State& state)
{
    TKitSession session(DemoKit().root);
    const QStringList documents = DemoDocuments(DemoKit().root);
    if (documents.isEmpty()) {
        state.SkipWithError("the demo kit has no documents");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        const double rssBefore = ResidentMegabytes();
        TProgram program;
        program.Start();
        const double rssShown = ResidentMegabytes(), heapShown = HeapMegabytes();
        double rssWarm = 0, heapWarm = 0;
        state.ResumeTiming();
        for (int i = 0; i < kDocumentsBrowsed; ++i) {
            program.browser->OpenDocument(documents[i % documents.size()], QStringLiteral("0"));
            // What the program hands to the event loop (deferred deletions, repaints)
            // is done between two clicks of a reader.
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (i + 1 == kWarmUpDocuments) {
                state.PauseTiming();
                rssWarm = ResidentMegabytes();
                heapWarm = HeapMegabytes();
                state.ResumeTiming();
            }
        }
        state.PauseTiming();
        const double rssAfter = ResidentMegabytes(), heapAfter = HeapMegabytes();
        state.counters["rss_start_MB"] = rssBefore;
        state.counters["rss_shown_MB"] = rssShown;
        state.counters["rss_after100_MB"] = rssWarm;
        state.counters["rss_after1000_MB"] = rssAfter;
        state.counters["heap_shown_MB"] = heapShown;
        state.counters["heap_after100_MB"] = heapWarm;
        state.counters["heap_after1000_MB"] = heapAfter;
        state.counters["heap_growth_100_to_1000_KB"] = (heapAfter - heapWarm) * 1024.0;
        state.counters["documents"] = kDocumentsBrowsed;
        state.ResumeTiming();
    }
    if (!session.messages.isEmpty())
        state.SkipWithError(
            ("browsing showed a message: " + session.messages.first()).toLocal8Bit().constData());
}
BENCHMARK(BM_MemoryBrowsing1000Documents)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

} // namespace
