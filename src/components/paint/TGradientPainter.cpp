#include "components/paint/TGradientPainter.h"
#include "platform/TColorRef.h"
#include <algorithm>
#include <cmath>

std::vector<TGradientPainter::TBand> TGradientPainter::Bands(int left, int width, QRgb first,
                                                             QRgb second)
{
    std::vector<TBand> bands;
    if (width <= 0)
        return bands;
    const int steps = width; // never negative here, so the "100 when negative" rule is moot
    const double dr = double(qRed(second) - qRed(first)) / steps;
    const double dg = double(qGreen(second) - qGreen(first)) / steps;
    const double db = double(qBlue(second) - qBlue(first)) / steps;
    const double columnsPerStep = double(width) / steps;
    bands.reserve(size_t(steps));
    int previousRight = left;
    for (int i = 0; i <= steps; ++i) {
        const int right = i == steps ? left + width : left + int(std::trunc(columnsPerStep * i));
        if (right > previousRight) {
            const QRgb c =
                qRgb(qRed(first) + int(std::trunc(dr * i)), qGreen(first) + int(std::trunc(dg * i)),
                     qBlue(first) + int(std::trunc(db * i)));
            bands.push_back({previousRight, right, c});
            previousRight = right;
        }
    }
    return bands;
}

void TGradientPainter::Paint(QPainter& painter, const QRect& rect, qint32 first, qint32 second)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const QRgb a = TColorRef::ToRgb(first);
    const QRgb b = TColorRef::ToRgb(second);
    if ((a & 0xFFFFFFu) == (b & 0xFFFFFFu)) {
        painter.fillRect(rect, QColor(a));
        return;
    }
    // One scan line holds every band; laid as a texture it repeats down the rectangle,
    // which fills row by row instead of one narrow column per band.
    QImage line(rect.width(), 1, QImage::Format_RGB32);
    if (line.isNull()) {
        for (const TBand& band : Bands(rect.x(), rect.width(), a, b))
            painter.fillRect(QRect(band.Left, rect.y(), band.Right - band.Left, rect.height()),
                             QColor(band.Colour));
        return;
    }
    auto* pixels = reinterpret_cast<QRgb*>(line.scanLine(0));
    for (const TBand& band : Bands(0, rect.width(), a, b))
        std::fill(pixels + band.Left, pixels + band.Right, band.Colour);
    painter.save();
    painter.setBrushOrigin(rect.topLeft());
    painter.fillRect(rect, QBrush(line));
    painter.restore();
}
