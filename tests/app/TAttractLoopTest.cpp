#include "app/TFileListBox.h"
#include "app/TMDIHost.h"
#include "app/TRandDirListBox.h"
#include "app/TTitlePanel.h"
#include "common/TestSupport.h"
#include "components/media/TKXImage.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

void SaveBitmap(const QString& path, QRgb colour)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

class TAttractLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = m_tmp.path() + "/kit/";
        QDir().mkpath(m_dir + "Advertisers");
        TPath::SetExecutablePathOverride(m_dir + "zelmora");
        TScreen::SetDepthOverride(24);
    }
    void TearDown() override
    {
        TPath::SetExecutablePathOverride(QString());
        TScreen::SetDepthOverride(0);
    }
    void WriteIni(const QByteArray& startUp)
    {
        WriteTestFile(m_dir + "zelmora.INI", "[StartUp]\r\n" + startUp);
    }
    QTemporaryDir m_tmp;
    QString m_dir;
};

} // namespace

TEST_F(TAttractLoopTest, OneBitmapIsShownOnEveryTickWithTheEffect)
{
    SaveBitmap(m_dir + "Advertisers/Ferry.bmp", qRgb(200, 10, 10));
    WriteIni("StartUpMode=1\r\nAdvertsFolder=0\r\n");
    TMDIHost host;
    EXPECT_EQ(host.AdvertsDir(), m_dir + "Advertisers"); // "0" means the folder beside the program
    TKXImage* advert = host.TitlePanel()->Advert;
    EXPECT_EQ(advert->FileName(), m_dir + "Advertisers/Ferry.bmp"); // shown at start
    EXPECT_EQ(advert->Picture().pixel(1, 1), qRgb(200, 10, 10));
    advert->SetFileName("0");
    host.Timer1Timer();
    EXPECT_EQ(advert->FileName(), m_dir + "Advertisers/Ferry.bmp");
    // The picture comes in strip by strip, presented as timed frames.
    EXPECT_GT(advert->EffectFrameCount(), 0);
    EXPECT_TRUE(advert->EffectRunning());
    QSignalSpy finished(advert, &TKXImage::effectFinished);
    EXPECT_TRUE(finished.wait(3000));
    EXPECT_EQ(advert->EffectFramesShown(), advert->EffectFrameCount());
    EXPECT_TRUE(host.AdvertsRunning());
}

TEST_F(TAttractLoopTest, FolderWithoutBitmapsStopsTheLoop)
{
    WriteTestFile(m_dir + "Advertisers/readme.txt", "no pictures");
    WriteIni("StartUpMode=1\r\n");
    TMDIHost host;
    EXPECT_FALSE(host.AdvertsRunning());
    EXPECT_EQ(host.TitlePanel()->Advert->FileName(), "0");
}

TEST_F(TAttractLoopTest, FileThatIsNotABitmapKeepsThePreviousPicture)
{
    SaveBitmap(m_dir + "Ads/Good.bmp", qRgb(0, 0, 255));
    WriteIni("StartUpMode=2\r\nAdvertsFolder=READERBASE\\Ads\r\n");
    TMDIHost host;
    EXPECT_EQ(host.TitlePanel()->Advert->FileName(), m_dir + "Ads/Good.bmp");
    QFile::remove(m_dir + "Ads/Good.bmp");
    WriteTestFile(m_dir + "Ads/Bad.bmp", "not a bitmap at all");
    host.Timer1Timer();
    EXPECT_EQ(host.TitlePanel()->Advert->FileName(), m_dir + "Ads/Good.bmp");
    EXPECT_EQ(host.TitlePanel()->Advert->Picture().pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_TRUE(host.AdvertsRunning()); // the loop goes on
}

TEST_F(TAttractLoopTest, MouseMovementRestartsTheCountdown)
{
    SaveBitmap(m_dir + "Advertisers/A.bmp", qRgb(1, 2, 3));
    WriteIni("StartUpMode=1\r\n");
    TMDIHost host;
    EXPECT_TRUE(host.Timer1()->isActive());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&host, &move);
    EXPECT_FALSE(host.Timer1()->isActive());
    host.AppIdle();
    EXPECT_TRUE(host.Timer1()->isActive());
}

