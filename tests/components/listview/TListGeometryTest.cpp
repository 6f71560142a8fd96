#include "components/listview/TListGeometry.h"
#include <gtest/gtest.h>

// In every style, a point in a visible row's rectangle finds that row, the rows a paint
// draws cover every row that shows, the arrow keys move to the neighbouring cells, and
// nothing is found outside the rows.
TEST(TListGeometry, RectanglesAndHitsAgreeInEveryStyle)
{
    for (TViewStyle style : {vsReport, vsList, vsIcon, vsSmallIcon}) {
        TListGeometry g;
        g.Style = style;
        g.Count = 25;
        g.Viewport = QSize(100, 60);
        g.HeaderHeight = style == vsReport ? 12 : 0;
        g.RowHeight = 10;
        g.ReportWidth = 80;
        g.CellWidth = 30;
        g.CellHeight = style == vsIcon ? 20 : 10;
        g.HorzScroll = style == vsList ? 1 : 0;
        g.VertScroll = style == vsList ? 0 : 1;
        SCOPED_TRACE(int(style));

        int shown = 0;
        for (int i = 0; i < g.Count; ++i) {
            const QRect rect = g.ItemRect(i);
            const QRect rows(0, g.HeaderHeight, 100, 60 - g.HeaderHeight);
            if (!rows.contains(rect.center()))
                continue;
            ++shown;
            EXPECT_EQ(g.IndexAt(rect.center()), i);
            EXPECT_GE(i, g.FirstVisible());
            EXPECT_LE(i, g.LastVisible());
        }
        EXPECT_GT(shown, 1);
        // The arrow keys' steps land on the neighbour below and the neighbour to the right.
        const QRect first = g.ItemRect(0);
        EXPECT_EQ(g.ItemRect(g.VerticalStep()).topLeft(), first.bottomLeft() + QPoint(0, 1));
        if (style != vsReport)
            EXPECT_EQ(g.ItemRect(g.HorizontalStep()).topLeft(), first.topRight() + QPoint(1, 0));
        EXPECT_EQ(g.TopIndex(), g.IndexAt(QPoint(1, g.HeaderHeight + 1)));
        EXPECT_EQ(g.IndexAt(QPoint(-1, 30)), -1);
        EXPECT_EQ(g.IndexAt(QPoint(50, 60)), -1);
        EXPECT_TRUE(g.ItemRect(g.Count).isEmpty());
    }
    TListGeometry report; // the header is no row
    report.Style = vsReport;
    report.Count = 3;
    report.Viewport = QSize(100, 60);
    report.HeaderHeight = 12;
    report.RowHeight = 10;
    EXPECT_EQ(report.IndexAt(QPoint(5, 5)), -1);
    EXPECT_EQ(report.IndexAt(QPoint(5, 45)), -1); // below the last row
    EXPECT_EQ(report.ReportRows(), 4);
}
