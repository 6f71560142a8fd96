#include "app/TAttractLoop.h"
#include "app/TFileListBox.h"
#include "app/TRandDirListBox.h"
#include "common/TestSupport.h"
#include "components/media/TKXImage.h"
#include "platform/TPath.h"
#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void SaveBitmap(const QString& path, QRgb colour)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path, "BMP"));
}

// A loop over its own advert picture, counting how often it brings the advert page forward.
class TAttractLoopTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = m_tmp.path() + "/kit/";
        QDir().mkpath(m_dir + "Advertisers");
        TPath::SetExecutablePathOverride(m_dir + "zelmora");
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    QTemporaryDir m_tmp;
    QString m_dir;
    TKXImage m_advert;
    int m_advertPageMadeCurrent = 0;
    TAttractLoop m_loop{&m_advert, [this] { ++m_advertPageMadeCurrent; }};
};

} // namespace

TEST_F(TAttractLoopTest, OneBitmapIsShownOnEveryTickWithTheEffect)
{
    SaveBitmap(m_dir + "Advertisers/Ferry.bmp", qRgb(200, 10, 10));
    m_loop.Start("0");
    EXPECT_EQ(m_loop.AdvertsDir(), m_dir + "Advertisers"); // "0": the folder beside the program
    EXPECT_EQ(m_advertPageMadeCurrent, 1);
    EXPECT_TRUE(m_loop.Timer1()->isActive());
    EXPECT_EQ(m_advert.FileName(), m_dir + "Advertisers/Ferry.bmp"); // shown at start
    EXPECT_EQ(m_advert.Picture().pixel(1, 1), qRgb(200, 10, 10));
    m_advert.SetFileName("0");
    m_loop.NextAdvert();
    EXPECT_EQ(m_advert.FileName(), m_dir + "Advertisers/Ferry.bmp");
    // The picture comes in strip by strip, presented as timed frames.
    EXPECT_GT(m_advert.EffectFrameCount(), 0);
    EXPECT_TRUE(m_advert.EffectRunning());
    QSignalSpy finished(&m_advert, &TKXImage::effectFinished);
    EXPECT_TRUE(finished.wait(3000));
    EXPECT_EQ(m_advert.EffectFramesShown(), m_advert.EffectFrameCount());
    EXPECT_TRUE(m_loop.AdvertsRunning());
}

TEST_F(TAttractLoopTest, FolderWithoutBitmapsStopsTheLoop)
{
    WriteTestFile(m_dir + "Advertisers/readme.txt", "no pictures");
    m_loop.Start("0");
    EXPECT_FALSE(m_loop.AdvertsRunning());
    EXPECT_EQ(m_advert.FileName(), "0");
}

TEST_F(TAttractLoopTest, MissingFolderKeepsTheBuiltInPictureForTheRun)
{
    QDir(m_dir + "Advertisers").removeRecursively();
    m_loop.Start(m_dir + "nowhere");
    EXPECT_EQ(m_loop.AdvertsDir(), m_dir + "Advertisers");
    EXPECT_EQ(m_advertPageMadeCurrent, 0);
    EXPECT_TRUE(m_loop.AdvertShowing());
    EXPECT_EQ(m_advert.FileName(), "0");
    EXPECT_TRUE(m_advert.Picture().isNull());
}

TEST_F(TAttractLoopTest, FileThatIsNotABitmapKeepsThePreviousPicture)
{
    SaveBitmap(m_dir + "Ads/Good.bmp", qRgb(0, 0, 255));
    m_loop.Start(m_dir + "Ads");
    EXPECT_EQ(m_advert.FileName(), m_dir + "Ads/Good.bmp");
    QFile::remove(m_dir + "Ads/Good.bmp");
    WriteTestFile(m_dir + "Ads/Bad.bmp", "not a bitmap at all");
    m_loop.NextAdvert();
    EXPECT_EQ(m_advert.FileName(), m_dir + "Ads/Good.bmp");
    EXPECT_EQ(m_advert.Picture().pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_TRUE(m_loop.AdvertsRunning()); // the loop goes on
}

TEST_F(TAttractLoopTest, CountdownPausesAndRotationWaitsForTheAdvertPage)
{
    SaveBitmap(m_dir + "Advertisers/A.bmp", qRgb(1, 2, 3));
    m_loop.Start("0");
    m_loop.RestartCountdown();
    EXPECT_FALSE(m_loop.Timer1()->isActive());
    m_loop.AppIdle();
    EXPECT_TRUE(m_loop.Timer1()->isActive());
    // While a progress text shows, ticks change nothing.
    m_loop.ProgressTextShown();
    EXPECT_FALSE(m_loop.AdvertShowing());
    EXPECT_FALSE(m_loop.Timer1()->isActive());
    m_advert.SetFileName("0");
    m_loop.NextAdvert();
    EXPECT_EQ(m_advert.FileName(), "0");
    m_loop.AdvertPageShown();
    EXPECT_TRUE(m_loop.AdvertShowing());
    EXPECT_FALSE(m_loop.Timer1()->isActive()); // the next idle moment starts it afresh
    m_loop.NextAdvert();
    EXPECT_EQ(m_advert.FileName(), m_dir + "Advertisers/A.bmp");
}

TEST_F(TAttractLoopTest, ClicksAndPages)
{
    SaveBitmap(m_dir + "Advertisers/Lanterns.bmp", qRgb(9, 9, 9));
    WriteTestFile(m_dir + "Advertisers/Lanterns.html", "<p>right");
    WriteTestFile(m_dir + "Advertisers/Lanterns.htm", "<p>wrong");
    m_loop.Start("0");
    QStringList opened;
    m_loop.OpenDocument = [&](const QString& file, const QString& message) {
        opened << file << message;
    };
    m_loop.AdvertClick();
    EXPECT_EQ(opened, (QStringList{m_dir + "Advertisers/Lanterns.html",
                                   "Could not load corresponding advertisement file. "}));
    EXPECT_EQ(TAttractLoop::AdvertPageFor(m_dir + "Advertisers/Lanterns.bmp"),
              m_dir + "Advertisers/Lanterns.html");
    QFile::remove(m_dir + "Advertisers/Lanterns.html");
    EXPECT_EQ(TAttractLoop::AdvertPageFor(m_dir + "Advertisers/Lanterns.bmp"),
              m_dir + "Advertisers/Lanterns.htm");
    QFile::remove(m_dir + "Advertisers/Lanterns.htm");
    EXPECT_EQ(TAttractLoop::AdvertPageFor(m_dir + "Advertisers/Lanterns.bmp"), "0");
    {
        TMessageCapture messages;
        m_loop.AdvertClick(); // no page beside the bitmap
        ASSERT_EQ(messages.Texts(),
                  QStringList{"Could not find corresponding advertisement file. "});
        EXPECT_EQ(messages.Captions(), QStringList{"Load Error"});
    }
    // The built-in picture has no file.
    m_advert.SetFileName("0");
    {
        TMessageCapture messages;
        m_loop.AdvertClick();
        EXPECT_EQ(messages.Texts(),
                  QStringList{"Could not find corresponding advertisement file. "});
    }
    // While the loop does not run (Edit mode), neither clicks nor ticks do anything.
    m_loop.SetAdvertsRunning(false);
    {
        TMessageCapture messages;
        opened.clear();
        m_loop.AdvertClick();
        m_loop.NextAdvert();
        EXPECT_TRUE(messages.Messages().empty());
        EXPECT_TRUE(opened.isEmpty());
        EXPECT_EQ(m_advert.FileName(), "0");
    }
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
