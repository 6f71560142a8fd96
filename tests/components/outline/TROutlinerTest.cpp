#include "components/outline/TROutliner.h"
#include "FakeHeadingView.h"
#include "common/TestSupport.h"
#include "platform/TColorRef.h"
#include "platform/TRasterOp.h"
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <new>

namespace {

constexpr qint32 kGreen = 0x00A000; // Color
constexpr qint32 kDark = 0x402010;  // GradientLoLight: the rbsNone background
constexpr qint32 kSilver = TColours::clSilver;
constexpr qint32 kNavy = TColours::clNavy;
constexpr qint32 kRed = TColours::clRed;
constexpr qint32 kBlack = TColours::clBlack;
constexpr int kRow = 30; // ItemHeight

QRgb Rgb(qint32 colour) { return TColorRef::ToRgb(colour) | 0xFF000000u; }
QRgb Px(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

int Count(const QImage& image, const QRect& area, QRgb colour)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += Px(image, x, y) == colour;
    return n;
}

QImage Filled(int w, int h, QRgb colour)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// A 300 x 200 outliner without scroll bars in distinct colours: rows of 30 pixels, cells
// from x = 1 to 299 (gaps of 1), text from x = 9 with osText.
class Outliner : public ::testing::Test
{
protected:
    void SetUp() override
    {
        o.SetScrollBars(ssNone);
        o.resize(300, 200);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(12);
        o.setFont(font);
        o.SetColor(kGreen);
        o.SetGradientLoLight(kDark);
        o.SetCellPaintColour(kSilver);
        o.SetCellHiLightColour(kNavy);
        o.SetDoCellOutline(rlsNone);
        o.SetOutlineStyle(osText);
        o.SetTextAsThreeD(false);
    }

    TROutliner o;
};

// An outliner whose surfaces can be made to fail, as when memory runs out.
class TFailingOutliner : public TROutliner
{
public:
    bool nullSurface[3] = {false, false, false};
    bool throwOnSurface = false;

protected:
    QImage CreateSurface(TSurface kind, const QSize& size) override
    {
        if (throwOnSurface)
            throw std::bad_alloc();
        if (nullSurface[int(kind)])
            return {};
        return TROutliner::CreateSurface(kind, size);
    }
};

class TCountingOutliner : public TROutliner
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        ++paints;
        TROutliner::paintEvent(e);
    }
};

} // namespace

// --- properties --------------------------------------------------------------------------

TEST(TROutlinerTest, StartsWithTheInitialLook)
{
    TROutliner o;
    EXPECT_EQ(o.BackGroundStyle(), rbsNone);
    EXPECT_TRUE(o.Bitmap().isNull());
    EXPECT_TRUE(o.BitmapFileName().isEmpty());
    EXPECT_EQ(o.BackgroundCopyMode(), 13369376u);
    EXPECT_EQ(o.BackgroundCellCopyMode(), 13369376u);
    EXPECT_EQ(o.CellHiLightColour(), 8388608);
    EXPECT_EQ(o.GradientHiLight(), 8388608);
    EXPECT_EQ(o.CellPaintColour(), o.Color());
    EXPECT_EQ(o.GradientLoLight(), o.Color());
    EXPECT_FALSE(o.CellPaint());
    EXPECT_EQ(o.DrawCellOutline(), rcsBox);
    EXPECT_EQ(o.DoCellOutline(), rlsUnderline);
    EXPECT_EQ(o.CellOutlineWidth(), 1);
    EXPECT_EQ(o.ControlOutline(), kxNoDraw);
    EXPECT_EQ(o.HitGap(), 1);
    EXPECT_EQ(o.LeftGap(), 1);
    EXPECT_EQ(o.TextNormalCol(), 0);
    EXPECT_EQ(o.TextHiLight(), 255);
    EXPECT_TRUE(o.TextAsThreeD());
    EXPECT_EQ(o.Viewer(), nullptr);
    EXPECT_EQ(o.WatermarkText(), QStringLiteral("Calderwyn"));
    EXPECT_EQ(o.width(), 300);
    EXPECT_EQ(o.ItemHeight(), 30);
    EXPECT_EQ(o.ScrollBars(), ssBoth);
    EXPECT_TRUE(o.Options().IsEmpty());
    EXPECT_EQ(o.Style(), otOwnerDraw);
    EXPECT_EQ(o.BorderStyle(), bsNone);
    EXPECT_TRUE(bool(o.OnDrawItem));
    EXPECT_TRUE(bool(o.OnClick));
}

