// A look survives its own round trip: every key of the five sections, written, read into
// the controls and written again, gives the same file; the shipped looks read and save
// back unchanged; damaged or partial files leave a usable display.
#include "platform/TPath.h"
#include "state/DisplayTestControls.h"
#include "state/StateTestSupport.h"
#include "state/TBitmapFileKey.h"
#include "state/TDisplayState.h"
#include "state/TKXIniFile.h"
#include "state/TOutlinerState.h"
#include "state/TStyleCopies.h"
#include <QDir>
#include <QRandomGenerator>
#include <functional>

using namespace statetest;

namespace {

const quint32 kCopyModes[] = {66,       5570569,  12583114, 12255782, 3342344,
                              1114278,  15728673, 5898313,  16452105, 8913094,
                              13369376, 4457256,  6684742,  15597702, 16711778};
const char* const kFaces[] = {"MS Sans Serif", "Arial", "Times New Roman", "Courier New"};

// The keys added to the format; the shipped looks predate them.
bool IsAddedKey(const QByteArray& line)
{
    return line.startsWith("FontStyle=") || line.startsWith("PictureFile=");
}

QByteArray WithoutAddedKeys(const QByteArray& file)
{
    QByteArrayList kept;
    for (const QByteArray& line : file.split('\n'))
        if (!IsAddedKey(line))
            kept << line;
    return kept.join('\n');
}

class LookRoundTripTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        TPath::SetExecutablePathOverride(m_dir.filePath("kit/zelmora"));
        QDir(m_dir.path()).mkpath("kit/pics");
        QDir(m_dir.path()).mkpath("looks");
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    QByteArray Save(TTestDisplay& display, const QString& name)
    {
        const QString path = m_dir.filePath(name);
        QFile::remove(path);
        EXPECT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
        return ReadTestFile(path);
    }

    // A file holding a random valid value for every key of the five sections.
    QByteArray RandomLook(QRandomGenerator& rng)
    {
        const auto pick = [&rng](int low, int high) { return int(rng.bounded(low, high + 1)); };
        const auto colour = [&]() -> qint64 {
            return pick(0, 3) == 0 ? qint64(qint32(0x80000000u | quint32(pick(0, 24))))
                                   : pick(0, 0xFFFFFF);
        };
        const auto mode = [&] { return kCopyModes[pick(0, 14)]; };
        const auto picture = [&](const char* name) -> QString {
            if (pick(0, 2) == 0)
                return "Empty";
            const QString path = MakeBitmap(m_dir, QString("kit/pics/%1.bmp").arg(name),
                                            QColor::fromRgb(rng.generate() | 0xFF000000u));
            return "READERBASE\\pics\\" + QString(name) + ".bmp";
        };
        const auto font = [&](QStringList& lines) {
            lines << QString("FontName=%1").arg(kFaces[pick(0, 3)])
                  << QString("FontSize=%1").arg(pick(6, 20))
                  << QString("FontColour=%1").arg(colour());
        };
        QStringList l;
        l << "[Outliners]" << QString("BackgroundCellCopyMode=%1").arg(mode())
          << QString("BackgroundCopyMode=%1").arg(mode())
          << QString("BackGroundStyle=%1").arg(pick(0, 2)) << "BitmapFile=" + picture("outline")
          << QString("CellHiLightColour=%1").arg(colour())
          << QString("CellOutlineWidth=%1").arg(pick(0, 5))
          << QString("CellPaint=%1").arg(pick(0, 1)) << QString("CellPaintColour=%1").arg(colour())
          << QString("Color=%1").arg(colour()) << QString("ControlOutline=%1").arg(pick(0, 2))
          << QString("DoCellOutline=%1").arg(pick(0, 2))
          << QString("DrawCellOutline=%1").arg(pick(0, 3));
        font(l);
        l << QString("GradientHiLight=%1").arg(colour())
          << QString("GradientLoLight=%1").arg(colour()) << QString("HitGap=%1").arg(pick(0, 57))
          << QString("ItemHeight=%1").arg(pick(1, 60)) << QString("LeftGap=%1").arg(pick(0, 57))
          << QString("TextAsThreeD=%1").arg(pick(0, 1)) << QString("TextHiLight=%1").arg(colour())
          << QString("TextNormalCol=%1").arg(colour()) << QString("FontStyle=%1").arg(pick(0, 15));
        l << "[FilesList]" << QString("CellHiLightColour=%1").arg(colour())
          << QString("CellOutlineWidth=%1").arg(pick(0, 5))
          << QString("CellPaint=%1").arg(pick(0, 1)) << QString("CellPaintColour=%1").arg(colour())
          << QString("Color=%1").arg(colour()) << QString("DoCellOutline=%1").arg(pick(0, 2))
          << QString("DrawCellOutline=%1").arg(pick(0, 3));
        font(l);
        l << QString("HitGap=%1").arg(pick(0, 57)) << QString("LeftGap=%1").arg(pick(0, 57))
          << QString("TextAsThreeD=%1").arg(pick(0, 1)) << QString("TextHiLight=%1").arg(colour())
          << QString("TextNormalCol=%1").arg(colour()) << QString("FontStyle=%1").arg(pick(0, 15));
        l << "[Panel]" << QString("AlignTopGap=%1").arg(pick(0, 107))
          << QString("AlignLeftGap=%1").arg(pick(0, 57))
          << QString("AlignRightGap=%1").arg(pick(0, 57))
          << QString("AlignBottomGap=%1").arg(pick(0, 107))
          << QString("BackGroundStyle=%1").arg(pick(0, 2)) << QString("Color=%1").arg(colour())
          << QString("ControlOutline=%1").arg(pick(0, 2))
          << QString("GradientHiLight=%1").arg(colour())
          << QString("GradientLoLight=%1").arg(colour())
          << QString("LeaveSpaceAtBottom=%1").arg(pick(0, 100))
          << QString("LeaveSpaceAtTitle=%1").arg(pick(0, 100)) << "BitmapFile=" + picture("tile");
        for (const char* section : {"Vertical Splitter", "Horizontal Splitter"}) {
            const bool vertical = QString(section).startsWith('V');
            l << QString("[%1]").arg(section) << QString("BorderStyle=%1").arg(pick(0, 1))
              << QString("Color=%1").arg(colour()) << QString("DrawEdge=%1").arg(pick(0, 1))
              << QString("ShadowStyle=%1").arg(pick(0, 6))
              << QString("ShThickness=%1").arg(pick(2, 16))
              << QString("%1=%2").arg(vertical ? "Width" : "Height").arg(pick(1, 40))
              << "PictureFile=" + picture(vertical ? "vbar" : "hbar");
        }
        return (l.join("\r\n") + "\r\n").toUtf8();
    }

