#include "components/paint/TWatermarkPainter.h"
#include "platform/TColorRef.h"
#include <QFontMetrics>
#include <algorithm>
#include <cmath>

QFont TWatermarkPainter::WatermarkFont(int g, const QPaintDevice* device)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif, QFont::NoAntialias);
    font.setWeight(QFont::Normal);
    font.setPixelSize(std::max(1, int(std::trunc(1.5 * g))));
    // Qt has no character-width field; stretch the face until its average width is g.
    const int natural = QFontMetrics(font, device).averageCharWidth();
    if (natural > 0)
        font.setStretch(std::clamp(int(std::lround(100.0 * g / natural)), 1, 4000));
    return font;
}

void TWatermarkPainter::Paint(QPainter& painter, int clientHeight, const QString& text,
                              qint32 colour)
{
    if (text.isEmpty() || clientHeight <= 0)
        return;
    const int n = int(text.size()) + 2;
    const int g = clientHeight / n;
    if (g <= 0)
        return;
    const QFont font = WatermarkFont(g, painter.device());
    const int ascent = QFontMetrics(font, painter.device()).ascent();
    const int x = 0, y = clientHeight - g / 2;

    struct TCopy
    {
        int dx, dy;
        QColor colour;
    };
    const TCopy copies[] = {
        {0, 0, TColorRef::ToQColor(TSysColour::clBtnHighlight)},
        {2, 2, TColorRef::ToQColor(TSysColour::clBtnShadow)},
        {1, 1, TColorRef::ToQColor(colour)},
    };
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setFont(font);
    for (const TCopy& c : copies) {
        painter.save();
        painter.translate(x + c.dx, y + c.dy);
        painter.rotate(-90);
        painter.setPen(c.colour);
        // The starting point is the top-left of the text cell, so the baseline lies one
        // ascent below it in the text's own direction.
        painter.drawText(QPointF(0, ascent), text);
        painter.restore();
    }
    painter.restore();
}
