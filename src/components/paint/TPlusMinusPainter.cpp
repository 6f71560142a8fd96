#include "components/paint/TPlusMinusPainter.h"
#include "platform/TRasterOp.h"
#include <algorithm>
#include <cstdlib>

namespace {

bool IsInk(QRgb pixel) { return (pixel & 0x00FFFFFFu) != 0x00FFFFFFu; }

// After the merge, the picture's ink (its non-white pixels) must stand out from the cell
// it lies on. On a light cell the merge makes the ink white, which vanishes; then the ink
// takes the colour the caller asks for, or black or white, whichever stands out.
void KeepInkVisible(QImage& surface, const QRect& area, QPoint origin, const QImage& picture,
                    const QImage& behind, QRgb ink)
{
    qint64 behindSum = 0, contrastSum = 0, count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (!IsInk(picture.pixel(x - origin.x(), y - origin.y())))
                continue;
            const int before = qGray(behind.pixel(x - area.x(), y - area.y()));
            behindSum += before;
            contrastSum += std::abs(qGray(surface.pixel(x, y)) - before);
            ++count;
        }
    }
    if (count == 0 || contrastSum / count >= TPlusMinusPainter::MinContrast)
        return;
    const int background = int(behindSum / count);
    QRgb colour = ink;
    if (std::abs(qGray(ink) - background) < TPlusMinusPainter::MinContrast)
        colour = background >= 128 ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
    colour |= 0xFF000000u;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (IsInk(picture.pixel(x - origin.x(), y - origin.y())))
                surface.setPixel(x, y, colour);
}

} // namespace

void TPlusMinusPainter::Draw(QImage& surface, const QRect& box, const QImage& picture, bool stretch,
                             QRgb brush, QRgb ink)
{
    if (picture.isNull() || surface.isNull() || box.isEmpty())
        return;
    const QImage placed =
        stretch ? picture.scaled(box.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation)
                : picture;
    const QRect at =
        stretch ? QRect(box.topLeft(), placed.size()) : Placement(box, picture.size(), false);
    const QRect area = at.intersected(surface.rect());
    if (area.isEmpty())
        return;
    const QImage behind = surface.copy(area);
    TRasterOp::Copy(surface, at.x(), at.y(), placed, placed.rect(), TCopyMode::cmMergePaint, brush);
    KeepInkVisible(surface, area, at.topLeft(), placed, behind, ink);
}

void TPlusMinusPainter::Draw(QPainter& painter, const QRect& box, const QImage& picture,
                             bool stretch)
{
    if (picture.isNull() || box.isEmpty())
        return;
    const QImage opaque = picture.format() == QImage::Format_RGB32
                              ? picture
                              : picture.convertToFormat(QImage::Format_RGB32);
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
    painter.drawImage(Placement(box, picture.size(), stretch), opaque);
    painter.restore();
}

QRect TPlusMinusPainter::Placement(const QRect& box, const QSize& picture, bool stretch)
{
    if (stretch)
        return box;
    return QRect(box.x() + std::max(0, (box.width() - picture.width()) / 2),
                 box.y() + std::max(0, (box.height() - picture.height()) / 2), picture.width(),
                 picture.height());
}
