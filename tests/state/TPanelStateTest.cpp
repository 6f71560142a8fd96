#include "state/TPanelState.h"
#include "components/panels/TKXPanelPage.h"
#include "state/StateTestSupport.h"

using namespace statetest;

namespace {

QStringList Snapshot(const TKXPanelPage& p)
{
    return {QString::number(p.AlignTopGap()),
            QString::number(p.AlignLeftGap()),
            QString::number(p.AlignRightGap()),
            QString::number(p.AlignBottomGap()),
            QString::number(p.BackGroundStyle()),
            QString::number(p.Color()),
            QString::number(p.ControlOutline()),
            QString::number(p.GradientHiLight()),
            QString::number(p.GradientLoLight()),
            QString::number(p.LeaveSpaceAtBottom()),
            QString::number(p.LeaveSpaceAtTitle()),
            p.BitmapFileName(),
            QString::number(PixelOf(p.TileBitmap()), 16)};
}

class TPanelStateTest : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath("look.sta"); }

    TKXIniFile File(const QStringList& lines)
    {
        WriteTestFile(Path(), ("[Panel]\r\n" + lines.join("\r\n") + "\r\n").toUtf8());
        return TKXIniFile(Path());
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TPanelStateTest, EveryPropertySurvivesWriteThenReadWithTheBitmapFileLast)
{
    TKXPanelPage source;
    source.resize(400, 400);
    const QString tile = MakeBitmap(m_dir, "tile.bmp", QColor(1, 2, 3));
    ASSERT_TRUE(source.LoadTileBitmap(tile));
    source.SetAlignTopGap(21);
    source.SetAlignLeftGap(22);
    source.SetAlignRightGap(23);
    source.SetAlignBottomGap(24);
    source.SetBackGroundStyle(rbsNone);
    source.SetControlOutline(kxBoxOut);
    source.SetGradientHiLight(9856410); // also the page's colour
    source.SetGradientLoLight(4042);
    source.SetLeaveSpaceAtBottom(-5);
    source.SetLeaveSpaceAtTitle(40000);

    WriteTestFile(Path(), "");
    TKXIniFile ini(Path());
    ASSERT_TRUE(TPanelState::WritePanelState(ini, &source));
    EXPECT_EQ(
        SectionLines(Path(), "Panel"),
        QStringList({"AlignTopGap=21", "AlignLeftGap=22", "AlignRightGap=23", "AlignBottomGap=24",
                     "BackGroundStyle=0", "Color=9856410", "ControlOutline=1",
                     "GradientHiLight=9856410", "GradientLoLight=4042", "LeaveSpaceAtBottom=-5",
                     "LeaveSpaceAtTitle=40000", "BitmapFile=" + tile}));
    EXPECT_EQ(SectionKeys(Path(), "Panel"), TPanelState::Keys());

    TKXPanelPage target;
    target.resize(400, 400);
    ASSERT_TRUE(TPanelState::ReadPanelState(ini, &target));
    EXPECT_EQ(Snapshot(target), Snapshot(source));
    EXPECT_EQ(target.BackGroundStyle(), rbsNone); // the stored style, not loading's rbsBitmap
}

TEST_F(TPanelStateTest, EveryWordReadsAsZeroAndTheBitmapRuleHolds)
{
    TKXPanelPage target;
    target.resize(400, 400);
    QImage own(2, 2, QImage::Format_RGB32);
    own.fill(Qt::green);
    target.SetTileBitmap(own);
    TKXIniFile ini =
        File({"AlignTopGap=top", "Color=white", "GradientLoLight=0x0000FF", "BackGroundStyle=$1",
              "LeaveSpaceAtTitle=many", "BitmapFile=" + m_dir.filePath("missing.bmp")});
    ASSERT_TRUE(TPanelState::ReadPanelState(ini, &target));
    EXPECT_EQ(target.AlignTopGap(), 0);
    EXPECT_EQ(target.Color(), 0); // GradientHiLight, missing, set it last
    EXPECT_EQ(target.GradientLoLight(), 255);
    EXPECT_EQ(target.LeaveSpaceAtTitle(), 0);
    EXPECT_EQ(target.BackGroundStyle(), rbsBitmap);
    EXPECT_EQ(PixelOf(target.TileBitmap()), qRgb(0, 255, 0));
    EXPECT_TRUE(target.BitmapFileName().isEmpty());

    // The gradient colours as words read as 0 as well; reading the high one leaves the
    // Color read before it (only the editor's button sets both).
    target.SetGradientLoLight(77);
    TKXIniFile words = File({"Color=5", "GradientHiLight=white", "GradientLoLight=grey"});
    ASSERT_TRUE(TPanelState::ReadPanelState(words, &target));
    EXPECT_EQ(target.GradientHiLight(), 0);
    EXPECT_EQ(target.GradientLoLight(), 0);
    EXPECT_EQ(target.Color(), 5);

    // "Empty" brings back the picture the page was built with.
    QImage builtIn(2, 2, QImage::Format_RGB32);
    builtIn.fill(QColor(255, 0, 255));
    target.SetBuiltInBitmap(builtIn);
    TKXIniFile empty = File({"BackGroundStyle=2", "BitmapFile=Empty"});
    ASSERT_TRUE(TPanelState::ReadPanelState(empty, &target));
    EXPECT_EQ(PixelOf(target.TileBitmap()), qRgb(255, 0, 255));
    EXPECT_EQ(target.BackGroundStyle(), rbsGradient);

    // Gaps are passed as read; the page keeps them within a quarter of its size.
    TKXIniFile wide = File({"AlignLeftGap=5000", "AlignBottomGap=-7"});
    ASSERT_TRUE(TPanelState::ReadPanelState(wide, &target));
    EXPECT_EQ(target.AlignLeftGap(), 100);
    EXPECT_EQ(target.AlignBottomGap(), 0);
}
