#include "components/panels/TKXPanelPage.h"
#include "common/TestSupport.h"
#include "components/panels/TGapPlacer.h"
#include "platform/TColorRef.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QImage Render(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(0xFF00FF00);
    w.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    return img;
}

// A child that counts its paints, to see whether painting ever settles.
class TCountingPanel : public QWidget
{
public:
    using QWidget::QWidget;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

class TCountingPage : public TKXPanelPage
{
public:
    using TKXPanelPage::TKXPanelPage;
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        ++paints;
        TKXPanelPage::paintEvent(e);
    }
};
} // namespace

TEST(TKXPanelPageTest, StartsWithTheInitialLook)
{
    TKXPanelPage page;
    EXPECT_EQ(page.BackGroundStyle(), rbsNone);
    EXPECT_TRUE(page.TileBitmap().isNull());
    EXPECT_EQ(page.GradientHiLight(), 0);
    EXPECT_EQ(page.GradientLoLight(), 0);
    EXPECT_EQ(page.ControlOutline(), kxNoDraw);
    EXPECT_EQ(page.AlignLeftGap(), 10);
    EXPECT_EQ(page.AlignTopGap(), 10);
    EXPECT_EQ(page.AlignRightGap(), 10);
    EXPECT_EQ(page.AlignBottomGap(), 10);
    EXPECT_EQ(page.LeaveSpaceAtBottom(), 50);
    EXPECT_EQ(page.LeaveSpaceAtTitle(), 40);
    EXPECT_TRUE(page.BitmapFileName().isEmpty());
    EXPECT_TRUE(page.testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST(TKXPanelPageTest, GapsAreClampedToAQuarterOfTheSide)
{
    TKXPanelPage page;
    page.resize(200, 100);
    page.SetAlignLeftGap(80);
    EXPECT_EQ(page.AlignLeftGap(), 50);
    page.SetAlignLeftGap(-5);
    EXPECT_EQ(page.AlignLeftGap(), 0);
    page.SetAlignRightGap(49);
    EXPECT_EQ(page.AlignRightGap(), 49);
    page.SetAlignTopGap(80);
    EXPECT_EQ(page.AlignTopGap(), 25);
    page.SetAlignBottomGap(-1);
    EXPECT_EQ(page.AlignBottomGap(), 0);
}

TEST(TKXPanelPageTest, GradientHiLightAlsoSetsTheColour)
{
    TKXPanelPage page;
    page.SetGradientHiLight(0x123456);
    EXPECT_EQ(page.GradientHiLight(), 0x123456);
    EXPECT_EQ(page.Color(), 0x123456);
    page.SetGradientLoLight(0x654321);
    EXPECT_EQ(page.Color(), 0x123456);
}

TEST(TKXPanelPageTest, PaintsEachBackgroundStyleOverTheClientArea)
{
    TKXPanelPage page;
    page.resize(256, 20);
    page.SetGradientLoLight(TColours::clNavy);
    QImage img = Render(page);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 128));
    EXPECT_EQ(img.pixel(255, 19), qRgb(0, 0, 128));

    page.SetBackGroundStyle(rbsGradient);
    page.SetGradientHiLight(TColours::clBlack);
    page.SetGradientLoLight(TColours::clWhite);
    img = Render(page);
    EXPECT_EQ(img.pixel(0, 5), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(127, 5), qRgb(127, 127, 127));
    EXPECT_EQ(img.pixel(255, 5), qRgb(255, 255, 255));

    // rbsBitmap with no tile paints nothing: what was there stays.
    page.SetBackGroundStyle(rbsBitmap);
    img = Render(page);
    EXPECT_EQ(img.pixel(10, 10), 0xFF00FF00u);
}

TEST(TKXPanelPageTest, PositionIsNotCalledWithoutVisibleChildren)
{
    TKXPanelPage page;
    page.resize(100, 100);
    int calls = 0;
    page.OnPosition = [&](QObject*, const QList<QWidget*>&, const TRect&, QPainter*) { ++calls; };
    Render(page);
    EXPECT_EQ(calls, 0);
    QWidget hidden(&page);
    hidden.hide();
    Render(page);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(page.PageRect(), (TRect{0, 0, 100, 100}));
}

