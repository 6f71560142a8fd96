#include "html/THtmlStyleSheet.h"
#include "html/TCssDeclarations.h"
#include "html/THtmlTagTable.h"
#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

constexpr auto IsNameChar = &TCssDeclarations::IsNameChar;

// Where the declarations that begin at `from` end: their closing brace, or the end.
qsizetype DeclarationsEnd(const QString& css, qsizetype from)
{
    for (qsizetype i = from; i < css.size(); ++i) {
        const QChar c = css[i];
        if (c == u'}')
            return i;
        if (c == u'"' || c == u'\'') {
            const qsizetype end = css.indexOf(c, i + 1);
            if (end < 0)
                return css.size();
            i = end;
        } else if (c == u'/' && i + 1 < css.size() && css[i + 1] == u'*') {
            const qsizetype end = css.indexOf(QLatin1String("*/"), i + 2);
            if (end < 0)
                return css.size();
            i = end + 1;
        }
    }
    return css.size();
}

// Whether every selector of a rule ("h2", "div h3.x", "h1, h2 > b" is not) picks headings.
bool PicksHeadings(const QString& prelude)
{
    const QStringList selectors = prelude.split(u',');
    for (const QString& selector : selectors) {
        QString subject = selector.trimmed();
        const qsizetype cut = std::max({subject.lastIndexOf(u' '), subject.lastIndexOf(u'>'),
                                        subject.lastIndexOf(u'+'), subject.lastIndexOf(u'~')});
        subject = subject.sliced(cut + 1);
        qsizetype name = 0;
        while (name < subject.size() && IsNameChar(subject[name]))
            ++name;
        if (THtmlTagTable::Find(subject.first(name).toLower()).kind != TTagKind::Heading)
            return false;
    }
    return !selectors.isEmpty();
}

// The text with each comment outside strings made one blank.
QString WithoutComments(QStringView css)
{
    QString out;
    out.reserve(css.size());
    for (qsizetype i = 0; i < css.size(); ++i) {
        const QChar c = css[i];
        if (c == u'"' || c == u'\'') {
            qsizetype end = css.indexOf(c, i + 1);
            end = end < 0 ? css.size() - 1 : end;
            out += css.sliced(i, end - i + 1);
            i = end;
        } else if (c == u'/' && i + 1 < css.size() && css[i + 1] == u'*') {
            const qsizetype end = css.indexOf(QLatin1String("*/"), i + 2);
            out += u' ';
            i = end < 0 ? css.size() : end + 1;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

QString THtmlStyleSheet::ForEngine(const QString& css, const TCssDeclarations::TBase& base)
{
    QString out = css;
    // What each open brace holds: rules (the sheet itself, @media) or declarations.
    enum TBlock { Rules, Declarations };
    std::vector<TBlock> blocks;
    qsizetype preludeStart = 0; // where the text before the next brace begins
    bool preludeBegun = false;
    bool atRule = false; // the prelude is an at-rule's ("@media screen")
    bool inAttribute = false;
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (c == u'/' && i + 1 < out.size() && out[i + 1] == u'*') {
            // The engine drops a rule with a comment between its selector and its brace;
            // a comment is a blank anywhere else too.
            const qsizetype end = out.indexOf(QLatin1String("*/"), i + 2);
            out.replace(i, (end < 0 ? out.size() : end + 2) - i, QStringLiteral(" "));
            continue;
        }
        const bool inDeclarations = !blocks.empty() && blocks.back() == Declarations;
        if (!inDeclarations && !preludeBegun && !c.isSpace()) {
            preludeBegun = true;
            atRule = c == u'@';
        }
        if (c == u'"' || c == u'\'') {
            const qsizetype end = out.indexOf(c, i + 1);
            i = end < 0 ? out.size() : end;
            continue;
        }
        if (c == u'{') {
            const QString prelude = out.mid(preludeStart, i - preludeStart).trimmed();
            // @media and its like hold rules; @font-face and @page hold declarations.
            const bool holdsRules =
                atRule && !prelude.startsWith(QLatin1String("@font-face"), Qt::CaseInsensitive) &&
                !prelude.startsWith(QLatin1String("@page"), Qt::CaseInsensitive);
            blocks.push_back(!inDeclarations && holdsRules ? Rules : Declarations);
            if (blocks.back() == Declarations) {
                const qsizetype end = DeclarationsEnd(out, i + 1);
                TCssDeclarations::TBase ruleBase = base;
                ruleBase.sizesInPixels = PicksHeadings(
                    WithoutComments(QStringView(out).sliced(preludeStart, i - preludeStart)));
                const QString translated = TCssDeclarations::ForEngine(
                    WithoutComments(QStringView(out).sliced(i + 1, end - i - 1)), ruleBase);
                out.replace(i + 1, end - i - 1, translated);
                preludeStart = i + 1;
                preludeBegun = atRule = inAttribute = false;
                i += translated.size(); // the next character read is the closing brace
                continue;
            }
        }
        if (c == u'{' || c == u'}' || (c == u';' && !inDeclarations)) {
            if (c == u'}' && !blocks.empty())
                blocks.pop_back();
            preludeStart = i + 1;
            preludeBegun = atRule = inAttribute = false;
            continue;
        }
        if (inDeclarations || atRule)
            continue;
        if (c == u'[' || c == u']') {
            inAttribute = c == u'[';
            continue;
        }
        if (inAttribute || !c.isLetter())
            continue;
        // A name that follows ".", "#" or ":" is a class, an id or a pseudo-class.
        const QChar before = i > 0 ? out[i - 1] : QChar(u' ');
        qsizetype end = i;
        while (end < out.size() && IsNameChar(out[end]))
            ++end;
        if (before != u'.' && before != u'#' && before != u':' && !IsNameChar(before))
            for (qsizetype k = i; k < end; ++k)
                out[k] = out[k].toLower();
        i = end - 1;
    }
    return out;
}
