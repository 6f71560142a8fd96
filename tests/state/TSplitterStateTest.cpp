#include "state/TSplitterState.h"
#include "components/panels/TGraphicSplitBar.h"
#include "state/StateTestSupport.h"

using namespace statetest;

namespace {

class TSplitterStateTest : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath("look.sta"); }

    TKXIniFile File(const QByteArray& text)
    {
        WriteTestFile(Path(), text);
        return TKXIniFile(Path());
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TSplitterStateTest, TheDefaultSectionFollowsTheAlignment)
{
    TGraphicSplitBar bar;
    const std::pair<TAlign, const char*> cases[] = {
        {alLeft, "Vertical Splitter"},   {alRight, "Vertical Splitter"},
        {alTop, "Horizontal Splitter"},  {alBottom, "Horizontal Splitter"},
        {alNone, "Horizontal Splitter"}, {alClient, "Horizontal Splitter"}};
    for (const auto& [align, section] : cases) {
        bar.SetAlign(align);
        EXPECT_EQ(TSplitterState::DefaultSection(bar), section) << align;
    }
}

TEST_F(TSplitterStateTest, EveryPropertySurvivesWriteThenRead)
{
    TGraphicSplitBar vertical;
    vertical.SetAlign(alLeft);
    vertical.SetBorderStyle(1);
    vertical.SetColor(16777215);
    vertical.SetDrawEdge(true);
    vertical.SetShadowStyle(ssShadLeft);
    vertical.SetShThickness(9);
    vertical.SetWidth(6);
    TGraphicSplitBar horizontal;
    horizontal.SetAlign(alBottom);
    horizontal.SetColor(-2147483633);
    horizontal.SetShadowStyle(ssShadBottom);
    horizontal.SetHeight(7);

    TKXIniFile ini = File("");
    ASSERT_TRUE(TSplitterState::WriteSplitterState(ini, &vertical));
    ASSERT_TRUE(TSplitterState::WriteSplitterState(ini, &horizontal));
    EXPECT_EQ(ReadTestFile(Path()),
              "[Vertical Splitter]\r\nBorderStyle=1\r\nColor=16777215\r\nDrawEdge=1\r\n"
              "ShadowStyle=3\r\nShThickness=9\r\nWidth=6\r\nPictureFile=Empty\r\n"
              "[Horizontal Splitter]\r\nBorderStyle=0\r\nColor=-2147483633\r\nDrawEdge=0\r\n"
              "ShadowStyle=6\r\nShThickness=8\r\nHeight=7\r\nPictureFile=Empty\r\n");

    TGraphicSplitBar v2, h2;
    v2.SetAlign(alRight);
    h2.SetAlign(alTop);
    ASSERT_TRUE(TSplitterState::ReadSplitterState(ini, &v2));
    ASSERT_TRUE(TSplitterState::ReadSplitterState(ini, &h2));
    for (const auto& [read, written] : {std::pair{&v2, &vertical}, std::pair{&h2, &horizontal}}) {
        EXPECT_EQ(read->BorderStyle(), written->BorderStyle());
        EXPECT_EQ(read->Color(), written->Color());
        EXPECT_EQ(read->DrawEdge(), written->DrawEdge());
        EXPECT_EQ(read->ShadowStyle(), written->ShadowStyle());
        EXPECT_EQ(read->ShThickness(), written->ShThickness());
    }
    EXPECT_EQ(v2.Width(), 6);
    EXPECT_EQ(h2.Height(), 7);
}

TEST_F(TSplitterStateTest, WidthOrHeightFollowsTheAlignmentWhenWritingAndTheNameWhenReading)
{
    TGraphicSplitBar horizontal;
    horizontal.SetAlign(alBottom);
    horizontal.resize(30, 9);

    // Written to the vertical section, a horizontal splitter still writes its Height.
    TKXIniFile out = File("");
    ASSERT_TRUE(TSplitterState::WriteSplitterState(out, &horizontal, "Vertical Splitter"));
    EXPECT_EQ(SectionKeys(Path(), "Vertical Splitter").value(5), "Height");

    // Read from the vertical section, it takes the Width.
    TKXIniFile in = File("[Vertical Splitter]\r\nWidth=12\r\nHeight=40\r\n");
    ASSERT_TRUE(TSplitterState::ReadSplitterState(in, &horizontal, "Vertical Splitter"));
    EXPECT_EQ(horizontal.Width(), 12);
    EXPECT_EQ(horizontal.Height(), 9);

    // The section name decides with its letter case: the same section spelt otherwise is
    // found, but the splitter takes the Height.
    TGraphicSplitBar vertical;
    vertical.SetAlign(alLeft);
    vertical.resize(5, 50);
    ASSERT_TRUE(TSplitterState::ReadSplitterState(in, &vertical, "vertical splitter"));
    EXPECT_EQ(vertical.Height(), 40);
    EXPECT_EQ(vertical.Width(), 5);
}

TEST_F(TSplitterStateTest, EveryWordReadsAsZeroAndSizesCannotGoNegative)
{
    TGraphicSplitBar bar;
    bar.SetAlign(alLeft);
    bar.SetDrawEdge(true);
    TKXIniFile ini = File("[Vertical Splitter]\r\nBorderStyle=single\r\nColor=white\r\n"
                          "ShadowStyle=$4\r\nShThickness=wide\r\nWidth=-20\r\n");
    ASSERT_TRUE(TSplitterState::ReadSplitterState(ini, &bar));
    EXPECT_EQ(bar.BorderStyle(), 0);
    EXPECT_EQ(bar.Color(), 0);
    EXPECT_FALSE(bar.DrawEdge());
    EXPECT_EQ(bar.ShadowStyle(), ssShadRight);
    EXPECT_EQ(bar.ShThickness(), 2); // the bar keeps its band within 2..16
    EXPECT_EQ(bar.Width(), 1);       // raised: a bar of no width could never be dragged back
    EXPECT_FALSE(TSplitterState::ReadSplitterState(ini, nullptr));
}