TEST(TROutlinerTest, SettersClampGapsAndOutlineWidth)
{
    TROutliner o;
    o.resize(300, 100);
    o.SetHitGap(1000);
    EXPECT_EQ(o.HitGap(), 75);
    o.SetLeftGap(1000);
    EXPECT_EQ(o.LeftGap(), 75);
    o.SetLeftGap(-4);
    EXPECT_EQ(o.LeftGap(), 0);
    o.SetHitGap(20);
    EXPECT_EQ(o.HitGap(), 20);
    o.SetCellOutlineWidth(9);
    EXPECT_EQ(o.CellOutlineWidth(), 5);
    o.SetCellOutlineWidth(-3);
    EXPECT_EQ(o.CellOutlineWidth(), 0);
    o.SetCellOutlineWidth(3);
    EXPECT_EQ(o.CellOutlineWidth(), 3);
}

TEST(TROutlinerTest, RoundedCellsTurnTheCellOutlineOffUntilItIsSetAgain)
{
    TROutliner o;
    o.SetDoCellOutline(rlsBox);
    o.SetDrawCellOutline(rcsBox);
    EXPECT_EQ(o.DoCellOutline(), rlsBox);
    o.SetDrawCellOutline(rcsRoundLeft);
    EXPECT_EQ(o.DoCellOutline(), rlsNone);
    o.SetDoCellOutline(rlsUnderline);
    EXPECT_EQ(o.DoCellOutline(), rlsUnderline);
    EXPECT_EQ(o.DrawCellOutline(), rcsRoundLeft);
    o.SetDrawCellOutline(rcsRoundRight);
    EXPECT_EQ(o.DoCellOutline(), rlsNone);
}

TEST(TROutlinerTest, SomeSettersRepaintAndOthersOnlyStore)
{
    TCountingOutliner o;
    o.AddChild(0, QStringLiteral("A"));
    o.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();

    auto paintsAfter = [&](auto change) {
        o.paints = 0;
        change();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        return o.paints;
    };
    EXPECT_EQ(paintsAfter([&] { o.SetBackGroundStyle(rbsGradient); }), 0);
    EXPECT_EQ(paintsAfter([&] { o.SetBackgroundCopyMode(TCopyMode::cmSrcPaint); }), 0);
    EXPECT_EQ(paintsAfter([&] { o.SetBackgroundCellCopyMode(TCopyMode::cmSrcAnd); }), 0);
    EXPECT_EQ(paintsAfter([&] { o.SetGradientHiLight(kRed); }), 0);
    EXPECT_EQ(paintsAfter([&] { o.SetGradientLoLight(kRed); }), 0);
    EXPECT_EQ(paintsAfter([&] { o.SetControlOutline(kxBoxIn); }), 0);
    EXPECT_EQ(paintsAfter([&] { o.SetCellPaint(true); }), 0);
    EXPECT_GT(paintsAfter([&] { o.SetCellPaintColour(kRed); }), 0);
    EXPECT_GT(paintsAfter([&] { o.SetHitGap(5); }), 0);
    EXPECT_GT(paintsAfter([&] { o.SetDrawCellOutline(rcsRoundLeft); }), 0);
    EXPECT_GT(paintsAfter([&] { o.SetTextAsThreeD(false); }), 0);
    EXPECT_GT(paintsAfter([&] { o.SetBitmap(Filled(4, 4, qRgb(1, 2, 3))); }), 0);
    EXPECT_GT(paintsAfter([&] { o.Repaint(); }), 0);
}

TEST(TROutlinerTest, SetBitmapKeepsACopyOfItsOwn)
{
    TROutliner o;
    QImage source = Filled(4, 4, qRgb(200, 0, 0));
    o.SetBitmap(source);
    source.fill(qRgb(0, 0, 200));
    EXPECT_EQ(o.Bitmap().pixel(1, 1) | 0xFF000000u, qRgb(200, 0, 0));
    o.SetBitmap(QImage());
    EXPECT_TRUE(o.Bitmap().isNull());
}

