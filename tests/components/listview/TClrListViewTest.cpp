#include "components/listview/TClrListView.h"
#include "components/paint/TTextPainter.h"
#include "platform/TColorRef.h"
#include <QFont>
#include <QImage>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

constexpr qint32 kGreen = 0x00A000;  // Color
constexpr qint32 kBlue = 0x800000;   // CellPaintColour (navy)
constexpr qint32 kYellow = 0x00FFFF; // CellHiLightColour
constexpr qint32 kRed = 0x0000FF;    // TextHiLight
constexpr qint32 kBlack = 0x000000;  // TextNormalCol

QRgb Rgb(qint32 colour) { return TColorRef::ToQColor(colour).rgb() | 0xFF000000u; }

// A 300 x 200 list with one column and three rows, in distinct colours and a big font so
// text pixels of the exact colour exist.
class ClrList : public ::testing::Test
{
protected:
    void SetUp() override
    {
        view.setFrameStyle(0);
        view.resize(300, 200);
        QFont font("Liberation Sans");
        font.setPixelSize(20);
        font.setBold(true);
        view.setFont(font);
        view.AddColumn("Name", 315);
        for (const char* caption : {"WWWW", "MMMM", "HHHH"})
            view.AddItem(caption);
        view.SetColor(kGreen);
        view.SetCellPaintColour(kBlue);
        view.SetCellHiLightColour(kYellow);
        view.SetTextHiLight(kRed);
        view.SetTextNormalCol(kBlack);
        view.SetDrawCellOutline(rcsBox);
        view.SetDoCellOutline(rlsNone);
        view.show();
    }

    QImage Grab()
    {
        return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    static int Count(const QImage& image, const QRect& area, QRgb colour)
    {
        int n = 0;
        for (int y = std::max(0, area.top()); y <= std::min(area.bottom(), image.height() - 1); ++y)
            for (int x = std::max(0, area.left()); x <= std::min(area.right(), image.width() - 1);
                 ++x)
                n += (image.pixel(x, y) | 0xFF000000u) == colour;
        return n;
    }

    TClrListView view;
};

} // namespace

TEST(TClrListView, InitialValues)
{
    TClrListView view;
    EXPECT_TRUE(view.CellPaint());
    EXPECT_EQ(view.CellPaintColour(), view.Color());
    EXPECT_EQ(view.Color(), TSysColour::clWindow);
    EXPECT_EQ(view.CellHiLightColour(), 8388608);
    EXPECT_EQ(view.DrawCellOutline(), rcsBox);
    EXPECT_EQ(view.DoCellOutline(), rlsUnderline);
    EXPECT_EQ(view.CellOutlineWidth(), 1);
    EXPECT_EQ(view.HitGap(), 10);
    EXPECT_EQ(view.LeftGap(), 10);
    EXPECT_EQ(view.TextNormalCol(), 0);
    EXPECT_EQ(view.TextHiLight(), 255);
    EXPECT_FALSE(view.TextAsThreeD());
    EXPECT_EQ(view.ViewStyle(), vsReport);
    EXPECT_TRUE(view.ReadOnly());
    EXPECT_EQ(view.Style(), lvOwnerDrawFixed);
    EXPECT_FALSE(view.ShowColumnHeaders());
    EXPECT_EQ(view.HeaderHeight(), 0);
}

TEST(TClrListView, SetterRules)
{
    TClrListView view;
    view.resize(300, 100);
    view.SetCellPaintColour(kBlue);
    view.SetCellHiLightColour(kYellow);
    view.SetDoCellOutline(rlsUnderline);
    EXPECT_EQ(view.DrawCellOutline(), rcsNone);
    EXPECT_EQ(view.CellHiLightColour(), kBlue);
    view.SetDrawCellOutline(rcsBox);
    EXPECT_EQ(view.DoCellOutline(), rlsUnderline); // a box keeps the outline
    view.SetDrawCellOutline(rcsRoundLeft);
    EXPECT_EQ(view.DoCellOutline(), rlsNone);
    view.SetDoCellOutline(rlsBox);
    EXPECT_EQ(view.DoCellOutline(), rlsBox);
    EXPECT_EQ(view.DrawCellOutline(), rcsRoundLeft);
    view.SetDrawCellOutline(rcsRoundRight);
    EXPECT_EQ(view.DoCellOutline(), rlsNone);

    view.SetCellOutlineWidth(9);
    EXPECT_EQ(view.CellOutlineWidth(), 5);
    view.SetCellOutlineWidth(-3);
    EXPECT_EQ(view.CellOutlineWidth(), 0);
    view.SetHitGap(1000);
    EXPECT_EQ(view.HitGap(), 75);
    view.SetLeftGap(-4);
    EXPECT_EQ(view.LeftGap(), 0);
    view.SetLeftGap(30);
    EXPECT_EQ(view.LeftGap(), 30);

    view.SetCellPaint(false);
    EXPECT_FALSE(view.CellPaint());
    view.SetTextAsThreeD(true);
    EXPECT_TRUE(view.TextAsThreeD());
}

