#pragma once
#include "components/paint/TOwnerDrawState.h"

class QPainter;
class QRect;
class TSortListView;

// The standard look of a list view that does not draw its rows itself: the view's colours,
// the system highlight for the selected row, small images, texts with an end ellipsis, a
// dotted focus frame, and a raised column header.
class TListDefaultPainter
{
public:
    static constexpr int ImageGap = 20;  // a small image and the gap after it
    static constexpr int IconSpace = 36; // picture area of a large-icon cell

    // One row of the view in rect; nothing for an index out of range.
    static void DrawItem(QPainter& canvas, TSortListView& view, int index, const QRect& rect,
                         TOwnerDrawState state);
    // The column header across the top width pixels.
    static void DrawHeader(QPainter& canvas, TSortListView& view, int width);
};
