#include "search/TSearchQuery.h"

namespace {

bool HoldsWord(const QString& term)
{
    for (const QChar c : term)
        if (c.isLetterOrNumber())
            return true;
    return false;
}

} // namespace

QStringList TSearchQuery::Terms(const QString& typed)
{
    QStringList terms;
    QString current;
    bool quoted = false;
    auto flush = [&] {
        const QString term = current.simplified();
        if (HoldsWord(term))
            terms.append(term);
        current.clear();
    };
    for (const QChar c : typed) {
        if (c == u'"') {
            flush();
            quoted = !quoted;
        } else if (!quoted && c.isSpace()) {
            flush();
        } else {
            current += c;
        }
    }
    flush(); // an unclosed quote ends the phrase at the end of the text
    return terms;
}

QString TSearchQuery::MatchExpression(const QStringList& terms)
{
    QStringList quoted;
    for (const QString& term : terms) {
        if (!HoldsWord(term))
            continue;
        QString t = term;
        t.replace(u'"', QStringLiteral("\"\""));
        quoted.append(u'"' + t + u'"');
    }
    return quoted.join(u' ');
}