TEST_F(ClrList, ColumnsShareTheClientWidth)
{
    Grab();
    EXPECT_EQ(view.ColumnWidth(0), view.viewport()->width());
    view.resize(260, 200);
    Grab();
    EXPECT_EQ(view.ColumnWidth(0), view.viewport()->width());
    // The builder's "fit" request is overruled by the shared width.
    view.SetColumnWidth(0, -2);
    Grab();
    EXPECT_EQ(view.ColumnWidth(0), view.viewport()->width());
    view.AddColumn("Size", 50);
    view.AddColumn("Date", 50);
    Grab();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(view.ColumnWidth(i), view.viewport()->width() / 3);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
}

TEST_F(ClrList, CellsAndGaps)
{
    view.SetSelected(view.Item(1));
    const QImage image = Grab();
    const int right = view.viewport()->width() - view.HitGap();
    for (int row = 0; row < 3; ++row) {
        const QRect r = view.ItemRect(row);
        const int y = r.top() + 1;
        SCOPED_TRACE(row);
        EXPECT_EQ(image.pixel(r.left() + 5, y) | 0xFF000000u, Rgb(kGreen)); // left gap
        EXPECT_EQ(image.pixel(right + 3, y) | 0xFF000000u, Rgb(kGreen));    // right gap
        EXPECT_EQ(image.pixel(right - 3, y) | 0xFF000000u, Rgb(row == 1 ? kYellow : kBlue));
    }
    // Below the rows the list's own colour.
    EXPECT_EQ(image.pixel(150, view.ItemRect(2).bottom() + 5) | 0xFF000000u, Rgb(kGreen));
}

TEST_F(ClrList, SelectedRowDrawsItsCaptionInTextHiLight)
{
    view.SetSelected(view.Item(0));
    const QImage image = Grab();
    const QRect row0 = view.ItemRect(0), row1 = view.ItemRect(1);
    EXPECT_GT(Count(image, row0, Rgb(kRed)), 20);
    EXPECT_EQ(Count(image, row0, Rgb(kBlack)), 0);
    EXPECT_GT(Count(image, row1, Rgb(kBlack)), 20);
    EXPECT_EQ(Count(image, row1, Rgb(kRed)), 0);
    // The text starts after the left gap twice over plus the fixed offset.
    const int textStart = row0.left() + 2 * view.LeftGap() + 5 + 2;
    EXPECT_EQ(Count(image, QRect(0, row0.top(), textStart, row0.height()), Rgb(kRed)), 0);
}

TEST_F(ClrList, EmbossedCaption)
{
    const QRgb light = Rgb(TSysColour::clBtnHighlight);
    ASSERT_NE(light, Rgb(kBlue));
    TTextPainter::ResetCopiesDrawn();
    QImage image = Grab();
    EXPECT_EQ(TTextPainter::CopiesDrawn(), 3); // one plain copy per row
    EXPECT_EQ(Count(image, view.ItemRect(0), light), 0);

    view.SetTextAsThreeD(true);
    TTextPainter::ResetCopiesDrawn();
    image = Grab();
    EXPECT_EQ(TTextPainter::CopiesDrawn(), 6); // highlight copy and text, a 15-point font
    const QRect row0 = view.ItemRect(0);
    EXPECT_GT(Count(image, row0, light), 10);
    EXPECT_GT(Count(image, row0, Rgb(kBlack)), 10);
}