    TMessageCapture m_messages;
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(LookRoundTripTest, RandomLooksOfEveryKeyReadAndWriteBackTheSameFile)
{
    QRandomGenerator rng(18);
    for (int round = 0; round < 40; ++round) {
        const QByteArray look = RandomLook(rng);
        const QString path = m_dir.filePath("look.sta");
        WriteTestFile(path, look);
        TTestDisplay display;
        display.StyleAsDesign();
        ASSERT_TRUE(TDisplayState::LoadDisplayState(display.Controls(), path));
        ASSERT_EQ(Save(display, "again.sta"), look) << "round " << round;
        // And the look carried by the style copies is still the same look.
        TTestDisplay copy;
        auto c = display.Controls(), t = copy.Controls();
        ASSERT_TRUE(TStyleCopies::CopyOutlinerStyle(t.FolderList, c.FolderList));
        ASSERT_TRUE(TStyleCopies::CopyOutlinerStyle(t.ReadOutliner, c.ReadOutliner));
        ASSERT_TRUE(TStyleCopies::CopyListViewStyle(t.DocList, c.DocList));
        ASSERT_TRUE(TStyleCopies::CopyPanelStyle(t.PanelPage, c.PanelPage));
        ASSERT_TRUE(TStyleCopies::CopySplitterStyle(t.GraphicSplit1, c.GraphicSplit1));
        ASSERT_TRUE(TStyleCopies::CopySplitterStyle(t.GraphicSplit2, c.GraphicSplit2));
        ASSERT_EQ(Save(copy, "copied.sta"), look) << "round " << round;
    }
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(LookRoundTripTest, TheShippedLooksLoadAndSaveBackByteForByte)
{
    QStringList looks = {QStringLiteral(ZELMORA_SOURCE_DIR "/demo/zelmora.STA")};
    for (const QString& name : QDir(ZELMORA_SOURCE_DIR "/demo/Looks").entryList({"*.sta"}))
        looks << QStringLiteral(ZELMORA_SOURCE_DIR "/demo/Looks/") + name;
    ASSERT_GE(looks.size(), 3);
    for (const QString& shipped : looks) {
        TTestDisplay display;
        display.StyleAsDesign();
        ASSERT_TRUE(TDisplayState::LoadDisplayState(display.Controls(), shipped))
            << shipped.toStdString();
        const QByteArray saved = Save(display, "saved.sta");
        EXPECT_EQ(WithoutAddedKeys(saved), ReadTestFile(shipped)) << shipped.toStdString();
        // An older look holds no style: its text is regular, its splitters have no picture.
        EXPECT_TRUE(saved.contains("FontStyle=0\r\n"));
        EXPECT_FALSE(display.FolderList.font().bold());
    }
}

TEST_F(LookRoundTripTest, ReadingKeepsTheHighlightThatTheUnderlineWouldReset)
{
    const QString path = m_dir.filePath("hi.sta");
    WriteTestFile(path, "[FilesList]\r\nCellHiLightColour=8388608\r\nCellPaintColour=16777215\r\n"
                        "DoCellOutline=2\r\nDrawCellOutline=1\r\n"
                        "[Outliners]\r\nDoCellOutline=1\r\nDrawCellOutline=2\r\nColor=1\r\n"
                        "CellHiLightColour=2\r\nCellPaintColour=3\r\nFontColour=4\r\n"
                        "GradientHiLight=5\r\nGradientLoLight=6\r\nTextHiLight=7\r\n"
                        "TextNormalCol=8\r\n"
                        "[Panel]\r\nColor=77\r\nGradientHiLight=99\r\n");
    TTestDisplay display;
    ASSERT_TRUE(TDisplayState::LoadDisplayState(display.Controls(), path));
    EXPECT_EQ(display.DocList.CellHiLightColour(), 8388608);
    EXPECT_EQ(display.DocList.DrawCellOutline(), rcsBox);
    EXPECT_EQ(display.FolderList.DoCellOutline(), rlsBox);
    EXPECT_EQ(display.FolderList.DrawCellOutline(), rcsRoundRight);
    EXPECT_EQ(display.PanelPage.Color(), 77);
    EXPECT_EQ(display.PanelPage.GradientHiLight(), 99);
}

TEST_F(LookRoundTripTest, PartialAndDamagedFilesLeaveAUsableDisplay)
{
    TTestDisplay display;
    display.StyleAsDesign();
    const QByteArray before = Save(display, "before.sta");
    const QString path = m_dir.filePath("hostile.sta");
    const auto sectionOf = [](const QByteArray& file, const char* name) {
        const qsizetype from = file.indexOf(QByteArray("[") + name + "]");
        const qsizetype to = file.indexOf('[', from + 1);
        return file.mid(from, to < 0 ? -1 : to - from);
    };

    // Only [Panel]: the other controls keep their look.
    WriteTestFile(path, "[Panel]\r\nAlignTopGap=5\r\n");
    ASSERT_TRUE(TDisplayState::LoadDisplayState(display.Controls(), path));
    const QByteArray after = Save(display, "after.sta");
    for (const char* section :
         {"Outliners", "FilesList", "Vertical Splitter", "Horizontal Splitter"})
        EXPECT_EQ(sectionOf(after, section), sectionOf(before, section)) << section;
    EXPECT_EQ(display.PanelPage.AlignTopGap(), 5);

    // None of the five sections: refused with the load-error message, nothing changed.
    for (const QByteArray& none :
         {QByteArray("[Other]\r\nColor=0\r\n"), QByteArray(""), QByteArray("just words\r\n")}) {
        WriteTestFile(path, none);
        m_messages.Clear();
        EXPECT_FALSE(TDisplayState::LoadDisplayState(display.Controls(), path));
        ASSERT_EQ(m_messages.Messages().size(), 1u);
        EXPECT_EQ(m_messages.Captions().value(0), TDisplayState::LoadErrorCaption);
        EXPECT_EQ(Save(display, "unchanged.sta"), after);
        EXPECT_FALSE(TDisplayState::LoadStateFile(path, &display.FolderList, &display.ReadOutliner,
                                                  &display.GraphicSplit2, &display.GraphicSplit1,
                                                  &display.PanelPage, &display.DocList));
    }

    // Sizes of zero, below zero or words: raised to the smallest usable size.
    for (const char* size : {"0", "-40", "abc"}) {
        WriteTestFile(path, QString("[Outliners]\r\nItemHeight=%1\r\nFontSize=%1\r\n"
                                    "[FilesList]\r\nFontSize=%1\r\nHitGap=%1\r\n"
                                    "[Vertical Splitter]\r\nWidth=%1\r\n"
                                    "[Horizontal Splitter]\r\nHeight=%1\r\n"
                                    "[Panel]\r\nAlignTopGap=%1\r\n")
                                .arg(size)
                                .toUtf8());
        m_messages.Clear();
        TDisplayState::LoadDisplayState(display.Controls(), path);
        EXPECT_GE(display.FolderList.ItemHeight(), 1) << size;
        EXPECT_GE(display.FolderList.font().pointSize(), 1) << size;
        EXPECT_GE(display.DocList.font().pointSize(), 1) << size;
        EXPECT_EQ(display.DocList.HitGap(), 0) << size;
        EXPECT_GE(display.GraphicSplit1.Width(), 1) << size;
        EXPECT_GE(display.GraphicSplit2.Height(), 1) << size;
        EXPECT_EQ(display.PanelPage.AlignTopGap(), 0) << size;
    }
}

TEST_F(LookRoundTripTest, FontStyleAndSplitterPictureAreKeptAndOlderFilesClearThem)
{
    const QString bar = MakeBitmap(m_dir, "kit/pics/bar.bmp", Qt::red, QSize(3, 3));
    TTestDisplay display;
    display.StyleAsDesign();
    QFont italic = display.DocList.font();
    italic.setItalic(true);
    italic.setUnderline(true);
    display.DocList.setFont(italic);
    QImage picture;
    ASSERT_TRUE(picture.load(bar));
    display.GraphicSplit1.SetPicture(picture);
    display.GraphicSplit1.SetPictureFileName(bar);
    display.GraphicSplit1.SetShadowStyle(ssShadLeft); // a picture and a shadow together
    const QByteArray saved = Save(display, "styled.sta");
    EXPECT_TRUE(saved.contains("TextNormalCol=0\r\nFontStyle=6\r\n[Panel]"));
    EXPECT_TRUE(saved.contains("Width=6\r\nPictureFile=READERBASE\\pics\\bar.bmp\r\n"));

    TTestDisplay other;
    ASSERT_TRUE(TDisplayState::LoadDisplayState(other.Controls(), m_dir.filePath("styled.sta")));
    EXPECT_TRUE(other.DocList.font().italic());
    EXPECT_TRUE(other.DocList.font().underline());
    EXPECT_FALSE(other.DocList.font().bold());
    EXPECT_EQ(other.GraphicSplit1.ShadowStyle(), ssShadLeft);
    EXPECT_EQ(PixelOf(other.GraphicSplit1.Picture()), QColor(Qt::red).rgb());
    EXPECT_EQ(other.GraphicSplit1.PictureFileName(), bar);

    // An older look, without the new keys: regular text and no picture.
    ASSERT_TRUE(TDisplayState::LoadDisplayState(other.Controls(),
                                                ZELMORA_SOURCE_DIR "/demo/Looks/Lakeside.sta"));
    EXPECT_FALSE(other.DocList.font().italic());
    EXPECT_FALSE(other.DocList.font().underline());
    EXPECT_TRUE(other.GraphicSplit1.Picture().isNull());
    EXPECT_TRUE(other.GraphicSplit1.PictureFileName().isEmpty());
}

TEST_F(LookRoundTripTest, PicturesTravelWithTheKit)
{
    const QString inside = MakeBitmap(m_dir, "kit/pics/tile.bmp", Qt::green);
    const QString beside = MakeBitmap(m_dir, "looks/near.bmp", Qt::blue);
    const QString outside = MakeBitmap(m_dir, "elsewhere.bmp", Qt::yellow);
    EXPECT_EQ(TBitmapFileKey::Encode(inside), "READERBASE\\pics\\tile.bmp");
    EXPECT_EQ(TBitmapFileKey::Encode(outside), outside);
    EXPECT_EQ(TBitmapFileKey::Encode(QString()), "Empty");

    const QString look = m_dir.filePath("looks/look.sta");
    const struct
    {
        QString Value;
        QRgb Pixel;
    } cases[] = {{"READERBASE\\pics\\tile.bmp", QColor(Qt::green).rgb()},
                 {"near.bmp", QColor(Qt::blue).rgb()},
                 {outside, QColor(Qt::yellow).rgb()}};
    for (const auto& c : cases) {
        WriteTestFile(look,
                      ("[Panel]\r\nBackGroundStyle=2\r\nBitmapFile=" + c.Value + "\r\n").toUtf8());
        TTestDisplay display;
        ASSERT_TRUE(TDisplayState::LoadDisplayState(display.Controls(), look));
        EXPECT_EQ(PixelOf(display.PanelPage.TileBitmap()), c.Pixel) << c.Value.toStdString();
        EXPECT_EQ(display.PanelPage.BackGroundStyle(), rbsGradient);
    }

    // "Empty" brings back the picture the control was built with.
    TTestDisplay display;
    QImage builtIn(2, 2, QImage::Format_RGB32);
    builtIn.fill(Qt::cyan);
    display.FolderList.SetBuiltInBitmap(builtIn);
    WriteTestFile(look, "[Outliners]\r\nBitmapFile=READERBASE\\pics\\tile.bmp\r\n");
    ASSERT_TRUE(TDisplayState::LoadDisplayState(display.Controls(), look));
    EXPECT_EQ(PixelOf(display.FolderList.Bitmap()), QColor(Qt::green).rgb());
    WriteTestFile(look, "[Outliners]\r\nBitmapFile=Empty\r\n");
    ASSERT_TRUE(TDisplayState::LoadDisplayState(display.Controls(), look));
    EXPECT_EQ(PixelOf(display.FolderList.Bitmap()), QColor(Qt::cyan).rgb());
    EXPECT_TRUE(display.FolderList.BitmapFileName().isEmpty());
}
