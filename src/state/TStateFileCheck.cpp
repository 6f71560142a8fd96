#include "state/TStateFileCheck.h"
#include "platform/TPath.h"
#include <QFileInfo>

bool TStateFileCheck::IsReadable(const QString& path)
{
    if (path.isEmpty())
        return false;
    // A regular file only: opening a pipe or a device to test it could block.
    const QFileInfo info(TPath::Resolve(path));
    return info.isFile() && info.isReadable();
}
