#include "TDirEnumerator.h"
#include "TCaseFold.h"
#include "TFileMask.h"
#include "TPath.h"
#include <QFile>
#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

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

// Compares two names as their case-folded forms compare, code unit by code unit; the
// folding is done only where the names differ, so no folded copy of any name is made.
// Equal runs are skipped four code units at a time: names in one folder tend to share
// long beginnings ("chapter 0012", "chapter 0013").
int CompareFolded(const char16_t* a, int na, const char16_t* b, int nb)
{
    const int n = std::min(na, nb);
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        quint64 x, y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        if (x != y)
            break;
    }
    for (; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t fa = TCaseFold::Unit(a[i]), fb = TCaseFold::Unit(b[i]);
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    return na == nb ? 0 : (na < nb ? -1 : 1);
}

// Puts entries in the order given (order[k] is the entry that goes to place k), following
// each cycle of the permutation; order is used up.
void Permute(TDirEntries& entries, std::vector<int>& order)
{
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start] < 0 || size_t(order[start]) == start)
            continue;
        TDirEntry held = std::move(entries[start]);
        size_t place = start;
        while (true) {
            const size_t from = size_t(order[place]);
            order[place] = -1;
            if (from == start) {
                entries[place] = std::move(held);
                break;
            }
            entries[place] = std::move(entries[from]);
            place = from;
        }
    }
}

} // namespace

TDirEntries TDirEnumerator::List(const QString& pattern, Detail detail)
{
    TDirEntries result;
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

    // Sorted through an index, then put in that order in place: a folder of a million
    // entries is held once, with no second (folded) copy of any name. Names in one folder
    // tend to share their beginning ("chapter 0012", "chapter 0013"): each key carries the
    // four folded characters that follow the beginning all names share, which decide most
    // comparisons without reading the names themselves.
    struct TSortKey
    {
        quint64 next4;
        const char16_t* name;
        int size;
        int index;
    };
    const auto chars = [&](size_t i) {
        return reinterpret_cast<const char16_t*>(result[i].name.constData());
    };
    int shared = result.empty() ? 0 : int(result.front().name.size());
    for (size_t i = 1; i < result.size() && shared > 0; ++i) {
        const char16_t* a = chars(0);
        const char16_t* b = chars(i);
        shared = std::min(shared, int(result[i].name.size()));
        for (int k = 0; k < shared; ++k)
            if (a[k] != b[k] && TCaseFold::Unit(a[k]) != TCaseFold::Unit(b[k])) {
                shared = k;
                break;
            }
    }
    std::vector<TSortKey> keys;
    keys.reserve(result.size());
    for (size_t i = 0; i < result.size(); ++i) {
        const int size = int(result[i].name.size());
        quint64 next4 = 0;
        for (int k = shared; k < shared + 4; ++k)
            next4 = (next4 << 16) | (k < size ? TCaseFold::Unit(chars(i)[k]) : 0);
        keys.push_back({next4, chars(i), size, int(i)});
    }
    std::sort(keys.begin(), keys.end(), [](const TSortKey& a, const TSortKey& b) {
        if (a.next4 != b.next4)
            return a.next4 < b.next4;
        const int c = CompareFolded(a.name, a.size, b.name, b.size);
        if (c != 0)
            return c < 0;
        return QStringView(a.name, a.size) < QStringView(b.name, b.size);
    });
    std::vector<int> order(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        order[i] = keys[i].index;
    keys = std::vector<TSortKey>();
    Permute(result, order);
    if (haveDotDot)
        result.push_front(std::move(dotdot));
    if (haveDot)
        result.push_front(std::move(dot));
    return result;
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
