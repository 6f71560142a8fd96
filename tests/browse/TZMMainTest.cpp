#include "browse/TZMMain.h"
#include "FakeHost.h"
#include "common/TestSupport.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/outline/TOutlineNode.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "components/panels/TTransparentPanel.h"
#include "html/THtmlPane.h"
#include "platform/TPath.h"
#include "state/TColumnSizeRegistry.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TZMMainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_root = m_tmp.path();
        m_kit = m_root + "/kit/";
        m_web = m_root + "/web/";
        TPath::SetExecutablePathOverride(m_kit + "zelmora");
        QDir().mkpath(m_kit);
        WriteTestFile(m_web + "Index.htm",
                      "<html><body><a name=\"Intro#1\"></a><h1>Intro</h1><p>Start here."
                      "<a name=\"Part2#2\"></a><h2>Part two</h2><p>More.</body></html>");
        WriteTestFile(m_web + "other.html", "<a name=\"Other#1\"></a><h1>Other</h1>" +
                                                QByteArray(4000, '\n') + "<p>filler<br>" +
                                                QByteArray("<p>line<br>\n").repeated(300) +
                                                "<a name=\"Part2#2\"></a><h2>Part two</h2>");
        WriteTestFile(m_web + "plain.htm", "<p>No headings at all.");
        WriteTestFile(m_web + "Zeta.htm", "<p>z");
        WriteTestFile(m_web + "Sub/Only.html", "<a name=\"Only#1\"></a><h1>Only html</h1>");
        WriteTestFile(m_web + "Sub/Deeper/d.htm", "<p>d");
        WriteTestFile(m_web + "clip.avi", "RIFF");
        WriteTestFile(m_web + "notes.txt", "text");
        m_host.Options.StartUpWeb = m_web;
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    QStringList Rows(TZMMain& w)
    {
        QStringList r;
        for (int i = 0; i < w.DocList->ItemCount(); ++i)
            r << w.DocList->Item(i)->Caption;
        return r;
    }
    void SelectFolder(TZMMain& w, const QString& text)
    {
        const int index = w.FolderList->GetTextItem(text);
        ASSERT_GT(index, 0) << text.toStdString();
        w.FolderList->SetSelectedItem(index);
        w.FolderListClick();
    }
    void ClickRow(TZMMain& w, const QString& caption)
    {
        for (int i = 0; i < w.DocList->ItemCount(); ++i)
            if (w.DocList->Item(i)->Caption == caption)
                w.DocList->SetSelected(w.DocList->Item(i));
        w.DocListClick();
    }

    QTemporaryDir m_tmp;
    QString m_root, m_kit, m_web;
    FakeHost m_host;
};

} // namespace

TEST_F(TZMMainTest, StartUpBuildsTheSiteAndListsTheWebFolder)
{
    TZMMain w(&m_host);
    EXPECT_EQ(w.windowTitle(), "Outline and Viewer");
    ASSERT_GE(w.FolderList->ItemCount(), 3);
    EXPECT_EQ(w.FolderList->Items(1)->Text(), "web");
    EXPECT_EQ(w.FolderList->Items(2)->Text(), "Sub");
    EXPECT_EQ(w.FolderList->Items(3)->Text(), "Deeper");
    EXPECT_TRUE(w.FolderList->Items(1)->Expanded());
    EXPECT_EQ(w.CurrentFolder, m_web);
    EXPECT_EQ(Rows(w), (QStringList{"index", "other", "plain", "zeta"}));
    EXPECT_FALSE(w.HomePanel->isHidden());
    EXPECT_TRUE(w.ReadPanel->isHidden());
    EXPECT_EQ(w.LastFolderIndex, 1);
}

TEST_F(TZMMainTest, MissingWebFolderBrowsesTheProgramFolder)
{
    WriteTestFile(m_kit + "kit.htm", "<p>kit");
    m_host.Options.StartUpWeb = m_root + "/no/such/web/";
    TZMMain w(&m_host);
    EXPECT_EQ(w.WebFolder(), m_kit);
    EXPECT_EQ(w.FolderList->Items(1)->Text(), "kit");
    EXPECT_EQ(Rows(w), QStringList{"kit"});
}

