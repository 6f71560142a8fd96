#include "components/paint/TPlusMinusPainter.h"
#include <QImage>
#include <cstdlib>
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

namespace {

// 11 x 11 like the built-in pictures: a black frame round a black plus, white between.
QImage Glyph()
{
    QImage pic(11, 11, QImage::Format_RGB32);
    pic.fill(Qt::white);
    for (int i = 0; i < 11; ++i) {
        for (const QPoint p : {QPoint(i, 0), QPoint(i, 10), QPoint(0, i), QPoint(10, i)})
            pic.setPixel(p, qRgb(0, 0, 0));
        if (i >= 2 && i <= 8) {
            pic.setPixel(5, i, qRgb(0, 0, 0));
            pic.setPixel(i, 5, qRgb(0, 0, 0));
        }
    }
    return pic;
}

QImage Gradient(int w, int h, QRgb from, QRgb to)
{
    QImage img(w, h, QImage::Format_RGB32);
    for (int x = 0; x < w; ++x) {
        const QRgb c = qRgb(qRed(from) + (qRed(to) - qRed(from)) * x / (w - 1),
                            qGreen(from) + (qGreen(to) - qGreen(from)) * x / (w - 1),
                            qBlue(from) + (qBlue(to) - qBlue(from)) * x / (w - 1));
        for (int y = 0; y < h; ++y)
            img.setPixel(x, y, c);
    }
    return img;
}

} // namespace

TEST(TPlusMinusPainterTest, TheInkStandsOutFromEveryCell)
{
    const struct
    {
        const char* cell;
        QImage surface;
        QRgb ink;
    } cases[] = {
        {"white", Gradient(40, 20, qRgb(255, 255, 255), qRgb(255, 255, 255)), qRgb(0, 0, 0)},
        {"silver highlight", Gradient(40, 20, qRgb(192, 192, 192), qRgb(192, 192, 192)),
         qRgb(255, 0, 0)},
        {"light gradient", Gradient(40, 20, qRgb(255, 255, 255), qRgb(150, 150, 220)),
         qRgb(0, 0, 0)},
        {"dark gradient", Gradient(40, 20, qRgb(0, 0, 128), qRgb(60, 60, 60)), qRgb(0, 0, 0)},
        {"white, white text", Gradient(40, 20, qRgb(255, 255, 255), qRgb(255, 255, 255)),
         qRgb(255, 255, 255)},
    };
    const QImage glyph = Glyph();
    for (auto c : cases) {
        SCOPED_TRACE(c.cell);
        const QImage before = c.surface.copy();
        const QRect box(14, 0, 16, 20);
        TPlusMinusPainter::Draw(c.surface, box, glyph, false, 0, c.ink);
        const QPoint at = TPlusMinusPainter::Placement(box, glyph.size(), false).topLeft();
        int contrast = 0, inked = 0;
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 11; ++x) {
                const QPoint p = at + QPoint(x, y);
                if (glyph.pixel(x, y) == qRgb(255, 255, 255)) {
                    ASSERT_EQ(c.surface.pixel(p), before.pixel(p)) << "white leaves the cell";
                    continue;
                }
                contrast += std::abs(qGray(c.surface.pixel(p)) - qGray(before.pixel(p)));
                ++inked;
            }
        EXPECT_GE(contrast / inked, TPlusMinusPainter::MinContrast);
    }
}

TEST(TPlusMinusPainterTest, InkThatWouldVanishTakesTheTextColourWhenThatStandsOut)
{
    QImage img(20, 20, QImage::Format_RGB32);
    img.fill(qRgb(255, 255, 255));
    TPlusMinusPainter::Draw(img, QRect(0, 0, 11, 11), Glyph(), false, 0, qRgb(200, 0, 0));
    EXPECT_EQ(img.pixel(5, 5), qRgb(200, 0, 0));
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 255, 255));
    img.fill(qRgb(255, 255, 255));
    TPlusMinusPainter::Draw(img, QRect(0, 0, 11, 11), Glyph(), false, 0, qRgb(250, 250, 250));
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 0)) << "a light text colour on a light cell";
}
