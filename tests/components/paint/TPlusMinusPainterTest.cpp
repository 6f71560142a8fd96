#include "components/paint/TPlusMinusPainter.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
constexpr QRgb kCell = 0xFF336699;

QImage Canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kCell);
    return img;
}

// 4 x 4: a black plus on white.
QImage Plus()
{
    QImage pic(4, 4, QImage::Format_RGB32);
    pic.fill(Qt::white);
    for (int i = 0; i < 4; ++i) {
        pic.setPixel(1, i, qRgb(0, 0, 0));
        pic.setPixel(i, 1, qRgb(0, 0, 0));
    }
    return pic;
}
} // namespace

TEST(TPlusMinusPainterTest, BlackShowsWhiteAndWhiteLeavesTheCellCentredInTheBox)
{
    QImage img = Canvas(20, 20);
    TPlusMinusPainter::Draw(img, QRect(2, 2, 10, 12), Plus(), false);
    // Placed at (2 + 3, 2 + 4).
    EXPECT_EQ(img.pixel(6, 6), qRgb(255, 255, 255)); // black picture pixel -> white
    EXPECT_EQ(img.pixel(5, 7), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(5, 6), kCell); // white picture pixel -> unchanged
    EXPECT_EQ(img.pixel(8, 9), kCell);
    EXPECT_EQ(img.pixel(4, 7), kCell);
}

TEST(TPlusMinusPainterTest, PictureLargerThanTheBoxStartsAtItsCorner)
{
    QImage img = Canvas(20, 20);
    TPlusMinusPainter::Draw(img, QRect(10, 10, 2, 2), Plus(), false);
    EXPECT_EQ(img.pixel(11, 10), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(13, 11), qRgb(255, 255, 255)); // drawn whole, beyond the box
}

TEST(TPlusMinusPainterTest, StretchFillsTheBox)
{
    QImage img = Canvas(20, 20);
    TPlusMinusPainter::Draw(img, QRect(0, 0, 8, 8), Plus(), true);
    EXPECT_EQ(img.pixel(2, 0), qRgb(255, 255, 255)); // column 1 doubled to 2..3
    EXPECT_EQ(img.pixel(3, 7), qRgb(255, 255, 255));
    EXPECT_EQ(img.pixel(7, 7), kCell);
}

TEST(TPlusMinusPainterTest, EmptyPictureDrawsNothing)
{
    QImage img = Canvas(8, 8);
    TPlusMinusPainter::Draw(img, img.rect(), QImage(), false);
    TPlusMinusPainter::Draw(img, img.rect(), QImage(), true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(img.pixel(x, y), kCell);
}
