#include "TCellPainter.h"

#include "TFramePainter.h"
#include "platform/TColorRef.h"
#include "platform/TRasterOp.h"

#include <algorithm>

void TCellPainter::FillShape(QPainter& painter, const QRect& cell, TCellStyle shape,
                             bool highlighted, qint32 paintColour, qint32 hiLightColour)
{
    if (shape == rcsNone || cell.isEmpty())
        return;
    const QColor paint = TColorRef::ToQColor(paintColour);
    const QColor hiLight = TColorRef::ToQColor(hiLightColour);
    if (shape == rcsBox) {
        painter.fillRect(cell, highlighted ? hiLight : paint);
        return;
    }
    painter.fillRect(cell, paint);
    if (!highlighted)
        return;

    const int h = cell.height();
    const int l = cell.x(), t = cell.y();
    const int r = l + cell.width(), b = t + h;
    // The rounded rectangle covers the pixels left..right-1 and top..bottom-1 of its
    // corner points, as an outlined figure does with a one-pixel pen.
    const int figLeft = shape == rcsRoundRight ? l - h : l;
    const int figRight = shape == rcsRoundRight ? r : r + h;
    const int figTop = t + 1, figBottom = b - 1;
    if (figBottom - figTop <= 0)
        return;
    const QRectF figure(figLeft, figTop, figRight - figLeft - 1, figBottom - figTop - 1);
    const qreal radius = std::min<qreal>(h / 2.0, std::min(figure.width(), figure.height()) / 2.0);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(cell, Qt::IntersectClip);
    painter.setPen(QPen(hiLight, 0));
    painter.setBrush(hiLight);
    painter.drawRoundedRect(figure, radius, radius, Qt::AbsoluteSize);
    painter.restore();
}

void TCellPainter::DrawOutline(QPainter& painter, const QRect& cell, TKXLineStyle line,
                               int width, bool highlighted, qint32 outlineColour)
{
    width = std::max(0, width);
    switch (line) {
    case rlsNone:
        return;
    case rlsBox:
        TFramePainter::Bevel(painter, cell, highlighted, width);
        return;
    case rlsUnderline: {
        const int half = cell.height() / 2;
        const int y = cell.y() + cell.height() - (width + 1);
        const int x1 = cell.x() + half;
        const int x2 = cell.x() + cell.width() - (width + 1);
        if (x2 <= x1)
            return;
        const int thickness = std::max(1, width);
        painter.fillRect(QRect(x1, y - (thickness - 1) / 2, x2 - x1, thickness),
                         TColorRef::ToQColor(outlineColour));
        return;
    }
    }
}

bool TCellPainter::PaintCell(QImage& surface, QImage& rowBitmap, const QRect& cell,
                             const TCellLook& look, bool highlighted, QRgb brush)
{
    if (look.Shape == rcsNone || cell.isEmpty() || surface.isNull())
        return true;
    const int w = cell.width(), h = cell.height();
    if (rowBitmap.isNull() || rowBitmap.width() < w || rowBitmap.height() != h
        || rowBitmap.format() != QImage::Format_RGB32) {
        rowBitmap = QImage(std::max(w, rowBitmap.width()), h, QImage::Format_RGB32);
        if (rowBitmap.isNull())
            return false;
    }
    const QRect local(0, 0, w, h);
    {
        QPainter row(&rowBitmap);
        FillShape(row, local, look.Shape, highlighted, look.PaintColour, look.HiLightColour);
    }
    TRasterOp::Copy(surface, cell.x(), cell.y(), rowBitmap, local, look.CopyMode, brush);
    QPainter out(&surface);
    DrawOutline(out, cell, look.Line, look.LineWidth, highlighted,
                highlighted ? look.TextHiLight : look.PaintColour);
    return true;
}
