#pragma once
#include <QString>

// One column of a report view. A Width of -1 asks for the width of the widest text of the
// column, -2 for the widest of the header text and the texts; the list view turns these
// into a pixel width the next time it needs the width (TSortListView::ColumnWidth).
class TListColumn
{
public:
    static constexpr int AutoSize = -1;
    static constexpr int AutoSizeUseHeader = -2;

    QString Caption;
    int Width = 50;
};
