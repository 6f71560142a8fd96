#include "state/TBitmapFileKey.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include <QDir>
#include <QFileInfo>

bool TBitmapFileKey::WriteBitmapFileKey(TKXIniFile& ini, const QString& bitmapFileName,
                                        const QString& section, const QString& key)
{
    return ini.WriteString(section, key, Encode(bitmapFileName));
}

QString TBitmapFileKey::Encode(const QString& fileName)
{
    if (fileName.isEmpty())
        return TNotSet::EmptyWord;
    const QString kit = QDir::cleanPath(TPath::ProgramDirectory());
    const QString file = QDir::cleanPath(QFileInfo(fileName).absoluteFilePath());
    if (kit.isEmpty() || !file.startsWith(kit + u'/'))
        return fileName;
    QString inside = file.mid(kit.size() + 1);
    inside.replace(u'/', u'\\');
    return TPath::ReaderBaseToken + u'\\' + inside;
}

bool TBitmapFileKey::IsEmptyWord(const QString& value) { return value == TNotSet::EmptyWord; }

QString TBitmapFileKey::Resolve(const QString& value, const QString& stateFile)
{
    if (value.isEmpty() || IsEmptyWord(value))
        return QString();
    const QString path = TPath::ExpandReaderBase(value);
    if (QFileInfo(path).isAbsolute() || stateFile.isEmpty())
        return path;
    return TPath::ExtractFilePath(QFileInfo(TPath::Resolve(stateFile)).absoluteFilePath()) + path;
}

QString TBitmapFileKey::PathToLoad(const TKXIniFile& ini, const QString& section)
{
    return Resolve(ini.ReadString(section, Key, QString()), ini.FileName());
}
