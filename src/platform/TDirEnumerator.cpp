#include "TDirEnumerator.h"
#include "TFileMask.h"
#include "TPath.h"
#include <QFile>
#include <algorithm>
#include <dirent.h>
#include <string>
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

// A name's character folded as QString::toCaseFolded folds it (plain ASCII without the
// tables); letters beyond the basic plane compare as written.
char16_t Fold(char16_t c)
{
    if (c < 0x80)
        return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
    if (QChar::isSurrogate(c))
        return c;
    return char16_t(QChar::toCaseFolded(char32_t(c)));
}

// Puts entries in the order given (order[k] is the entry that goes to place k), following
// each cycle of the permutation; order is used up.
void Permute(std::vector<TDirEntry>& entries, std::vector<int>& order)
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

    // Sorted through an index, then put in that order in place: a folder of a million
    // entries is held once, not twice, and no folded copy of any name is made.
    // The folded names lie side by side in one buffer, so comparisons read memory in a
    // row and no name gets a folded copy of its own.
    qsizetype characters = 0;
    for (const TDirEntry& e : result)
        characters += e.name.size();
    std::u16string folded;
    folded.reserve(size_t(characters));
    struct TSortName
    {
        qsizetype offset;
        qsizetype size;
        int index;
    };
    std::vector<TSortName> names;
    names.reserve(result.size());
    for (size_t i = 0; i < result.size(); ++i) {
        const QString& name = result[i].name;
        names.push_back({qsizetype(folded.size()), name.size(), int(i)});
        for (QChar c : name)
            folded.push_back(Fold(c.unicode()));
    }
    const char16_t* base = folded.data();
    std::sort(names.begin(), names.end(), [&](const TSortName& a, const TSortName& b) {
        const int c =
            QStringView(base + a.offset, a.size).compare(QStringView(base + b.offset, b.size));
        return c != 0 ? c < 0 : result[size_t(a.index)].name < result[size_t(b.index)].name;
    });
    folded = std::u16string();
    std::vector<int> order(names.size());
    for (size_t i = 0; i < names.size(); ++i)
        order[i] = names[i].index;
    names = std::vector<TSortName>();
    Permute(result, order);
    if (haveDot || haveDotDot) {
        std::vector<TDirEntry> dots;
        if (haveDot)
            dots.push_back(std::move(dot));
        if (haveDotDot)
            dots.push_back(std::move(dotdot));
        result.insert(result.begin(), std::make_move_iterator(dots.begin()),
                      std::make_move_iterator(dots.end()));
    }
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
