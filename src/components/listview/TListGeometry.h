#pragma once
#include "components/listview/TListViewTypes.h"
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the rows of a list view sit at one moment of its layout: sizes and scroll positions
// in, rectangles and indexes out, all in viewport coordinates. Report view stacks the rows
// under the column header; list view flows the cells top to bottom in columns (one column
// per horizontal scroll step); the icon views flow them left to right in lines (one line
// per vertical scroll step).
class TListGeometry
{
public:
    TViewStyle Style = vsIcon;
    int Count = 0; // rows
    QSize Viewport;
    int HeaderHeight = 0;
    int RowHeight = 1;
    int ReportWidth = 0; // of a report row
    int CellWidth = 1;   // of a flowing style's cell
    int CellHeight = 1;
    int HorzScroll = 0;
    int VertScroll = 0;

    // Whole report rows that fit under the header, at least 1.
    int ReportRows() const;
    // Cells in one line (list view: one column) of a flowing style, at least 1.
    int PerLine() const;
    // Lines of a flowing style that hold all rows, and that fit the viewport (at least 1).
    int Lines() const;
    int VisibleLines() const;

    // How far the caret moves for the arrows up and down, left and right (not in report
    // view, where they scroll sideways) and a page.
    int VerticalStep() const;
    int HorizontalStep() const;
    int PageStep() const;

    // An empty rectangle for an index out of range.
    QRect ItemRect(int index) const;
    // -1 outside the viewport and where no row is.
    int IndexAt(const QPoint& p) const;
    // The first row shown; -1 when there is none.
    int TopIndex() const;
    // The rows a paint may have to draw; last < first when there are none.
    int FirstVisible() const;
    int LastVisible() const;
};
