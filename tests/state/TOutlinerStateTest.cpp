#include "state/TOutlinerState.h"
#include "components/outline/TROutliner.h"
#include "state/StateTestSupport.h"
#include <QFile>

using namespace statetest;

namespace {

// Every property the section keeps, as text, for comparing two outliners.
QStringList Snapshot(const TROutliner& o)
{
    return {QString::number(o.BackgroundCellCopyMode()),
            QString::number(o.BackgroundCopyMode()),
            QString::number(o.BackGroundStyle()),
            o.BitmapFileName(),
            QString::number(PixelOf(o.Bitmap()), 16),
            QString::number(o.CellHiLightColour()),
            QString::number(o.CellOutlineWidth()),
            QString::number(o.CellPaint()),
            QString::number(o.CellPaintColour()),
            QString::number(o.Color()),
            QString::number(o.ControlOutline()),
            QString::number(o.DoCellOutline()),
            QString::number(o.DrawCellOutline()),
            o.font().family(),
            QString::number(o.font().pointSize()),
            QString::number(o.FontColour()),
            QString::number(o.GradientHiLight()),
            QString::number(o.GradientLoLight()),
            QString::number(o.HitGap()),
            QString::number(o.ItemHeight()),
            QString::number(o.LeftGap()),
            QString::number(o.TextAsThreeD()),
            QString::number(o.TextHiLight()),
            QString::number(o.TextNormalCol())};
}

class TOutlinerStateTest : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath("look.sta"); }

    // A state file holding the given lines under [Outliners].
    TKXIniFile File(const QStringList& lines)
    {
        WriteTestFile(Path(), ("[Outliners]\r\n" + lines.join("\r\n") + "\r\n").toUtf8());
        return TKXIniFile(Path());
    }

    // An outliner styled away from every initial value; its bitmap comes from a file.
    void Style(TROutliner& o)
    {
        o.resize(400, 300);
        ASSERT_TRUE(o.LoadBackgroundBitmap(MakeBitmap(m_dir, "tile.bmp", QColor(10, 20, 30))));
        o.SetBackgroundCellCopyMode(15597702);
        o.SetBackgroundCopyMode(12583114);
        o.SetBackGroundStyle(rbsGradient);
        o.SetCellHiLightColour(12632256);
        o.SetCellOutlineWidth(3);
        o.SetCellPaint(true);
        o.SetCellPaintColour(12615744);
        o.SetColor(16777215);
        o.SetControlOutline(kxBoxOut);
        o.SetDrawCellOutline(rcsRoundLeft);
        o.SetDoCellOutline(rlsNone);
        QFont font("Liberation Serif");
        font.setPointSize(13);
        o.setFont(font);
        o.SetFontColour(4242);
        o.SetGradientHiLight(255);
        o.SetGradientLoLight(-2147483633);
        o.SetHitGap(12);
        o.SetItemHeight(24);
        o.SetLeftGap(7);
        o.SetTextAsThreeD(false);
        o.SetTextHiLight(128);
        o.SetTextNormalCol(65280);
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TOutlinerStateTest, WritesTheTwentyThreeKeysInOrder)
{
    TROutliner source;
    Style(source);
    WriteTestFile(Path(), "");
    TKXIniFile ini(Path());
    ASSERT_TRUE(TOutlinerState::WriteOutlinerState(ini, &source));

    EXPECT_EQ(SectionKeys(Path(), "Outliners"), TOutlinerState::Keys());
    EXPECT_EQ(TOutlinerState::Keys().size(), 24); // the 23 and FontStyle, added last
    EXPECT_EQ(SectionLines(Path(), "Outliners"),
              QStringList({"BackgroundCellCopyMode=15597702",
                           "BackgroundCopyMode=12583114",
                           "BackGroundStyle=2",
                           "BitmapFile=" + m_dir.filePath("tile.bmp"),
                           "CellHiLightColour=12632256",
                           "CellOutlineWidth=3",
                           "CellPaint=1",
                           "CellPaintColour=12615744",
                           "Color=16777215",
                           "ControlOutline=1",
                           "DoCellOutline=0",
                           "DrawCellOutline=3",
                           "FontName=Liberation Serif",
                           "FontSize=13",
                           "FontColour=4242",
                           "GradientHiLight=255",
                           "GradientLoLight=-2147483633",
                           "HitGap=12",
                           "ItemHeight=24",
                           "LeftGap=7",
                           "TextAsThreeD=0",
                           "TextHiLight=128",
                           "TextNormalCol=65280",
                           "FontStyle=0"}));

    // Another section name keeps the same keys there.
    ASSERT_TRUE(TOutlinerState::WriteOutlinerState(ini, &source, "Spare"));
    EXPECT_EQ(SectionLines(Path(), "Spare"), SectionLines(Path(), "Outliners"));
}

