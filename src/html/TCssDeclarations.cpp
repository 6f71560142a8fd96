#include "html/TCssDeclarations.h"
#include <QFontDatabase>
#include <QHash>
#include <QStringList>

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

// Splits at `separator` outside strings and parentheses.
QStringList SplitOutside(QStringView text, QChar separator)
{
    QStringList parts;
    qsizetype start = 0;
    int depth = 0;
    QChar quote;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'(') {
            ++depth;
        } else if (c == u')') {
            depth = std::max(0, depth - 1);
        } else if (c == separator && depth == 0) {
            parts << text.sliced(start, i - start).toString();
            start = i + 1;
        }
    }
    parts << text.sliced(start).toString();
    return parts;
}

// A number and what follows it: "1.5em" gives 1.5 and "em".
bool SplitNumber(QStringView value, double* number, QString* unit)
{
    qsizetype i = 0;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-'))
        ++i;
    const qsizetype digits = i;
    while (i < value.size() && (value[i].isDigit() || value[i] == u'.'))
        ++i;
    if (i == digits)
        return false;
    bool ok = false;
    *number = value.first(i).toDouble(&ok);
    *unit = value.sliced(i).toString().toLower();
    return ok;
}

QString Pixels(double px) { return QString::number(px, 'g', 6) + QStringLiteral("px"); }

bool IsMarginLike(const QString& property)
{
    return property.startsWith(QLatin1String("margin")) ||
           property.startsWith(QLatin1String("padding")) ||
           property == QLatin1String("text-indent");
}

bool IsLengthProperty(const QString& property)
{
    return IsMarginLike(property) || property == QLatin1String("width") ||
           property == QLatin1String("height") || property.startsWith(QLatin1String("border")) ||
           property == QLatin1String("letter-spacing") || property == QLatin1String("word-spacing");
}

} // namespace

QStringList TCssDeclarations::AvailableFamilies(const QStringList& families)
{
    thread_local QHash<QString, bool> known;
    const auto available = [](const QString& quoted) {
        QString name = quoted.trimmed();
        if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') &&
            name.back() == name.front())
            name = name.sliced(1, name.size() - 2);
        auto found = known.constFind(name);
        if (found != known.constEnd())
            return *found;
        static const char* const standIns[] = {"arial", "helvetica",   "times new roman",
                                               "times", "courier new", "courier"};
        bool has = QFontDatabase::hasFamily(name);
        for (const char* s : standIns)
            has = has || name.compare(QLatin1String(s), Qt::CaseInsensitive) == 0;
        known.insert(name, has);
        return has;
    };
    QStringList kept;
    for (const QString& f : families)
        if (available(f))
            kept << f;
    return kept.isEmpty() ? families : kept;
}

bool TCssDeclarations::LengthPixels(QStringView value, double fontPoints, double* pixels)
{
    double n;
    QString unit;
    if (!SplitNumber(value.trimmed(), &n, &unit))
        return false;
    const double em = fontPoints * kPixelsPerPoint;
    static const struct
    {
        const char* unit;
        double pixels; // per unit; 0 for the font-relative ones
    } units[] = {
        {"px", 1},         {"pt", kPixelsPerPoint}, {"pc", 16}, {"in", 96}, {"cm", 96 / 2.54},
        {"mm", 96 / 25.4}, {"q", 96 / 101.6},       {"em", 0},  {"rem", 0}, {"ex", 0},
        {"ch", 0}};
    for (const auto& u : units) {
        if (unit != QLatin1String(u.unit))
            continue;
        if (u.pixels > 0)
            *pixels = n * u.pixels;
        else
            *pixels =
                n * (unit == QLatin1String("ex") || unit == QLatin1String("ch") ? em / 2 : em);
        return true;
    }
    if (unit.isEmpty() && n == 0) {
        *pixels = 0;
        return true;
    }
    return false;
}

QString TCssDeclarations::ForEngine(QStringView declarations, const TBase& base)
{
    QStringList parts = SplitOutside(declarations, u';');
    bool changed = false;
    for (QString& part : parts) {
        const qsizetype colon = part.indexOf(u':');
        if (colon < 0)
            continue;
        const QString property = part.first(colon).trimmed().toLower();
        QString value = part.sliced(colon + 1).trimmed();
        QString important;
        const qsizetype bang = value.lastIndexOf(u'!');
        if (bang >= 0 && value.sliced(bang + 1).trimmed().compare(QLatin1String("important"),
                                                                  Qt::CaseInsensitive) == 0) {
            important = QStringLiteral(" !important");
            value = value.first(bang).trimmed();
        }
        const TResult translated = Translate(property, value, base);
        if (!translated)
            continue;
        changed = true;
        if (translated->isEmpty()) {
            part.clear();
            continue;
        }
        // A shorthand may become several declarations; each keeps the priority.
        QStringList out = translated->split(u';');
        for (QString& d : out)
            d += important;
        part = out.join(u';');
    }
    if (!changed)
        return declarations.toString();
    parts.removeAll(QString());
    return parts.join(u';');
}

TCssDeclarations::TResult TCssDeclarations::Translate(const QString& property, const QString& value,
                                                      const TBase& base)
{
    if (property == QLatin1String("font-size"))
        return FontSize(value, base);
    if (property == QLatin1String("font-family"))
        return FontFamily(value, base);
    if (property == QLatin1String("font"))
        return FontShorthand(value, base);
    if (property == QLatin1String("padding-left") || property == QLatin1String("padding"))
        return ListPadding(property, value, base);
    if (IsLengthProperty(property))
        return Lengths(property, value, base);
    return std::nullopt;
}

