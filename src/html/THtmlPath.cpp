#include "html/THtmlPath.h"
#include "platform/TPath.h"
#include "platform/TTextCodec.h"
#include <QDir>
#include <QRegularExpression>

void THtmlPath::SplitDestination(const QString& target, QString* file, QString* destination)
{
    const qsizetype hash = target.indexOf(u'#');
    if (hash < 0) {
        *file = target;
        destination->clear();
    } else {
        *file = target.left(hash);
        *destination = target.mid(hash + 1);
    }
}

QString THtmlPath::UpperExtension(const QString& path)
{
    return TPath::ExtractFileExt(path).toUpper();
}

bool THtmlPath::IsHtmlExtension(const QString& e)
{
    return e == QLatin1String(".HTM") || e == QLatin1String(".HTML");
}

bool THtmlPath::IsImageExtension(const QString& e)
{
    return e == QLatin1String(".BMP") || e == QLatin1String(".GIF") || e == QLatin1String(".JPG") ||
           e == QLatin1String(".JPEG") || e == QLatin1String(".PNG");
}

QString THtmlPath::Expand(const QString& target, const QString& baseFile)
{
    QString file, destination;
    SplitDestination(target.trimmed(), &file, &destination);
    const bool hasDestination = target.contains(u'#');
    const QString suffix = hasDestination ? u'#' + destination : QString();
    if (file.isEmpty())
        return hasDestination ? baseFile + suffix : QString();

    if (file.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        file = file.mid(5);
        if (file.startsWith(QLatin1String("//localhost/"), Qt::CaseInsensitive))
            file = file.mid(11);
        while (file.startsWith(QLatin1String("//")))
            file.remove(0, 1);
    } else {
        static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
        if (scheme.match(file).hasMatch())
            return target;
    }

    if (file.contains(u'%')) {
        const QByteArray bytes = QByteArray::fromPercentEncoding(file.toUtf8());
        file = TTextCodec::Decode(bytes);
    }
    file = TPath::FromNative(file);
    // One root here: "C:/music/theme.wav" is "/music/theme.wav".
    if (file.size() >= 2 && file[1] == u':' && file[0].isLetter() && file[0].unicode() < 0x80) {
        file = file.mid(2);
        if (!file.startsWith(u'/'))
            file.prepend(u'/');
    }
    if (!file.startsWith(u'/')) {
        QString folder = TPath::ExtractFilePath(TPath::FromNative(baseFile));
        if (folder.isEmpty())
            folder = QDir::currentPath() + u'/';
        else if (!folder.startsWith(u'/'))
            folder = QDir::currentPath() + u'/' + folder;
        file = folder + file;
    }
    const bool trailing = file.endsWith(u'/');
    file = QDir::cleanPath(file);
    if (trailing && !file.endsWith(u'/'))
        file += u'/';
    return TPath::Resolve(file) + suffix;
}

QString THtmlPath::Resolved(const QString& file)
{
    const QString p = TPath::FromNative(TPath::Resolve(file));
    return QDir::cleanPath(p.startsWith(u'/') ? p : QDir::current().absoluteFilePath(p));
}