TEST_F(TOutlinerStateTest, EveryPropertySurvivesWriteThenRead)
{
    TROutliner source;
    Style(source);
    WriteTestFile(Path(), "");
    TKXIniFile ini(Path());
    ASSERT_TRUE(TOutlinerState::WriteOutlinerState(ini, &source));

    TROutliner target;
    target.resize(400, 300);
    ASSERT_NE(Snapshot(target), Snapshot(source));
    ASSERT_TRUE(TOutlinerState::ReadOutlinerState(ini, &target));
    EXPECT_EQ(Snapshot(target), Snapshot(source));
    // Loading the bitmap set rbsBitmap; the stored style won.
    EXPECT_EQ(target.BackGroundStyle(), rbsGradient);
}

TEST_F(TOutlinerStateTest, AWordAsColourStopsTheSectionAtThatKey)
{
    TROutliner target;
    target.resize(400, 300);
    target.SetControlOutline(kxBoxIn);
    target.SetTextNormalCol(77);
    const QFont before = target.font();
    TKXIniFile ini =
        File({"BackgroundCellCopyMode=66", "CellHiLightColour=12", "CellOutlineWidth=2",
              "CellPaintColour=$0000FF", "Color=black", "ControlOutline=1",
              "FontName=Liberation Mono", "FontSize=20", "TextNormalCol=5"});
    EXPECT_FALSE(TOutlinerState::ReadOutlinerState(ini, &target));
    // Applied before the bad key...
    EXPECT_EQ(target.BackgroundCellCopyMode(), 66u);
    EXPECT_EQ(target.CellHiLightColour(), 12);
    EXPECT_EQ(target.CellOutlineWidth(), 2);
    EXPECT_EQ(target.CellPaintColour(), 255);
    // ...and nothing from it on.
    EXPECT_EQ(target.ControlOutline(), kxBoxIn);
    EXPECT_EQ(target.font(), before);
    EXPECT_EQ(target.TextNormalCol(), 77);

    // The last colour key fails the same way after everything else was applied.
    TKXIniFile last = File({"Color=1", "CellPaintColour=1", "CellHiLightColour=1",
                            "GradientHiLight=1", "GradientLoLight=1", "FontColour=1",
                            "TextHiLight=1", "TextNormalCol=navy", "ItemHeight=40"});
    EXPECT_FALSE(TOutlinerState::ReadOutlinerState(last, &target));
    EXPECT_EQ(target.ItemHeight(), 40);
    EXPECT_EQ(target.TextNormalCol(), 77);
}

TEST_F(TOutlinerStateTest, OtherWordsReadAsZeroAndMissingKeysAsZeroOrFalse)
{
    TROutliner target;
    Style(target);
    const QString face = target.font().family();
    TKXIniFile ini =
        File({"BackgroundCopyMode=copy", "BackGroundStyle=tiled", "CellPaint=yes", "HitGap=wide",
              "LeftGap=  $4", "TextAsThreeD=-1", "Color=0x0000FF", "GradientHiLight=  $0000FF"});
    EXPECT_TRUE(TOutlinerState::ReadOutlinerState(ini, &target));
    EXPECT_EQ(target.BackgroundCopyMode(), 0u);
    EXPECT_EQ(target.BackgroundCellCopyMode(), 0u);
    EXPECT_EQ(target.BackGroundStyle(), rbsNone);
    EXPECT_FALSE(target.CellPaint());
    EXPECT_EQ(target.HitGap(), 0);
    EXPECT_EQ(target.LeftGap(), 4);
    EXPECT_TRUE(target.TextAsThreeD());
    EXPECT_EQ(target.Color(), 255);
    EXPECT_EQ(target.GradientHiLight(), 255);
    // Missing keys.
    EXPECT_EQ(target.CellPaintColour(), 0);
    EXPECT_EQ(target.TextHiLight(), 0);
    EXPECT_EQ(target.FontColour(), 0);
    EXPECT_EQ(target.CellOutlineWidth(), 0);
    // A missing face keeps the control's; a size of 0 becomes the smallest drawable one;
    // a row height of 0 the smallest the outliner draws.
    EXPECT_EQ(target.font().family(), face);
    EXPECT_EQ(target.font().pointSize(), 1);
    EXPECT_GE(target.ItemHeight(), 1);
    EXPECT_FALSE(target.RenderToImage().isNull());
}

