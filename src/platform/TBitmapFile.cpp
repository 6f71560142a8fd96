#include "TBitmapFile.h"
#include "TPath.h"
#include <QFile>
#include <QImageReader>
#include <sys/stat.h>

bool TBitmapFile::Load(const QString& path, QImage* image)
{
    if (path.isEmpty() || !TPath::FileExists(path))
        return false;
    // Only regular files: a pipe or a device named as a picture would block the reader.
    const QString resolved = TPath::Resolve(path);
    struct stat st;
    if (::stat(QFile::encodeName(resolved).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    QImageReader reader(resolved);
    reader.setDecideFormatFromContent(true);
    // A bitmap whose pixels stop early decodes "successfully", and the rows the file lacks
    // keep whatever the heap held before. Decoding into a black picture of the announced
    // size, which the reader fills in place, shows those rows black instead. Sizes the
    // reader would refuse anyway are not allocated here.
    QImage loaded;
    const QSize size = reader.size();
    const QImage::Format format = reader.imageFormat();
    if (size.isValid() && format != QImage::Format_Invalid) {
        const qint64 bits =
            qint64(size.width()) * size.height() * QImage::toPixelFormat(format).bitsPerPixel();
        if (bits / 8 <= qint64(QImageReader::allocationLimit()) * 1024 * 1024) {
            loaded = QImage(size, format);
            if (!loaded.isNull())
                loaded.fill(0);
        }
    }
    if (!reader.read(&loaded) || loaded.isNull())
        return false;
    *image = loaded.convertToFormat(QImage::Format_RGB32);
    return true;
}
