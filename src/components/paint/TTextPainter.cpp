#include "components/paint/TTextPainter.h"
#include "platform/TColorRef.h"
#include <QFontMetrics>

namespace {
int g_copies = 0;

void DrawCopy(QPainter& painter, const QRect& rect, const QString& elided, const QColor& colour,
              int dx, int dy)
{
    const QRect r = rect.translated(dx, dy);
    painter.save();
    painter.setPen(colour);
    painter.setClipRect(r, Qt::IntersectClip);
    painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, elided);
    painter.restore();
    ++g_copies;
}
} // namespace

qreal TTextPainter::PointSize(const QFont& font, const QPaintDevice* device)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    const int dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96;
    return font.pixelSize() * 72.0 / dpi;
}

int TTextPainter::Draw(QPainter& painter, const QRect& rect, const QString& text, const QFont& font,
                       qint32 colour, bool embossed)
{
    if (text.isEmpty() || rect.isEmpty())
        return 0;
    painter.save();
    painter.setFont(font);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QFontMetrics metrics(font, painter.device());
    // Only a single line is ever drawn: line breaks show as the rest of one line would.
    QString line = text;
    line.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    const QString elided = metrics.elidedText(line, Qt::ElideRight, rect.width());
    const QColor textColour = TColorRef::ToQColor(colour);
    int copies = 0;
    if (embossed) {
        DrawCopy(painter, rect, elided, TColorRef::ToQColor(TSysColour::clBtnHighlight), -1, -1);
        ++copies;
        if (PointSize(font, painter.device()) > 16) {
            DrawCopy(painter, rect, elided, TColorRef::ToQColor(TSysColour::clBtnShadow), 1, 1);
            DrawCopy(painter, rect, elided, textColour, -1, 0);
            copies += 2;
        } else {
            DrawCopy(painter, rect, elided, textColour, 0, 0);
            ++copies;
        }
    } else {
        DrawCopy(painter, rect, elided, textColour, 0, 0);
        ++copies;
    }
    painter.restore();
    return copies;
}

int TTextPainter::CopiesDrawn() { return g_copies; }

void TTextPainter::ResetCopiesDrawn() { g_copies = 0; }
