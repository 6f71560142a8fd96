#include "components/listview/TListGeometry.h"
#include <algorithm>

int TListGeometry::ReportRows() const
{
    return std::max(1, (Viewport.height() - HeaderHeight) / RowHeight);
}

int TListGeometry::PerLine() const
{
    if (Style == vsList)
        return std::max(1, Viewport.height() / CellHeight);
    return std::max(1, Viewport.width() / CellWidth);
}

int TListGeometry::Lines() const
{
    const int per = PerLine();
    return (Count + per - 1) / per;
}

int TListGeometry::VisibleLines() const
{
    if (Style == vsList)
        return std::max(1, Viewport.width() / CellWidth);
    return std::max(1, Viewport.height() / CellHeight);
}

int TListGeometry::VerticalStep() const
{
    return Style == vsReport || Style == vsList ? 1 : PerLine();
}

int TListGeometry::HorizontalStep() const { return Style == vsList ? PerLine() : 1; }

int TListGeometry::PageStep() const
{
    if (Style == vsReport)
        return ReportRows();
    return Style == vsList ? PerLine() : VisibleLines() * PerLine();
}

QRect TListGeometry::ItemRect(int index) const
{
    if (index < 0 || index >= Count)
        return {};
    if (Style == vsReport) {
        // Far rows of a tall font stay far without overflowing.
        constexpr qint64 kFar = 1 << 28;
        const qint64 top = HeaderHeight + qint64(index - VertScroll) * RowHeight;
        return QRect(-HorzScroll, int(std::clamp(top, -kFar, kFar)), ReportWidth, RowHeight);
    }
    const int per = PerLine();
    const int line = index / per, pos = index % per;
    if (Style == vsList)
        return QRect((line - HorzScroll) * CellWidth, pos * CellHeight, CellWidth, CellHeight);
    return QRect(pos * CellWidth, (line - VertScroll) * CellHeight, CellWidth, CellHeight);
}

int TListGeometry::IndexAt(const QPoint& p) const
{
    if (p.x() < 0 || p.y() < 0 || p.x() >= Viewport.width() || p.y() >= Viewport.height())
        return -1;
    int index;
    if (Style == vsReport) {
        const int y = p.y() - HeaderHeight;
        if (y < 0)
            return -1;
        index = VertScroll + y / RowHeight;
    } else {
        const int per = PerLine();
        const int column = p.x() / CellWidth, row = p.y() / CellHeight;
        if (Style == vsList) {
            if (row >= per)
                return -1;
            index = (column + HorzScroll) * per + row;
        } else {
            if (column >= per)
                return -1;
            index = (row + VertScroll) * per + column;
        }
    }
    return index < Count ? index : -1;
}

int TListGeometry::TopIndex() const
{
    if (Style == vsReport)
        return Count ? VertScroll : -1;
    const int index = (Style == vsList ? HorzScroll : VertScroll) * PerLine();
    return index < Count ? index : -1;
}

int TListGeometry::FirstVisible() const
{
    if (Style == vsReport)
        return std::max(0, VertScroll);
    return std::max(0, (Style == vsList ? HorzScroll : VertScroll) * PerLine());
}

int TListGeometry::LastVisible() const
{
    int last;
    if (Style == vsReport) {
        last = VertScroll + (Viewport.height() - HeaderHeight) / RowHeight + 1;
    } else {
        const int per = PerLine();
        if (Style == vsList)
            last = HorzScroll * per + (Viewport.width() / CellWidth + 2) * per;
        else
            last = VertScroll * per + (Viewport.height() / CellHeight + 2) * per;
    }
    return std::min(last, Count - 1);
}
