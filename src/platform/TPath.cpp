#include "TPath.h"
#include "TAtomicFile.h"
#include "TFolderListings.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dirent.h>
#include <sys/stat.h>

namespace {

QString g_executableOverride;

bool StatPath(const QString& path, struct stat* st)
{
    return ::stat(QFile::encodeName(path).constData(), st) == 0;
}

// The entry of folder `dir` matching `name` ignoring case: first in name order. The
// listings of the load under way answer when installed; otherwise the folder is read.
bool FindIgnoringCase(const QString& dir, const QString& name, QString* found)
{
    if (TFolderListings* listings = TFolderListings::Current())
        return listings->Find(dir, name, found);
    QHash<QString, QString> entries;
    if (!TFolderListings::ReadFolder(dir, &entries))
        return false;
    const auto entry = entries.constFind(name.toCaseFolded());
    if (entry == entries.constEnd())
        return false;
    *found = *entry;
    return true;
}

} // namespace

QString TPath::FromNative(const QString& path)
{
    QString r = path;
    r.replace(u'\\', u'/');
    return r;
}

QString TPath::Resolve(const QString& input)
{
    if (input.isEmpty())
        return input;
    const QString path = FromNative(input);
    struct stat st;
    if (StatPath(path, &st))
        return path;

    // Walk the components, keeping each one that exists as written and otherwise taking
    // the first entry that matches it without regard to case.
    const bool absolute = path.startsWith(u'/');
    const QStringList parts = path.split(u'/', Qt::KeepEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QString();
    bool first = true;
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty()) {
            if (i == parts.size() - 1 && !first && !current.endsWith(u'/'))
                current += u'/'; // keep a trailing separator
            continue;
        }
        QString candidate = current;
        if (!candidate.isEmpty() && !candidate.endsWith(u'/'))
            candidate += u'/';
        if (part == QLatin1String(".") || part == QLatin1String("..")) {
            current = candidate + part;
            first = false;
            continue;
        }
        if (StatPath(candidate + part, &st) ||
            ::lstat(QFile::encodeName(candidate + part).constData(), &st) == 0) {
            current = candidate + part;
        } else {
            QString found;
            if (!FindIgnoringCase(candidate.isEmpty() ? QString() : candidate, part, &found))
                return path;
            current = candidate + found;
        }
        first = false;
    }
    return current;
}

bool TPath::Exists(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && StatPath(Resolve(path), &st);
}

bool TPath::FileExists(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && StatPath(Resolve(path), &st) && !S_ISDIR(st.st_mode);
}

bool TPath::DirectoryExists(const QString& path)
{
    struct stat st;
    return !path.isEmpty() && StatPath(Resolve(path), &st) && S_ISDIR(st.st_mode);
}

bool TPath::IsFaithfulName(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return true;
    // A real name may hold the character itself; then the text still finds it.
    struct stat st;
    return ::lstat(QFile::encodeName(StripTrailingSeparators(path)).constData(), &st) == 0;
}

QString TPath::ExecutablePath()
{
    if (!g_executableOverride.isEmpty())
        return g_executableOverride;
    const QString app = QCoreApplication::applicationFilePath();
    if (!app.isEmpty())
        return app;
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

void TPath::SetExecutablePathOverride(const QString& path) { g_executableOverride = path; }

QString TPath::ProgramDirectory() { return ExtractFilePath(ExecutablePath()); }

QString TPath::ExpandReaderBase(const QString& input)
{
    QString value = FromNative(input);
    if (!value.startsWith(ReaderBaseToken, Qt::CaseSensitive))
        return value;
    const QString rest = value.mid(ReaderBaseToken.size());
    int i = 0;
    while (i < rest.size() && IsSeparator(rest[i]))
        ++i;
    return ProgramDirectory() + rest.mid(i);
}

QString TPath::ChangeExtension(const QString& path, const QString& ext)
{
    const int sep = TPath::LastSeparator(path);
    const int dot = path.lastIndexOf(u'.');
    if (dot > sep)
        return path.left(dot) + ext;
    return path + ext;
}

QString TPath::ExtractFilePath(const QString& path)
{
    return path.left(TPath::LastSeparator(path) + 1);
}

QString TPath::ExtractFileName(const QString& path)
{
    return path.mid(TPath::LastSeparator(path) + 1);
}

QString TPath::ExtractFileExt(const QString& path)
{
    const int sep = TPath::LastSeparator(path);
    const int dot = path.lastIndexOf(u'.');
    return dot > sep ? path.mid(dot) : QString();
}

QString TPath::StripTrailingSeparators(const QString& path)
{
    int n = path.size();
    while (n > 0 && IsSeparator(path[n - 1]))
        --n;
    return path.left(n);
}

QString TPath::WithTrailingSeparator(const QString& path)
{
    if (path.isEmpty())
        return path;
    return StripTrailingSeparators(path) + u'/';
}

bool TPath::CreateEmptyFile(const QString& path)
{
    if (FileExists(path))
        return true;
    QFile f(FromNative(path));
    if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return FileExists(path);
    f.close();
    return true;
}

bool TPath::WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    // The rename would replace a file its owner marked read-only (and root may write any
    // file at all); a file without a single write permission is refused, as a read-only
    // file always was.
    constexpr QFileDevice::Permissions kAnyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileInfo existing(path);
    if (existing.exists() && existing.isFile() && !(existing.permissions() & kAnyWrite))
        return false;
    return TAtomicFile::Replace(path, bytes);
}