TEST_F(TZMMainTest, FolderClicksListDocumentsOnce)
{
    TZMMain w(&m_host);
    SelectFolder(w, "Sub");
    EXPECT_EQ(w.CurrentFolder, m_web + "Sub/");
    EXPECT_EQ(Rows(w), QStringList{"only"});
    // The same folder again does not rebuild the list.
    w.DocList->ClearItems();
    SelectFolder(w, "Sub");
    EXPECT_TRUE(Rows(w).isEmpty());
    SelectFolder(w, "Deeper");
    EXPECT_EQ(w.CurrentFolder, m_web + "Sub/Deeper/");
    EXPECT_EQ(Rows(w), QStringList{"d"});
    // BuildSite lists the web folder again.
    w.BuildSite();
    EXPECT_EQ(w.LastFolderIndex, 1);
    EXPECT_EQ(Rows(w), (QStringList{"index", "other", "plain", "zeta"}));
}

TEST_F(TZMMainTest, DocumentRowsOpenWithTheirPageOutline)
{
    TZMMain w(&m_host);
    ClickRow(w, "index");
    EXPECT_EQ(QFileInfo(w.Viewer->CurrentFile()).fileName(), "Index.htm");
    EXPECT_EQ(m_host.Progress.last(), "Opening File");
    EXPECT_GE(m_host.AdvertPages, 1);
    EXPECT_EQ(w.ReadOutliner->ItemCount(), 2);
    EXPECT_EQ(w.ReadOutliner->Items(1)->Text(), "Intro");
    EXPECT_EQ(w.ReadOutliner->Items(2)->Level(), 2);
    EXPECT_TRUE(w.ReadOutliner->Items(1)->Expanded()) << "the page outline opens expanded";
    EXPECT_FALSE(w.ReadPanel->isHidden());
    EXPECT_TRUE(w.HomePanel->isHidden());
    EXPECT_EQ(w.Viewer->Position(), 0);

    // A document without headings clears the outline and leaves the panel as it was,
    // whichever panel that is.
    ClickRow(w, "plain");
    EXPECT_EQ(w.ReadOutliner->ItemCount(), 0);
    EXPECT_FALSE(w.ReadPanel->isHidden());
    EXPECT_TRUE(w.HomePanel->isHidden());
    w.ShowPanel(w.HomePanel);
    ClickRow(w, "index");
    EXPECT_FALSE(w.ReadPanel->isHidden()); // headings bring the page outline
    w.ShowPanel(w.HomePanel);
    ClickRow(w, "plain");
    EXPECT_EQ(w.ReadOutliner->ItemCount(), 0);
    EXPECT_FALSE(w.HomePanel->isHidden());

    // A row whose file exists only as .html opens it.
    SelectFolder(w, "Sub");
    ClickRow(w, "only");
    EXPECT_EQ(QFileInfo(w.Viewer->CurrentFile()).fileName(), "Only.html");
}

