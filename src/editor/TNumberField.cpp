#include "TNumberField.h"
#include <limits>

namespace {

// The value of one digit in the given base, or -1.
int DigitValue(QChar c, int base)
{
    const char16_t u = c.unicode();
    int d = -1;
    if (u >= u'0' && u <= u'9')
        d = u - u'0';
    else if (u >= u'a' && u <= u'f')
        d = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        d = u - u'A' + 10;
    return d < base ? d : -1;
}

} // namespace

int TNumberField::Value(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && text[i] == u'$') {
        base = 16;
        ++i;
    }
    if (i >= n)
        return 0;

    // Decimal numbers must fit a signed 32-bit integer; hexadecimal ones may use all 32
    // bits, so "$FFFFFFFF" reads as -1, as a colour number would.
    const quint64 limit =
        base == 16 ? 0xFFFFFFFFull : quint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    quint64 value = 0;
    for (; i < n; ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0)
            return 0;
        value = value * quint64(base) + quint64(digit);
        if (value > limit)
            return 0;
    }
    qint64 result = base == 16 ? qint64(qint32(quint32(value))) : qint64(value);
    if (negative)
        result = -result;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max())
        return 0;
    return int(result);
}
