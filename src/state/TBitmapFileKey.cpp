#include "state/TBitmapFileKey.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"

bool TBitmapFileKey::WriteBitmapFileKey(TKXIniFile& ini, const QString& bitmapFileName,
                                        const QString& section)
{
    return ini.WriteString(section, Key,
                           bitmapFileName.isEmpty() ? TNotSet::EmptyWord : bitmapFileName);
}

QString TBitmapFileKey::PathToLoad(const TKXIniFile& ini, const QString& section)
{
    const QString value = ini.ReadString(section, Key, QString());
    if (value.isEmpty() || value == TNotSet::EmptyWord)
        return QString();
    return TPath::FromNative(value);
}
