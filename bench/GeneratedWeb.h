#pragma once
// Large webs for the benchmarks, written straight to disk (through Qt each file would cost
// more than the scans being measured).
#include <QByteArray>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace bench {

inline void WriteBenchFile(const QByteArray& path, const QByteArray& body)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    if (::write(fd, body.constData(), size_t(body.size())) < 0)
        std::perror("write");
    ::close(fd);
}

// Under web (which must end with "/"): folders "Folder <i>", 10 at the top, 10 below each,
// the rest below those, until there are `folders`; each holds `documentsPerFolder`
// documents "Page<d>.htm" whose text is body(n) for the n-th document written.
template <class Body>
void MakeLargeWeb(const QByteArray& web, int folders, int documentsPerFolder, Body body)
{
    ::mkdir(web.constData(), 0755);
    std::vector<QByteArray> level{web};
    int made = 0, documents = 0;
    const int fanOut[] = {10, 10, 100};
    for (int depth = 0; depth < 3 && made < folders; ++depth) {
        std::vector<QByteArray> next;
        for (const QByteArray& parent : level) {
            for (int i = 0; i < fanOut[depth] && made < folders; ++i, ++made) {
                const QByteArray folder = parent + "Folder " + QByteArray::number(i) + "/";
                ::mkdir(folder.constData(), 0755);
                for (int d = 0; d < documentsPerFolder; ++d)
                    WriteBenchFile(folder + "Page" + QByteArray::number(d) + ".htm",
                                   body(documents++));
                next.push_back(folder);
            }
        }
        level.swap(next);
    }
}

} // namespace bench
