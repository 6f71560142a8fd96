// A click on a folder of a million documents (ZELMORA_HUGE_FOLDER sets another count):
// the time until the document list is filled and painted, and the process's peak memory.
// The folder of empty documents is made once under /tmp and kept for later runs; making it
// takes minutes and a million inodes, so run this on a quiet machine.
#include "BenchHost.h"
#include "browse/TZMMain.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include <QDir>
#include <QFile>
#include <QImage>
#include <benchmark/benchmark.h>

namespace {

int DocumentCount()
{
    const int n = qEnvironmentVariableIntValue("ZELMORA_HUGE_FOLDER");
    return n > 0 ? n : 1000000;
}

// The web: a folder "Huge" of DocumentCount() empty documents (no data blocks to store). Made once; a marker file
// says it is complete.
QString HugeWeb()
{
    const QString root = QStringLiteral("/tmp/zelmora-bench-huge-%1/web/").arg(DocumentCount());
    const QString done = root + QStringLiteral("../complete");
    if (QFile::exists(done))
        return root;
    QDir().mkpath(root + QStringLiteral("Huge"));
    for (int d = 0; d < DocumentCount(); ++d) {
        QFile f(root + QStringLiteral("Huge/Document %1.htm").arg(d));
        f.open(QIODevice::WriteOnly);
    }
    QFile marker(done);
    marker.open(QIODevice::WriteOnly);
    return root;
}

// A value in kB from /proc/self/status, in MB.
double StatusMegabytes(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').value(0).toDouble() / 1024;
    return -1;
}

// Starts the peak-memory mark afresh, so the peak is the click's.
void ResetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

void BM_ClickHugeFolder(benchmark::State& state)
{
    BenchHost host;
    host.Options.StartUpWeb = HugeWeb();
    TZMMain window(&host);
    window.resize(1000, 800);
    const int huge = window.FolderList->GetTextItem(QStringLiteral("Huge"));
    const double before = StatusMegabytes("VmRSS:");
    ResetPeak();
    for (auto _ : state) {
        window.LastFolderIndex = -1;
        window.FolderList->SetSelectedItem(huge);
        window.FolderListClick();
        QImage painted = window.DocList->grab().toImage();
        benchmark::DoNotOptimize(painted.bits());
    }
    state.counters["rows"] = window.DocList->ItemCount();
    state.counters["rss_MB_before"] = before;
    state.counters["rss_MB_peak"] = StatusMegabytes("VmHWM:");
    state.counters["rss_MB_after"] = StatusMegabytes("VmRSS:");
}
BENCHMARK(BM_ClickHugeFolder)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
