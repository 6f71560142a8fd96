#include "TDirEnumerator.h"
#include "TFileMask.h"
#include "TPath.h"
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace {

qint64 Millis(const struct timespec& t) { return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000; }

// Most names are plain ASCII; they need no decoding through the locale's codec.
QString DecodeName(const char* raw)
{
    const char* p = raw;
    while (*p && static_cast<unsigned char>(*p) < 0x80)
        ++p;
    if (*p == 0)
        return QString::fromLatin1(raw, qsizetype(p - raw));
    return QFile::decodeName(raw);
}

} // namespace

std::vector<TDirEntry> TDirEnumerator::List(const QString& pattern, Detail detail)
{
    std::vector<TDirEntry> result;
    const int sep = TPath::LastSeparator(pattern);
    const QString mask = pattern.mid(sep + 1);
    QString folder = TPath::FromNative(pattern.left(sep + 1));
    if (folder.isEmpty())
        folder = QStringLiteral("./");
    folder = TPath::Resolve(folder);
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QByteArray folderBytes = QFile::encodeName(folder);

    DIR* d = ::opendir(folderBytes.constData());
    if (!d)
        return result;
    const int dfd = ::dirfd(d);
    TDirEntry dot, dotdot;
    bool haveDot = false, haveDotDot = false;
    while (dirent* e = ::readdir(d)) {
        const char* raw = e->d_name;
        TDirEntry entry;
        entry.name = DecodeName(raw);
        if (!TFileMask::Matches(mask, entry.name))
            continue;
        bool needStat = detail == Full || e->d_type == DT_UNKNOWN || e->d_type == DT_LNK;
        entry.isDirectory = e->d_type == DT_DIR;
        if (needStat) {
            struct stat st;
            if (::fstatat(dfd, raw, &st, 0) == 0) {
                entry.isDirectory = S_ISDIR(st.st_mode);
                if (detail == Full) {
                    entry.size = entry.isDirectory ? 0 : qint64(st.st_size);
                    entry.creationTime = Millis(st.st_ctim);
                    entry.accessTime = Millis(st.st_atim);
                    entry.writeTime = Millis(st.st_mtim);
                }
            } else if (e->d_type == DT_LNK) {
                entry.isDirectory = false; // a dangling link is reported as a plain entry
            }
        }
        if (entry.name == QLatin1String(".")) {
            dot = entry;
            haveDot = true;
        } else if (entry.name == QLatin1String("..")) {
            dotdot = entry;
            haveDotDot = true;
        } else {
            result.push_back(std::move(entry));
        }
    }
    ::closedir(d);

    // Sorted through an index, with each name case-folded once, so records are moved only
    // once and comparisons are plain.
    std::vector<QString> folded;
    folded.reserve(result.size());
    for (const TDirEntry& e : result)
        folded.push_back(e.name.toCaseFolded());
    std::vector<int> order(result.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int c = folded[size_t(a)].compare(folded[size_t(b)]);
        return c != 0 ? c < 0 : result[size_t(a)].name < result[size_t(b)].name;
    });
    std::vector<TDirEntry> ordered;
    ordered.reserve(result.size() + 2);
    if (haveDot)
        ordered.push_back(std::move(dot));
    if (haveDotDot)
        ordered.push_back(std::move(dotdot));
    for (int i : order)
        ordered.push_back(std::move(result[size_t(i)]));
    return ordered;
}

bool TDirEnumerator::Identity(const QString& folder, quint64* device, quint64* inode)
{
    struct stat st;
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0 &&
        ::stat(QFile::encodeName(TPath::Resolve(folder)).constData(), &st) != 0)
        return false;
    *device = quint64(st.st_dev);
    *inode = quint64(st.st_ino);
    return true;
}