TEST(TROutlinerTest, LoadBackgroundBitmapChangesNothingWhenItFails)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TROutliner o;
    o.SetBackGroundStyle(rbsGradient);
    o.SetBitmapFileName(QStringLiteral("/old/tile.bmp"));
    o.SetBitmap(Filled(3, 3, qRgb(9, 9, 9)));

    EXPECT_FALSE(o.LoadBackgroundBitmap(dir.filePath(QStringLiteral("missing.bmp"))));
    const QString notAPicture = dir.filePath(QStringLiteral("text.bmp"));
    WriteTestFile(notAPicture, "this is not a bitmap");
    EXPECT_FALSE(o.LoadBackgroundBitmap(notAPicture));

    EXPECT_EQ(o.BackGroundStyle(), rbsGradient);
    EXPECT_EQ(o.BitmapFileName(), QStringLiteral("/old/tile.bmp"));
    EXPECT_EQ(o.Bitmap().size(), QSize(3, 3));
}

TEST_F(Outliner, LoadBackgroundBitmapTilesTheLoadedPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("Tile.bmp"));
    ASSERT_TRUE(Filled(8, 8, qRgb(0, 0, 255)).save(file, "BMP"));

    // The letter case of the name does not matter.
    EXPECT_TRUE(o.LoadBackgroundBitmap(dir.filePath(QStringLiteral("tile.BMP"))));
    EXPECT_EQ(o.BackGroundStyle(), rbsBitmap);
    EXPECT_EQ(o.BitmapFileName(), dir.filePath(QStringLiteral("tile.BMP")));
    EXPECT_EQ(o.Bitmap().size(), QSize(8, 8));

    o.AddChild(0, QStringLiteral("A"));
    const QImage image = o.RenderToImage();
    EXPECT_EQ(Px(image, 150, 150), qRgb(0, 0, 255));
}

// --- painting ----------------------------------------------------------------------------

TEST_F(Outliner, SrcPaintCellsBrightenTheBackgroundWhereSrcCopyCoversIt)
{
    o.AddChild(0, QStringLiteral("First"));
    o.AddChild(0, QStringLiteral("Second"));

    o.SetBackgroundCellCopyMode(TCopyMode::cmSrcCopy);
    QImage image = o.RenderToImage();
    EXPECT_EQ(Px(image, 3, kRow + 3), Rgb(kSilver));
    EXPECT_EQ(Px(image, 3, 3 * kRow + 3), Rgb(kDark)); // below the rows

    o.SetBackgroundCellCopyMode(TCopyMode::cmSrcPaint);
    image = o.RenderToImage();
    const QRgb brightened = (Rgb(kSilver) | Rgb(kDark)) | 0xFF000000u;
    EXPECT_EQ(Px(image, 3, kRow + 3), brightened);
    EXPECT_NE(brightened, Rgb(kSilver));
    EXPECT_EQ(o.LastPaint().Cells, 2);
}

TEST_F(Outliner, BackgroundIsLaidOntoColorWithItsCopyMode)
{
    o.AddChild(0, QStringLiteral("A"));
    o.SetBackgroundCopyMode(TCopyMode::cmSrcAnd);
    const QImage image = o.RenderToImage();
    EXPECT_EQ(Px(image, 150, 150), (Rgb(kGreen) & Rgb(kDark)) | 0xFF000000u);
    // The raster copy sees the off-screen brush, Color, as its pattern.
    o.SetBackgroundCopyMode(TCopyMode::cmPatCopy);
    EXPECT_EQ(Px(o.RenderToImage(), 150, 150), Rgb(kGreen));
}

