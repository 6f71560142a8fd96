#include "TDialogFilter.h"

namespace {

QString Description(const QString& text)
{
    QString d = text.trimmed();
    const qsizetype open = d.lastIndexOf(u'(');
    if (open > 0 && d.endsWith(u')'))
        d = d.left(open).trimmed();
    return d;
}

QString CaseFreePattern(const QString& pattern)
{
    // "*.*" means every file, also one without an extension, as it always did for readers.
    if (pattern == QStringLiteral("*.*"))
        return QStringLiteral("*");
    QString out;
    for (const QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += u'[' + QString(c.toLower()) + QString(c.toUpper()) + u']';
        else
            out += c;
    }
    return out;
}

} // namespace

QStringList TDialogFilter::ToQt(const QString& filter)
{
    QStringList result;
    if (filter.isEmpty())
        return result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString patternText = i + 1 < parts.size() ? parts[i + 1] : QStringLiteral("*");
        QStringList patterns;
        for (const QString& p : patternText.split(u';', Qt::SkipEmptyParts))
            patterns << p.trimmed();
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        result << Description(parts[i]) + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return result;
}

QStringList TDialogFilter::IgnoringCase(const QStringList& qtFilters)
{
    QStringList result;
    for (const QString& entry : qtFilters) {
        const qsizetype open = entry.lastIndexOf(u'(');
        if (open < 0 || !entry.endsWith(u')')) {
            result << entry;
            continue;
        }
        QStringList patterns;
        for (const QString& p :
             entry.mid(open + 1, entry.size() - open - 2).split(u' ', Qt::SkipEmptyParts))
            patterns << CaseFreePattern(p);
        result << entry.left(open + 1) + patterns.join(u' ') + u')';
    }
    return result;
}

QStringList TDialogFilter::ForDialog(const QString& filter)
{
    const QStringList shown = ToQt(filter);
    const QStringList matched = IgnoringCase(shown);
    QStringList result;
    for (qsizetype i = 0; i < shown.size(); ++i)
        result << shown[i] + matched[i].mid(matched[i].lastIndexOf(u'(') - 1);
    return result;
}
