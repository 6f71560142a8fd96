#pragma once
#include <QImage>
#include <QRect>
#include <QRgb>

// The plus/minus picture of an outline row, combined with the cell under it.
class TPlusMinusPainter
{
public:
    // Lays picture onto surface inside box with the cmMergePaint raster code ((not S) or D):
    // black picture pixels show white, white ones leave the cell unchanged. Stretched to
    // fill box when stretch is true; otherwise at box.left + max(0, (box width - picture
    // width) / 2) and box.top + max(0, (box height - picture height) / 2), clipped to the
    // surface. An empty picture draws nothing. No QPainter may be active on surface.
    static void Draw(QImage& surface, const QRect& box, const QImage& picture, bool stretch,
                     QRgb brush = 0);
};
