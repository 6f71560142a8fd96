#pragma once
// The hostile corpus: broken, huge and malicious inputs, made by the tests at run time in a
// temporary folder (nothing here is downloaded or kept), and a runner that tries each input
// in a child process, so that a crash or a hang of one case is reported as such instead of
// ending the whole test program.
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QString>
#include <QStringList>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace hostile {

// --- bytes ---------------------------------------------------------------------------

// The same bytes on every run: NULs, control characters, high bytes, stray "[" "]" "=".
inline QByteArray BinaryBytes(int size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random() & 0xFF);
    return bytes;
}

inline QByteArray LongLine(int size, char fill = 'x') { return QByteArray(size, fill); }

// --- pictures ------------------------------------------------------------------------

inline QByteArray EncodedPicture(const char* format, int width = 16, int height = 12)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(200, 40, 90));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QByteArray ValidBitmap() { return EncodedPicture("BMP"); }

// A bitmap header that promises an enormous picture, followed by a few bytes of it.
inline QByteArray GiantBitmapHeader(int32_t width, int32_t height)
{
    QByteArray b = ValidBitmap().left(54);
    auto put32 = [&](int at, int32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
    };
    put32(18, width);
    put32(22, height);
    return b + QByteArray(64, '\x7f');
}

struct TBadPicture
{
    QString name; // file name, ending ".bmp"
    QByteArray bytes;
};

// Files named as bitmaps that are truncated or are no bitmaps at all.
inline std::vector<TBadPicture> BadPictures()
{
    const QByteArray valid = ValidBitmap();
    return {
        {"empty.bmp", QByteArray()},
        {"two-bytes.bmp", QByteArray("BM")},
        {"header-only.bmp", valid.left(14)},
        {"truncated-info.bmp", valid.left(40)},
        {"truncated-pixels.bmp", valid.left(valid.size() / 2)},
        {"giant.bmp", GiantBitmapHeader(0x7FFFFFFF, 0x7FFFFFFF)},
        {"negative.bmp", GiantBitmapHeader(-5, INT32_MIN)},
        {"text.bmp", QByteArray("this is not a picture\r\n")},
        {"binary.bmp", BinaryBytes(3000, 7)},
        {"html.bmp", QByteArray("<html><body>no picture</body></html>")},
    };
}

// --- folders -------------------------------------------------------------------------

inline bool MakeFile(const QString& path, const QByteArray& bytes = QByteArray())
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A file or folder whose name is raw bytes (not necessarily UTF-8).
inline bool MakeRawFile(const QByteArray& folder, const QByteArray& name, const QByteArray& bytes)
{
    const QByteArray path = folder + "/" + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return ok;
}

inline bool MakeRawFolder(const QByteArray& folder, const QByteArray& name)
{
    return ::mkdir((folder + "/" + name).constData(), 0755) == 0;
}

inline bool MakeLink(const QString& target, const QString& link)
{
    return ::symlink(QFile::encodeName(target).constData(), QFile::encodeName(link).constData()) ==
           0;
}

// levels nested folders below folder, each holding one document; the deepest path.
inline QString MakeDeepTree(const QString& folder, int levels)
{
    QString path = folder;
    for (int i = 1; i <= levels; ++i) {
        path += QStringLiteral("/L%1").arg(i);
        if (i % 50 == 0 || i == levels)
            MakeFile(path + QStringLiteral("/level%1.htm").arg(i), "<p>deep");
    }
    QDir().mkpath(path);
    return path;
}

