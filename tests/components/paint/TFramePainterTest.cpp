#include "components/paint/TFramePainter.h"
#include "platform/TColorRef.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
constexpr QRgb kGround = 0xFF204060;
QImage Canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(kGround);
    return img;
}
QRgb Shadow() { return TColorRef::ToRgb(TSysColour::clBtnShadow); }
QRgb Light() { return TColorRef::ToRgb(TSysColour::clBtnHighlight); }
} // namespace

TEST(TFramePainterTest, ControlFrameShowsOnlyTheLeftAndTopLines)
{
    for (TKXCStyle style : {kxBoxIn, kxBoxOut}) {
        SCOPED_TRACE(int(style));
        QImage img = Canvas(20, 10);
        {
            QPainter p(&img);
            TFramePainter::ControlFrame(p, img.rect(), style);
        }
        const QRgb first = style == kxBoxIn ? Shadow() : Light();
        EXPECT_EQ(img.pixel(0, 0), first);
        EXPECT_EQ(img.pixel(19, 0), first);
        EXPECT_EQ(img.pixel(0, 9), first);
        EXPECT_EQ(img.pixel(19, 9), kGround); // right and bottom lie past the client area
        EXPECT_EQ(img.pixel(10, 9), kGround);
        EXPECT_EQ(img.pixel(19, 5), kGround);
    }
    QImage none = Canvas(20, 10);
    {
        QPainter p(&none);
        TFramePainter::ControlFrame(p, none.rect(), kxNoDraw);
    }
    EXPECT_EQ(none.pixel(0, 0), kGround);
}

TEST(TFramePainterTest, ControlFrameOnALargerSurfaceDrawsTheSecondColourOnTheExclusiveEdges)
{
    QImage img = Canvas(30, 20);
    {
        QPainter p(&img);
        TFramePainter::ControlFrame(p, QRect(5, 5, 10, 8), kxBoxIn);
    }
    EXPECT_EQ(img.pixel(15, 5), Light()); // x = right edge
    EXPECT_EQ(img.pixel(15, 12), Light());
    EXPECT_EQ(img.pixel(10, 13), Light()); // y = bottom edge
    EXPECT_EQ(img.pixel(5, 13), Shadow()); // the first line starts at (L, B)
    EXPECT_EQ(img.pixel(15, 13), Light()); // (R, B) starts the bottom line
    EXPECT_EQ(img.pixel(16, 13), kGround);
    EXPECT_EQ(img.pixel(4, 13), kGround);
}

TEST(TFramePainterTest, Frame3DNestsLinesAndStopsWhenTheRectangleIsUsedUp)
{
    QImage img = Canvas(6, 6);
    {
        QPainter p(&img);
        TFramePainter::Frame3D(p, img.rect(), Qt::red, Qt::blue, 10);
    }
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(5, 5), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(5, 0), qRgb(0, 0, 255)); // top-right corner belongs to the right line
    EXPECT_EQ(img.pixel(0, 5), qRgb(0, 0, 255)); // bottom-left corner to the bottom line
}
