#include "TBitmapFile.h"
#include "TPath.h"
#include <QImageReader>

bool TBitmapFile::Load(const QString& path, QImage* image)
{
    if (path.isEmpty() || !TPath::FileExists(path))
        return false;
    QImageReader reader(TPath::Resolve(path));
    reader.setDecideFormatFromContent(true);
    QImage loaded;
    if (!reader.read(&loaded) || loaded.isNull())
        return false;
    *image = loaded.convertToFormat(QImage::Format_RGB32);
    return true;
}
