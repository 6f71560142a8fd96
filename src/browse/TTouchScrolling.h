#pragma once
#include <functional>

class QAbstractScrollArea;

// Dragging a list with a finger, with kinetic flicks (QScroller), for lists whose scroll bars
// count rows, not pixels: the finger moves the rows by as many pixels as it travels. A tap
// stays a click; the mouse is not affected.
class TTouchScrolling
{
public:
    using RowHeight = std::function<int()>;
    static void Enable(QAbstractScrollArea* area, RowHeight rowHeight);
};
