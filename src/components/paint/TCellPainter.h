#pragma once
#include "components/paint/TCellLook.h"
#include "components/paint/TLookTypes.h"
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRgb>
#include <QtGlobal>

// The row cells of the styled lists: the cell's fill shape and the line drawn on it.
// Colours are colour numbers (0x00BBGGRR or system colours). Rectangles are QRects whose
// pixels are x..x+width-1; "right" and "bottom" below mean the exclusive edges
// x + width and y + height.
class TCellPainter
{
public:
    // Fills the cell shape over cell. The corner size of the rounded shapes is the cell's
    // height h.
    //  - rcsNone: nothing.
    //  - rcsBox: the whole cell in hiLightColour when highlighted, else paintColour.
    //  - rcsRoundRight / rcsRoundLeft on an ordinary row: the whole cell in paintColour.
    //  - rcsRoundRight, highlighted: the cell in paintColour, then, clipped to the cell, a
    //    rounded rectangle from (left - h, top + 1) to (right, bottom - 1) with h x h
    //    corner ellipses, filled and outlined in hiLightColour, so only the right end shows
    //    rounded; rcsRoundLeft the same from (left, top + 1) to (right + h, bottom - 1).
    // Pixels are set exactly (no antialiasing); the painter's state is left unchanged.
    static void FillShape(QPainter& painter, const QRect& cell, TCellStyle shape, bool highlighted,
                          qint32 paintColour, qint32 hiLightColour);

    // Draws the cell outline over cell with pen width `width`:
    //  - rlsNone: nothing.
    //  - rlsBox: a 3-D frame `width` lines thick nested inwards from the cell's edges,
    //    sunken when highlighted (button shadow top/left, button highlight bottom/right),
    //    raised otherwise; outlineColour is not used; width 0 draws nothing.
    //  - rlsUnderline: a line in outlineColour from (left + h/2, bottom - (width + 1)) to
    //    (right - (width + 1), same y), the end point excluded; max(1, width) pixels thick,
    //    centred on that y (so width 0 still draws a one-pixel line).
    static void DrawOutline(QPainter& painter, const QRect& cell, TKXLineStyle line, int width,
                            bool highlighted, qint32 outlineColour);

    // Everything that decides how one row's cell is composed off-screen.
    struct TCellLook
    {
        TCellStyle Shape = rcsBox;
        TKXLineStyle Line = rlsUnderline;
        int LineWidth = 1;
        qint32 PaintColour = 0;
        qint32 HiLightColour = 0x800000;
        qint32 TextHiLight = 0xFF;   // outline colour of the highlighted row
        quint32 CopyMode = 13369376; // cmSrcCopy: how the cell is laid on the surface
    };

    // The composition of a control's row look, laid on with copyMode.
    static TCellLook Composed(const ::TCellLook& look, quint32 copyMode);

    // Draws one cell of a row look straight on the painter: the shape filled when the look
    // paints cells (CellPaint), and, when it has a shape, the cell outline in TextHiLight
    // for the highlighted row and CellPaintColour for the others.
    static void PaintCell(QPainter& painter, const QRect& cell, const ::TCellLook& look,
                          bool highlighted);

    // Composes one cell the way an off-screen list draws it: the shape is filled into
    // rowBitmap at (0, 0, cell width, cell height) (the row bitmap is (re)made when it is
    // null, narrower than the cell or of another height), laid onto surface at cell with
    // look.CopyMode (brush = the surface's brush colour, the pattern of the raster code),
    // and the outline is drawn on surface over cell in TextHiLight for the highlighted row
    // and PaintColour for the others. look.Shape rcsNone draws nothing at all. Returns
    // false when the row bitmap cannot be made (the caller then stops drawing cells).
    // No QPainter may be active on surface or rowBitmap during the call.
    static bool PaintCell(QImage& surface, QImage& rowBitmap, const QRect& cell,
                          const TCellLook& look, bool highlighted, QRgb brush);

    // The same for a control whose painter is already open on its surface (the outline
    // is drawn through painter). With surface null the control draws straight on the
    // painter's device: the cell is then laid on as a plain copy, whatever look.CopyMode.
    static bool PaintCell(QPainter& painter, QImage* surface, QImage& rowBitmap, const QRect& cell,
                          const TCellLook& look, bool highlighted, QRgb brush);

private:
    static bool PaintVisibleCell(QPainter& painter, QImage* surface, QImage& rowBitmap,
                                 const QRect& cell, const TCellLook& look, bool highlighted,
                                 QRgb brush);
};
