#pragma once
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRgb>
#include <QSize>

// The plus/minus picture of an outline row, combined with the cell under it.
class TPlusMinusPainter
{
public:
    // How far apart (in grey levels, 0..255) the ink of a picture and the cell under it
    // must be to be seen.
    static constexpr int MinContrast = 96;

    // Lays picture onto surface inside box with the cmMergePaint raster code ((not S) or D):
    // black picture pixels show white, white ones leave the cell unchanged. Stretched to
    // fill box when stretch is true; otherwise at box.left + max(0, (box width - picture
    // width) / 2) and box.top + max(0, (box height - picture height) / 2), clipped to the
    // surface. An empty picture draws nothing. No QPainter may be active on surface.
    // When the merged ink (the picture's non-white pixels) would not stand out from the
    // cell behind it by MinContrast on average, the ink is drawn in ink instead, or in
    // black or white when ink itself is too close to the cell.
    static void Draw(QImage& surface, const QRect& box, const QImage& picture, bool stretch,
                     QRgb brush = 0, QRgb ink = qRgb(0, 0, 0));

    // The same for a control that has no image to compose in and draws straight on its
    // canvas: the painter's own (not S) or D raster operation combines the picture, which
    // needs a raster paint device (an image or a widget's backing store).
    static void Draw(QPainter& painter, const QRect& box, const QImage& picture, bool stretch);

    // Where Draw lays a picture of the given size inside box.
    static QRect Placement(const QRect& box, const QSize& picture, bool stretch);
};
