#include "components/listview/TSortCompare.h"
#include <QDate>
#include <QStringList>
#include <algorithm>
#include <charconv>
#include <climits>
#include <exception>

namespace {

bool IsFormatLetter(QChar c) { return c.isLetter(); }

// The short format with one-digit day and month fields (they still read two digits) and
// the year field as "yy" or "yyyy", so "1/2/2023" and "01/02/23" both read in a "M/d/yy"
// locale.
QStringList DateFormatVariants(const QString& format)
{
    QString base;
    for (int i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == u'\'') { // quoted literal text stays as it is
            const int end = format.indexOf(u'\'', i + 1);
            const int stop = end < 0 ? format.size() : end + 1;
            base += format.mid(i, stop - i);
            i = stop;
            continue;
        }
        int run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if ((c == u'd' || c == u'M') && run <= 2)
            base += c;
        else if (c == u'y')
            base += QStringLiteral("\x01"); // placeholder for the year field
        else
            base += format.mid(i, run);
        i += run;
    }
    if (!base.contains(QChar(1)))
        return {base};
    QString shortYear = base, longYear = base;
    shortYear.replace(QChar(1), QStringLiteral("yy"));
    longYear.replace(QChar(1), QStringLiteral("yyyy"));
    return {shortYear, longYear};
}

} // namespace

TSortCompare::TSortCompare()
    : m_locale(QLocale()), m_dateSeparator(DateSeparator(m_locale)), m_collator(m_locale)
{
    m_collator.setCaseSensitivity(Qt::CaseSensitive);
}

QChar TSortCompare::DateSeparator(const QLocale& locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    bool quoted = false;
    for (QChar c : format) {
        if (c == u'\'') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && !IsFormatLetter(c) && !c.isSpace())
            return c;
    }
    return QChar();
}

std::optional<qint64> TSortCompare::ParseShortDate(const QString& text, const QLocale& locale)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const QStringList variants = DateFormatVariants(locale.dateFormat(QLocale::ShortFormat));
    for (int v = 0; v < variants.size(); ++v) {
        QDate date = locale.toDate(t, variants.at(v));
        if (!date.isValid())
            continue;
        if (variants.at(v).contains(QLatin1String("yy")) &&
            !variants.at(v).contains(QLatin1String("yyyy"))) {
            // A two-digit year belongs to the current century.
            const int century = QDate::currentDate().year() / 100 * 100;
            const QDate moved(century + date.year() % 100, date.month(), date.day());
            if (moved.isValid())
                date = moved;
        }
        return date.toJulianDay();
    }
    return std::nullopt;
}

std::optional<double> TSortCompare::ParseDecimal(const QString& text)
{
    // Optional blanks, optional sign, digits with at most one decimal point (at least one
    // digit in all), an optional exponent, optional blanks. No thousands separators, no
    // "inf" or "nan": a text is a number only when every character belongs to it.
    int i = 0;
    const int n = int(text.size());
    while (i < n && text.at(i) == u' ')
        ++i;
    int end = n;
    while (end > i && text.at(end - 1) == u' ')
        --end;
    if (i >= end)
        return std::nullopt;
    std::string s;
    s.reserve(size_t(end - i));
    if (text.at(i) == u'+' || text.at(i) == u'-') {
        if (text.at(i) == u'-')
            s += '-';
        ++i;
    }
    int digits = 0;
    bool point = false;
    for (; i < end; ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            s += char(c.unicode());
            ++digits;
        } else if (c == u'.' && !point) {
            s += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < end && (text.at(i) == u'e' || text.at(i) == u'E')) {
        s += 'e';
        ++i;
        if (i < end && (text.at(i) == u'+' || text.at(i) == u'-'))
            s += char(text.at(i++).unicode());
        int expDigits = 0;
        for (; i < end && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i, ++expDigits)
            s += char(text.at(i).unicode());
        if (expDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size())
        return std::nullopt; // out of range counts as no number
    return value;
}

TSortCompare::Key TSortCompare::MakeKey(const QString& text) const
{
    Key key;
    try {
        if (!m_dateSeparator.isNull() && text.contains(m_dateSeparator))
            key.day = ParseShortDate(text, m_locale);
        key.number = ParseDecimal(text);
        key.text = m_collator.sortKey(text);
    } catch (const std::exception&) {
        // A text that cannot be classified (no memory for its sort key) compares equal to
        // every other, as a failing comparison does; the sort goes on.
        key = Key();
        key.failed = true;
    }
    key.raw = text;
    return key;
}

int TSortCompare::CompareText(const Key& a, const Key& b) const
{
    const int r = (a.text && b.text) ? a.text->compare(*b.text) : m_collator.compare(a.raw, b.raw);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

int TSortCompare::CompareKeys(const Key& a, const Key& b) const
{
    if (a.failed || b.failed)
        return 0;
    try {
        if (a.day && b.day) {
            const qint64 d = *a.day - *b.day;
            return int(std::clamp<qint64>(d, -INT_MAX, INT_MAX));
        }
        if (a.number && b.number)
            return *a.number < *b.number ? -1 : (*a.number > *b.number ? 1 : 0);
        return CompareText(a, b);
    } catch (const std::exception&) {
        return 0; // a failing comparison counts as equal; the sort goes on
    }
}

int TSortCompare::Compare(const QString& a, const QString& b) const
{
    return CompareKeys(MakeKey(a), MakeKey(b));
}
