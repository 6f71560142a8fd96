#include "state/TListViewState.h"
#include "components/listview/TClrListView.h"
#include "state/StateTestSupport.h"

using namespace statetest;

namespace {

QStringList Snapshot(const TClrListView& v)
{
    return {QString::number(v.CellHiLightColour()),
            QString::number(v.CellOutlineWidth()),
            QString::number(v.CellPaint()),
            QString::number(v.CellPaintColour()),
            QString::number(v.Color()),
            QString::number(v.DoCellOutline()),
            QString::number(v.DrawCellOutline()),
            v.font().family(),
            QString::number(v.font().pointSize()),
            QString::number(v.FontColour()),
            QString::number(v.HitGap()),
            QString::number(v.LeftGap()),
            QString::number(v.TextAsThreeD()),
            QString::number(v.TextHiLight()),
            QString::number(v.TextNormalCol())};
}

class TListViewStateTest : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath("look.sta"); }

    TKXIniFile File(const QStringList& lines)
    {
        WriteTestFile(Path(), ("[FilesList]\r\n" + lines.join("\r\n") + "\r\n").toUtf8());
        return TKXIniFile(Path());
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TListViewStateTest, EveryPropertySurvivesWriteThenReadInTheFifteenKeys)
{
    TClrListView source;
    source.resize(400, 300);
    source.SetCellHiLightColour(-2147483643);
    source.SetCellOutlineWidth(4);
    source.SetCellPaint(false);
    source.SetCellPaintColour(16777215);
    source.SetColor(12632256);
    source.SetDoCellOutline(rlsBox);
    source.SetDrawCellOutline(rcsNone);
    QFont font("Liberation Mono");
    font.setPointSize(9);
    source.setFont(font);
    source.SetFontColour(-2147483640);
    source.SetHitGap(30);
    source.SetLeftGap(2);
    source.SetTextAsThreeD(true);
    source.SetTextHiLight(65535);
    source.SetTextNormalCol(8421504);

    WriteTestFile(Path(), "");
    TKXIniFile ini(Path());
    ASSERT_TRUE(TListViewState::WriteListViewState(ini, &source));
    EXPECT_EQ(SectionLines(Path(), "FilesList"),
              QStringList({"CellHiLightColour=-2147483643", "CellOutlineWidth=4", "CellPaint=0",
                           "CellPaintColour=16777215", "Color=12632256", "DoCellOutline=1",
                           "DrawCellOutline=0", "FontName=Liberation Mono", "FontSize=9",
                           "FontColour=-2147483640", "HitGap=30", "LeftGap=2", "TextAsThreeD=1",
                           "TextHiLight=65535", "TextNormalCol=8421504", "FontStyle=0"}));
    EXPECT_EQ(SectionKeys(Path(), "FilesList"), TListViewState::Keys());

    TClrListView target;
    target.resize(400, 300);
    ASSERT_NE(Snapshot(target), Snapshot(source));
    ASSERT_TRUE(TListViewState::ReadListViewState(ini, &target));
    EXPECT_EQ(Snapshot(target), Snapshot(source));
}

TEST_F(TListViewStateTest, WordsReadAsZeroExceptAsFontColourWhichStopsTheSection)
{
    TClrListView target;
    target.resize(400, 300);
    TKXIniFile words = File({"CellHiLightColour=silver", "Color=white", "CellPaintColour=0x0000FF",
                             "TextHiLight=$0000FF", "HitGap=some", "CellPaint=1", "FontColour=7",
                             "TextNormalCol=grey"});
    ASSERT_TRUE(TListViewState::ReadListViewState(words, &target));
    EXPECT_EQ(target.CellHiLightColour(), 0);
    EXPECT_EQ(target.Color(), 0);
    EXPECT_EQ(target.CellPaintColour(), 255);
    EXPECT_EQ(target.TextHiLight(), 255);
    EXPECT_EQ(target.HitGap(), 0);
    EXPECT_TRUE(target.CellPaint());
    EXPECT_EQ(target.FontColour(), 7);
    EXPECT_EQ(target.TextNormalCol(), 0);
    EXPECT_FALSE(target.TextAsThreeD()); // missing boolean

    target.SetLeftGap(25);
    TKXIniFile badFont = File(
        {"Color=3", "FontName=Liberation Sans", "FontSize=12", "FontColour=blue", "LeftGap=5"});
    EXPECT_FALSE(TListViewState::ReadListViewState(badFont, &target));
    EXPECT_EQ(target.Color(), 3);
    EXPECT_EQ(target.font().family(), "Liberation Sans");
    EXPECT_EQ(target.font().pointSize(), 12);
    EXPECT_EQ(target.FontColour(), 7);
    EXPECT_EQ(target.LeftGap(), 25);
}

TEST_F(TListViewStateTest, ANamedSectionIsUsedInsteadOfTheDefault)
{
    WriteTestFile(Path(), "[FilesList]\r\nColor=1\r\n[Preview List]\r\nColor=2\r\n");
    TKXIniFile ini(Path());
    TClrListView target;
    ASSERT_TRUE(TListViewState::ReadListViewState(ini, &target, "Preview List"));
    EXPECT_EQ(target.Color(), 2);
    ASSERT_TRUE(TListViewState::ReadListViewState(ini, &target));
    EXPECT_EQ(target.Color(), 1);
    EXPECT_FALSE(TListViewState::ReadListViewState(ini, nullptr));
    EXPECT_FALSE(TListViewState::WriteListViewState(ini, nullptr));
}
