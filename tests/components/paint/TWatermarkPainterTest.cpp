#include "components/paint/TWatermarkPainter.h"
#include "platform/TColorRef.h"
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {
constexpr QRgb kGround = 0xFF204060;

struct TInk
{
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1, count = 0;
};

TInk InkOf(const QImage& img)
{
    TInk ink;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kGround) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
                ++ink.count;
            }
    return ink;
}

QImage Render(int w, int h, const QString& text, qint32 colour = TColours::clRed)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kGround);
    QPainter p(&img);
    TWatermarkPainter::Paint(p, h, text, colour);
    return img;
}
} // namespace

TEST(TWatermarkPainterTest, VerticalTextHugsTheLeftEdgeAndRunsUpFromTheBottom)
{
    const QImage img = Render(300, 400, QStringLiteral("Calderwyn"));
    const TInk ink = InkOf(img);
    ASSERT_GT(ink.count, 100);
    const int g = 400 / (9 + 2); // 36
    // The text cell starts at x = 0; the glyphs begin below the font's internal leading.
    EXPECT_LE(ink.left, g / 2);
    EXPECT_LE(ink.right, 2 * g);            // one line of characters, no more
    EXPECT_LE(ink.bottom, 400 - g / 2 + 3); // starts at height - g/2 (+ the offsets)
    EXPECT_GT(ink.bottom - ink.top, 4 * g); // runs a long way up
    // All three copies are present: highlight, shadow and the control's colour.
    int highlight = 0, shadow = 0, own = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < 60; ++x) {
            const QRgb c = img.pixel(x, y);
            highlight += c == TColorRef::ToRgb(TSysColour::clBtnHighlight);
            shadow += c == TColorRef::ToRgb(TSysColour::clBtnShadow);
            own += c == qRgb(255, 0, 0);
        }
    EXPECT_GT(highlight, 0);
    EXPECT_GT(shadow, 0);
    EXPECT_GT(own, 0);
}

TEST(TWatermarkPainterTest, NoTextOrNoRoomDrawsNothing)
{
    EXPECT_EQ(InkOf(Render(100, 200, QString())).count, 0);
    EXPECT_EQ(InkOf(Render(100, 10, QStringLiteral("Calderwyn"))).count, 0); // g = 0
}

TEST(TWatermarkPainterTest, FontHasTheRequestedCellAndIsUnsmoothed)
{
    QImage device(10, 10, QImage::Format_RGB32);
    const QFont f = TWatermarkPainter::WatermarkFont(20, &device);
    EXPECT_EQ(f.pixelSize(), 30);
    EXPECT_EQ(f.styleStrategy() & QFont::NoAntialias, QFont::NoAntialias);
    EXPECT_NEAR(QFontMetrics(f, &device).averageCharWidth(), 20, 3);
}