TEST_F(ClrList, UnderlineStyleLeavesNoCellUntilAShapeIsChosen)
{
    view.SetDoCellOutline(rlsUnderline);
    view.SetSelected(view.Item(0));
    QImage image = Grab();
    const int right = view.viewport()->width() - view.HitGap();
    EXPECT_EQ(image.pixel(right - 3, view.ItemRect(0).top() + 1) | 0xFF000000u, Rgb(kGreen));
    EXPECT_EQ(image.pixel(right - 3, view.ItemRect(1).top() + 1) | 0xFF000000u, Rgb(kGreen));
    EXPECT_EQ(Count(image, view.ItemRect(0), Rgb(kYellow)), 0);

    // With a box again: the highlight now equals the cell colour, and the selected row
    // is underlined in TextHiLight.
    view.SetDrawCellOutline(rcsBox);
    image = Grab();
    const QRect r = view.ItemRect(0);
    const int y = r.top() + r.height() - 2; // bottom - (width + 1)
    const int x1 = r.left() + view.LeftGap() + r.height() / 2;
    EXPECT_EQ(image.pixel(x1 + 1, y) | 0xFF000000u, Rgb(kRed));
    EXPECT_EQ(image.pixel(right - 3, y) | 0xFF000000u, Rgb(kRed));
    EXPECT_EQ(image.pixel(x1 - 2, y) | 0xFF000000u, Rgb(kBlue));
    EXPECT_EQ(image.pixel(right - 3, r.top() + 1) | 0xFF000000u, Rgb(kBlue));
}

TEST_F(ClrList, CellPaintOffFillsNoCells)
{
    view.SetCellPaint(false);
    view.Repaint();
    const QImage image = Grab();
    const int right = view.viewport()->width() - view.HitGap();
    EXPECT_EQ(image.pixel(right - 3, view.ItemRect(0).top() + 1) | 0xFF000000u, Rgb(kGreen));
    EXPECT_GT(Count(image, view.ItemRect(0), Rgb(kBlack)), 20); // the text is still there
}

TEST_F(ClrList, RoundedEndOnlyOnTheSelectedRow)
{
    view.SetDrawCellOutline(rcsRoundRight);
    view.SetSelected(view.Item(0));
    const QImage image = Grab();
    const QRect r0 = view.ItemRect(0), r1 = view.ItemRect(1);
    const int right = view.viewport()->width() - view.HitGap();
    // The selected cell's right corners stay in the cell colour, its middle is highlight.
    EXPECT_EQ(image.pixel(right - 1, r0.top() + 1) | 0xFF000000u, Rgb(kBlue));
    EXPECT_EQ(image.pixel(right - 3, r0.center().y()) | 0xFF000000u, Rgb(kYellow));
    EXPECT_EQ(image.pixel(view.LeftGap() + 1, r0.top()) | 0xFF000000u, Rgb(kBlue));
    EXPECT_EQ(image.pixel(view.LeftGap() + 1, r0.center().y()) | 0xFF000000u, Rgb(kYellow));
    // Another row is a plain box.
    EXPECT_EQ(image.pixel(right - 1, r1.top()) | 0xFF000000u, Rgb(kBlue));
}

TEST_F(ClrList, SubItemsInTheirColumns)
{
    view.ClearItems();
    view.AddColumn("Size", 50);
    TListItem* item = view.AddItem("");
    item->SubItems << "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
    view.ItemsChanged();
    const QImage image = Grab();
    const QRect r = view.ItemRect(0);
    const int half = view.viewport()->width() / 2;
    EXPECT_EQ(Count(image, QRect(0, r.top(), half + 5, r.height()), Rgb(kBlack)), 0);
    EXPECT_GT(Count(image, QRect(half + 5, r.top(), half, r.height()), Rgb(kBlack)), 20);
    // Clipped before the cell's right end.
    const int right = view.viewport()->width() - view.HitGap();
    EXPECT_EQ(Count(image, QRect(right - 2, r.top(), 100, r.height()), Rgb(kBlack)), 0);
}

TEST_F(ClrList, NoColumnsStillPaints)
{
    view.ClearColumns();
    const QImage image = Grab();
    const int right = view.viewport()->width() - view.HitGap();
    EXPECT_EQ(image.pixel(right - 3, view.ItemRect(0).top() + 1) | 0xFF000000u, Rgb(kBlue));
    EXPECT_EQ(Count(image, view.ItemRect(0), Rgb(kBlack)), 0); // no column for the text
}
