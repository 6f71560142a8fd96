#include "html/TListNumbering.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlToken.h"

namespace {

QString ToRoman(int n, bool upper)
{
    if (n <= 0 || n >= 4000)
        return QString::number(n);
    static const int values[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
    static const char* numerals[] = {"m",  "cm", "d",  "cd", "c",  "xc", "l",
                                     "xl", "x",  "ix", "v",  "iv", "i"};
    QString r;
    for (int i = 0; i < 13; ++i)
        while (n >= values[i]) {
            r += QLatin1String(numerals[i]);
            n -= values[i];
        }
    return upper ? r.toUpper() : r;
}

QString ToAlpha(int n, bool upper)
{
    if (n <= 0)
        return QString::number(n);
    QString r;
    while (n > 0) {
        --n;
        r.prepend(QChar(u'a' + n % 26));
        n /= 26;
    }
    return upper ? r.toUpper() : r;
}

} // namespace

QString TListNumbering::OrderedType(const THtmlToken& ol)
{
    const QString type = ol.Attr(QStringLiteral("type")).trimmed();
    return THtmlAttributes::IsOneOf(type, {"1", "a", "A", "i", "I"}) ? type : QStringLiteral("1");
}

int TListNumbering::StartValue(const THtmlToken& ol)
{
    return THtmlAttributes::Int(ol, QStringLiteral("start"), 1, -1000000, 1000000);
}

void TListNumbering::Start(const THtmlToken& ol)
{
    m_active = true;
    m_counter = StartValue(ol) - 1;
    m_type = OrderedType(ol);
}

QString TListNumbering::NextMarker(const THtmlToken& li)
{
    int value;
    if (li.Has(QStringLiteral("value")) &&
        THtmlAttributes::LeadingInt(li.Attr(QStringLiteral("value")), &value))
        m_counter = value - 1;
    ++m_counter;
    return Format(m_counter, m_type) + QStringLiteral(". ");
}

QString TListNumbering::Format(int n, const QString& type)
{
    if (type == QLatin1String("a") || type == QLatin1String("A"))
        return ToAlpha(n, type == QLatin1String("A"));
    if (type == QLatin1String("i") || type == QLatin1String("I"))
        return ToRoman(n, type == QLatin1String("I"));
    return QString::number(n);
}
