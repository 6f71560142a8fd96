#include "components/paint/TGradientPainter.h"
#include "platform/TColorRef.h"
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <cmath>
#include <gtest/gtest.h>

namespace {
QImage Canvas(int w, int h, QRgb fill = 0xFF00FF00)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}
} // namespace

TEST(TGradientPainterTest, BlackToWhiteOver256PixelsStepsOneGreyPerColumnFromTheFirst)
{
    QImage img = Canvas(256, 4);
    {
        QPainter p(&img);
        TGradientPainter::Paint(p, img.rect(), TColours::clBlack, TColours::clWhite);
    }
    for (int j = 0; j < 256; ++j) {
        const int grey = int(std::trunc(255.0 / 256.0 * (j + 1)));
        ASSERT_EQ(img.pixel(j, 0), qRgb(grey, grey, grey)) << "column " << j;
        ASSERT_EQ(img.pixel(j, 3), qRgb(grey, grey, grey)) << "column " << j;
    }
    EXPECT_EQ(qRed(img.pixel(0, 0)), 0); // trunc(0.996) is still the first colour
    EXPECT_EQ(qRed(img.pixel(1, 0)), 1);
    EXPECT_EQ(qRed(img.pixel(255, 0)), 255); // the last column is the second colour
}

TEST(TGradientPainterTest, ChannelsFallTowardZeroAndStayInsideTheRectangle)
{
    // Red falls (negative delta truncates toward zero), blue rises, green stays.
    QImage img = Canvas(20, 6);
    const QRect r(5, 1, 10, 4);
    {
        QPainter p(&img);
        TGradientPainter::Paint(p, r, 0x0040C8, 0x804000); // (200,64,0) -> (0,64,128)
    }
    for (int j = 0; j < 10; ++j) {
        const int red = 200 + int(std::trunc(-200.0 / 10 * (j + 1)));
        const int blue = int(std::trunc(128.0 / 10 * (j + 1)));
        ASSERT_EQ(img.pixel(5 + j, 2), qRgb(red, 64, blue)) << j;
    }
    EXPECT_EQ(img.pixel(4, 2), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(15, 2), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(8, 0), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(8, 5), 0xFF00FF00u);
}

TEST(TGradientPainterTest, EqualColoursFillAndEmptyRectanglesDrawNothing)
{
    QImage img = Canvas(8, 8);
    {
        QPainter p(&img);
        TGradientPainter::Paint(p, QRect(0, 0, 4, 8), 0x123456, 0x123456);
        TGradientPainter::Paint(p, QRect(4, 0, 0, 8), TColours::clBlack, TColours::clWhite);
        TGradientPainter::Paint(p, QRect(6, 0, -3, 8), TColours::clBlack, TColours::clWhite);
    }
    EXPECT_EQ(img.pixel(0, 0), TColorRef::ToRgb(0x123456));
    EXPECT_EQ(img.pixel(3, 7), TColorRef::ToRgb(0x123456));
    EXPECT_EQ(img.pixel(4, 0), 0xFF00FF00u);
    EXPECT_EQ(img.pixel(7, 7), 0xFF00FF00u);
}

TEST(TGradientPainterTest, BandsCoverTheWidthOnceWithOnePixelBands)
{
    const auto bands = TGradientPainter::Bands(10, 300, qRgb(0, 0, 0), qRgb(255, 0, 0));
    ASSERT_EQ(bands.size(), 300u);
    EXPECT_EQ(bands.front().Left, 10);
    EXPECT_EQ(bands.back().Right, 310);
    for (size_t i = 1; i < bands.size(); ++i)
        ASSERT_EQ(bands[i].Left, bands[i - 1].Right);
    EXPECT_EQ(bands.back().Colour, qRgb(255, 0, 0));
    EXPECT_TRUE(TGradientPainter::Bands(0, 0, 0, 0).empty());
}

TEST(TGradientPainterTest, SystemColoursAreResolvedThroughThePalette)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette p = saved;
    p.setColor(QPalette::Button, QColor(100, 100, 100));
    QGuiApplication::setPalette(p);
    QImage img = Canvas(2, 1);
    {
        QPainter painter(&img);
        TGradientPainter::Paint(painter, img.rect(), TSysColour::clBtnFace, 0xC8C8C8);
    }
    QGuiApplication::setPalette(saved);
    EXPECT_EQ(img.pixel(0, 0), qRgb(150, 150, 150));
    EXPECT_EQ(img.pixel(1, 0), qRgb(200, 200, 200));
}