TEST(TKXPanelPageTest, PositionGetsTheVisibleChildrenInOrderAndCanPlaceThem)
{
    TKXPanelPage page;
    page.resize(231, 428);
    page.SetAlignLeftGap(20);
    page.SetAlignTopGap(20);
    page.SetAlignRightGap(20);
    page.SetAlignBottomGap(20);
    page.SetControlOutline(kxBoxIn);
    page.SetGradientLoLight(0x204060);
    QWidget first(&page), hidden(&page), second(&page);
    hidden.hide();
    QList<QWidget*> seen;
    TRect seenRect;
    QObject* sender = nullptr;
    page.OnPosition = [&](QObject* s, const QList<QWidget*>& items, const TRect& r,
                          QPainter* canvas) {
        sender = s;
        seen = items;
        seenRect = r;
        TGapPlacer::PlaceInGaps(items.first(), canvas, page.AlignLeftGap(), page.AlignTopGap() + 10,
                                page.AlignRightGap(), page.AlignBottomGap() + 10, r,
                                page.ControlOutline());
    };
    const QImage img = Render(page);
    EXPECT_EQ(sender, &page);
    EXPECT_EQ(seen, (QList<QWidget*>{&first, &second}));
    EXPECT_EQ(seenRect, (TRect{0, 0, 231, 428}));
    EXPECT_EQ(first.geometry(), QRect(20, 30, 191, 368));
    EXPECT_EQ(img.pixel(100, 29), TColorRef::ToRgb(TSysColour::clBtnShadow));
    EXPECT_EQ(img.pixel(100, 398), TColorRef::ToRgb(TSysColour::clBtnHighlight));
    EXPECT_EQ(img.pixel(100, 10), qRgb(0x60, 0x40, 0x20));
}

TEST(TKXPanelPageTest, PaintingSettlesWhenChildrenArePlacedDuringThePaint)
{
    // Laying children out from inside the page's paint must not make the page and its
    // children ask each other for new paints forever.
    TCountingPage page;
    page.resize(200, 200);
    auto* child = new TCountingPanel(&page);
    page.OnPosition = [&](QObject*, const QList<QWidget*>& items, const TRect& r,
                          QPainter* canvas) {
        for (QWidget* w : items)
            TGapPlacer::PlaceInGaps(w, canvas, 10, 20, 10, 20, r, kxBoxIn);
    };
    page.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&page));
    QTest::qWait(100);
    const int pagePaints = page.paints, childPaints = child->paints;
    EXPECT_GE(pagePaints, 1);
    EXPECT_EQ(child->geometry(), QRect(10, 20, 180, 160));
    QTest::qWait(300);
    EXPECT_EQ(page.paints, pagePaints) << "the page keeps repainting itself";
    EXPECT_EQ(child->paints, childPaints) << "the child keeps repainting";
}

TEST(TKXPanelPageTest, LoadTileBitmapKeepsEverythingOnFailureAndTilesOnSuccess)
{
    TKXPanelPage page;
    page.resize(20, 20);
    page.SetGradientLoLight(TColours::clNavy);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    EXPECT_FALSE(page.LoadTileBitmap(dir.filePath("missing.bmp")));
    WriteTestFile(dir.filePath("not-a-picture.bmp"), QByteArray("this is no bitmap"));
    EXPECT_FALSE(page.LoadTileBitmap(dir.filePath("not-a-picture.bmp")));
    EXPECT_EQ(page.BackGroundStyle(), rbsNone);
    EXPECT_TRUE(page.BitmapFileName().isEmpty());
    EXPECT_TRUE(page.TileBitmap().isNull());

    QImage tile(3, 3, QImage::Format_RGB32);
    tile.fill(qRgb(200, 10, 10));
    tile.setPixel(0, 0, qRgb(10, 200, 10));
    const QString file = dir.filePath("tile.bmp");
    ASSERT_TRUE(tile.save(file, "BMP"));
    EXPECT_TRUE(page.LoadTileBitmap(file));
    EXPECT_EQ(page.BackGroundStyle(), rbsBitmap);
    EXPECT_EQ(page.BitmapFileName(), file);
    EXPECT_EQ(page.TileBitmap().size(), QSize(3, 3));
    const QImage img = Render(page);
    EXPECT_EQ(img.pixel(0, 0), qRgb(10, 200, 10));
    EXPECT_EQ(img.pixel(3, 6), qRgb(10, 200, 10));
    EXPECT_EQ(img.pixel(4, 6), qRgb(200, 10, 10));

    // A later failure keeps the loaded picture and its name.
    EXPECT_FALSE(page.LoadTileBitmap(dir.filePath("missing.bmp")));
    EXPECT_EQ(page.BitmapFileName(), file);
    EXPECT_EQ(page.TileBitmap().size(), QSize(3, 3));
}