TEST_F(TZMMainTest, MissingDocumentKeepsThePreviousOne)
{
    TZMMain w(&m_host);
    ClickRow(w, "index");
    const QString before = w.Viewer->CurrentFile();
    QFile::remove(m_web + "plain.htm");
    TMessageCapture messages;
    ClickRow(w, "plain");
    ASSERT_EQ(messages.Texts(),
              QStringList{"Could not find file. Please check the file is in the correct folder"});
    EXPECT_EQ(messages.Captions(), QStringList{"Load Error"});
    EXPECT_EQ(w.Viewer->CurrentFile(), before);
    // "0" as message shows "Error"; "No Message" shows nothing.
    messages.Clear();
    w.OpenDocument(m_web + "gone.htm", "0");
    EXPECT_EQ(messages.Texts(), QStringList{"Error"});
    messages.Clear();
    w.OpenDocument(m_web + "gone.htm", "No Message");
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(TZMMainTest, SortListToggles)
{
    TZMMain w(&m_host);
    EXPECT_FALSE(w.SortAscending);
    w.FlatButton1Click();
    EXPECT_EQ(Rows(w), (QStringList{"index", "other", "plain", "zeta"}));
    w.FlatButton1Click();
    EXPECT_EQ(Rows(w), (QStringList{"zeta", "plain", "other", "index"}));
    w.FlatButton1Click();
    EXPECT_EQ(Rows(w).first(), "index");
}

TEST_F(TZMMainTest, DocListKeepsColumnWidthsInTheRegistryButNeverSavesThem)
{
    TZMMain w(&m_host);
    EXPECT_NE(dynamic_cast<TColumnSizeRegistry*>(w.DocList->ColumnSizeStore()), nullptr);
    EXPECT_FALSE(w.DocList->SaveSettings().AutoSave);
}

TEST_F(TZMMainTest, StateFilesAtStart)
{
    // A state file styles the display; the low-colour look is not applied.
    m_host.Colours = 256;
    WriteTestFile(m_kit + "look.sta", "[Outliners]\r\nColor=255\r\nCellPaintColour=65280\r\n"
                                      "CellHiLightColour=0\r\nFontColour=0\r\nGradientHiLight=0\r\n"
                                      "GradientLoLight=0\r\nTextHiLight=0\r\nTextNormalCol=0\r\n"
                                      "ItemHeight=30\r\nFontSize=10\r\n");
    m_host.Options.StateFileName = m_kit + "look.sta";
    {
        TMessageCapture messages;
        TZMMain w(&m_host);
        EXPECT_TRUE(messages.Messages().empty());
        EXPECT_EQ(w.FolderList->Color(), 255);
        EXPECT_EQ(w.ReadOutliner->CellPaintColour(), 65280);
    }
    // The user's file is missing: the default state file is used silently.
    QFile::copy(m_kit + "look.sta", m_kit + "zelmora.STA");
    m_host.Options.StateFileName = m_kit + "missing.sta";
    {
        TMessageCapture messages;
        TZMMain w(&m_host);
        EXPECT_TRUE(messages.Messages().empty());
        EXPECT_EQ(w.FolderList->Color(), 255);
    }
    // Both missing: the System Error message, and the form's own look.
    QFile::remove(m_kit + "zelmora.STA");
    {
        TMessageCapture messages;
        TZMMain w(&m_host);
        ASSERT_EQ(messages.Captions(), QStringList{"System Error"});
        EXPECT_EQ(messages.Texts()[0],
                  "The default STA file is corrupted or missing (this is a backup file used when "
                  "the user specified STATE file cannot be loaded. You can fix this by running "
                  "Set-Up again, and this is recommended.");
        EXPECT_NE(w.FolderList->Color(), 12632256); // no low-colour look either
    }
    // No state file on a 256-colour screen: the low-colour look.
    m_host.Options.StateFileName = "NULL";
    {
        TMessageCapture messages;
        TZMMain w(&m_host);
        EXPECT_TRUE(messages.Messages().empty());
        EXPECT_EQ(w.PanelPage->BackGroundStyle(), rbsNone);
        EXPECT_EQ(w.FolderList->Color(), 12632256);
        EXPECT_EQ(w.FolderList->CellHiLightColour(), 8388608);
        EXPECT_EQ(w.FolderList->BackgroundCopyMode(), 12583114u);
        EXPECT_EQ(w.DocList->CellHiLightColour(), 8388608);
        EXPECT_EQ(w.GraphicSplit1->ShadowStyle(), ssNoShad);
        EXPECT_EQ(w.GraphicSplit2->Color(), 0);
    }
    // The same without the low colours keeps the design look.
    m_host.Colours = 16777216;
    {
        TZMMain w(&m_host);
        EXPECT_EQ(w.PanelPage->BackGroundStyle(), rbsBitmap);
        EXPECT_EQ(w.GraphicSplit1->ShadowStyle(), ssShadLeft);
    }
}

TEST_F(TZMMainTest, IntroductionPageOpensSilently)
{
    m_host.Options.IntroductionFile = m_web + "Index.htm";
    TZMMain w(&m_host);
    EXPECT_EQ(w.Viewer->CurrentFile(), m_web + "Index.htm");
    m_host.Options.IntroductionFile = m_web + "missing.htm";
    TMessageCapture messages;
    TZMMain w2(&m_host);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(TZMMainTest, LinksOfEveryKind)
{
    TZMMain w(&m_host);
    ClickRow(w, "index");
    TLaunchCapture launches;
    bool handled = false;

    w.ViewerHotSpotClick(nullptr, "#Intro", handled);
    EXPECT_TRUE(handled);
    handled = false;
    w.ViewerHotSpotClick(nullptr, "#intro", handled); // headings compare with case
    EXPECT_FALSE(handled);

    handled = false;
    w.ViewerHotSpotClick(nullptr, "/music/theme.wav", handled);
    EXPECT_TRUE(handled);
    handled = false;
    w.ViewerHotSpotClick(nullptr, "FILE:/music/theme.wav", handled);
    EXPECT_TRUE(handled);
    handled = false;
    w.ViewerHotSpotClick(nullptr, "clip.avi", handled);
    EXPECT_TRUE(handled);
    ASSERT_EQ(launches.Requests().size(), 3u);
    EXPECT_EQ(launches.Requests()[0].kind, TLaunchRequest::Sound);
    EXPECT_EQ(launches.Requests()[0].program, "/music/theme.wav");
    EXPECT_EQ(launches.Requests()[1].program, "/music/theme.wav");
    EXPECT_EQ(launches.Requests()[2].kind, TLaunchRequest::MediaPlayer);
    EXPECT_EQ(launches.Requests()[2].arguments, QStringList{m_web + "clip.avi"});

    // Another document with a destination opens, with its page outline, at the heading
    // whose anchor "Part2#2" the link names by its text.
    handled = false;
    w.ViewerHotSpotClick(nullptr, "other.html#Part2", handled);
    EXPECT_TRUE(handled);
    EXPECT_EQ(w.Viewer->CurrentFile(), m_web + "other.html");
    EXPECT_GT(w.Viewer->Position(), 0);
    EXPECT_EQ(w.ReadOutliner->Items(1)->Text(), "Other");

    // Missing documents and text files are left to the view.
    handled = false;
    w.ViewerHotSpotClick(nullptr, "missing.htm", handled);
    EXPECT_FALSE(handled);
    w.ViewerHotSpotClick(nullptr, "notes.txt", handled);
    EXPECT_FALSE(handled);
    EXPECT_EQ(launches.Requests().size(), 3u);
}

TEST_F(TZMMainTest, ProgramLinksStartOnlyTheWebsOwnPrograms)
{
    WriteTestFile(m_web + "tool.exe", "#!/bin/sh\n");
    WriteTestFile(m_root + "/outside/tool.exe", "#!/bin/sh\n");
    ASSERT_TRUE(QFile::link("/bin/sh", m_web + "sh.exe"));
    TZMMain w(&m_host);
    ClickRow(w, "index");
    TLaunchCapture launches;
    for (const QString& link : {"FILE:" + m_web + "sh.exe -c \"touch " + m_root + "/owned\"",
                                "FILE:" + m_root + "/outside/tool.exe", QString("sh.exe")}) {
        bool handled = false;
        w.ViewerHotSpotClick(nullptr, link, handled);
        EXPECT_TRUE(handled) << link.toStdString(); // taken, as a missing program is
    }
    EXPECT_TRUE(launches.Requests().empty());

    bool handled = false;
    w.ViewerHotSpotClick(nullptr, "FILE:" + m_web + "tool.exe -x \"a b\"", handled);
    ASSERT_EQ(launches.Requests().size(), 1u);
    EXPECT_EQ(launches.Requests()[0].kind, TLaunchRequest::Program);
    EXPECT_EQ(launches.Requests()[0].program, QFileInfo(m_web + "tool.exe").canonicalFilePath());
    EXPECT_EQ(launches.Requests()[0].arguments, (QStringList{"-x", "a b"}));
}

TEST_F(TZMMainTest, SaveAndLoadTheDisplayState)
{
    TZMMain w(&m_host);
    // Both outliners share one section, written last from the page outline.
    w.FolderList->SetColor(654321);
    w.ReadOutliner->SetColor(123456);
    ASSERT_TRUE(w.SaveDisplayState(m_kit + "saved.sta"));
    w.ReadOutliner->SetColor(1);
    ASSERT_TRUE(w.LoadDisplayState(m_kit + "saved.sta"));
    EXPECT_EQ(w.FolderList->Color(), 123456);
    EXPECT_EQ(w.ReadOutliner->Color(), 123456);
    TMessageCapture messages;
    EXPECT_FALSE(w.SaveDisplayState(m_root + "/no/folder/x.sta"));
    EXPECT_EQ(messages.Texts(), QStringList{"Could not save the State file"});
}

TEST_F(TZMMainTest, TheWindowsOwnLookSavesAsTheKnownLines)
{
    m_host.Options.StateFileName = "NULL";
    TZMMain w(&m_host);
    const QString path = m_kit + "design.sta";
    ASSERT_TRUE(w.SaveDisplayState(path));
    const QStringList lines = QString::fromUtf8(ReadTestFile(path)).split("\r\n");
    const QStringList expected = {"[Outliners]",
                                  "BackgroundCellCopyMode=15597702",
                                  "BackgroundCopyMode=13369376",
                                  "BackGroundStyle=1",
                                  "BitmapFile=Empty",
                                  "CellHiLightColour=12632256",
                                  "CellOutlineWidth=1",
                                  "CellPaint=1",
                                  "[FilesList]",
                                  "CellHiLightColour=-2147483643",
                                  "[Panel]",
                                  "[Vertical Splitter]",
                                  "BorderStyle=0",
                                  "Color=16777215",
                                  "DrawEdge=0",
                                  "ShadowStyle=3",
                                  "ShThickness=8",
                                  "Width=6",
                                  "[Horizontal Splitter]",
                                  "BorderStyle=0",
                                  "Color=16777215",
                                  "DrawEdge=0",
                                  "ShadowStyle=6",
                                  "ShThickness=8",
                                  "Height=7"};
    // In this order, with the other keys of each section between them.
    qsizetype at = 0;
    for (const QString& line : expected) {
        at = lines.indexOf(line, at);
        ASSERT_GE(at, 0) << line.toStdString() << "\n" << lines.join("\n").toStdString();
        ++at;
    }
    // The last section ends with its last key.
    EXPECT_EQ(lines.mid(lines.indexOf("[Horizontal Splitter]")).filter("=").size(), 7);
}

TEST_F(TZMMainTest, TheDemoKitBrowses)
{
    const QString demo = QStringLiteral(ZELMORA_SOURCE_DIR "/demo/");
    const QString web = demo + "webs/Harrowmere/";
    TPath::SetExecutablePathOverride(demo + "zelmora");
    m_host.Options.StartUpWeb = web;
    m_host.Options.StateFileName = demo + "zelmora.STA";
    m_host.Options.IntroductionFile = web + "intro.htm";
    TMessageCapture messages;
    TZMMain w(&m_host);
    EXPECT_TRUE(messages.Messages().empty()) << messages.Texts().join("|").toStdString();
    EXPECT_EQ(w.FolderList->Items(1)->Text(), "Harrowmere");
    EXPECT_GE(w.FolderList->ItemCount(), 8);
    EXPECT_EQ(QFileInfo(w.Viewer->CurrentFile()).fileName(), "intro.htm");
    EXPECT_EQ(w.PanelPage->GradientLoLight(), 16777215); // from the kit's state file

    SelectFolder(w, "Town");
    EXPECT_EQ(Rows(w).size(), 5);
    ClickRow(w, "streets");
    EXPECT_EQ(QFileInfo(w.Viewer->CurrentFile()).fileName(), "Streets.htm");
    ASSERT_GE(w.ReadOutliner->ItemCount(), 3);
    EXPECT_EQ(w.ReadOutliner->Items(1)->Text(), "Streets");
    EXPECT_EQ(w.ReadOutliner->Items(2)->Level(), 2);
    EXPECT_FALSE(w.ReadPanel->isHidden());
    EXPECT_TRUE(messages.Messages().empty()) << messages.Texts().join("|").toStdString();
}

TEST_F(TZMMainTest, AStartUpLookShowsAsLoadingTheSameLookAtTheSameSize)
{
    // Gaps beyond what the design size allows, fine for the real window's size.
    const QByteArray look =
        "[Panel]\r\nAlignTopGap=150\r\nAlignLeftGap=30\r\nAlignRightGap=40\r\n"
        "AlignBottomGap=120\r\nBackGroundStyle=2\r\nGradientHiLight=255\r\n"
        "GradientLoLight=65280\r\n"
        "[FilesList]\r\nHitGap=62\r\nLeftGap=50\r\nFontSize=8\r\nFontColour=0\r\n"
        "[Outliners]\r\nHitGap=70\r\nLeftGap=60\r\nItemHeight=24\r\nFontSize=9\r\n"
        "Color=16777215\r\nCellHiLightColour=255\r\nCellPaintColour=65280\r\n"
        "FontColour=0\r\nGradientHiLight=0\r\nGradientLoLight=0\r\n"
        "TextHiLight=0\r\nTextNormalCol=0\r\n";
    WriteTestFile(m_kit + "look.sta", look);
    const QSize size(900, 800);
    const auto shown = [&size](TZMMain& w) {
        w.resize(size);
        w.show();
        QCoreApplication::processEvents();
        return w.LeftPanel->grab().toImage();
    };

    m_host.Options.StateFileName = m_kit + "look.sta";
    TZMMain started(&m_host);
    const QImage atStart = shown(started);
    EXPECT_EQ(started.PanelPage->AlignTopGap(), 150);

    m_host.Options.StateFileName = "NULL";
    TZMMain loaded(&m_host);
    shown(loaded);
    ASSERT_TRUE(loaded.LoadDisplayState(m_kit + "look.sta"));
    QCoreApplication::processEvents();
    const QImage afterLoad = loaded.LeftPanel->grab().toImage();
    EXPECT_EQ(loaded.PanelPage->AlignTopGap(), 150);
    EXPECT_EQ(started.DocList->HitGap(), loaded.DocList->HitGap());
    EXPECT_EQ(started.FolderList->LeftGap(), loaded.FolderList->LeftGap());
    EXPECT_TRUE(atStart == afterLoad);
}

TEST_F(TZMMainTest, ForbiddenLinkKindsStartNothingAndSaySo)
{
    WriteTestFile(m_web + "tool.exe", "#!/bin/sh\n");
    const QString program = "FILE:" + m_web + "tool.exe -x";
    struct Case
    {
        bool programs, media;
        int launched; // of the program and the media link below
    };
    for (const Case c : {Case{false, true, 1}, Case{true, false, 1}, Case{false, false, 0}}) {
        m_host.Options.AllowPrograms = c.programs;
        m_host.Options.AllowMedia = c.media;
        m_host.Notices.clear();
        TZMMain w(&m_host);
        ClickRow(w, "index");
        TLaunchCapture launches;
        for (const QString& link : {program, QString("clip.avi")}) {
            bool handled = false;
            w.ViewerHotSpotClick(nullptr, link, handled);
            EXPECT_TRUE(handled) << link.toStdString(); // never left to the view
        }
        ASSERT_EQ(int(launches.Requests().size()), c.launched);
        if (c.launched)
            EXPECT_EQ(launches.Requests()[0].kind,
                      c.programs ? TLaunchRequest::Program : TLaunchRequest::MediaPlayer);
        EXPECT_EQ(m_host.Notices, QStringList(2 - c.launched, "This link is not available here"));

        // Sounds, documents and headings are never affected.
        bool handled = false;
        w.ViewerHotSpotClick(nullptr, "/music/theme.wav", handled);
        w.ViewerHotSpotClick(nullptr, "other.html", handled);
        EXPECT_EQ(launches.Requests().back().kind, TLaunchRequest::Sound);
        EXPECT_EQ(w.Viewer->CurrentFile(), m_web + "other.html");
        EXPECT_EQ(m_host.Notices.size(), 2 - c.launched);
    }
}