// count empty documents in one folder, created with plain system calls (fast).
inline bool MakeManyFiles(const QString& folder, int count)
{
    QDir().mkpath(folder);
    const QByteArray base = QFile::encodeName(folder);
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "/doc%05d.htm", i);
        const int fd = ::open((base + name).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

// --- documents -----------------------------------------------------------------------

inline QByteArray UnclosedTagsDocument()
{
    return "<html><head><title>never closed"
           "<body bgcolor=\"#ff00ff><table border=1><tr><td><b><i><u><font size=7 color=red>"
           "<a name=\"Broken#1\"><h1>heading without end"
           "<a href=\"other.htm\">link without end<ul><li><ol><li><dl><dt><dd>"
           "<table><tr><td><table><tr><td>cell<pre>pre without end\n\n"
           "<select><option>one<option>two<textarea>area<form action=x><input type=text value=\""
           "<img src=\"missing.bmp\" alt=\"no picture\" usemap=#nomap width=99999 height=-5>"
           "<map name=m><area shape=poly coords=\"1,2,3\" href=x.htm>"
           "&amp &lt; &#99999999; &#x110000; &unknown; &"
           "<!-- a comment that never ends <b>bold? <";
}

inline QByteArray NestedTablesDocument(int depth)
{
    QByteArray doc = "<html><body><a name=\"Top#1\"></a><h1>Top</h1>";
    doc.reserve(doc.size() + depth * 40);
    for (int i = 0; i < depth; ++i)
        doc += "<table border=1><tr><td>";
    doc += "the innermost cell";
    for (int i = 0; i < depth; ++i)
        doc += "</td></tr></table>";
    return doc + "</body></html>";
}

// About size bytes of ordinary markup: paragraphs, headings with anchors, a few tables.
inline QByteArray HugeDocument(qsizetype size)
{
    QByteArray doc = "<html><head><title>huge</title></head><body>";
    doc.reserve(size + 4096);
    const QByteArray para =
        "<p>Lorem ipsum dolor sit amet, <b>consectetur</b> adipiscing elit, sed do "
        "eiusmod tempor <i>incididunt</i> ut labore et dolore magna aliqua.</p>\n";
    int n = 0;
    while (doc.size() < size) {
        if (n % 2000 == 0)
            doc += "<a name=\"Part" + QByteArray::number(n) + "#1\"></a><h1>Part " +
                   QByteArray::number(n) + "</h1>\n";
        doc += para;
        ++n;
    }
    return doc + "</body></html>";
}

// --- running a case in a child -------------------------------------------------------

struct TChildResult
{
    enum Outcome { Finished, Crashed, Hung, Failed };
    Outcome outcome = Failed;
    int exitCode = -1; // Finished
    int signal = 0;    // Crashed
    long peakKb = 0;   // the child's peak resident memory
    QByteArray report; // what the child wrote
    QString Describe() const
    {
        switch (outcome) {
        case Finished: return QStringLiteral("finished with %1").arg(exitCode);
        case Crashed:
            return QStringLiteral("crashed with signal %1 (%2)").arg(signal).arg(strsignal(signal));
        case Hung: return QStringLiteral("did not finish in time (hang)");
        case Failed: return QStringLiteral("could not be started");
        }
        return QString();
    }
};

struct TChildLimits
{
    int seconds = 60;          // a case still running then counts as hung
    qint64 fileSizeLimit = -1; // RLIMIT_FSIZE for the case (a full disk), -1 for none
    bool dropRoot = false;     // run as the unprivileged user 65534 (when root)
};

// Runs body in a forked child. The text it returns is handed back as the report; it is
// written after every limit is lifted again.
inline TChildResult RunInChild(const std::function<QByteArray()>& body,
                               const TChildLimits& limits = {})
{
    TChildResult result;
    int fds[2];
    if (::pipe(fds) != 0)
        return result;
    const pid_t child = ::fork();
    if (child < 0)
        return result;
    if (child == 0) {
        ::close(fds[0]);
        if (limits.dropRoot && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(90);
        struct rlimit saved
        {};
        ::getrlimit(RLIMIT_FSIZE, &saved);
        if (limits.fileSizeLimit >= 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit small = saved;
            small.rlim_cur = rlim_t(limits.fileSizeLimit);
            if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
                ::_exit(91);
        }
        const QByteArray report = body();
        ::setrlimit(RLIMIT_FSIZE, &saved);
        qsizetype at = 0;
        while (at < report.size()) {
            const ssize_t n = ::write(fds[1], report.constData() + at, size_t(report.size() - at));
            if (n <= 0)
                break;
            at += n;
        }
        ::close(fds[1]);
        ::_exit(0);
    }
    ::close(fds[1]);
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    auto elapsedMs = [&] {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        return (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
    };
    bool hung = false;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        const long left = long(limits.seconds) * 1000 - long(elapsedMs());
        if (left <= 0) {
            hung = true;
            break;
        }
        const int ready = ::poll(&p, 1, int(std::min(left, 1000L)));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready > 0) {
            char buffer[4096];
            const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
            if (n <= 0)
                break;
            result.report.append(buffer, n);
        }
    }
    ::close(fds[0]);
    if (hung)
        ::kill(child, SIGKILL);
    int status = 0;
    struct rusage usage
    {};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    result.peakKb = usage.ru_maxrss;
    if (hung) {
        result.outcome = TChildResult::Hung;
    } else if (WIFSIGNALED(status)) {
        result.outcome = TChildResult::Crashed;
        result.signal = WTERMSIG(status);
    } else if (WIFEXITED(status)) {
        result.outcome = TChildResult::Finished;
        result.exitCode = WEXITSTATUS(status);
    }
    return result;
}

// The names in a folder, sorted (to see that no temporary file was left behind).
inline QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace hostile
