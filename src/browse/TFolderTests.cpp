#include "TFolderTests.h"
#include "platform/TPath.h"

bool TFolderTests::DriveExists(const QString& path)
{
    return !path.isEmpty() && path.front() == u'/';
}

bool TFolderTests::FolderExists(const QString& path)
{
    if (!DriveExists(path))
        return false;
    QString rest = path;
    if (TPath::IsSeparator(rest.back()))
        rest.chop(1);
    if (rest.isEmpty())
        return true; // the bare drive
    // What is left must name one entry; a further trailing separator names none.
    if (TPath::IsSeparator(rest.back()))
        return false;
    return TPath::DirectoryExists(rest);
}

bool TFolderTests::WebFolderExists(const QString& path)
{
    return FolderExists(TPath::StripTrailingSeparators(path));
}