TEST_F(Outliner, RoundedCellsRoundOnlyTheHighlightedRow)
{
    o.AddChild(0, QStringLiteral("A"));
    o.AddChild(0, QStringLiteral("B"));
    const int right = 298; // last pixel of the cells

    o.SetDrawCellOutline(rcsRoundRight);
    QImage image = o.RenderToImage();
    EXPECT_EQ(Px(image, 150, 15), Rgb(kNavy));
    EXPECT_EQ(Px(image, 150, 0), Rgb(kSilver));   // the figure starts one pixel down
    EXPECT_EQ(Px(image, right, 1), Rgb(kSilver)); // rounded right corner
    EXPECT_EQ(Px(image, right, 15), Rgb(kNavy));
    EXPECT_EQ(Px(image, 1, 2), Rgb(kNavy));              // square left end
    EXPECT_EQ(Px(image, right, kRow + 1), Rgb(kSilver)); // ordinary row: plain cell
    EXPECT_EQ(Px(image, 150, kRow + 15), Rgb(kSilver));

    o.SetDrawCellOutline(rcsRoundLeft);
    image = o.RenderToImage();
    EXPECT_EQ(Px(image, 1, 1), Rgb(kSilver)); // rounded left corner
    EXPECT_EQ(Px(image, 1, 15), Rgb(kNavy));
    EXPECT_EQ(Px(image, right, 2), Rgb(kNavy)); // square right end
}

TEST_F(Outliner, EmptyOutlinerShowsTheWatermarkAndNoCellsUntilTheFirstItem)
{
    QImage image = o.RenderToImage();
    EXPECT_TRUE(o.LastPaint().Empty);
    EXPECT_EQ(o.LastPaint().Rows, 0);
    EXPECT_EQ(o.LastPaint().Cells, 0);
    // rbsNone fills with the control's colour; the watermark stands along the left edge.
    const QRgb highlight = Rgb(TSysColour::clBtnHighlight);
    const QRgb shadow = Rgb(TSysColour::clBtnShadow);
    EXPECT_GT(Count(image, QRect(0, 0, 40, 200), highlight), 20);
    EXPECT_GT(Count(image, QRect(0, 0, 40, 200), shadow), 20);
    EXPECT_EQ(Count(image, QRect(40, 0, 260, 200), Rgb(kGreen)), 260 * 200);
    EXPECT_EQ(Count(image, QRect(0, 0, 300, 200), Rgb(kNavy)), 0);

    o.SetWatermarkText(QString());
    image = o.RenderToImage();
    EXPECT_EQ(Count(image, image.rect(), Rgb(kGreen)), 300 * 200);

    o.SetWatermarkText(QStringLiteral("Calderwyn"));
    o.AddChild(0, QStringLiteral("First"));
    image = o.RenderToImage();
    EXPECT_FALSE(o.LastPaint().Empty);
    EXPECT_EQ(o.LastPaint().Rows, 1);
    EXPECT_EQ(Px(image, 3, 3), Rgb(kNavy));
    EXPECT_EQ(Count(image, QRect(0, 60, 300, 140), Rgb(kDark)), 300 * 140);
}

TEST_F(Outliner, EmptyOutlinerGradientRunsFromGradientHiLightToColor)
{
    o.resize(256, 100);
    o.SetWatermarkText(QString());
    o.SetBackGroundStyle(rbsGradient);
    o.SetGradientHiLight(kBlack);
    o.SetColor(TColours::clWhite);
    const QImage image = o.RenderToImage();
    ASSERT_EQ(image.width(), 256);
    for (int j = 0; j < 256; ++j) {
        const int grey = int(255.0 / 256.0 * (j + 1));
        ASSERT_EQ(Px(image, j, 50), qRgb(grey, grey, grey)) << "column " << j;
    }
}

TEST_F(Outliner, GradientBackgroundUnderTheRows)
{
    o.resize(256, 100);
    o.SetBackGroundStyle(rbsGradient);
    o.SetGradientHiLight(kBlack);
    o.SetGradientLoLight(TColours::clWhite);
    o.AddChild(0, QStringLiteral("A"));
    const QImage image = o.RenderToImage();
    for (int j = 0; j < 256; ++j) {
        const int grey = int(255.0 / 256.0 * (j + 1));
        ASSERT_EQ(Px(image, j, 70), qRgb(grey, grey, grey)) << "column " << j;
    }
    EXPECT_EQ(Px(image, 3, 3), Rgb(kNavy));
}

