// A page naming many pictures that are missing, beside a folder of many documents: every
// missing name is looked up ignoring letter case, which must not read the big folder once
// per picture. Compared with the same page in a folder of its own, and with a page of the
// same text without pictures.
#include "html/THtmlPane.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

namespace {

// A folder of `documents` small documents and two pages: one naming `pictures` missing
// pictures, one without them.
struct TBigFolder
{
    QTemporaryDir dir;
    QString withPictures, withoutPictures;

    TBigFolder(int documents, int pictures)
    {
        for (int i = 0; i < documents; ++i) {
            const QByteArray name =
                QFile::encodeName(dir.path()) + "/doc" + QByteArray::number(i) + ".htm";
            const int fd = ::open(name.constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
            if (fd >= 0)
                ::close(fd);
        }
        QByteArray page = "<html><body><p>Pictures:\n";
        QByteArray plain = page;
        for (int i = 0; i < pictures; ++i) {
            page += "<img src=\"Missing" + QByteArray::number(i) + ".GIF\" alt=\"m\">\n";
            plain += "<span>m</span>\n";
        }
        withPictures = Write("pictures.htm", page + "</body></html>");
        withoutPictures = Write("plain.htm", plain + "</body></html>");
    }

    QString Write(const QString& name, const QByteArray& bytes)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return f.fileName();
    }
};

void Load(benchmark::State& state, const QString& page)
{
    THtmlPane pane;
    pane.resize(800, 600);
    for (auto _ : state)
        pane.LoadFile(page);
}

TBigFolder& Big()
{
    static TBigFolder folder(50000, 1000);
    return folder;
}

TBigFolder& Small()
{
    static TBigFolder folder(0, 1000);
    return folder;
}

void BM_MissingPicturesBesideManyDocuments(benchmark::State& state)
{
    Load(state, Big().withPictures);
}
void BM_MissingPicturesInAFolderOfTheirOwn(benchmark::State& state)
{
    Load(state, Small().withPictures);
}
void BM_SamePageWithoutPictures(benchmark::State& state) { Load(state, Big().withoutPictures); }

} // namespace

BENCHMARK(BM_MissingPicturesBesideManyDocuments)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MissingPicturesInAFolderOfTheirOwn)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SamePageWithoutPictures)->Unit(benchmark::kMillisecond)->Iterations(3);
