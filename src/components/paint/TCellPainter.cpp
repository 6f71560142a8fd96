#include "components/paint/TCellPainter.h"
#include "components/paint/TFramePainter.h"
#include "platform/TColorRef.h"
#include "platform/TRasterOp.h"
#include <algorithm>
#include <cmath>

namespace {

// A filled and outlined rounded rectangle covering the pixels of figure, with corner
// ellipses `corner` wide and high (clamped to the figure), clipped to clip. Drawn row by
// row so the two ends are exact mirror images, as the cells of a list must be.
void FillRoundRect(QPainter& painter, const QRect& figure, int corner, const QColor& colour,
                   const QRect& clip)
{
    if (figure.isEmpty())
        return;
    const double a = std::min(corner, figure.width()) / 2.0;
    const double b = std::min(corner, figure.height()) / 2.0;
    const double x0 = figure.x(), x1 = figure.x() + figure.width();
    const double topCentre = figure.y() + b, bottomCentre = figure.y() + figure.height() - b;
    for (int y = figure.y(); y < figure.y() + figure.height(); ++y) {
        const double py = y + 0.5;
        const double dy = py < topCentre      ? topCentre - py
                          : py > bottomCentre ? py - bottomCentre
                                              : 0.0;
        const double t = b > 0 ? dy / b : 0.0;
        const double inset = a * (1.0 - std::sqrt(std::max(0.0, 1.0 - t * t)));
        // Pixels whose centres lie inside the outline.
        const int left = int(std::ceil(x0 + inset - 0.5));
        const int right = int(std::floor(x1 - inset - 0.5)); // inclusive
        const QRect span = QRect(QPoint(left, y), QPoint(right, y)).intersected(clip);
        if (!span.isEmpty())
            painter.fillRect(span, colour);
    }
}

} // namespace

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
    if (shape == rcsRoundRight)
        FillRoundRect(painter, QRect(QPoint(l - h, t + 1), QPoint(r - 1, b - 2)), h, hiLight, cell);
    else
        FillRoundRect(painter, QRect(QPoint(l, t + 1), QPoint(r + h - 1, b - 2)), h, hiLight, cell);
}

void TCellPainter::DrawOutline(QPainter& painter, const QRect& cell, TKXLineStyle line, int width,
                               bool highlighted, qint32 outlineColour)
{
    width = std::max(0, width);
    switch (line) {
    case rlsNone: return;
    case rlsBox: TFramePainter::Bevel(painter, cell, highlighted, width); return;
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
    QPainter out(&surface);
    return PaintCell(out, &surface, rowBitmap, cell, look, highlighted, brush);
}

bool TCellPainter::PaintCell(QPainter& painter, QImage* surface, QImage& rowBitmap,
                             const QRect& cell, const TCellLook& look, bool highlighted, QRgb brush)
{
    if (look.Shape == rcsNone || cell.isEmpty() || (surface && surface->isNull()))
        return true;
    // A row taller than the whole surface (a size read from a damaged state file) is
    // composed only where it can be seen, so its picture never grows with the number.
    QRect visibleCell = cell;
    if (surface && cell.height() > surface->height())
        visibleCell = cell.intersected(QRect(cell.left(), 0, cell.width(), surface->height()));
    if (visibleCell.isEmpty())
        return true;
    return PaintVisibleCell(painter, surface, rowBitmap, visibleCell, look, highlighted, brush);
}

bool TCellPainter::PaintVisibleCell(QPainter& painter, QImage* surface, QImage& rowBitmap,
                                    const QRect& cell, const TCellLook& look, bool highlighted,
                                    QRgb brush)
{
    const int w = cell.width(), h = cell.height();
    if (rowBitmap.isNull() || rowBitmap.width() < w || rowBitmap.height() != h ||
        rowBitmap.format() != QImage::Format_RGB32) {
        rowBitmap = QImage(std::max(w, rowBitmap.width()), h, QImage::Format_RGB32);
        if (rowBitmap.isNull())
            return false;
    }
    const QRect local(0, 0, w, h);
    {
        QPainter row(&rowBitmap);
        FillShape(row, local, look.Shape, highlighted, look.PaintColour, look.HiLightColour);
    }
    // The raster copy writes the surface's pixels directly; the open painter draws
    // straight into the same memory, so the two never see stale pixels.
    if (surface)
        TRasterOp::Copy(*surface, cell.x(), cell.y(), rowBitmap, local, look.CopyMode, brush);
    else
        painter.drawImage(cell.topLeft(), rowBitmap, local);
    DrawOutline(painter, cell, look.Line, look.LineWidth, highlighted,
                highlighted ? look.TextHiLight : look.PaintColour);
    return true;
}

TCellPainter::TCellLook TCellPainter::Composed(const ::TCellLook& look, quint32 copyMode)
{
    TCellLook composed;
    composed.Shape = look.DrawCellOutline;
    composed.Line = look.DoCellOutline;
    composed.LineWidth = look.CellOutlineWidth;
    composed.PaintColour = look.CellPaintColour;
    composed.HiLightColour = look.CellHiLightColour;
    composed.TextHiLight = look.TextHiLight;
    composed.CopyMode = copyMode;
    return composed;
}

void TCellPainter::PaintCell(QPainter& painter, const QRect& cell, const ::TCellLook& look,
                             bool highlighted)
{
    if (look.CellPaint)
        FillShape(painter, cell, look.DrawCellOutline, highlighted, look.CellPaintColour,
                  look.CellHiLightColour);
    if (look.DrawCellOutline != rcsNone)
        DrawOutline(painter, cell, look.DoCellOutline, look.CellOutlineWidth, highlighted,
                    highlighted ? look.TextHiLight : look.CellPaintColour);
}