TCssDeclarations::TResult TCssDeclarations::FontSize(const QString& value, const TBase& base)
{
    const QString v = value.toLower();
    // The keywords as browsers size them, for a default of 16 pixels.
    static const struct
    {
        const char* name;
        double share;
    } keywords[] = {{"xx-small", 9 / 16.0}, {"x-small", 10 / 16.0}, {"small", 13 / 16.0},
                    {"medium", 1},          {"large", 18 / 16.0},   {"x-large", 1.5},
                    {"xx-large", 2},        {"larger", 1.2},        {"smaller", 1 / 1.2}};
    double share = -1;
    for (const auto& k : keywords)
        if (v == QLatin1String(k.name))
            share = k.share;
    double n;
    QString unit;
    if (share < 0 && SplitNumber(v, &n, &unit)) {
        if (unit == QLatin1String("%"))
            share = n / 100;
        else if (unit == (base.sizesInPixels ? QLatin1String("px") : QLatin1String("pt")))
            return std::nullopt;
        else if (double px; LengthPixels(v, base.fontPoints, &px))
            share = px / (base.fontPoints * kPixelsPerPoint);
    }
    if (share < 0)
        return std::nullopt;
    if (share == 0)
        return QString();
    const double points = base.fontPoints * share;
    if (base.sizesInPixels)
        return QStringLiteral("font-size:%1px").arg(std::max(1, qRound(points * kPixelsPerPoint)));
    return QStringLiteral("font-size:") + QString::number(points, 'g', 6) + QStringLiteral("pt");
}

TCssDeclarations::TResult TCssDeclarations::FontFamily(const QString& value, const TBase& base)
{
    QStringList families;
    bool changed = false;
    for (const QString& item : SplitOutside(value, u',')) {
        const QString name = item.trimmed();
        const QString generic = name.toLower();
        if (generic == QLatin1String("serif") || generic == QLatin1String("sans-serif") ||
            generic == QLatin1String("monospace")) {
            const QString& face = generic == QLatin1String("serif")       ? base.serif
                                  : generic == QLatin1String("monospace") ? base.monospace
                                                                          : base.sansSerif;
            families << u'\'' + face + u'\'';
            changed = true;
        } else if (generic == QLatin1String("cursive") || generic == QLatin1String("fantasy") ||
                   generic == QLatin1String("system-ui")) {
            changed = true;
        } else if (!name.isEmpty()) {
            families << name;
        }
    }
    const QStringList available = AvailableFamilies(families);
    if (!changed && available.size() == families.size())
        return std::nullopt;
    families = available;
    return families.isEmpty() ? QString() : QStringLiteral("font-family:") + families.join(u',');
}

TCssDeclarations::TResult TCssDeclarations::FontShorthand(const QString& value, const TBase& base)
{
    // [style] [variant] [weight] size[/line-height] family, family... The line height is
    // left out: the engine leaves the room it adds outside the backgrounds of blocks,
    // which then show as stripes.
    const QStringList words = value.simplified().split(u' ');
    QStringList out;
    qsizetype i = 0;
    for (; i < words.size(); ++i) {
        const QString w = words[i].toLower();
        if (w == QLatin1String("italic") || w == QLatin1String("oblique"))
            out << QStringLiteral("font-style:") + w;
        else if (w == QLatin1String("bold") || w == QLatin1String("bolder") ||
                 w == QLatin1String("lighter") ||
                 (w.size() == 3 && w.endsWith(QLatin1String("00")) && w[0].isDigit()))
            out << QStringLiteral("font-weight:") + w;
        else if (w == QLatin1String("small-caps"))
            out << QStringLiteral("font-variant:small-caps");
        else if (w != QLatin1String("normal"))
            break;
    }
    if (i >= words.size() - 1)
        return QString(); // no size and family: browsers ignore it too
    const QString sizeWord = words[i];
    const qsizetype slash = sizeWord.indexOf(u'/');
    const QString size = slash < 0 ? sizeWord : sizeWord.first(slash);
    out << FontSize(size, base).value_or(QStringLiteral("font-size:") + size);
    const QString family = words.mid(i + 1).join(u' ');
    out << FontFamily(family, base).value_or(QStringLiteral("font-family:") + family);
    out.removeAll(QString());
    return out.join(u';');
}

TCssDeclarations::TResult TCssDeclarations::ListPadding(const QString& property,
                                                        const QString& value, const TBase& base)
{
    // A list's indent is its left padding; the engine indents lists by levels of its own
    // and takes no padding for them, so a list without one gets no level instead.
    const QStringList words = value.simplified().split(u' ');
    const qsizetype left = property == QLatin1String("padding-left") ? 0
                           : words.size() == 4                       ? 3
                           : words.size() >= 2                       ? 1
                                                                     : 0;
    double px = -1;
    const bool none =
        left < words.size() && LengthPixels(words[left], base.fontPoints, &px) && px == 0;
    const TResult lengths = Lengths(property, value, base);
    if (!none)
        return lengths;
    return lengths.value_or(property + u':' + value) + QStringLiteral(";-qt-list-indent:0");
}

TCssDeclarations::TResult TCssDeclarations::Lengths(const QString& property, const QString& value,
                                                    const TBase& base)
{
    QStringList words = value.simplified().split(u' ');
    bool changed = false;
    for (QString& w : words) {
        double n;
        QString unit;
        if (!SplitNumber(w, &n, &unit))
            continue;
        if (unit == QLatin1String("%")) {
            // The engine reads a percentage margin as pixels; browsers take it of a width
            // the engine does not know here.
            if (IsMarginLike(property))
                return QString();
            continue;
        }
        if (unit == QLatin1String("px") || unit.isEmpty())
            continue;
        double px;
        if (LengthPixels(w, base.fontPoints, &px)) {
            w = Pixels(px);
            changed = true;
        }
    }
    if (!changed)
        return std::nullopt;
    return property + u':' + words.join(u' ');
}
