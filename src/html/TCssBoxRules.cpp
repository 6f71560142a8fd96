#include "html/TCssBoxRules.h"
#include "html/TCssDeclarations.h"
#include "html/THtmlColour.h"
#include <algorithm>

namespace {

constexpr auto IsNameChar = &TCssDeclarations::IsNameChar;

// From `open` (a "{"), the index of its matching "}" or the end.
qsizetype BlockEnd(const QString& css, qsizetype open)
{
    int depth = 0;
    for (qsizetype i = open; i < css.size(); ++i) {
        const QChar c = css[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = css.indexOf(c, i + 1);
            if (end < 0)
                return css.size();
            i = end;
        } else if (c == u'{') {
            ++depth;
        } else if (c == u'}' && --depth == 0) {
            return i;
        }
    }
    return css.size();
}

int Pixels(const QString& value)
{
    double px = 0;
    if (!TCssDeclarations::LengthPixels(value, 12, &px))
        return -1;
    return std::max(0, qRound(px));
}

int BorderWidth(const QString& word)
{
    const QString w = word.toLower();
    if (w == QLatin1String("thin"))
        return 1;
    if (w == QLatin1String("medium"))
        return 3;
    if (w == QLatin1String("thick"))
        return 5;
    return Pixels(w);
}

bool IsBorderStyle(const QString& word)
{
    static const char* const styles[] = {"none",   "hidden", "dotted", "dashed", "solid",
                                         "double", "groove", "ridge",  "inset",  "outset"};
    for (const char* s : styles)
        if (word.compare(QLatin1String(s), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

bool TCssBox::Framed() const
{
    return borderWidth > 0 || floatLeft ||
           std::any_of(std::begin(padding), std::end(padding), [](int p) { return p > 0; });
}

void TCssBoxRules::Add(const QString& sheet)
{
    qsizetype preludeStart = 0;
    for (qsizetype i = 0; i < sheet.size(); ++i) {
        const QChar c = sheet[i];
        if (c == u'"' || c == u'\'') {
            const qsizetype end = sheet.indexOf(c, i + 1);
            i = end < 0 ? sheet.size() : end;
        } else if (c == u';' || c == u'}') {
            preludeStart = i + 1; // an at-rule without a block, or the end of @media
        } else if (c == u'{') {
            const QString prelude = sheet.mid(preludeStart, i - preludeStart).trimmed();
            if (prelude.startsWith(u'@')) {
                // Rules for the screen count; those of other media and other at-rules not.
                const QString media = prelude.toLower();
                const bool screen = media.startsWith(QLatin1String("@media")) &&
                                    (media.contains(QLatin1String("screen")) ||
                                     media.contains(QLatin1String("all")));
                if (!screen)
                    i = BlockEnd(sheet, i);
                preludeStart = i + 1;
                continue;
            }
            const qsizetype end = sheet.indexOf(u'}', i + 1);
            const qsizetype close = end < 0 ? sheet.size() : end;
            AddRule(prelude, sheet.mid(i + 1, close - i - 1));
            i = close;
            preludeStart = i + 1;
        }
    }
}

void TCssBoxRules::AddRule(const QString& selectors, const QString& declarations)
{
    // Only what a box is drawn from is kept, so matching stays cheap on big sheets.
    static const char* const boxed[] = {"border", "padding", "background", "width",
                                        "float",  "clear",   "margin"};
    const QString lower = declarations.toLower();
    if (std::none_of(std::begin(boxed), std::end(boxed),
                     [&](const char* p) { return lower.contains(QLatin1String(p)); }))
        return;
    for (const QString& raw : selectors.split(u',')) {
        const QString selector = raw.trimmed();
        if (selector.isEmpty() || std::any_of(selector.begin(), selector.end(), [](QChar c) {
                return !IsNameChar(c) && c != u'.' && c != u'#' && c != u'*';
            }))
            continue; // combinators, pseudo-classes, attribute tests: not for boxes here
        TRule rule;
        rule.declarations = declarations;
        qsizetype i = 0;
        while (i < selector.size() && (IsNameChar(selector[i]) || selector[i] == u'*'))
            ++i;
        rule.tag = selector.first(i).toLower();
        if (rule.tag == QLatin1String("*"))
            rule.tag.clear();
        rule.specificity = rule.tag.isEmpty() ? 0 : 1;
        while (i < selector.size()) {
            const QChar kind = selector[i++];
            const qsizetype start = i;
            while (i < selector.size() && IsNameChar(selector[i]))
                ++i;
            const QString name = selector.sliced(start, i - start);
            if (kind == u'.') {
                rule.classes << name;
                rule.specificity += 100;
            } else if (kind == u'#') {
                rule.id = name;
                rule.specificity += 10000;
            }
        }
        m_rules.push_back(std::move(rule));
    }
}

TCssBox TCssBoxRules::Box(const QString& tag, const QString& classes, const QString& id,
                          const QString& style) const
{
    const QStringList own = classes.split(u' ', Qt::SkipEmptyParts);
    std::vector<const TRule*> matched;
    for (const TRule& r : m_rules) {
        if ((!r.tag.isEmpty() && r.tag != tag) || (!r.id.isEmpty() && r.id != id))
            continue;
        if (std::all_of(r.classes.begin(), r.classes.end(),
                        [&](const QString& c) { return own.contains(c); }))
            matched.push_back(&r);
    }
    // Later rules win among equals: the sort keeps their order.
    std::stable_sort(matched.begin(), matched.end(), [](const TRule* a, const TRule* b) {
        return a->specificity < b->specificity;
    });
    TCssBox box;
    for (const TRule* r : matched)
        Apply(r->declarations, box);
    Apply(style, box);
    return box;
}

void TCssBoxRules::Apply(const QString& declarations, TCssBox& box)
{
    for (const QString& declaration : declarations.split(u';')) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = declaration.first(colon).trimmed().toLower();
        QString value = declaration.sliced(colon + 1).trimmed();
        value.remove(QLatin1String("!important"), Qt::CaseInsensitive);
        const QStringList words = value.simplified().split(u' ', Qt::SkipEmptyParts);
        if (property == QLatin1String("border")) {
            box.borderWidth = 3; // browsers' medium when no width is given
            bool styled = false;
            for (const QString& w : words) {
                if (IsBorderStyle(w)) {
                    styled = w.compare(QLatin1String("none"), Qt::CaseInsensitive) != 0 &&
                             w.compare(QLatin1String("hidden"), Qt::CaseInsensitive) != 0;
                } else if (const int px = BorderWidth(w); px >= 0) {
                    box.borderWidth = px;
                } else {
                    box.borderColor = w;
                }
            }
            if (!styled)
                box.borderWidth = 0;
        } else if (property == QLatin1String("border-width") && !words.isEmpty()) {
            box.borderWidth = std::max(0, BorderWidth(words[0]));
        } else if (property == QLatin1String("border-style") && !words.isEmpty()) {
            if (!IsBorderStyle(words[0]) ||
                words[0].compare(QLatin1String("none"), Qt::CaseInsensitive) == 0)
                box.borderWidth = 0;
        } else if (property == QLatin1String("border-color") && !words.isEmpty()) {
            box.borderColor = words[0];
        } else if (property == QLatin1String("padding")) {
            // top [right [bottom [left]]], the missing ones copied as CSS copies them.
            static const int from[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
            if (words.isEmpty() || words.size() > 4)
                continue;
            for (int side = 0; side < 4; ++side)
                box.padding[side] = std::max(0, Pixels(words[from[words.size() - 1][side]]));
        } else if (property.startsWith(QLatin1String("padding-"))) {
            static const char* const sides[] = {"top", "right", "bottom", "left"};
            for (int side = 0; side < 4; ++side)
                if (property.sliced(8) == QLatin1String(sides[side]) && !words.isEmpty())
                    box.padding[side] = std::max(0, Pixels(words[0]));
        } else if (property == QLatin1String("background-color") ||
                   property == QLatin1String("background")) {
            for (const QString& w : words)
                if (THtmlColour::Parse(w).isValid())
                    box.background = w;
        } else if (property == QLatin1String("width") && !words.isEmpty()) {
            const QString& w = words[0];
            box.width = w.endsWith(u'%') ? w
                        : Pixels(w) > 0  ? QString::number(Pixels(w))
                                         : QString();
        } else if (property == QLatin1String("float")) {
            box.floatLeft = value.compare(QLatin1String("left"), Qt::CaseInsensitive) == 0;
        } else if (property == QLatin1String("clear")) {
            box.clears = value.compare(QLatin1String("none"), Qt::CaseInsensitive) != 0;
        } else if (property == QLatin1String("margin-top") && !words.isEmpty()) {
            box.marginTop = words[0];
        } else if (property == QLatin1String("margin-bottom") && !words.isEmpty()) {
            box.marginBottom = words[0];
        } else if (property == QLatin1String("margin") && !words.isEmpty()) {
            box.marginTop = words[0];
            box.marginBottom = words.value(words.size() >= 3 ? 2 : 0);
        }
    }
}
