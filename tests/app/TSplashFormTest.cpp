#include "app/TSplashForm.h"
#include "app/TMDIHost.h"
#include "common/TestSupport.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TSplashFormTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = m_tmp.path() + "/";
        TPath::SetExecutablePathOverride(m_dir + "zelmora");
    }
    void TearDown() override
    {
        TPath::SetExecutablePathOverride(QString());
        TScreen::SetDepthOverride(0);
    }
    void WriteIni(const QByteArray& warnings)
    {
        WriteTestFile(m_dir + "zelmora.INI",
                      "[StartUp]\r\nStartUpMode=2\r\n[Warnings]\r\n" + warnings);
    }
    QTemporaryDir m_tmp;
    QString m_dir;
};

} // namespace

TEST_F(TSplashFormTest, StartSplashOnlyOnLowColourScreensWithTheWarningOn)
{
    WriteIni("ColourWarning=1\r\n");
    TScreen::SetDepthOverride(24);
    {
        TMDIHost host;
        host.show();
        EXPECT_TRUE(host.SplashWindows().isEmpty());
        EXPECT_FALSE(host.FirstShow());
    }
    TScreen::SetDepthOverride(8);
    {
        TMDIHost host;
        host.show();
        ASSERT_EQ(host.SplashWindows().size(), 1);
        TSplashForm* splash = host.SplashWindows()[0];
        EXPECT_TRUE(splash->isVisible());
        EXPECT_EQ(splash->SplashCaption->text(), "Warning!");
        EXPECT_EQ(
            splash->MessageText(),
            "OOPS! Theres a problem. You appear to be running a display with 256 colours or "
            "less. Because Zelmora is designed to display a lot of graphic information, we dont "
            "recommend it on low colour displays. This demo will run but some screen elements "
            "have been drastically colour muted, we've also disabled the random advert display "
            "to reduce flickering. If possible, quit Zelmora and restart your computer in a "
            "higher video mode. You could also try running the layout editor to change some of "
            "the screen element colours.\r\n");
        EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
        // The panel sits in the middle of the (screen-sized) window.
        const QRect panel = splash->SplashPanel->geometry();
        EXPECT_EQ(panel.left(), qMax(0, (splash->width() - 423) / 2));
        EXPECT_EQ(panel.top(), qMax(0, (splash->height() - 366) / 2));
        // A second showing does not bring it again.
        host.hide();
        host.show();
        EXPECT_EQ(host.SplashWindows().size(), 1);
    }
    WriteIni("ColourWarning=0\r\n");
    {
        TMDIHost host;
        host.show();
        EXPECT_TRUE(host.SplashWindows().isEmpty());
    }
}

TEST_F(TSplashFormTest, AboutWindowHasSevenLinesAndContinueHidesIt)
{
    WriteIni("ColourWarning=1\r\n");
    TMDIHost host;
    host.ShowAbout();
    host.ShowAbout();
    ASSERT_EQ(host.SplashWindows().size(), 2); // every click makes another window
    TSplashForm* about = host.SplashWindows()[1];
    const QStringList lines = about->MessageText().split("\r\n");
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], " ");
    EXPECT_TRUE(lines[2].startsWith(" ") && lines[2].size() > 1);
    EXPECT_EQ(lines[3], " ");
    EXPECT_TRUE(lines[4].startsWith(" "));
    EXPECT_TRUE(lines[4].endsWith(" Thanks for your interest. If you have the time tell us what "
                                  "you think of Zelmora."));
    EXPECT_EQ(lines[5], " ");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(about->SplashCaption->text(), "");
    EXPECT_EQ(about->size(), QSize(423, 366));
    EXPECT_TRUE(about->isVisible());
    QTest::mouseClick(about->Button1, Qt::LeftButton);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(host.SplashWindows().size(), 2); // hidden, not destroyed
}

TEST_F(TSplashFormTest, DesignPlaces)
{
    TSplashForm f;
    EXPECT_EQ(f.Image1->geometry(), QRect(83, 11, 280, 75));
    EXPECT_EQ(f.SplashMessage->geometry(), QRect(18, 92, 387, 179));
    EXPECT_EQ(f.SplashCaption->geometry(), QRect(141, 282, 129, 24));
    EXPECT_EQ(f.Button1->geometry(), QRect(119, 318, 167, 33));
    EXPECT_EQ(f.Button1->text(), "Continue");
    EXPECT_EQ(f.MessageText(), "Thanks for your interest in this product");
    f.FillStartText(65536, true); // not low-colour: the credits note
    EXPECT_EQ(f.SplashCaption->text(), "");
    EXPECT_FALSE(f.MessageText().contains("OOPS"));
}
