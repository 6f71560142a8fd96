#include "TFileLock.h"
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int g_defaultWaitMs = TFileLock::DefaultWaitMs;
}

void TFileLock::SetDefaultWait(int waitMs)
{
    g_defaultWaitMs = waitMs < 0 ? DefaultWaitMs : waitMs;
}

TFileLock::TFileLock(const QString& path, int waitMs)
{
    if (waitMs < 0)
        waitMs = g_defaultWaitMs;
    const QByteArray name = QFile::encodeName(path);
    if (name.isEmpty())
        return;
    QElapsedTimer clock;
    clock.start();
    int pauseMs = 1;
    for (;;) {
        const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat opened, named;
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
            ::close(fd);
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            // Held on the file that still has the name: done. A writer that had the lock
            // renamed a new file over it meanwhile: lock that one instead, at once.
            if (::stat(name.constData(), &named) == 0 && named.st_dev == opened.st_dev &&
                named.st_ino == opened.st_ino) {
                m_fd = fd;
                return;
            }
            ::close(fd);
            continue;
        }
        ::close(fd);
        if (clock.elapsed() >= waitMs)
            return;
        ::usleep(useconds_t(pauseMs) * 1000);
        pauseMs = std::min(pauseMs * 2, 16);
    }
}

TFileLock::~TFileLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // closing the last descriptor ends the lock
}
