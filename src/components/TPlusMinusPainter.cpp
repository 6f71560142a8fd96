#include "TPlusMinusPainter.h"

#include "platform/TRasterOp.h"

#include <algorithm>

void TPlusMinusPainter::Draw(QImage& surface, const QRect& box, const QImage& picture,
                             bool stretch, QRgb brush)
{
    if (picture.isNull() || surface.isNull() || box.isEmpty())
        return;
    if (stretch) {
        const QImage scaled = picture.scaled(box.size(), Qt::IgnoreAspectRatio,
                                             Qt::FastTransformation);
        TRasterOp::Copy(surface, box.x(), box.y(), scaled, scaled.rect(), TCopyMode::cmMergePaint,
                        brush);
        return;
    }
    const int x = box.x() + std::max(0, (box.width() - picture.width()) / 2);
    const int y = box.y() + std::max(0, (box.height() - picture.height()) / 2);
    TRasterOp::Copy(surface, x, y, picture, picture.rect(), TCopyMode::cmMergePaint, brush);
}
