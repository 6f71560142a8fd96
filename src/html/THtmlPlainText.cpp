#include "html/THtmlPlainText.h"
#include "html/THtmlDecoder.h"
#include "html/THtmlPageLoader.h"
#include "html/THtmlTokenizer.h"
#include <QFile>
#include <QFileInfo>

namespace {

bool IsHeading(const QString& name)
{
    return name.size() == 2 && name[0] == u'h' && name[1] >= u'1' && name[1] <= u'6';
}

// Tags that end a word where they stand: without a blank, "<td>one</td><td>two" would
// read as "onetwo". Inline tags (B, I, A, FONT) may sit inside a word and add nothing.
bool BreaksWords(const QString& name)
{
    static const QStringList breaking = {
        QStringLiteral("p"),        QStringLiteral("br"),      QStringLiteral("div"),
        QStringLiteral("td"),       QStringLiteral("th"),      QStringLiteral("tr"),
        QStringLiteral("table"),    QStringLiteral("li"),      QStringLiteral("ul"),
        QStringLiteral("ol"),       QStringLiteral("dl"),      QStringLiteral("dt"),
        QStringLiteral("dd"),       QStringLiteral("pre"),     QStringLiteral("blockquote"),
        QStringLiteral("hr"),       QStringLiteral("center"),  QStringLiteral("address"),
        QStringLiteral("title"),    QStringLiteral("option"),  QStringLiteral("caption"),
        QStringLiteral("img"),      QStringLiteral("body"),    QStringLiteral("frame"),
        QStringLiteral("noframes"), QStringLiteral("form"),    QStringLiteral("textarea"),
        QStringLiteral("xmp"),      QStringLiteral("listing"), QStringLiteral("plaintext"),
        QStringLiteral("menu"),     QStringLiteral("dir")};
    return IsHeading(name) || breaking.contains(name);
}

} // namespace

THtmlPlainText::TResult THtmlPlainText::FromSource(const QString& source, const QString& fileName)
{
    THtmlTokenizer tokenizer(source);
    THtmlToken token;
    QString all, noFrames, title, heading;
    bool inTitle = false, inHidden = false, frameSet = false, headingDone = false;
    int inNoFrames = 0, inHeading = 0;
    while (tokenizer.Next(token)) {
        if (token.kind == THtmlToken::Text) {
            if (inHidden)
                continue;
            if (inTitle) {
                title += token.text;
                continue;
            }
            all += token.text;
            if (inNoFrames > 0)
                noFrames += token.text;
            if (inHeading > 0 && !headingDone)
                heading += token.text;
            continue;
        }
        const bool start = token.kind == THtmlToken::StartTag;
        const QString& name = token.name;
        if (name == QLatin1String("title"))
            inTitle = start;
        else if (name == QLatin1String("script") || name == QLatin1String("style"))
            inHidden = start;
        else if (name == QLatin1String("frameset") && start)
            frameSet = true;
        else if (name == QLatin1String("noframes"))
            inNoFrames = std::max(0, inNoFrames + (start ? 1 : -1));
        else if (IsHeading(name)) {
            inHeading = std::max(0, inHeading + (start ? 1 : -1));
            if (!start && !heading.trimmed().isEmpty())
                headingDone = true;
        }
        if (BreaksWords(name)) {
            all += u' ';
            if (inNoFrames > 0)
                noFrames += u' ';
        }
        if (name == QLatin1String("img") && start && token.Has(QStringLiteral("alt"))) {
            all += token.Attr(QStringLiteral("alt")) + u' ';
        }
    }
    TResult result;
    result.text = (frameSet ? noFrames : all).simplified();
    result.title = title.simplified();
    if (result.title.isEmpty())
        result.title = heading.simplified();
    if (result.title.isEmpty())
        result.title = fileName;
    return result;
}

bool THtmlPlainText::FromFile(const QString& path, TResult* out)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    bool failed = false;
    const QByteArray bytes = THtmlPageLoader::ReadLimited(file, nullptr, &failed);
    if (failed)
        return false;
    *out = FromSource(THtmlDecoder::Decode(bytes), QFileInfo(path).fileName());
    return true;
}