TEST_F(Outliner, EmbossedTextIsDrawnThreeTimesAbove16PointsAndTwiceBelow)
{
    o.AddChild(0, QStringLiteral("Chapter"));
    o.SetTextAsThreeD(true);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(18);
    o.setFont(font);
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Texts, 1);
    EXPECT_EQ(o.LastPaint().TextCopies, 3);

    font.setPointSize(10);
    o.setFont(font);
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().TextCopies, 2);

    o.SetTextAsThreeD(false);
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().TextCopies, 1);
}

TEST_F(Outliner, TextUsesTheHighlightColourOnlyOnTheCurrentRow)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    o.setFont(font);
    o.SetTextHiLight(kRed);
    o.SetTextNormalCol(kBlack);
    o.AddChild(0, QStringLiteral("WWWW"));
    o.AddChild(0, QStringLiteral("WWWW"));
    const QImage image = o.RenderToImage();
    EXPECT_GT(Count(image, QRect(0, 0, 300, kRow), Rgb(kRed)), 20);
    EXPECT_EQ(Count(image, QRect(0, 0, 300, kRow), Rgb(kBlack)), 0);
    EXPECT_GT(Count(image, QRect(0, kRow, 300, kRow), Rgb(kBlack)), 20);
    EXPECT_EQ(Count(image, QRect(0, kRow, 300, kRow), Rgb(kRed)), 0);
}

TEST_F(Outliner, RowWithEmptyTextIsNeverHighlightedAndShowsNoText)
{
    o.AddChild(0, QString());
    o.AddChild(0, QStringLiteral("B"));
    ASSERT_EQ(o.Row(), 0);
    QImage image = o.RenderToImage();
    EXPECT_EQ(Px(image, 3, 3), Rgb(kSilver)); // its cell is painted, as an ordinary one
    EXPECT_EQ(Count(image, QRect(0, 0, 300, kRow), Rgb(kSilver)), 298 * kRow);
    EXPECT_EQ(o.LastPaint().Cells, 2);
    EXPECT_EQ(o.LastPaint().Texts, 1);

    o.SetRow(1);
    image = o.RenderToImage();
    EXPECT_EQ(Px(image, 3, kRow + 3), Rgb(kNavy));
}

TEST_F(Outliner, OutlineWidthZeroDrawsNoBoxButStillAnUnderline)
{
    o.AddChild(0, QStringLiteral("A"));
    o.AddChild(0, QStringLiteral("B"));
    o.SetTextHiLight(kRed);

    o.SetDoCellOutline(rlsBox);
    o.SetCellOutlineWidth(1);
    QImage image = o.RenderToImage();
    EXPECT_EQ(Px(image, 1, 10), Rgb(TSysColour::clBtnShadow));           // sunken
    EXPECT_EQ(Px(image, 1, kRow + 10), Rgb(TSysColour::clBtnHighlight)); // raised
    o.SetCellOutlineWidth(0);
    image = o.RenderToImage();
    EXPECT_EQ(Px(image, 1, 10), Rgb(kNavy));
    EXPECT_EQ(Px(image, 1, kRow + 10), Rgb(kSilver));
    EXPECT_EQ(Px(image, 150, 0), Rgb(kNavy));

    o.SetDoCellOutline(rlsUnderline);
    image = o.RenderToImage();
    // From C.left + half to C.right - 1 at C.bottom - 1, in TextHiLight on the current row.
    EXPECT_EQ(Px(image, 290, kRow - 1), Rgb(kRed));
    EXPECT_EQ(Px(image, 16, kRow - 1), Rgb(kRed));
    EXPECT_EQ(Px(image, 15, kRow - 1), Rgb(kNavy));
    EXPECT_EQ(Px(image, 298, kRow - 1), Rgb(kNavy));
    EXPECT_EQ(Px(image, 290, kRow - 2), Rgb(kNavy));
}

TEST_F(Outliner, ControlFrameShowsItsLeftAndTopLines)
{
    o.AddChild(0, QStringLiteral("A"));
    o.SetControlOutline(kxBoxIn);
    QImage image = o.RenderToImage();
    EXPECT_EQ(Px(image, 0, 100), Rgb(TSysColour::clBtnShadow));
    EXPECT_EQ(Px(image, 100, 0), Rgb(TSysColour::clBtnShadow));
    o.SetControlOutline(kxBoxOut);
    image = o.RenderToImage();
    EXPECT_EQ(Px(image, 0, 100), Rgb(TSysColour::clBtnHighlight));
    o.SetControlOutline(kxNoDraw);
    image = o.RenderToImage();
    EXPECT_EQ(Px(image, 0, 100), Rgb(kDark));
}

