#include "state/TStyleCopies.h"
#include "state/DisplayTestControls.h"
#include "state/StateTestSupport.h"
#include "state/TDisplayState.h"

using namespace statetest;

namespace {

QImage Filled(QColor colour, QSize size = QSize(3, 3))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class TStyleCopiesTest : public ::testing::Test
{
protected:
    QByteArray Look(TTestDisplay& display)
    {
        const QString path = m_dir.filePath("snapshot.sta");
        QFile::remove(path);
        EXPECT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
        return ReadTestFile(path);
    }

    TMessageCapture m_messages;
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TStyleCopiesTest, AnOutlinerTakesEveryLookPropertyAndABitmapOfItsOwn)
{
    TMDIOutline source, target;
    source.resize(231, 250);
    target.resize(231, 250);
    TTestDisplay::StyleOutliner(source);
    source.SetBitmapFileName("/webs/tile.bmp");
    source.SetBackGroundStyle(rbsGradient);
    source.SetDrawCellOutline(rcsRoundRight);
    source.SetItemHeight(26);
    QFont font("Liberation Sans");
    font.setPointSize(14);
    font.setItalic(true);
    source.setFont(font);
    source.SetFontColour(4242);

    ASSERT_TRUE(TStyleCopies::CopyOutlinerStyle(&target, &source));
    EXPECT_EQ(target.BackgroundCellCopyMode(), source.BackgroundCellCopyMode());
    EXPECT_EQ(target.BackgroundCopyMode(), source.BackgroundCopyMode());
    EXPECT_EQ(target.BackGroundStyle(), rbsGradient);
    EXPECT_EQ(target.BitmapFileName(), "/webs/tile.bmp");
    EXPECT_EQ(target.Bitmap(), source.Bitmap());
    EXPECT_NE(target.Bitmap().constBits(), source.Bitmap().constBits());
    EXPECT_EQ(target.CellPaint(), source.CellPaint());
    EXPECT_EQ(target.Color(), source.Color());
    EXPECT_EQ(target.CellPaintColour(), source.CellPaintColour());
    EXPECT_EQ(target.CellHiLightColour(), source.CellHiLightColour());
    EXPECT_EQ(target.CellOutlineWidth(), source.CellOutlineWidth());
    EXPECT_EQ(target.ControlOutline(), source.ControlOutline());
    EXPECT_EQ(target.DrawCellOutline(), rcsRoundRight);
    EXPECT_EQ(target.DoCellOutline(), source.DoCellOutline());
    EXPECT_EQ(target.GradientHiLight(), source.GradientHiLight());
    EXPECT_EQ(target.GradientLoLight(), source.GradientLoLight());
    EXPECT_EQ(target.HitGap(), source.HitGap());
    EXPECT_EQ(target.LeftGap(), source.LeftGap());
    EXPECT_EQ(target.TextNormalCol(), source.TextNormalCol());
    EXPECT_EQ(target.TextHiLight(), source.TextHiLight());
    EXPECT_EQ(target.TextAsThreeD(), source.TextAsThreeD());
    EXPECT_EQ(target.font(), font); // style included, which a state file does not keep
    EXPECT_EQ(target.FontColour(), 4242);
    EXPECT_EQ(target.ItemHeight(), 26);

    // A source without a bitmap gives the target none either: a copy is exact.
    TMDIOutline plain;
    plain.SetColor(77);
    ASSERT_TRUE(TStyleCopies::CopyOutlinerStyle(&target, &plain));
    EXPECT_EQ(target.Color(), 77);
    EXPECT_TRUE(target.Bitmap().isNull());
    EXPECT_TRUE(target.BitmapFileName().isEmpty());

    // No source: nothing happens, and that is no failure. No target is one.
    EXPECT_TRUE(TStyleCopies::CopyOutlinerStyle(&target, nullptr));
    EXPECT_EQ(target.Color(), 77);
    EXPECT_FALSE(TStyleCopies::CopyOutlinerStyle(nullptr, &source));
}

TEST_F(TStyleCopiesTest, AListViewTakesItsLookFontAndViewStyle)
{
    TTestDisplay from, to;
    from.StyleAsDesign();
    from.DocList.SetDoCellOutline(rlsBox);
    from.DocList.SetCellHiLightColour(5);
    from.DocList.SetTextAsThreeD(true);
    QFont font = from.DocList.font();
    font.setBold(true);
    from.DocList.setFont(font);
    to.DocList.SetViewStyle(vsSmallIcon);

    ASSERT_TRUE(TStyleCopies::CopyListViewStyle(&to.DocList, &from.DocList));
    EXPECT_EQ(to.DocList.ViewStyle(), vsReport);
    EXPECT_EQ(to.DocList.font(), font);
    EXPECT_EQ(to.DocList.CellHiLightColour(), 5);
    EXPECT_EQ(to.DocList.DoCellOutline(), rlsBox);
    EXPECT_TRUE(to.DocList.TextAsThreeD());
    // Everything a state file keeps came across.
    to.StyleAsDesign();
    ASSERT_TRUE(TStyleCopies::CopyListViewStyle(&to.DocList, &from.DocList));
    EXPECT_EQ(Look(to), Look(from));

    EXPECT_TRUE(TStyleCopies::CopyListViewStyle(&to.DocList, nullptr));
    EXPECT_FALSE(TStyleCopies::CopyListViewStyle(nullptr, &from.DocList));
}

TEST_F(TStyleCopiesTest, APanelPageTakesItsLookAndATileOfItsOwn)
{
    TTestDisplay from, to;
    from.StyleAsDesign();
    from.PanelPage.SetBitmapFileName("/kit/tile.bmp");
    from.PanelPage.SetGradientHiLight(123);
    from.PanelPage.SetLeaveSpaceAtBottom(9);
    QFont font("Liberation Serif");
    font.setPointSize(17);
    from.PanelPage.setFont(font);

    ASSERT_TRUE(TStyleCopies::CopyPanelStyle(&to.PanelPage, &from.PanelPage));
    EXPECT_EQ(to.PanelPage.font(), font);
    EXPECT_EQ(to.PanelPage.TileBitmap(), from.PanelPage.TileBitmap());
    EXPECT_NE(to.PanelPage.TileBitmap().constBits(), from.PanelPage.TileBitmap().constBits());
    EXPECT_EQ(to.PanelPage.BitmapFileName(), "/kit/tile.bmp");
    to.StyleAsDesign();
    ASSERT_TRUE(TStyleCopies::CopyPanelStyle(&to.PanelPage, &from.PanelPage));
    EXPECT_EQ(Look(to), Look(from));

    // An empty source tile is copied as it is.
    TKXPanelPage bare;
    ASSERT_TRUE(TStyleCopies::CopyPanelStyle(&to.PanelPage, &bare));
    EXPECT_TRUE(to.PanelPage.TileBitmap().isNull());
    EXPECT_TRUE(to.PanelPage.BitmapFileName().isEmpty());

    // Without a source or a target the copy fails, so the caller can restore instead.
    EXPECT_FALSE(TStyleCopies::CopyPanelStyle(&to.PanelPage, nullptr));
    EXPECT_FALSE(TStyleCopies::CopyPanelStyle(nullptr, &from.PanelPage));
}

TEST_F(TStyleCopiesTest, ASplitterTakesItsLookPictureLimitsAndSize)
{
    TGraphicSplitBar source, target;
    source.SetAlign(alLeft);
    target.SetAlign(alLeft);
    source.SetBorderStyle(1);
    source.SetColor(4040);
    source.SetDrawEdge(true);
    source.SetLimitLeftOffset(50);
    source.SetLimitRightOffset(60);
    source.SetShThickness(12);
    source.SetPicture(Filled(Qt::red));
    source.resize(6, 120);

    ASSERT_TRUE(TStyleCopies::CopySplitterStyle(&target, &source));
    EXPECT_EQ(target.BorderStyle(), 1);
    EXPECT_EQ(target.Color(), 4040);
    EXPECT_TRUE(target.DrawEdge());
    EXPECT_EQ(target.LimitLeftOffset(), 50);
    EXPECT_EQ(target.LimitRightOffset(), 60);
    EXPECT_EQ(target.ShThickness(), 12);
    EXPECT_EQ(target.Picture(), source.Picture());
    EXPECT_NE(target.Picture().constBits(), source.Picture().constBits());
    EXPECT_EQ(target.ShadowStyle(), ssNoShad); // the source's, which its picture removed
    EXPECT_EQ(target.Width(), 6);
    EXPECT_NE(target.Height(), 120); // the length is the layout's

    // Without a picture the shadow comes across, and so does having no picture.
    TGraphicSplitBar shaded;
    shaded.SetShadowStyle(ssShadTop);
    shaded.resize(40, 7);
    ASSERT_TRUE(TStyleCopies::CopySplitterStyle(&target, &shaded));
    EXPECT_EQ(target.ShadowStyle(), ssShadTop);
    EXPECT_TRUE(target.Picture().isNull());
    EXPECT_EQ(target.Width(), 40);

    // A picture and a shadow together both come across.
    source.SetShadowStyle(ssShadLeft);
    ASSERT_TRUE(TStyleCopies::CopySplitterStyle(&target, &source));
    EXPECT_EQ(target.ShadowStyle(), ssShadLeft);
    EXPECT_EQ(target.Picture(), source.Picture());

    EXPECT_FALSE(TStyleCopies::CopySplitterStyle(&target, nullptr));
    EXPECT_FALSE(TStyleCopies::CopySplitterStyle(nullptr, &source));
}
