#include "html/THtmlAttributes.h"
#include "html/TCssDeclarations.h"
#include "html/THtmlTagTable.h"
#include "html/THtmlToken.h"
#include <algorithm>

bool THtmlAttributes::IsOneOf(const QString& s, std::initializer_list<const char*> list)
{
    for (const char* item : list)
        if (s == QLatin1String(item))
            return true;
    return false;
}

QString THtmlAttributes::Escape(const QString& text)
{
    // Most text has nothing to escape and is handed back shared; otherwise the runs between
    // the characters that need it are copied whole.
    const auto special = [](char16_t c) { return c == '&' || c == '<' || c == '>' || c == '"'; };
    const char16_t* data = reinterpret_cast<const char16_t*>(text.constData());
    const qsizetype size = text.size();
    qsizetype i = 0;
    while (i < size && !special(data[i]))
        ++i;
    if (i == size)
        return text;
    QString out;
    out.reserve(size + 16);
    qsizetype runStart = 0;
    for (; i < size; ++i) {
        if (!special(data[i]))
            continue;
        out.append(QStringView(data + runStart, i - runStart));
        switch (data[i]) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        default: out += QLatin1String("&quot;"); break;
        }
        runStart = i + 1;
    }
    out.append(QStringView(data + runStart, size - runStart));
    return out;
}

bool THtmlAttributes::LeadingInt(const QString& value, int* result)
{
    const QString v = value.trimmed();
    int i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == u'+' || v[i] == u'-')) {
        negative = v[i] == u'-';
        ++i;
    }
    const int digits = i;
    qint64 n = 0;
    while (i < v.size() && v[i].isDigit() && v[i].unicode() < 0x80) {
        if (n < 1000000)
            n = n * 10 + (v[i].unicode() - '0');
        ++i;
    }
    if (i == digits)
        return false;
    *result = int(negative ? -n : n);
    return true;
}

int THtmlAttributes::Int(const THtmlToken& t, const QString& name, int fallback, int lo, int hi)
{
    int v;
    if (!t.Has(name) || !LeadingInt(t.Attr(name), &v))
        return fallback;
    return std::clamp(v, lo, hi);
}

QString THtmlAttributes::Length(const THtmlToken& t, const QString& name)
{
    int v;
    const QString raw = t.Attr(name).trimmed();
    if (!LeadingInt(raw, &v) || v < 0)
        return QString();
    if (raw.endsWith(u'%'))
        return QString::number(std::min(v, 100)) + u'%';
    return QString::number(std::min(v, 20000));
}

QString THtmlAttributes::Align(const QString& value)
{
    const QString v = value.trimmed().toLower();
    if (IsOneOf(v, {"left", "right", "center", "justify"}))
        return QStringLiteral(" align=\"") + v + u'"';
    if (v == QLatin1String("middle"))
        return QStringLiteral(" align=\"center\"");
    return QString();
}

QString THtmlAttributes::Valign(const QString& value)
{
    QString v = value.trimmed().toLower();
    if (v == QLatin1String("center"))
        v = QStringLiteral("middle");
    if (IsOneOf(v, {"top", "middle", "bottom"}))
        return QStringLiteral(" valign=\"") + v + u'"';
    if (v == QLatin1String("baseline"))
        return QStringLiteral(" valign=\"top\"");
    return QString();
}

QString THtmlAttributes::FontFamilyCss(const QString& faces)
{
    QStringList out;
    for (QString f : faces.split(u',', Qt::SkipEmptyParts)) {
        f = f.trimmed();
        f.remove(u'\'');
        f.remove(u'"');
        f.remove(u';');
        if (!f.isEmpty())
            out << u'\'' + f + u'\'';
    }
    out = TCssDeclarations::AvailableFamilies(out);
    return out.isEmpty() ? QString() : QStringLiteral("font-family:") + out.join(u',') + u';';
}

QString THtmlAttributes::WithSelectors(const QString& open, const THtmlToken& t,
                                       const TCssDeclarations::TBase& base)
{
    QString attrs;
    for (const char* name : {"class", "id"}) {
        const QString value = t.Attr(QLatin1String(name)).simplified();
        if (!value.isEmpty())
            attrs += u' ' + QLatin1String(name) + QStringLiteral("=\"") + Escape(value) + u'"';
    }
    const QString pageStyle = t.Attr(QStringLiteral("style")).simplified();
    if ((attrs.isEmpty() && pageStyle.isEmpty()) || !open.endsWith(u'>'))
        return open;
    QString tag = open.chopped(1);
    TCssDeclarations::TBase styleBase = base;
    styleBase.sizesInPixels = THtmlTagTable::Find(t.name).kind == TTagKind::Heading;
    const QString style = Escape(TCssDeclarations::ForEngine(pageStyle, styleBase));
    // The page's declarations follow the view's own, so where both set something the
    // page's win, as its style attribute does over everything else in browsers.
    return WithStyle(tag + attrs + u'>', style);
}

QString THtmlAttributes::WithStyle(const QString& open, const QString& css)
{
    if (css.isEmpty() || !open.endsWith(u'>'))
        return open;
    QString tag = open;
    const qsizetype own = tag.indexOf(QLatin1String(" style=\""));
    const qsizetype ownEnd = own < 0 ? -1 : tag.indexOf(u'"', own + 8);
    if (ownEnd >= 0)
        tag.insert(ownEnd, u';' + css);
    else
        tag.insert(tag.size() - 1, QStringLiteral(" style=\"") + css + u'"');
    return tag;
}
