#pragma once
#include "components/paint/TLookTypes.h"
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QtGlobal>

// The background of the styled controls: a plain fill, a tiled bitmap or a horizontal
// gradient, painted over one rectangle of a surface.
class TBackgroundPainter
{
public:
    // Surfaces larger than this on either side cannot be composed; tiling such a
    // rectangle falls back to the painter's brush.
    static constexpr int MaxSurfaceSide = 32767;

    // Paints rect on the painter:
    //  - rbsNone: fills it with the second colour;
    //  - rbsBitmap: tiles the bitmap from the rectangle's top-left corner, stepping by its
    //    width and height; an empty bitmap paints nothing; when the tiles cannot be
    //    composed the rectangle is filled with the painter's current brush;
    //  - rbsGradient: the horizontal gradient (TGradientPainter) from first to second.
    // Colours are colour numbers (0x00BBGGRR or system colours). If painting fails the
    // rectangle is filled with the painter's current brush instead.
    static void Paint(QPainter& painter, const QRect& rect, TKXBackStyle style,
                      const QImage& bitmap, qint32 first, qint32 second);

    // The same on an image surface, with brush as the surface's current brush colour.
    static void Paint(QImage& surface, const QRect& rect, TKXBackStyle style, const QImage& bitmap,
                      qint32 first, qint32 second, const QColor& brush);

private:
    static void Tile(QPainter& painter, const QRect& rect, const QImage& bitmap);
};