TEST_F(Outliner, PlusMinusPicturesAreMergedBesideTheText)
{
    o.SetOutlineStyle(osPlusMinusText);
    o.SetPicturePlus(Filled(4, 4, qRgb(0, 0, 0)));        // all black: shows white
    o.SetPictureMinus(Filled(4, 4, qRgb(255, 255, 255))); // all white: leaves the cell
    const int parent = o.AddChild(0, QStringLiteral("Parent"));
    o.AddChild(parent, QStringLiteral("Child"));
    o.AddChild(0, QStringLiteral("Leaf"));

    QImage image = o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Pictures, 1);
    EXPECT_EQ(o.LastPaint().Texts, 2);
    // Box B from x = 1 + 8 for a Level-1 row, as wide as the font is high.
    const int t = QFontMetrics(o.font(), &image).height();
    const int x = 9 + (t - 4) / 2, y = (kRow - 4) / 2;
    EXPECT_EQ(Px(image, x + 1, y + 1), qRgb(255, 255, 255));
    EXPECT_EQ(Px(image, x - 1, y + 1), Rgb(kNavy));

    o.Items(parent)->Expand();
    image = o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Pictures, 1);
    EXPECT_EQ(Px(image, x + 1, y + 1), Rgb(kNavy));

    o.SetOutlineStyle(osText);
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Pictures, 0);
    EXPECT_EQ(o.LastPaint().Texts, 3);

    // The other styles have no place for text or pictures in this row painter.
    o.SetOutlineStyle(osTreePictureText);
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Texts, 0);
    EXPECT_EQ(o.LastPaint().Pictures, 0);
    EXPECT_EQ(o.LastPaint().Cells, 3);
}

TEST_F(Outliner, DeeperLevelsIndentTheText)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(20);
    font.setBold(true);
    o.setFont(font);
    o.SetTextNormalCol(kBlack);
    o.SetRow(0);
    const int a = o.AddChild(0, QStringLiteral("Top"));
    const int b = o.AddChild(a, QStringLiteral("WWW"));
    o.AddChild(b, QStringLiteral("WWW"));
    o.FullExpand();
    o.SetCellHiLightColour(kSilver);
    const QImage image = o.RenderToImage();
    // Level 2 starts 1 + 15 + 8, Level 3 1 + 30 + 8 (half of the 30-pixel row per level).
    EXPECT_EQ(Count(image, QRect(0, kRow, 24, kRow), Rgb(kBlack)), 0);
    EXPECT_GT(Count(image, QRect(24, kRow, 20, kRow), Rgb(kBlack)), 0);
    EXPECT_EQ(Count(image, QRect(0, 2 * kRow, 39, kRow), Rgb(kBlack)), 0);
    EXPECT_GT(Count(image, QRect(39, 2 * kRow, 20, kRow), Rgb(kBlack)), 0);
}

TEST_F(Outliner, OnlyTheVisibleRowsArePainted)
{
    o.BeginUpdate();
    for (int i = 0; i < 1000; ++i)
        o.AddChild(0, QStringLiteral("Item %1").arg(i));
    o.EndUpdate();
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Rows, 7); // 200 / 30, the last one partly shown
    o.SetTopRow(500);
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Rows, 7);
}

TEST_F(Outliner, SizesOfZeroOrLessDrawWithTheSmallestUsableValue)
{
    for (int i = 0; i < 300; ++i)
        o.AddChild(0, QStringLiteral("Item"));
    o.SetItemHeight(0);
    EXPECT_EQ(o.ItemHeight(), 1);
    o.RenderToImage();
    EXPECT_EQ(o.LastPaint().Rows, 200);
    EXPECT_FALSE(o.LastPaint().Failed);
    o.SetItemHeight(-7);
    EXPECT_EQ(o.ItemHeight(), 1);

    QFont font = o.font();
    font.setPointSize(0); // refused by the font, which keeps a usable size
    o.setFont(font);
    o.SetItemHeight(30);
    o.RenderToImage();
    EXPECT_FALSE(o.LastPaint().Failed);
    EXPECT_EQ(o.LastPaint().Texts, 7);
}

