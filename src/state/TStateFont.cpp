#include "state/TStateFont.h"
#include <QFontInfo>

int TStateFont::PointSize(const QFont& font)
{
    const int points = font.pointSize();
    return points > 0 ? points : QFontInfo(font).pointSize();
}
