#pragma once
#include <QChar>

// One UTF-16 code unit folded as QString::toCaseFolded folds it, for comparisons that
// ignore letter case without folded copies of the names compared: plain ASCII without
// Qt's tables, and a unit of a pair (a letter beyond the basic plane) as written.
class TCaseFold
{
public:
    static char16_t Unit(char16_t c)
    {
        if (c < 0x80)
            return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
        if (QChar::isSurrogate(c))
            return c;
        return char16_t(QChar::toCaseFolded(char32_t(c)));
    }
};
