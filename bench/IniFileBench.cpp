// The ini service on a file the size of a state file: five sections, 70 keys.
#include "platform/TIniFile.h"
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

const QStringList kSections = {"Outliners", "FilesList", "Panel", "Vertical Splitter",
                               "Horizontal Splitter"};
constexpr int kKeysPerSection = 14;

QString KeyName(int i) { return QStringLiteral("LookProperty%1").arg(i); }

QByteArray StateSizedFile()
{
    QByteArray bytes;
    int i = 0;
    for (const QString& section : kSections) {
        bytes += "[" + section.toUtf8() + "]\r\n";
        for (int k = 0; k < kKeysPerSection; ++k, ++i)
            bytes += KeyName(i).toUtf8() + "=" + QByteArray::number(-2147483633 + i) + "\r\n";
        bytes += "\r\n";
    }
    return bytes;
}

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// 70 keys that exist and 30 that do not, as a reader with defaults meets them.
void BM_IniRead100KeysOf70(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.sta");
    if (!WriteBytes(path, StateSizedFile())) {
        state.SkipWithError("cannot write the test file");
        return;
    }
    TIniFile ini(path);
    for (auto _ : state) {
        int found = 0;
        for (int i = 0; i < 100; ++i) {
            const QString& section = kSections[(i / kKeysPerSection) % kSections.size()];
            found += ini.ReadInteger(section, KeyName(i), 0) != 0;
        }
        benchmark::DoNotOptimize(found);
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_IniRead100KeysOf70)->Unit(benchmark::kMicrosecond);

// Saving a look over an existing state file: 70 keys replaced one by one, each an atomic
// replace of the file.
void BM_IniWrite70KeysReplacing(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.sta");
    if (!WriteBytes(path, StateSizedFile())) {
        state.SkipWithError("cannot write the test file");
        return;
    }
    TIniFile ini(path);
    int round = 0;
    for (auto _ : state) {
        ++round;
        for (int i = 0; i < 70; ++i)
            ini.WriteInteger(kSections[i / kKeysPerSection], KeyName(i), round * 1000 + i);
    }
    state.SetItemsProcessed(state.iterations() * 70);
}
BENCHMARK(BM_IniWrite70KeysReplacing)->Unit(benchmark::kMillisecond);

// Saving a look into a new, empty state file: every key and section is appended.
void BM_IniWrite70KeysIntoEmptyFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.sta");
    TIniFile ini(path);
    for (auto _ : state) {
        state.PauseTiming();
        WriteBytes(path, QByteArray());
        state.ResumeTiming();
        for (int i = 0; i < 70; ++i)
            ini.WriteInteger(kSections[i / kKeysPerSection], KeyName(i), i);
    }
    state.SetItemsProcessed(state.iterations() * 70);
}
BENCHMARK(BM_IniWrite70KeysIntoEmptyFile)->Unit(benchmark::kMillisecond);

// Writing values the file already holds: no file is replaced.
void BM_IniWrite70UnchangedKeys(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("look.sta");
    if (!WriteBytes(path, StateSizedFile())) {
        state.SkipWithError("cannot write the test file");
        return;
    }
    TIniFile ini(path);
    for (auto _ : state) {
        for (int i = 0; i < 70; ++i)
            ini.WriteInteger(kSections[i / kKeysPerSection], KeyName(i), -2147483633 + i);
    }
    state.SetItemsProcessed(state.iterations() * 70);
}
BENCHMARK(BM_IniWrite70UnchangedKeys)->Unit(benchmark::kMicrosecond);

} // namespace
