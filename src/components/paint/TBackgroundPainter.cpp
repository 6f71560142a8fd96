#include "components/paint/TBackgroundPainter.h"
#include "components/paint/TGradientPainter.h"
#include "platform/TColorRef.h"
#include <exception>

void TBackgroundPainter::Paint(QPainter& painter, const QRect& rect, TKXBackStyle style,
                               const QImage& bitmap, qint32 first, qint32 second)
{
    if (rect.isEmpty())
        return;
    try {
        switch (style) {
        case rbsNone: painter.fillRect(rect, TColorRef::ToQColor(second)); break;
        case rbsBitmap: Tile(painter, rect, bitmap); break;
        case rbsGradient: TGradientPainter::Paint(painter, rect, first, second); break;
        }
    } catch (const std::exception&) {
        painter.fillRect(rect, painter.brush());
    }
}

void TBackgroundPainter::Paint(QImage& surface, const QRect& rect, TKXBackStyle style,
                               const QImage& bitmap, qint32 first, qint32 second,
                               const QColor& brush)
{
    if (surface.isNull())
        return;
    QPainter painter(&surface);
    painter.setBrush(brush);
    Paint(painter, rect, style, bitmap, first, second);
}

void TBackgroundPainter::Tile(QPainter& painter, const QRect& rect, const QImage& bitmap)
{
    if (bitmap.isNull() || bitmap.width() <= 0 || bitmap.height() <= 0)
        return;
    if (rect.width() > MaxSurfaceSide || rect.height() > MaxSurfaceSide) {
        painter.fillRect(rect, painter.brush());
        return;
    }
    // A texture brush anchored at the rectangle's corner lays the tiles exactly where
    // stepping from the top-left by the bitmap's size would, without a temporary surface.
    const QImage tile = bitmap.format() == QImage::Format_RGB32
                            ? bitmap
                            : bitmap.convertToFormat(QImage::Format_RGB32);
    if (tile.isNull()) {
        painter.fillRect(rect, painter.brush());
        return;
    }
    painter.save();
    painter.setBrushOrigin(rect.topLeft());
    painter.fillRect(rect, QBrush(tile));
    painter.restore();
}
