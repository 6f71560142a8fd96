#include "components/paint/TBackgroundPainter.h"
#include "platform/TColorRef.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
QImage Canvas(int w, int h, QRgb fill = 0xFF00FF00)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// A 3 x 2 tile whose pixels are all different, so the tiling phase is visible.
QImage Tile()
{
    QImage t(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            t.setPixel(x, y, qRgb(10 * x + 1, 100 * y + 1, 7));
    return t;
}
} // namespace

TEST(TBackgroundPainterTest, NoneFillsWithTheSecondColourOnly)
{
    QImage img = Canvas(10, 10);
    TBackgroundPainter::Paint(img, QRect(2, 2, 5, 5), rbsNone, QImage(), TColours::clRed,
                              TColours::clNavy, Qt::black);
    EXPECT_EQ(img.pixel(2, 2), qRgb(0, 0, 128));
    EXPECT_EQ(img.pixel(6, 6), qRgb(0, 0, 128));
    EXPECT_EQ(img.pixel(7, 7), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(1, 1), 0xFF00FF00u);
}

TEST(TBackgroundPainterTest, BitmapTilesFromTheRectanglesTopLeftCorner)
{
    QImage img = Canvas(20, 20);
    const QImage tile = Tile();
    const QRect r(4, 5, 10, 7);
    TBackgroundPainter::Paint(img, r, rbsBitmap, tile, 0, 0, Qt::black);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ASSERT_EQ(img.pixel(x, y), tile.pixel((x - r.left()) % 3, (y - r.top()) % 2))
                << x << "," << y;
    EXPECT_EQ(img.pixel(3, 5), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(14, 5), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(4, 12), 0xFF00FF00u);
}

TEST(TBackgroundPainterTest, EmptyBitmapPaintsNothing)
{
    QImage img = Canvas(6, 6);
    TBackgroundPainter::Paint(img, img.rect(), rbsBitmap, QImage(), TColours::clRed,
                              TColours::clNavy, Qt::black);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(img.pixel(x, y), 0xFF00FF00u);
}

TEST(TBackgroundPainterTest, TilesThatCannotBeComposedFallBackToTheBrush)
{
    // A rectangle wider than any surface that can be composed: the visible part of it is
    // filled with the surface's brush instead of the tiles.
    QImage img = Canvas(6, 6);
    TBackgroundPainter::Paint(img, QRect(0, 0, TBackgroundPainter::MaxSurfaceSide + 1, 3),
                              rbsBitmap, Tile(), 0, 0, QColor(1, 2, 3));
    EXPECT_EQ(img.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(5, 2), qRgb(1, 2, 3));
    EXPECT_EQ(img.pixel(5, 3), 0xFF00FF00u);
}

TEST(TBackgroundPainterTest, GradientStyleBlendsFirstToSecond)
{
    QImage img = Canvas(4, 2);
    TBackgroundPainter::Paint(img, img.rect(), rbsGradient, QImage(), TColours::clBlack, 0x040404,
                              Qt::black);
    EXPECT_EQ(img.pixel(0, 0), qRgb(1, 1, 1));
    EXPECT_EQ(img.pixel(3, 1), qRgb(4, 4, 4));
}
