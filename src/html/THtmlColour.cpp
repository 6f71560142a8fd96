#include "html/THtmlColour.h"

namespace {

bool IsHex(const QString& s)
{
    for (QChar c : s)
        if (!isxdigit(c.toLatin1()) || c.unicode() > 0x7F)
            return false;
    return !s.isEmpty();
}

} // namespace

QColor THtmlColour::Parse(const QString& value)
{
    QString v = value.trimmed();
    if (v.isEmpty())
        return QColor();
    if (v.startsWith(u'#'))
        v.remove(0, 1);
    if ((v.size() == 6 || v.size() == 3) && IsHex(v))
        return QColor(u'#' + v);
    if (!value.trimmed().startsWith(u'#')) {
        const QColor named = QColor::fromString(v.toLower());
        if (named.isValid())
            return named;
    }
    // Browsers of the time read a short or long hex run by padding or cutting it.
    if (IsHex(v) && v.size() < 12) {
        QString padded = v.leftJustified(6, u'0', true);
        return QColor(u'#' + padded);
    }
    return QColor();
}
