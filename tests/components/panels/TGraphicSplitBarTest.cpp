#include "components/panels/TGraphicSplitBar.h"
#include "platform/TColorRef.h"
#include <QImage>
#include <gtest/gtest.h>
#include <vector>

namespace {

const std::vector<int> kBand8 = {255, 240, 224, 209, 193, 178, 162, 147};

// A 40 x 20 black bar with the given shadow, eight lines thick.
QImage Shadowed(TShadowStyle style, int border = 0)
{
    TGraphicSplitBar bar;
    bar.resize(40, 20);
    bar.SetColor(TColours::clBlack);
    bar.SetBorderStyle(border);
    bar.SetShadowStyle(style);
    return bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int Grey(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    EXPECT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
    return qRed(p);
}

void ExpectColumns(const QImage& image, int x0, int dx, const std::vector<int>& greys)
{
    for (size_t i = 0; i < greys.size(); ++i)
        for (int y : {0, 10, image.height() - 1})
            EXPECT_EQ(Grey(image, x0 + int(i) * dx, y), greys[i]) << "column " << x0 + int(i) * dx;
}

void ExpectRows(const QImage& image, int y0, int dy, const std::vector<int>& greys)
{
    for (size_t i = 0; i < greys.size(); ++i)
        for (int x : {0, 20, image.width() - 1})
            EXPECT_EQ(Grey(image, x, y0 + int(i) * dy), greys[i]) << "row " << y0 + int(i) * dy;
}

// The right and bottom bands begin just past the bar: their white line is never seen.
const std::vector<int> kFarBand8(kBand8.begin() + 1, kBand8.end());

} // namespace

TEST(TGraphicSplitBarTest, LeftAndRightBands)
{
    const QImage both = Shadowed(ssLeftRight);
    ExpectColumns(both, 0, 1, kBand8);
    ExpectColumns(both, 39, -1, kFarBand8);
    EXPECT_EQ(Grey(both, 8, 10), 0);
    EXPECT_EQ(Grey(both, 32, 10), 0);

    const QImage left = Shadowed(ssShadLeft);
    ExpectColumns(left, 0, 1, kBand8);
    EXPECT_EQ(Grey(left, 39, 10), 0);

    const QImage right = Shadowed(ssShadRight);
    ExpectColumns(right, 39, -1, kFarBand8);
    EXPECT_EQ(Grey(right, 0, 10), 0);
}

TEST(TGraphicSplitBarTest, TopAndBottomBands)
{
    const QImage bottom = Shadowed(ssShadBottom);
    ExpectRows(bottom, 19, -1, kFarBand8);
    EXPECT_EQ(Grey(bottom, 0, 0), 0);
    EXPECT_EQ(Grey(bottom, 20, 12), 0);
    EXPECT_EQ(Grey(bottom, 0, 10), 0);

    const QImage top = Shadowed(ssShadTop);
    ExpectRows(top, 0, 1, kBand8);
    EXPECT_EQ(Grey(top, 20, 19), 0);

    const QImage both = Shadowed(ssTopBottom);
    ExpectRows(both, 0, 1, kBand8);
    ExpectRows(both, 19, -1, kFarBand8);

    const QImage none = Shadowed(ssNoShad);
    EXPECT_EQ(Grey(none, 0, 0), 0);
    EXPECT_EQ(Grey(none, 39, 19), 0);
}

TEST(TGraphicSplitBarTest, SingleBorderFramesTheBandsInside)
{
    const QImage image = Shadowed(ssLeftRight, 1);
    EXPECT_EQ(Grey(image, 0, 10), 0); // the frame
    EXPECT_EQ(Grey(image, 39, 10), 0);
    EXPECT_EQ(Grey(image, 20, 0), 0);
    EXPECT_EQ(Grey(image, 1, 10), 255);
    EXPECT_EQ(Grey(image, 2, 10), 240);
    EXPECT_EQ(Grey(image, 38, 10), 240);
}

TEST(TGraphicSplitBarTest, ThicknessIsClampedAndSetsTheGreys)
{
    TGraphicSplitBar bar;
    EXPECT_EQ(bar.ShThickness(), 8);
    bar.SetShThickness(1);
    EXPECT_EQ(bar.ShThickness(), 2);
    bar.SetShThickness(40);
    EXPECT_EQ(bar.ShThickness(), 16);

    bar.resize(30, 10);
    bar.SetColor(TColours::clBlack);
    bar.SetShadowStyle(ssShadLeft);
    QImage image = bar.Compose();
    EXPECT_EQ(Grey(image, 1, 5), 255 - 15 / 2);
    EXPECT_EQ(Grey(image, 15, 5), 255 - (15 * 15) / 2);
    EXPECT_EQ(Grey(image, 16, 5), 0);

    bar.SetShThickness(2);
    image = bar.Compose();
    EXPECT_EQ(Grey(image, 0, 5), 255);
    EXPECT_EQ(Grey(image, 1, 5), 255 - 127 / 2);
    EXPECT_EQ(Grey(image, 2, 5), 0);
}

TEST(TGraphicSplitBarTest, PictureIsTiledAndRemovesTheShadow)
{
    QImage tile(3, 2, QImage::Format_RGB32);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            tile.setPixel(x, y, qRgb(10 + x * 40, 20 + y * 100, 77));
    TGraphicSplitBar bar;
    bar.resize(10, 5);
    bar.SetShadowStyle(ssShadBottom);
    bar.SetColor(TColours::clRed);
    bar.SetPicture(tile);
    EXPECT_EQ(bar.ShadowStyle(), ssNoShad);
    tile.fill(Qt::green); // the bar keeps its own copy
    const QImage image = bar.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(image.pixel(x, y), qRgb(10 + (x % 3) * 40, 20 + (y % 2) * 100, 77))
                << x << "," << y;

    bar.SetPicture(QImage()); // an empty picture: back to the colour
    EXPECT_EQ(bar.Compose().pixel(4, 4), qRgb(255, 0, 0));
}

TEST(TGraphicSplitBarTest, EdgeFramesThePartTheBandsLeave)
{
    TGraphicSplitBar bar;
    bar.resize(40, 20);
    bar.SetColor(TColours::clBlack);
    bar.SetShadowStyle(ssShadLeft);
    bar.SetDrawEdge(true);
    const QImage image = bar.Compose();
    const QRgb light = TColorRef::ToRgb(TSysColour::clBtnHighlight);
    const QRgb dark = TColorRef::ToRgb(TSysColour::clBtnShadow);
    EXPECT_EQ(image.pixel(8, 10), light);
    EXPECT_EQ(image.pixel(20, 0), light);
    EXPECT_EQ(image.pixel(39, 10), dark);
    EXPECT_EQ(image.pixel(20, 19), dark);
    EXPECT_EQ(image.pixel(20, 10), qRgb(0, 0, 0));
    EXPECT_EQ(qRed(image.pixel(7, 10)), 147);

    // Bands wider than the bar leave no room for an edge; nothing breaks.
    bar.resize(40, 6);
    bar.SetShadowStyle(ssTopBottom);
    const QImage thin = bar.Compose();
    EXPECT_EQ(thin.size(), QSize(40, 6));
}

TEST(TGraphicSplitBarTest, DefaultsAndSystemColour)
{
    TGraphicSplitBar bar;
    EXPECT_EQ(bar.Color(), TSysColour::clBtnFace);
    EXPECT_EQ(bar.ShadowStyle(), ssNoShad);
    EXPECT_FALSE(bar.DrawEdge());
    EXPECT_EQ(bar.BorderStyle(), 0);
    EXPECT_TRUE(bar.Picture().isNull());
    EXPECT_TRUE(bar.testAttribute(Qt::WA_OpaquePaintEvent));
    EXPECT_EQ(bar.Compose().pixel(5, 1), TColorRef::ToRgb(TSysColour::clBtnFace));
    bar.SetBorderStyle(7);
    EXPECT_EQ(bar.BorderStyle(), 0);
    bar.resize(0, 0);
    EXPECT_FALSE(bar.Compose().isNull());
}
