#include "app/TMDIHost.h"
#include "app/TTitlePanel.h"
#include "common/TestSupport.h"
#include "components/media/TKXImage.h"
#include "components/panels/TFlatButton.h"
#include "components/panels/TGraphicSplitBar.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <gtest/gtest.h>

namespace {

const char* kLogoMessage =
    "The file specified in the YourLogoHereBitmap section of your ini file is either missing "
    "or corrupted. It wasnt loaded properly";

class TMDIHostTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = m_tmp.path() + "/kit/";
        QDir().mkpath(m_dir);
        TPath::SetExecutablePathOverride(m_dir + "zelmora");
        TScreen::SetDepthOverride(24);
    }
    void TearDown() override
    {
        TPath::SetExecutablePathOverride(QString());
        TScreen::SetDepthOverride(0);
    }
    void WriteIni(const QByteArray& startUp, const QByteArray& warnings = "")
    {
        WriteTestFile(m_dir + "zelmora.INI",
                      "[StartUp]\r\n" + startUp + "[Warnings]\r\n" + warnings);
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

} // namespace

TEST_F(TMDIHostTest, MissingIniFileStartsInEditModeWithOneMessage)
{
    TMessageCapture messages;
    TMDIHost host;
    ASSERT_EQ(messages.Messages().size(), 1u);
    EXPECT_EQ(messages.Messages()[0].text,
              "Your .ini file is missing or corrupted. Zelmora may not run succesfully. "
              "Reinstall recommended");
    EXPECT_EQ(messages.Messages()[0].caption, "Initialisation Error");
    EXPECT_EQ(messages.Messages()[0].icon, TMsgIcon::Warning);
    EXPECT_EQ(host.Mode(), TMDIHost::TMode::Edit);
    EXPECT_EQ(host.windowTitle(), "Zelmora 1.0");
    EXPECT_EQ(host.StartUpOptions().StateFileName, "0");
    EXPECT_TRUE(host.StartUpOptions().ColourWarning);
    EXPECT_FALSE(host.AdvertsRunning());
}