TEST_F(TAttractLoopTest, ClicksAndPages)
{
    SaveBitmap(m_dir + "Advertisers/Lanterns.bmp", qRgb(9, 9, 9));
    WriteTestFile(m_dir + "Advertisers/Lanterns.html", "<p>right");
    WriteTestFile(m_dir + "Advertisers/Lanterns.htm", "<p>wrong");
    WriteIni("StartUpMode=1\r\n");
    TMDIHost host;
    QStringList opened;
    host.OpenDocument = [&](const QString& file, const QString& message) {
        opened << file << message;
    };
    host.AdvertClick();
    EXPECT_EQ(opened, (QStringList{m_dir + "Advertisers/Lanterns.html",
                                   "Could not load corresponding advertisement file. "}));
    EXPECT_EQ(TMDIHost::AdvertPageFor(m_dir + "Advertisers/Lanterns.bmp"),
              m_dir + "Advertisers/Lanterns.html");
    QFile::remove(m_dir + "Advertisers/Lanterns.html");
    EXPECT_EQ(TMDIHost::AdvertPageFor(m_dir + "Advertisers/Lanterns.bmp"),
              m_dir + "Advertisers/Lanterns.htm");
    QFile::remove(m_dir + "Advertisers/Lanterns.htm");
    {
        TMessageCapture messages;
        host.AdvertClick(); // no page beside the bitmap
        ASSERT_EQ(messages.Texts(),
                  QStringList{"Could not find corresponding advertisement file. "});
        EXPECT_EQ(messages.Captions(), QStringList{"Load Error"});
    }
    // The built-in picture has no file.
    host.TitlePanel()->Advert->SetFileName("0");
    {
        TMessageCapture messages;
        host.AdvertClick();
        EXPECT_EQ(messages.Texts(),
                  QStringList{"Could not find corresponding advertisement file. "});
    }
    // In Edit mode a click does nothing.
    host.SetEditMode();
    {
        TMessageCapture messages;
        opened.clear();
        host.AdvertClick();
        EXPECT_TRUE(messages.Messages().empty());
        EXPECT_TRUE(opened.isEmpty());
    }
}

TEST_F(TAttractLoopTest, EditModeKeepsTheBuiltInPictureAndMissingFolderStopsNothing)
{
    SaveBitmap(m_dir + "Advertisers/A.bmp", qRgb(1, 2, 3));
    WriteIni("StartUpMode=0\r\n");
    TMDIHost host;
    EXPECT_FALSE(host.AdvertsRunning());
    EXPECT_EQ(host.TitlePanel()->Advert->FileName(), "0");
    host.SetDisplayMode(); // Ctrl+D: the rotation starts at the next tick
    EXPECT_TRUE(host.AdvertsRunning());
    host.Timer1Timer();
    EXPECT_EQ(host.TitlePanel()->Advert->FileName(), m_dir + "Advertisers/A.bmp");
}

TEST(TRandDirListBoxTest, PicksFilesAndChildDirectories)
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    SaveBitmap(root + "/ads/one.bmp", qRgb(1, 1, 1));
    SaveBitmap(root + "/ads/two.BMP", qRgb(2, 2, 2));
    WriteTestFile(root + "/ads/page.html", "x");
    SaveBitmap(root + "/ads/sub/three.bmp", qRgb(3, 3, 3));

    TRandDirListBox box;
    EXPECT_EQ(box.PickRandomFile(root + "/ads", false), "0"); // no linked file list yet
    TFileListBox files;
    box.SetFileList(&files);
    box.Seed(1);
    EXPECT_EQ(box.PickRandomFile("0", false), "0");
    QSet<QString> seen;
    for (int i = 0; i < 50; ++i)
        seen.insert(box.PickRandomFile(root + "/ads", false));
    EXPECT_EQ(seen, (QSet<QString>{root + "/ads/one.bmp", root + "/ads/two.BMP"}));
    EXPECT_EQ(files.Items(), (QStringList{"one.bmp", "two.BMP"}));
    // Ancestors, the directory, then its children.
    box.SetDirectory(root + "/ads");
    EXPECT_EQ(box.Items().last(), root + "/ads/sub");
    EXPECT_TRUE(box.Items().contains(root + "/ads"));
    EXPECT_EQ(box.Items().first(), "/");
    // With sub-directories a pick may come from the child; only children are chosen.
    bool fromChild = false;
    for (int i = 0; i < 100 && !fromChild; ++i)
        fromChild = box.PickRandomFile(root + "/ads", true) == root + "/ads/sub/three.bmp";
    EXPECT_TRUE(fromChild);
    EXPECT_EQ(box.PickRandomFile(root + "/none", false), "0");
    EXPECT_EQ(box.Color(), 255);
}
