#pragma once
#include "components/paint/TLookTypes.h"
#include <QColor>
#include <QPainter>
#include <QRect>

// The 3-D frames of the styled controls. Every routine sets exact pixels (no pen
// geometry, no antialiasing) and leaves the painter's pen and brush as they were.
class TFramePainter
{
public:
    // A frame `width` lines thick, nested inwards from the edges of outer (the pixels of
    // a QRect: x..x+width-1). Each line has its top row and left column in topLeft and
    // its bottom row and right column in bottomRight (the top-right and bottom-left
    // corner pixels belong to the bottom/right colour). A width of 0 or less draws nothing.
    static void Frame3D(QPainter& painter, const QRect& outer, const QColor& topLeft,
                        const QColor& bottomRight, int width);

    // Frame3D in the system colours: sunken = button shadow on the top and left, button
    // highlight on the bottom and right; raised = the two swapped.
    static void Bevel(QPainter& painter, const QRect& outer, bool sunken, int width = 1);

    // The frame around a whole control's client rectangle. With L, T the left and top and
    // R, B the exclusive right and bottom edges: a one-pixel line from (L, B) to (L, T) to
    // (R, T) in the first colour, then from (R, T) to (R, B) to (L, B) in the second, the
    // end point of each line excluded. kxBoxIn: button shadow first, button highlight
    // second; kxBoxOut: the reverse; kxNoDraw: nothing. Since the second colour's lines lie
    // on the exclusive edges, only the left and top lines show inside the client area.
    static void ControlFrame(QPainter& painter, const QRect& client, TKXCStyle style);
};
