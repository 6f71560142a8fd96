#pragma once
#include "components/paint/TLookTypes.h"
#include <QtGlobal>

// How the rows of a styled list look: what the outliners and the document list share.
// Colours are colour numbers (0x00BBGGRR or system colours). A control holds one and hands
// it out whole, so a look is read, copied and compared as one value.
struct TCellLook
{
    bool CellPaint = true;
    qint32 CellPaintColour = 0;
    qint32 CellHiLightColour = 0x800000;
    TCellStyle DrawCellOutline = rcsBox;
    TKXLineStyle DoCellOutline = rlsUnderline;
    int CellOutlineWidth = 1; // 0..5
    int HitGap = 10;          // inset of every cell from the right edge
    int LeftGap = 10;         // inset of every cell from the left edge
    qint32 TextNormalCol = 0;
    qint32 TextHiLight = 255; // also the outline of the highlighted cell
    bool TextAsThreeD = false;

    static constexpr int MaxOutlineWidth = 5;

    // The look with every value within what a control can draw: outline width 0..5, gaps
    // not negative (a control further keeps them within a quarter of its width).
    TCellLook Usable() const;

    bool operator==(const TCellLook&) const = default;
};