TEST_F(TOutlinerStateTest, FontNamesAreCutTo31CharactersAndAnEmptyOneKeepsTheFace)
{
    TROutliner target;
    const QString forty = QString("Fontface-").repeated(5).left(40);
    TKXIniFile ini = File({"FontName=" + forty, "FontSize=11"});
    ASSERT_TRUE(TOutlinerState::ReadOutlinerState(ini, &target));
    EXPECT_EQ(target.font().family(), forty.left(31));
    EXPECT_EQ(target.font().pointSize(), 11);

    TKXIniFile empty = File({"FontName=", "FontSize=9"});
    ASSERT_TRUE(TOutlinerState::ReadOutlinerState(empty, &target));
    EXPECT_EQ(target.font().family(), forty.left(31));
    EXPECT_EQ(target.font().pointSize(), 9);
}

TEST_F(TOutlinerStateTest, BitmapKeyLoadsTheNamedFileAndTheStoredStyleWins)
{
    const QString tile = MakeBitmap(m_dir, "Tiles.BMP", QColor(200, 0, 0));
    TROutliner target;
    QImage own(2, 2, QImage::Format_RGB32);
    own.fill(QColor(0, 0, 255));
    target.SetBitmap(own);
    target.SetBuiltInBitmap(own);

    // An empty value or no key leave the bitmap as it is; "Empty" brings back the
    // built-in picture (here the same).
    for (const QString& line : {QString("BitmapFile=Empty"), QString("BitmapFile="), QString()}) {
        TKXIniFile ini = File({"BackGroundStyle=1", line});
        ASSERT_TRUE(TOutlinerState::ReadOutlinerState(ini, &target));
        EXPECT_EQ(PixelOf(target.Bitmap()), qRgb(0, 0, 255)) << line.toStdString();
        EXPECT_TRUE(target.BitmapFileName().isEmpty());
        EXPECT_EQ(target.BackGroundStyle(), rbsBitmap);
    }

    // A missing file: nothing loaded, the stored style stays, rbsBitmap included.
    TKXIniFile missing = File({"BackGroundStyle=1", "BitmapFile=" + m_dir.filePath("gone.bmp")});
    ASSERT_TRUE(TOutlinerState::ReadOutlinerState(missing, &target));
    EXPECT_EQ(PixelOf(target.Bitmap()), qRgb(0, 0, 255));
    EXPECT_TRUE(target.BitmapFileName().isEmpty());
    EXPECT_EQ(target.BackGroundStyle(), rbsBitmap);

    // A file that is no picture is no failure either.
    WriteTestFile(m_dir.filePath("text.bmp"), "not a picture");
    TKXIniFile notPicture = File({"BitmapFile=" + m_dir.filePath("text.bmp")});
    ASSERT_TRUE(TOutlinerState::ReadOutlinerState(notPicture, &target));
    EXPECT_EQ(PixelOf(target.Bitmap()), qRgb(0, 0, 255));

    // Backslashes and another letter case still find the file; the style read wins over
    // the rbsBitmap that loading sets.
    QString written = m_dir.filePath("tiles.bmp");
    written.replace('/', '\\');
    TKXIniFile found = File({"BackGroundStyle=2", "BitmapFile=" + written});
    ASSERT_TRUE(TOutlinerState::ReadOutlinerState(found, &target));
    EXPECT_EQ(PixelOf(target.Bitmap()), qRgb(200, 0, 0));
    EXPECT_EQ(target.BitmapFileName(), m_dir.filePath("tiles.bmp"));
    EXPECT_EQ(target.BackGroundStyle(), rbsGradient);
    EXPECT_EQ(tile, m_dir.filePath("Tiles.BMP"));
}

TEST_F(TOutlinerStateTest, WritingStopsAtTheFirstKeyThatFails)
{
    TROutliner source;
    Style(source);
    QFont broken = source.font();
    broken.setFamily("Two\nLines");
    source.setFont(broken);

    WriteTestFile(Path(), "");
    TKXIniFile ini(Path());
    EXPECT_FALSE(TOutlinerState::WriteOutlinerState(ini, &source));
    EXPECT_EQ(SectionKeys(Path(), "Outliners"), TOutlinerState::Keys().mid(0, 12));

    // No file: nothing is created.
    TKXIniFile none(m_dir.filePath("none.sta"));
    EXPECT_FALSE(TOutlinerState::WriteOutlinerState(none, &source));
    EXPECT_FALSE(QFile::exists(m_dir.filePath("none.sta")));

    EXPECT_FALSE(TOutlinerState::WriteOutlinerState(ini, nullptr));
    EXPECT_FALSE(TOutlinerState::ReadOutlinerState(ini, nullptr));
}
