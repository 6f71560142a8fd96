#pragma once
#include "components/paint/TLookTypes.h"
#include "components/paint/TRect.h"
#include <QPainter>
#include <QWidget>

// The layout routine of a panel page's position handler: places one child inside gaps
// of a rectangle and frames it.
class TGapPlacer
{
public:
    // Sets control's bounds (in its parent's coordinates) to
    //   left   = rect.Left + leftGap,          top    = rect.Top + topGap,
    //   width  = rect.Right - rightGap - leftGap,
    //   height = rect.Bottom - bottomGap - topGap   (negative sizes become 0),
    // repaints the control, and unless style is kxNoDraw draws a one-pixel 3-D frame on
    // canvas one pixel outside those bounds (kxBoxIn sunken, kxBoxOut raised). Nothing
    // happens when control is null; no frame is drawn when canvas is null.
    // When canvas is painting the control's parent, the control is not asked to repaint
    // again: it is painted after its parent in that same pass anyway, and asking again from
    // inside the parent's paint would make the two repaint each other forever.
    static void PlaceInGaps(QWidget* control, QPainter* canvas, int leftGap, int topGap,
                            int rightGap, int bottomGap, const TRect& rect, TKXCStyle style);
};