TEST(TROutlinerTest, RendersWithoutEverBeingShown)
{
    TROutliner o;
    o.SetScrollBars(ssNone);
    o.resize(120, 90);
    o.AddChild(0, QStringLiteral("A"));
    const QImage image = o.RenderToImage();
    EXPECT_EQ(image.size(), QSize(120, 90));
    EXPECT_EQ(o.LastPaint().Rows, 1);
}

// --- failures ----------------------------------------------------------------------------

TEST(TROutlinerTest, PaintingThatFailsShowsTheSevereErrorOncePerRunOfFailures)
{
    TMessageCapture capture(TMsgResult::Cancel);
    TFailingOutliner o;
    o.resize(200, 100);
    o.AddChild(0, QStringLiteral("A"));
    o.throwOnSurface = true;
    o.RenderToImage();
    EXPECT_TRUE(o.LastPaint().Failed);
    ASSERT_EQ(capture.Messages().size(), 1u);
    const TMessage& m = capture.Messages().front();
    EXPECT_EQ(m.text, QStringLiteral("Failed to draw a screen element. Resources may be low. "
                                     "You should Exit this application"));
    EXPECT_EQ(m.caption, QStringLiteral("Severe Error"));
    EXPECT_EQ(m.buttons, TMsgButtons::OkCancel);
    EXPECT_EQ(m.icon, TMsgIcon::Warning);

    o.RenderToImage();
    EXPECT_EQ(capture.Messages().size(), 1u); // the same failure again: no second box
    o.throwOnSurface = false;
    o.RenderToImage();
    EXPECT_FALSE(o.LastPaint().Failed);
    o.throwOnSurface = true;
    o.RenderToImage();
    EXPECT_EQ(capture.Messages().size(), 2u);
}

TEST(TROutlinerTest, ScreenPaintThatFailsReportsAfterThePaint)
{
    TMessageCapture capture;
    TFailingOutliner o;
    o.AddChild(0, QStringLiteral("A"));
    o.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(capture.Messages().empty());
    o.throwOnSurface = true;
    o.viewport()->repaint();
    EXPECT_TRUE(o.LastPaint().Failed);
    for (int i = 0; i < 5 && capture.Messages().empty(); ++i)
        QCoreApplication::processEvents();
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(capture.Messages().front().caption, QStringLiteral("Severe Error"));
}

TEST_F(Outliner, SurfacesThatCannotBeMadeDegradeTheDrawing)
{
    TFailingOutliner f;
    f.SetScrollBars(ssNone);
    f.resize(300, 200);
    f.SetColor(kGreen);
    f.SetCellPaintColour(kSilver);
    f.SetDoCellOutline(rlsNone);
    f.SetOutlineStyle(osText);
    f.SetGradientLoLight(kDark);
    f.AddChild(0, QStringLiteral("A"));
    f.AddChild(0, QStringLiteral("B"));

    f.SetBackGroundStyle(rbsGradient);
    f.nullSurface[int(TROutliner::TSurface::Background)] = true;
    QImage image = f.RenderToImage();
    EXPECT_EQ(f.BackGroundStyle(), rbsNone);
    EXPECT_EQ(Px(image, 150, 150), Rgb(kGreen)); // no background: only Color
    EXPECT_EQ(Px(image, 3, kRow + 3), Rgb(kSilver));
    f.nullSurface[int(TROutliner::TSurface::Background)] = false;

    f.nullSurface[int(TROutliner::TSurface::OffScreen)] = true;
    image = f.RenderToImage();
    EXPECT_TRUE(f.LastPaint().Direct);
    EXPECT_FALSE(f.LastPaint().Failed);
    EXPECT_EQ(Px(image, 3, kRow + 3), Rgb(kSilver));
    EXPECT_EQ(Px(image, 150, 150), Rgb(kDark));
    EXPECT_EQ(f.LastPaint().Texts, 2);
    f.nullSurface[int(TROutliner::TSurface::OffScreen)] = false;

    f.nullSurface[int(TROutliner::TSurface::Row)] = true;
    image = f.RenderToImage();
    EXPECT_EQ(f.DrawCellOutline(), rcsNone);
    EXPECT_EQ(f.LastPaint().Cells, 0);
    EXPECT_EQ(f.LastPaint().Texts, 2);
    EXPECT_EQ(Px(image, 3, kRow + 3), Rgb(kDark));
}

