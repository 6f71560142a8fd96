#include "components/panels/TGapPlacer.h"
#include "platform/TColorRef.h"
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
constexpr QRgb kGround = 0xFF204060;
QRgb Shadow() { return TColorRef::ToRgb(TSysColour::clBtnShadow); }
QRgb Light() { return TColorRef::ToRgb(TSysColour::clBtnHighlight); }
} // namespace

TEST(TGapPlacerTest, WindowGapsOnA231By428PagePlaceThePanelAt20And30)
{
    QWidget page;
    page.resize(231, 428);
    QWidget panel(&page);
    QImage canvas(231, 428, QImage::Format_RGB32);
    canvas.fill(kGround);
    {
        QPainter p(&canvas);
        // The window's handler: all gaps 20, top and bottom + 10.
        TGapPlacer::PlaceInGaps(&panel, &p, 20, 30, 20, 30, TRect{0, 0, 231, 428}, kxBoxIn);
    }
    EXPECT_EQ(panel.geometry(), QRect(20, 30, 191, 368));
    // A sunken one-pixel frame just outside: (19, 29) .. (211, 398).
    EXPECT_EQ(canvas.pixel(100, 29), Shadow());
    EXPECT_EQ(canvas.pixel(19, 100), Shadow());
    EXPECT_EQ(canvas.pixel(100, 398), Light());
    EXPECT_EQ(canvas.pixel(211, 100), Light());
    EXPECT_EQ(canvas.pixel(100, 28), kGround);
    EXPECT_EQ(canvas.pixel(100, 30), kGround); // the panel's own area is left alone
    EXPECT_EQ(canvas.pixel(212, 100), kGround);
}

TEST(TGapPlacerTest, RaisedFrameNoFrameAndNoControl)
{
    QWidget page;
    QWidget panel(&page);
    QImage canvas(100, 100, QImage::Format_RGB32);
    canvas.fill(kGround);
    {
        QPainter p(&canvas);
        TGapPlacer::PlaceInGaps(&panel, &p, 10, 10, 10, 10, TRect{0, 0, 100, 100}, kxBoxOut);
    }
    EXPECT_EQ(canvas.pixel(50, 9), Light());
    EXPECT_EQ(canvas.pixel(50, 90), Shadow());

    canvas.fill(kGround);
    {
        QPainter p(&canvas);
        TGapPlacer::PlaceInGaps(&panel, &p, 5, 5, 5, 5, TRect{0, 0, 100, 100}, kxNoDraw);
        TGapPlacer::PlaceInGaps(nullptr, &p, 5, 5, 5, 5, TRect{0, 0, 100, 100}, kxBoxIn);
    }
    EXPECT_EQ(panel.geometry(), QRect(5, 5, 90, 90));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(canvas.pixel(i, 4), kGround);
    // Without a canvas the control is still placed.
    TGapPlacer::PlaceInGaps(&panel, nullptr, 1, 2, 3, 4, TRect{0, 0, 100, 100}, kxBoxIn);
    EXPECT_EQ(panel.geometry(), QRect(1, 2, 96, 94));
}

TEST(TGapPlacerTest, GapsWiderThanTheRectangleGiveAnEmptyControlNotANegativeOne)
{
    QWidget page;
    QWidget panel(&page);
    TGapPlacer::PlaceInGaps(&panel, nullptr, 60, 60, 60, 60, TRect{0, 0, 100, 100}, kxNoDraw);
    EXPECT_EQ(panel.pos(), QPoint(60, 60));
    EXPECT_EQ(panel.size(), QSize(0, 0));
}
