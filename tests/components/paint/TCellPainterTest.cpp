#include "components/paint/TCellPainter.h"
#include "platform/TColorRef.h"
#include "platform/TRasterOp.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
constexpr qint32 kPaint = 0x00C0C0C0;   // silver
constexpr qint32 kHiLight = 0x00800000; // navy
constexpr QRgb kGround = 0xFF204060;

QImage Canvas(int w, int h, QRgb fill = kGround)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

QRgb Rgb(qint32 c) { return TColorRef::ToRgb(c); }
QRgb Shadow() { return TColorRef::ToRgb(TSysColour::clBtnShadow); }
QRgb Light() { return TColorRef::ToRgb(TSysColour::clBtnHighlight); }

QImage Shape(TCellStyle shape, bool highlighted, int w = 60, int h = 20)
{
    QImage img = Canvas(w, h);
    QPainter p(&img);
    TCellPainter::FillShape(p, img.rect(), shape, highlighted, kPaint, kHiLight);
    return img;
}
} // namespace

TEST(TCellPainterTest, BoxFillsWithTheRowsColour)
{
    EXPECT_EQ(Shape(rcsBox, false).pixel(0, 0), Rgb(kPaint));
    EXPECT_EQ(Shape(rcsBox, true).pixel(59, 19), Rgb(kHiLight));
    EXPECT_EQ(Shape(rcsNone, true).pixel(30, 10), kGround);
    // Rounded shapes on an ordinary row are a plain box in the paint colour.
    EXPECT_EQ(Shape(rcsRoundRight, false).pixel(59, 10), Rgb(kPaint));
    EXPECT_EQ(Shape(rcsRoundLeft, false).pixel(0, 10), Rgb(kPaint));
}

TEST(TCellPainterTest, RoundRightRoundsOnlyTheRightEndOfTheHighlight)
{
    const QImage img = Shape(rcsRoundRight, true);
    EXPECT_EQ(img.pixel(30, 10), Rgb(kHiLight)); // middle
    EXPECT_EQ(img.pixel(0, 10), Rgb(kHiLight));  // left end runs square to the edge
    EXPECT_EQ(img.pixel(0, 1), Rgb(kHiLight));
    EXPECT_EQ(img.pixel(59, 1), Rgb(kPaint)); // right corner keeps the cell colour
    EXPECT_EQ(img.pixel(59, 18), Rgb(kPaint));
    EXPECT_EQ(img.pixel(59, 10), Rgb(kHiLight)); // the round end reaches the edge mid-height
    EXPECT_EQ(img.pixel(30, 0), Rgb(kPaint));    // first and last rows stay cell colour
    EXPECT_EQ(img.pixel(30, 19), Rgb(kPaint));
}

TEST(TCellPainterTest, RoundLeftRoundsOnlyTheLeftEnd)
{
    const QImage img = Shape(rcsRoundLeft, true);
    EXPECT_EQ(img.pixel(30, 10), Rgb(kHiLight));
    EXPECT_EQ(img.pixel(0, 1), Rgb(kPaint));
    EXPECT_EQ(img.pixel(0, 18), Rgb(kPaint));
    EXPECT_EQ(img.pixel(59, 1), Rgb(kHiLight));
    EXPECT_EQ(img.pixel(59, 18), Rgb(kHiLight));
}

TEST(TCellPainterTest, RoundShapeAtAnOffsetStaysInsideItsCell)
{
    QImage img = Canvas(100, 40);
    {
        QPainter p(&img);
        TCellPainter::FillShape(p, QRect(10, 10, 60, 20), rcsRoundRight, true, kPaint, kHiLight);
    }
    EXPECT_EQ(img.pixel(9, 20), kGround);
    EXPECT_EQ(img.pixel(70, 20), kGround);
    EXPECT_EQ(img.pixel(10, 20), Rgb(kHiLight));
    EXPECT_EQ(img.pixel(69, 11), Rgb(kPaint));
}