TEST_F(TMDIHostTest, ModesTable)
{
    WriteIni("StartUpMode=1\r\n");
    TMessageCapture messages;
    TMDIHost host;
    EXPECT_TRUE(messages.Messages().empty());
    TTitlePanel* t = host.TitlePanel();

    EXPECT_EQ(host.Mode(), TMDIHost::TMode::Display);
    EXPECT_TRUE(host.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(t->ProgramTitleImage->isHidden());
    EXPECT_TRUE(t->TB_Edit_Panel->isHidden());
    EXPECT_TRUE(t->ExitButton->isHidden());
    EXPECT_TRUE(host.AdvertsRunning());
    EXPECT_TRUE(host.AdvertShowing());
    EXPECT_FALSE(host.Split_ToolBarRest()->isEnabled());
    EXPECT_EQ(host.geometry(), TScreen::Geometry());
    EXPECT_TRUE(host.windowState() & Qt::WindowMaximized);

    host.SetEditMode();
    EXPECT_FALSE(host.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(host.windowState() & Qt::WindowMaximized);
    EXPECT_TRUE(t->ProgramTitleImage->isHidden());
    EXPECT_FALSE(t->TB_Edit_Panel->isHidden());
    EXPECT_FALSE(t->ExitButton->isHidden());
    EXPECT_FALSE(host.AdvertsRunning());
    EXPECT_TRUE(host.Split_ToolBarRest()->isEnabled());
    EXPECT_EQ(host.Split_ToolBarRest()->LimitLeftOffset(), host.height() - 150);

    host.SetReaderMode();
    EXPECT_FALSE(host.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(t->ProgramTitleImage->isHidden());
    EXPECT_TRUE(t->TB_Edit_Panel->isHidden());
    EXPECT_FALSE(t->ExitButton->isHidden());
    EXPECT_TRUE(host.AdvertsRunning());
    EXPECT_FALSE(host.Split_ToolBarRest()->isEnabled());
    EXPECT_EQ(host.geometry(), TScreen::Geometry());
    EXPECT_TRUE(host.windowState() & Qt::WindowMaximized);
}

TEST_F(TMDIHostTest, RuntimeLockForcesReaderMode)
{
    WriteIni("StartUpMode=0\r\nkxItem2=1\r\n");
    TMDIHost host;
    EXPECT_EQ(host.Mode(), TMDIHost::TMode::Reader);
    EXPECT_FALSE(host.ModeChangeAllowed());
}

TEST_F(TMDIHostTest, ColourCountFollowsTheScreenDepth)
{
    TScreen::SetDepthOverride(8);
    EXPECT_EQ(TMDIHost::GetNumColours(), 256);
    TScreen::SetDepthOverride(16);
    EXPECT_EQ(TMDIHost::GetNumColours(), 65536);
    TScreen::SetDepthOverride(24);
    EXPECT_EQ(TMDIHost::GetNumColours(), 16777216);
    TScreen::SetDepthOverride(32);
    EXPECT_EQ(TMDIHost::GetNumColours(), INT_MAX);
}

TEST_F(TMDIHostTest, LowColourScreenMutesTheSplitterAndStopsAdverts)
{
    TScreen::SetDepthOverride(8);
    WriteIni("StartUpMode=1\r\n");
    {
        TMDIHost host;
        EXPECT_EQ(host.NumColours(), 256);
        EXPECT_EQ(host.Split_ToolBarRest()->ShadowStyle(), ssNoShad);
        EXPECT_EQ(host.Split_ToolBarRest()->Color(), 12632256);
        EXPECT_FALSE(host.AdvertsAllowed());
        EXPECT_FALSE(host.AdvertsRunning()); // Display mode, but adverts are not allowed
        EXPECT_FALSE(host.TitlePanel()->Advert->isEnabled());
    }
    WriteIni("StartUpMode=1\r\n", "ColourWarning=0\r\n");
    {
        TMDIHost host;
        EXPECT_TRUE(host.AdvertsAllowed());
        EXPECT_TRUE(host.AdvertsRunning());
        EXPECT_FALSE(host.TitlePanel()->Advert->isEnabled());
        EXPECT_EQ(host.Split_ToolBarRest()->ShadowStyle(), ssNoShad);
    }
    TScreen::SetDepthOverride(24);
    WriteIni("StartUpMode=1\r\n");
    {
        TMDIHost host;
        EXPECT_EQ(host.Split_ToolBarRest()->ShadowStyle(), ssShadBottom);
        EXPECT_TRUE(host.AdvertsRunning());
        EXPECT_TRUE(host.TitlePanel()->Advert->isEnabled());
    }
}

TEST_F(TMDIHostTest, LogoOutcomes)
{
    // "NULL" keeps the built-in picture silently.
    WriteIni("YourLogoHereBitmap=NULL\r\n");
    {
        TMessageCapture messages;
        TMDIHost host;
        EXPECT_TRUE(messages.Messages().empty());
        EXPECT_EQ(host.TitlePanel()->ProgramTitleImage->pixmap().toImage(),
                  TTitlePanel::BuiltInTitlePicture().toImage());
    }
    // A long path that names nothing was already resolved to "0": no message.
    WriteIni("YourLogoHereBitmap=" + (m_dir + "missing-logo.bmp").toUtf8() + "\r\n");
    {
        TMessageCapture messages;
        TMDIHost host;
        EXPECT_TRUE(messages.Messages().empty());
        EXPECT_EQ(host.StartUpOptions().YourLogoHereBitmap, "0");
    }
    // A short name (kept as written) of a missing file: one message at start.
    WriteIni("YourLogoHereBitmap=nope.bmp\r\n");
    {
        TMessageCapture messages;
        TMDIHost host;
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_EQ(messages.Messages()[0].text, kLogoMessage);
        EXPECT_EQ(messages.Messages()[0].caption, "Initialisation Error");
    }
    // A file that is not a bitmap.
    WriteTestFile(m_dir + "notabitmap.bmp", "this is text, not a picture");
    WriteIni("YourLogoHereBitmap=READERBASE\\notabitmap.bmp\r\n");
    {
        TMessageCapture messages;
        TMDIHost host;
        ASSERT_EQ(messages.Messages().size(), 1u);
        EXPECT_EQ(messages.Messages()[0].text, kLogoMessage);
    }
    // A real bitmap is shown.
    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(qRgb(10, 200, 30));
    ASSERT_TRUE(logo.save(m_dir + "Logo.bmp", "BMP"));
    WriteIni("YourLogoHereBitmap=READERBASE\\logo.BMP\r\n");
    {
        TMessageCapture messages;
        TMDIHost host;
        EXPECT_TRUE(messages.Messages().empty());
        const QImage shown = host.TitlePanel()->ProgramTitleImage->pixmap().toImage();
        EXPECT_EQ(shown.size(), QSize(40, 20));
        EXPECT_EQ(shown.pixel(5, 5), qRgb(10, 200, 30));
    }
}

TEST_F(TMDIHostTest, ProgressTextAndAdvertPage)
{
    WriteIni("StartUpMode=2\r\n");
    TMDIHost host;
    host.ShowProgressText("0");
    EXPECT_EQ(host.TitlePanel()->Progress_TextLabel->text(), "Please Wait...");
    EXPECT_EQ(host.TitlePanel()->TB_PageControl->currentWidget(),
              host.TitlePanel()->TB_TabSheet_TextDisplay);
    EXPECT_FALSE(host.AdvertShowing());
    EXPECT_FALSE(host.Timer1()->isActive());
    host.ShowProgressText("");
    EXPECT_EQ(host.TitlePanel()->Progress_TextLabel->text(), "");
    host.ShowProgressText("Opening File");
    EXPECT_EQ(host.TitlePanel()->Progress_TextLabel->text(), "Opening File");
    host.ShowAdvertPage();
    EXPECT_TRUE(host.AdvertShowing());
    EXPECT_EQ(host.TitlePanel()->TB_PageControl->currentWidget(),
              host.TitlePanel()->TB_TabSheet_Advert);
    EXPECT_FALSE(host.Timer1()->isActive());
}

TEST_F(TMDIHostTest, NoticeShowsForTwoSecondsThenTheAdvert)
{
    WriteIni("StartUpMode=1\r\n");
    TMDIHost host;
    TTitlePanel* t = host.TitlePanel();
    host.ShowNotice("This link is not available here");
    EXPECT_EQ(t->Progress_TextLabel->text(), "This link is not available here");
    EXPECT_EQ(t->TB_PageControl->currentWidget(), t->TB_TabSheet_TextDisplay);
    ASSERT_TRUE(host.NoticeTimer()->isActive());
    EXPECT_EQ(host.NoticeTimer()->interval(), 2000);
    EXPECT_TRUE(host.NoticeTimer()->isSingleShot());
    ASSERT_TRUE(QTest::qWaitFor([&] { return host.AdvertShowing(); }, 3000));
    EXPECT_EQ(t->TB_PageControl->currentWidget(), t->TB_TabSheet_Advert);
    EXPECT_TRUE(host.AdvertShowing());

    // A document opened meanwhile owns the page: the notice's end does not cut its text.
    host.ShowNotice("This link is not available here");
    host.ShowProgressText("Opening File");
    EXPECT_FALSE(host.NoticeTimer()->isActive());
    EXPECT_EQ(t->Progress_TextLabel->text(), "Opening File");
    host.ShowAdvertPage();
    EXPECT_FALSE(host.NoticeTimer()->isActive());
}

TEST_F(TMDIHostTest, TitlePanelButtonsAtTheirPlaces)
{
    WriteIni("");
    TMDIHost host;
    TTitlePanel* t = host.TitlePanel();
    EXPECT_EQ(t->height(), 65);
    EXPECT_EQ(t->TB_Menu_Panel->width(), 137);
    EXPECT_EQ(t->TB_PageControl->width(), 306);
    EXPECT_EQ(t->HomeButton->geometry(), QRect(3, 6, 54, 27));
    EXPECT_EQ(t->HomeButton->Caption(), "site");
    EXPECT_EQ(t->HomeButton->toolTip(), "View site structure");
    EXPECT_EQ(t->Read->Caption(), "page");
    EXPECT_EQ(t->ExitButton->geometry(), QRect(3, 35, 37, 26));
    EXPECT_EQ(t->ExitButton->FontColour(), 255);
    EXPECT_EQ(t->about_button->geometry(), QRect(43, 35, 14, 26));
    EXPECT_TRUE(t->about_button->font().bold());
    EXPECT_TRUE(t->about_button->font().italic());
    EXPECT_EQ(t->about_button->font().pixelSize(), 21);
    EXPECT_EQ(t->findButton->toolTip(), "Find on this page");
    EXPECT_EQ(t->SettingsEditor->geometry(), QRect(27, 6, 56, 27));
    EXPECT_EQ(t->openwebbutton->Caption(), "web");
    EXPECT_EQ(t->ToolBarButton_Read->geometry(), QRect(115, 6, 63, 27));
    EXPECT_EQ(t->EditorButton_Save->Caption(), "save as");
    EXPECT_EQ(t->EditorButton_Save->toolTip(), "Save display to state file");
    EXPECT_EQ(t->Advert->toolTip(), "Click for more (if available)");
    EXPECT_EQ(host.Split_ToolBarRest()->height(), 7);
    EXPECT_EQ(host.Split_ToolBarRest()->LimitRightOffset(), 10);
    EXPECT_EQ(host.Timer1()->interval(), 10000);
}

TEST_F(TMDIHostTest, AttractLoopFollowsTheModesTheMouseAndTheAdvertClicks)
{
    QImage picture(30, 10, QImage::Format_RGB32);
    picture.fill(qRgb(1, 2, 3));
    QDir().mkpath(m_dir + "Advertisers");
    ASSERT_TRUE(picture.save(m_dir + "Advertisers/A.bmp", "BMP"));
    WriteIni("StartUpMode=0\r\nAdvertsFolder=0\r\n");
    TMDIHost host;
    TKXImage* advert = host.TitlePanel()->Advert;
    // Edit mode: the built-in picture stays, Ctrl+D starts the rotation at the next tick.
    EXPECT_EQ(host.AdvertsDir(), m_dir + "Advertisers");
    EXPECT_FALSE(host.AdvertsRunning());
    EXPECT_EQ(advert->FileName(), "0");
    host.SetDisplayMode();
    EXPECT_TRUE(host.AdvertsRunning());
    host.Timer1Timer();
    EXPECT_EQ(advert->FileName(), m_dir + "Advertisers/A.bmp");
    // Mouse movement over the host's own surface stops the countdown until the next idle.
    host.AppIdle();
    EXPECT_TRUE(host.Timer1()->isActive());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&host, &move);
    EXPECT_FALSE(host.Timer1()->isActive());
    host.AppIdle();
    EXPECT_TRUE(host.Timer1()->isActive());
    // Child controls cover the whole host: movement over any of them counts too, also
    // over one that does not track the mouse.
    EXPECT_FALSE(host.ClientArea()->hasMouseTracking());
    for (QWidget* child : {host.ClientArea(), static_cast<QWidget*>(host.TitlePanel()->Advert)}) {
        QApplication::sendEvent(child, &move);
        EXPECT_FALSE(host.Timer1()->isActive());
        host.AppIdle();
    }
    QWidget stranger;
    QApplication::sendEvent(&stranger, &move);
    EXPECT_TRUE(host.Timer1()->isActive()) << "a window of its own is not the host";
    // A click on the advert picture reaches the loop: no page beside this bitmap.
    TMessageCapture messages;
    advert->Click();
    EXPECT_EQ(messages.Texts(), QStringList{"Could not find corresponding advertisement file. "});
    messages.Clear();
    host.SetEditMode();
    advert->Click();
    EXPECT_TRUE(messages.Messages().empty());
}