TEST_F(Outliner, DirectDrawingStillMergesThePictures)
{
    TFailingOutliner f;
    f.SetScrollBars(ssNone);
    f.resize(300, 200);
    f.setFont(o.font());
    f.SetCellHiLightColour(kNavy);
    f.SetDoCellOutline(rlsNone);
    f.SetOutlineStyle(osPlusMinusText);
    f.SetPicturePlus(Filled(4, 4, qRgb(0, 0, 0)));
    const int parent = f.AddChild(0, QStringLiteral("Parent"));
    f.AddChild(parent, QStringLiteral("Child"));
    f.nullSurface[int(TROutliner::TSurface::OffScreen)] = true;
    const QImage image = f.RenderToImage();
    const int t = QFontMetrics(f.font(), &image).height();
    const int x = 9 + (t - 4) / 2, y = (kRow - 4) / 2;
    EXPECT_EQ(Px(image, x + 1, y + 1), qRgb(255, 255, 255));
    EXPECT_EQ(Px(image, x - 1, y + 1), Rgb(kNavy));
}

TEST_F(Outliner, ASingleClickOnThePictureOpensOrClosesItsNodeAndNothingElse)
{
    o.SetOutlineStyle(osPlusMinusText);
    o.SetPicturePlus(Filled(4, 4, qRgb(0, 0, 0)));
    o.SetPictureMinus(Filled(4, 4, qRgb(0, 0, 0)));
    const int parent = o.AddChild(0, QStringLiteral("Parent"));
    o.AddChild(parent, QStringLiteral("Child"));
    o.AddChild(0, QStringLiteral("Leaf"));
    int clicks = 0;
    o.OnClick = [&](QObject*) { ++clicks; };
    o.show();
    // Box B from x = 1 + 8, as wide as the font is high; the text 8 pixels after it.
    const int t = QFontMetrics(o.font(), o.viewport()).height();
    const QPoint picture(9 + t / 2, kRow / 2), text(9 + t + 8 + 12, kRow / 2);

    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, picture);
    EXPECT_TRUE(o.Items(parent)->Expanded());
    EXPECT_EQ(clicks, 0);
    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, picture);
    EXPECT_FALSE(o.Items(parent)->Expanded());
    EXPECT_EQ(clicks, 0);

    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, text);
    EXPECT_FALSE(o.Items(parent)->Expanded()) << "a click on the text keeps its old meaning";
    EXPECT_EQ(clicks, 1);
    // The leaf has no picture: the same place in its row is an ordinary click.
    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, picture + QPoint(0, kRow));
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(o.SelectedItem(), o.GetTextItem(QStringLiteral("Leaf")));
}

TEST_F(Outliner, ThePictureIsSeenOnALightCell)
{
    o.SetOutlineStyle(osPlusMinusText);
    o.SetCellPaintColour(TColours::clWhite);
    o.SetTextNormalCol(kRed);
    o.SetPicturePlus(Filled(4, 4, qRgb(0, 0, 0))); // merged: white on white
    o.AddChild(0, QStringLiteral("Leaf"));         // row 0 is the highlighted one
    o.AddChild(o.AddChild(0, QStringLiteral("Parent")), QStringLiteral("Child"));
    const QImage image = o.RenderToImage();
    const int t = QFontMetrics(o.font(), &image).height();
    const int x = 9 + (t - 4) / 2, y = kRow + (kRow - 4) / 2;
    EXPECT_EQ(Px(image, x + 1, y + 1), Rgb(kRed)) << "drawn in the text colour";
    EXPECT_EQ(Px(image, x - 1, y + 1), Rgb(TColours::clWhite));
}
