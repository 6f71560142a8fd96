#include "html/THtmlPageLoader.h"
#include "html/THtmlDecoder.h"
#include "html/THtmlPath.h"
#include "html/THtmlRewriter.h"
#include "html/THtmlSettings.h"
#include "html/THtmlStyleSheet.h"
#include "platform/EError.h"
#include "platform/TColorRef.h"
#include "platform/TPath.h"
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

THtmlRewriter::TOptions THtmlPageLoader::Options(const THtmlSettings& settings)
{
    THtmlRewriter::TOptions options;
    options.fontSize = std::max(1, settings.defFontSize);
    options.preFontName = settings.defPreFontName;
    options.fontName = settings.defFontName;
    options.linkColour = TColorRef::ToQColor(settings.defHotSpotColor);
    // Read where the engine reads it, on the thread that builds the document.
    if (qGuiApp)
        options.engineLinkColour = QGuiApplication::palette().color(QPalette::Link);
    return options;
}

THtmlPage THtmlPageLoader::FromText(const QString& text, const THtmlSettings& settings)
{
    THtmlRewriter rewriter(Options(settings));
    return rewriter.Rewrite(text);
}

THtmlPage THtmlPageLoader::PicturePage(const QString& path)
{
    THtmlPage page;
    page.isImage = true;
    THtmlObjectInfo picture;
    picture.kind = THtmlObjectInfo::Image;
    picture.src = path;
    picture.alt = QFileInfo(path).fileName();
    page.objects.push_back(picture);
    page.title = picture.alt;
    page.html = QStringLiteral("<html><body><img src=\"zel:0\"></body></html>");
    return page;
}

THtmlPage THtmlPageLoader::MessagePage(const QString& message, const THtmlSettings& settings)
{
    QString escaped = message.toHtmlEscaped();
    return FromText(QStringLiteral("<p>") + escaped + QStringLiteral("</p>"), settings);
}

QByteArray THtmlPageLoader::ReadLimited(QFile& file, bool* shortened, bool* failed)
{
    // read(n) reserves n bytes first; only an oversized file is read that way.
    QByteArray bytes =
        file.size() > kMaxDocumentBytes ? file.read(kMaxDocumentBytes + 1) : file.readAll();
    *failed = bytes.isEmpty() && file.error() != QFileDevice::NoError;
    const bool cut = bytes.size() > kMaxDocumentBytes;
    if (shortened)
        *shortened = cut;
    if (cut) {
        // Cut at a line end, so no character is split and the encoding guess holds.
        bytes.truncate(kMaxDocumentBytes);
        const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
        const qsizetype lineEnd = bytes.lastIndexOf('\n');
        if (utf16)
            bytes.truncate(bytes.size() & ~qsizetype(1));
        else if (lineEnd > 0)
            bytes.truncate(lineEnd + 1);
    }
    return bytes;
}

THtmlPage THtmlPageLoader::Load(const QString& path, const QString& nameForMessage,
                                const THtmlSettings& settings)
{
    // Only a regular file is read: opening a named pipe or a device would block the view.
    if (!QFileInfo(path).isFile())
        throw EInOutError(QStringLiteral("Can't locate file: ") + nameForMessage);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Can't locate file: ") + nameForMessage);
    if (THtmlPath::IsImageExtension(THtmlPath::UpperExtension(path)))
        return PicturePage(path);
    bool shortened = false, failed = false;
    const QByteArray bytes = ReadLimited(file, &shortened, &failed);
    if (failed)
        throw EInOutError(QStringLiteral("Can't locate file: ") + nameForMessage);
    QString text = THtmlDecoder::Decode(bytes);
    if (shortened)
        text += THtmlRewriter::ShortenedNote(
            QStringLiteral("is longer than %1 MB").arg(kMaxDocumentBytes / (1024 * 1024)));
    // Linked sheets are read as the rewriter meets them, so their rules for boxes are known
    // by the time the body comes and the rules keep the order the page gave them.
    THtmlRewriter::TOptions options = Options(settings);
    int sheets = 0;
    options.linkedStyleSheet = [&](const QString& href) {
        return ++sheets > kMaxStyleSheets ? QString() : ReadStyleSheet(href, path, options);
    };
    THtmlPage page = THtmlRewriter(options).Rewrite(text);
    page.shortened = page.shortened || shortened;
    return page;
}

QString THtmlPageLoader::ReadStyleSheet(const QString& href, const QString& path,
                                        const THtmlRewriter::TOptions& options)
{
    QString file, destination;
    THtmlPath::SplitDestination(THtmlPath::Expand(href, path), &file, &destination);
    if (file.isEmpty() || !TPath::FileExists(file))
        return QString();
    const QString resolved = TPath::Resolve(file);
    // Only a regular file of a sensible size: a pipe would block, a device never end.
    const QFileInfo info(resolved);
    if (!info.isFile() || info.size() > kMaxStyleSheetBytes)
        return QString();
    QFile sheet(resolved);
    if (!sheet.open(QIODevice::ReadOnly))
        return QString();
    return THtmlStyleSheet::ForEngine(THtmlDecoder::Decode(sheet.read(kMaxStyleSheetBytes)),
                                      THtmlRewriter::CssBase(options));
}
