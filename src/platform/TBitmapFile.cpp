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
    QImage loaded;
    if (!reader.read(&loaded) || loaded.isNull())
        return false;
    *image = loaded.convertToFormat(QImage::Format_RGB32);
    return true;
}
