#pragma once
#include <QPainter>
#include <QRect>
#include <QRgb>
#include <QtGlobal>
#include <vector>

// The horizontal gradient of the styled controls: a blend from a first colour at the left
// edge to a second colour at the right edge, drawn as vertical bands of solid colour.
//
// With S = the rectangle's width: per channel delta = (second - first) / S in floating
// point; band i (i = 0..S) has the colour first + trunc(delta * i) and spans from the
// previous band's right edge to left + trunc(W / S * i), the last band ending at the right
// edge. For W = S every band is one pixel, so column j gets colour j + 1: the first column
// is already one step from the first colour and the last column is the second colour.
class TGradientPainter
{
public:
    // Fills rect on the painter. Colours are colour numbers (0x00BBGGRR or system colours).
    // A rectangle of zero or negative width draws nothing; equal colours fill it plainly.
    static void Paint(QPainter& painter, const QRect& rect, qint32 first, qint32 second);

    // One solid band of the gradient: columns [Left, Right) in Colour (opaque).
    struct TBand
    {
        int Left;
        int Right;
        QRgb Colour;
    };

    // The non-empty bands of a gradient over [left, left + width) between two RGB colours.
    static std::vector<TBand> Bands(int left, int width, QRgb first, QRgb second);
};