TEST(TCellPainterTest, BoxOutlineNestsWidthLinesSunkenForTheHighlightedRow)
{
    const QRect cell(5, 5, 30, 20);
    for (int width : {0, 1, 3}) {
        SCOPED_TRACE(width);
        QImage img = Canvas(40, 30);
        {
            QPainter p(&img);
            TCellPainter::DrawOutline(p, cell, rlsBox, width, true, TColours::clRed);
        }
        for (int k = 0; k < 3; ++k) {
            const bool drawn = k < width;
            EXPECT_EQ(img.pixel(10, 5 + k), drawn ? Shadow() : kGround) << "top line " << k;
            EXPECT_EQ(img.pixel(5 + k, 15), drawn ? Shadow() : kGround) << "left line " << k;
            EXPECT_EQ(img.pixel(10, 24 - k), drawn ? Light() : kGround) << "bottom line " << k;
            EXPECT_EQ(img.pixel(34 - k, 15), drawn ? Light() : kGround) << "right line " << k;
        }
        EXPECT_EQ(img.pixel(4, 15), kGround);
        EXPECT_EQ(img.pixel(35, 15), kGround);
    }
    QImage raised = Canvas(40, 30);
    {
        QPainter p(&raised);
        TCellPainter::DrawOutline(p, cell, rlsBox, 1, false, TColours::clRed);
    }
    EXPECT_EQ(raised.pixel(10, 5), Light());
    EXPECT_EQ(raised.pixel(10, 24), Shadow());
}

TEST(TCellPainterTest, UnderlineRunsFromHalfTheHeightToTheRightInset)
{
    const QRect cell(10, 0, 100, 30); // half = 15, right edge 110, bottom edge 30
    for (int width : {0, 1, 2}) {
        SCOPED_TRACE(width);
        QImage img = Canvas(120, 30);
        {
            QPainter p(&img);
            TCellPainter::DrawOutline(p, cell, rlsUnderline, width, false, TColours::clRed);
        }
        const int y = 30 - (width + 1);
        const int x2 = 110 - (width + 1); // end point excluded
        EXPECT_EQ(img.pixel(25, y), qRgb(255, 0, 0));
        EXPECT_EQ(img.pixel(x2 - 1, y), qRgb(255, 0, 0));
        EXPECT_EQ(img.pixel(24, y), kGround);
        EXPECT_EQ(img.pixel(x2, y), kGround);
        EXPECT_EQ(img.pixel(60, y - 2), kGround);
        int rows = 0;
        for (int yy = 0; yy < 30; ++yy)
            rows += img.pixel(60, yy) == qRgb(255, 0, 0);
        EXPECT_EQ(rows, std::max(1, width));
    }
}

TEST(TCellPainterTest, CellLaidWithSourcePaintBrightensInsteadOfCovering)
{
    TCellPainter::TCellLook look;
    look.Shape = rcsBox;
    look.Line = rlsNone;
    look.PaintColour = TColours::clSilver;
    QImage rowBitmap;

    look.CopyMode = TCopyMode::cmSrcPaint;
    QImage painted = Canvas(50, 30, qRgb(0x20, 0x3F, 0x80));
    ASSERT_TRUE(TCellPainter::PaintCell(painted, rowBitmap, QRect(5, 5, 40, 20), look, false, 0));
    EXPECT_EQ(painted.pixel(10, 10), qRgb(0xE0, 0xFF, 0xC0));
    EXPECT_EQ(painted.pixel(2, 2), qRgb(0x20, 0x3F, 0x80));

    look.CopyMode = TCopyMode::cmSrcCopy;
    QImage copied = Canvas(50, 30, qRgb(0x20, 0x3F, 0x80));
    ASSERT_TRUE(TCellPainter::PaintCell(copied, rowBitmap, QRect(5, 5, 40, 20), look, false, 0));
    EXPECT_EQ(copied.pixel(10, 10), qRgb(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(rowBitmap.height(), 20);
}

TEST(TCellPainterTest, CellOutlineUsesTheHighlightTextColourOnlyOnTheHighlightedRow)
{
    TCellPainter::TCellLook look;
    look.Shape = rcsBox;
    look.Line = rlsUnderline;
    look.LineWidth = 1;
    look.PaintColour = TColours::clSilver;
    look.HiLightColour = TColours::clNavy;
    look.TextHiLight = TColours::clRed;
    QImage rowBitmap;
    QImage img = Canvas(100, 60);
    TCellPainter::PaintCell(img, rowBitmap, QRect(0, 0, 100, 30), look, true, 0);
    TCellPainter::PaintCell(img, rowBitmap, QRect(0, 30, 100, 30), look, false, 0);
    EXPECT_EQ(img.pixel(50, 28), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(50, 10), qRgb(0, 0, 128));
    EXPECT_EQ(img.pixel(50, 58), qRgb(192, 192, 192)); // drawn, but in the cell's own colour

    look.Shape = rcsNone; // no cells: neither fill nor line
    QImage none = Canvas(100, 30);
    TCellPainter::PaintCell(none, rowBitmap, QRect(0, 0, 100, 30), look, true, 0);
    EXPECT_EQ(none.pixel(50, 28), kGround);
}
