#include "state/TStateFont.h"
#include "state/TStateValue.h"
#include <QFontInfo>
#include <QWidget>
#include <algorithm>

namespace {
const QString kFontName = QStringLiteral("FontName");
const QString kFontSize = QStringLiteral("FontSize");
const QString kFontColour = QStringLiteral("FontColour");
} // namespace

int TStateFont::PointSize(const QFont& font)
{
    const int points = font.pointSize();
    return points > 0 ? points : QFontInfo(font).pointSize();
}

bool TStateFont::Write(TSectionWriter& writer, const QFont& font, qint32 colour)
{
    return writer.Text(kFontName, font.family()) && writer.Integer(kFontSize, PointSize(font)) &&
           writer.Integer(kFontColour, colour);
}

bool TStateFont::Read(const TSectionReader& reader, QWidget& control,
                      const std::function<void(qint32)>& setColour)
{
    QFont font = control.font();
    const QString face = TStateValue::FontFace(reader.Text(kFontName));
    if (!face.isEmpty())
        font.setFamily(face);
    // The size is passed as read, except that a font cannot hold 0 points or less: such a
    // size becomes the smallest one that can be drawn.
    font.setPointSize(std::max(MinPointSize, reader.Lenient(kFontSize)));
    control.setFont(font);

    qint32 colour = 0;
    if (!reader.Strict(kFontColour, &colour))
        return false;
    setColour(colour);
    return true;
}
