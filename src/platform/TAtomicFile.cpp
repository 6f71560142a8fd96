#include "TAtomicFile.h"
#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TAtomicFile::StageHook g_hook;
constexpr char kPrefix[] = ".zel-tmp-";
constexpr size_t kPrefixLength = sizeof(kPrefix) - 1;

bool Reached(TAtomicFile::Stage stage) { return !g_hook || g_hook(stage); }

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The permissions a new file gets from the process's file-creation mask.
mode_t NewFileMode()
{
    mode_t mask = 022;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    mask = mode_t(value);
            }
        }
    }
    return 0666 & ~mask;
}

// Temporaries whose writer is gone: a writer keeps its temporary file locked until the file
// has its name, and the lock ends with the writer's process.
void RemoveLeftovers(const QByteArray& folder)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, kPrefix, kPrefixLength) != 0)
            continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat opened, named;
        if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            SameFile(opened, named))
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

bool WriteAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

// A new temporary file in the folder, locked; -1 when none can be made.
int MakeTemporary(const QByteArray& folder, QByteArray* name)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        *name = folder + '/' + kPrefix + "XXXXXX";
        const int fd = ::mkostemp(name->data(), O_CLOEXEC);
        if (fd < 0)
            return -1;
        // A cleaner in another process may have taken the file for a leftover before it
        // was locked; then it is gone and another one is made.
        struct stat opened, named;
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &opened) == 0 &&
            ::stat(name->constData(), &named) == 0 && SameFile(opened, named))
            return fd;
        ::close(fd);
    }
    return -1;
}

void FlushFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool Write(const QString& path, const QByteArray& bytes, bool replace)
{
    if (path.isEmpty())
        return false;
    QByteArray target = QFile::encodeName(path);
    if (replace) {
        if (char* real = ::realpath(target.constData(), nullptr)) {
            target = real;
            std::free(real);
        }
    }
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder =
        slash < 0 ? QByteArray(".") : (slash == 0 ? QByteArray("/") : target.left(slash));
    RemoveLeftovers(folder);

    struct stat old;
    const mode_t mode = ::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode)
                            ? mode_t(old.st_mode & 07777)
                            : NewFileMode();
    QByteArray temporary;
    const int fd = MakeTemporary(folder, &temporary);
    if (fd < 0)
        return false;
    const auto fail = [&] {
        ::unlink(temporary.constData());
        ::close(fd);
        return false;
    };
    // What a crash leaves: the lock ends with the descriptor, nothing is cleaned.
    const auto crash = [&] {
        ::close(fd);
        return false;
    };
    if (!Reached(TAtomicFile::Stage::Created))
        return crash();
    const qsizetype half = bytes.size() / 2;
    if (::fchmod(fd, mode) != 0 || !WriteAll(fd, bytes.constData(), half))
        return fail();
    if (!Reached(TAtomicFile::Stage::HalfWritten))
        return crash();
    if (!WriteAll(fd, bytes.constData() + half, bytes.size() - half))
        return fail();
    if (!Reached(TAtomicFile::Stage::Written))
        return crash();
    if (::fsync(fd) != 0)
        return fail();
    if (!Reached(TAtomicFile::Stage::Flushed))
        return crash();
    if (replace) {
        if (::rename(temporary.constData(), target.constData()) != 0)
            return fail();
    } else {
        // A link never replaces: a file that took the name meanwhile stays.
        if (::link(temporary.constData(), target.constData()) != 0)
            return fail();
        ::unlink(temporary.constData());
    }
    if (!Reached(TAtomicFile::Stage::Named))
        return crash();
    FlushFolder(folder);
    ::close(fd);
    return true;
}

} // namespace

bool TAtomicFile::Replace(const QString& path, const QByteArray& bytes)
{
    return Write(path, bytes, true);
}

bool TAtomicFile::Create(const QString& path, const QByteArray& bytes)
{
    return Write(path, bytes, false);
}

bool TAtomicFile::IsTemporaryName(const QString& fileName)
{
    return fileName.startsWith(QLatin1String(kPrefix));
}

void TAtomicFile::SetStageHook(StageHook hook) { g_hook = std::move(hook); }
