#include "components/paint/TPlusMinusPainter.h"
#include "platform/TRasterOp.h"
#include <algorithm>

void TPlusMinusPainter::Draw(QImage& surface, const QRect& box, const QImage& picture, bool stretch,
                             QRgb brush)
{
    if (picture.isNull() || surface.isNull() || box.isEmpty())
        return;
    if (stretch) {
        const QImage scaled =
            picture.scaled(box.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
        TRasterOp::Copy(surface, box.x(), box.y(), scaled, scaled.rect(), TCopyMode::cmMergePaint,
                        brush);
        return;
    }
    const QRect at = Placement(box, picture.size(), false);
    TRasterOp::Copy(surface, at.x(), at.y(), picture, picture.rect(), TCopyMode::cmMergePaint,
                    brush);
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
