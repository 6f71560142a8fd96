// The web search as the reader meets it: from the keyboard and with the mouse.
#include "app/TWebSearchWindow.h"
#include "app/TMDIHost.h"
#include "app/TTitlePanel.h"
#include "browse/TZMMain.h"
#include "common/TestSupport.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TFlatButton.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include "search/TWebSearch.h"
#include <QDir>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TWebSearchWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_kit = m_tmp.path() + "/kit/";
        WriteTestFile(m_kit + "web/index.htm", "<h1>Intro</h1><p>Nothing here.");
        WriteTestFile(m_kit + "web/Birds/Water/heron.htm",
                      "<title>The Heron</title><p>Long text first. The grey heron waits by "
                      "the lantern at the water's edge, near the Café.");
        WriteTestFile(m_kit + "web/Birds/owl.htm", "<p>An owl in the dark and no light at all.");
        TPath::SetExecutablePathOverride(m_kit + "zelmora");
        TScreen::SetDepthOverride(24);
    }
    void TearDown() override
    {
        TPath::SetExecutablePathOverride(QString());
        TScreen::SetDepthOverride(0);
    }
    void Start(const QByteArray& startUp)
    {
        WriteTestFile(m_kit + "zelmora.INI",
                      "[StartUp]\r\nStartUpWeb=READERBASE\\web\\\r\n" + startUp);
        m_host = std::make_unique<TMDIHost>();
        m_main = std::make_unique<TZMMain>(m_host.get());
        m_host->SetViewerWindow(m_main.get());
        m_host->WebSearchWindow()->SetCacheFolder(m_tmp.path() + "/cache");
        m_host->show();
    }
    TWebSearchWindow* Window() const { return m_host->WebSearchWindow(); }
    // Types the words and Enter, and waits for the list.
    void Search(const QString& words)
    {
        QSignalSpy answer(Window()->Search(), &TWebSearch::Answer);
        QTest::keyClicks(Window()->SearchField, words);
        QTest::keyClick(Window()->SearchField, Qt::Key_Return);
        ASSERT_TRUE(answer.wait(20000));
        QCoreApplication::processEvents();
    }
    QString Selected() const { return m_main->Viewer->View()->textCursor().selectedText(); }
    QStackedWidget* TitlePages() const { return m_host->TitlePanel()->TB_PageControl; }
    bool TextPageShown() const
    {
        return TitlePages()->currentWidget() == m_host->TitlePanel()->TB_TabSheet_TextDisplay;
    }

    QTemporaryDir m_tmp;
    QString m_kit;
    std::unique_ptr<TMDIHost> m_host;
    std::unique_ptr<TZMMain> m_main;
};

TEST_F(TWebSearchWindowTest, KeyboardPathUnderTheRuntimeLock)
{
    Start("StartUpMode=0\r\nkxItem2=1\r\n");
    QTest::keyClick(m_main->FolderList, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(Window()->isVisible());
    EXPECT_EQ(Window()->focusWidget(), Window()->SearchField);
    Search("LANTERN heron");
    ASSERT_EQ(Window()->Hits().size(), 1);
    EXPECT_EQ(Window()->ResultList->currentRow(), 0);
    EXPECT_EQ(Window()->focusWidget(), Window()->ResultList);
    QTest::keyClick(Window()->ResultList, Qt::Key_Return);
    EXPECT_FALSE(Window()->isVisible());
    EXPECT_EQ(m_main->Viewer->CurrentFile(), m_kit + "web/Birds/Water/heron.htm");
    EXPECT_EQ(Selected(), "lantern");
    EXPECT_EQ(m_host->Mode(), TMDIHost::TMode::Reader);
}

TEST_F(TWebSearchWindowTest, MousePathFromTheSitePanel)
{
    Start("StartUpMode=0\r\n");
    QTest::mouseClick(m_main->SearchButton, Qt::LeftButton);
    ASSERT_TRUE(Window()->isVisible());
    Search("\"grey heron\"");
    ASSERT_EQ(Window()->Hits().size(), 1);
    QListWidget* list = Window()->ResultList;
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    EXPECT_EQ(m_main->Viewer->CurrentFile(), m_kit + "web/Birds/Water/heron.htm");
    EXPECT_EQ(Selected(), "grey heron");

    // The match in the view ignores accents and case as the index does.
    m_host->WebSearchClick();
    Window()->SearchField->clear();
    Search("cafe");
    ASSERT_EQ(Window()->Hits().size(), 1);
    QTest::keyClick(Window()->ResultList, Qt::Key_Enter);
    EXPECT_EQ(Selected(), "Café");
}

TEST_F(TWebSearchWindowTest, ArrowsMoveEscapeClosesNoMatchSaysSo)
{
    Start("StartUpMode=0\r\n");
    m_host->WebSearchClick();
    Search("light");
    ASSERT_EQ(Window()->Hits().size(), 1);
    Window()->SearchField->clear();
    Window()->SearchField->setFocus();
    Search("the");
    ASSERT_EQ(Window()->Hits().size(), 2);
    QTest::keyClick(Window()->ResultList, Qt::Key_Down);
    EXPECT_EQ(Window()->ResultList->currentRow(), 1);
    QTest::keyClick(Window()->ResultList, Qt::Key_Up);
    EXPECT_EQ(Window()->ResultList->currentRow(), 0);
    Window()->SearchField->clear();
    Window()->SearchField->setFocus();
    Search("albatross");
    ASSERT_EQ(Window()->ResultList->count(), 1);
    EXPECT_EQ(Window()->ResultList->item(0)->text(), TWebSearchWindow::NoMatchText);
    QTest::keyClick(Window()->SearchField, Qt::Key_Escape);
    EXPECT_FALSE(Window()->isVisible());
}

// At start a small web is indexed behind the advert, so the first search reads nothing; a
// web past the limit is left to that search, which shows its progress as ever.
TEST_F(TWebSearchWindowTest, ASmallWebIsIndexedQuietlyAtStartALargerOneAtTheFirstSearch)
{
    for (const int extra : {0, int(TWebSearch::SmallWeb)}) {
        SCOPED_TRACE(extra);
        for (int i = 0; i < extra; ++i)
            WriteTestFile(m_kit + QString("web/Many/m%1.htm").arg(i), "<p>filler");
        Start("StartUpMode=1\r\n");
        TWebSearch* search = Window()->Search();
        QSignalSpy pages(TitlePages(), &QStackedWidget::currentChanged);
        QSignalSpy updated(search, &TWebSearch::Updated);
        EXPECT_TRUE(m_host->StartIndexTimer()->isActive());
        ASSERT_TRUE(updated.wait(20000));
        EXPECT_TRUE(pages.isEmpty()) << "the advert stays while the web is indexed";
        EXPECT_FALSE(TextPageShown());
        EXPECT_FALSE(Window()->isVisible());

        QSignalSpy progress(search, &TWebSearch::Progress);
        m_host->WebSearchClick();
        if (extra == 0) {
            ASSERT_TRUE(updated.wait(20000));
            ASSERT_FALSE(progress.isEmpty());
            EXPECT_EQ(progress.last().at(1).toLongLong(), 0) << "nothing left to read";
            Search("lantern");
            EXPECT_EQ(Window()->Hits().size(), 1);
        } else {
            ASSERT_TRUE(progress.wait(20000));
            // All but the three documents the small web's round indexed.
            EXPECT_EQ(progress.last().at(1).toLongLong(), extra);
            EXPECT_TRUE(TextPageShown());
        }
        m_main.reset();
        m_host.reset();
    }
}

// The reader opens the search while the start's indexing goes on: the title panel shows
// its progress, the search answers, and the advert comes back at the end.
TEST_F(TWebSearchWindowTest, ASearchDuringTheStartIndexingShowsProgressAndAnswers)
{
    Start("StartUpMode=1\r\n");
    m_host->StartIndexTimer()->stop();
    TWebSearch* search = Window()->Search();
    QSignalSpy progress(search, &TWebSearch::Progress);
    QSignalSpy updated(search, &TWebSearch::Updated);
    QSignalSpy pages(TitlePages(), &QStackedWidget::currentChanged);
    m_host->IndexWebIfSmall(); // what the start-up timer does
    EXPECT_TRUE(search->Quiet());
    m_host->WebSearchClick();
    EXPECT_FALSE(search->Quiet());
    ASSERT_TRUE(progress.wait(20000));
    // A fast worker may be done, and the advert back, by the time the wait returns.
    ASSERT_FALSE(pages.isEmpty());
    EXPECT_EQ(TitlePages()->widget(pages.first().at(0).toInt()),
              m_host->TitlePanel()->TB_TabSheet_TextDisplay);
    EXPECT_TRUE(m_host->TitlePanel()->Progress_TextLabel->text().startsWith("Indexing"));
    Search("lantern");
    EXPECT_EQ(Window()->Hits().size(), 1);
    if (search->Updating())
        ASSERT_TRUE(updated.wait(20000));
    EXPECT_FALSE(TextPageShown());
}

TEST(TWebSearchWindowMarks, PassageMarksAreBoldAndTheRestEscaped)
{
    const QString passage =
        QString("a <b> ") + TSearchHit::MarkStart + "word" + TSearchHit::MarkEnd + " & more";
    EXPECT_EQ(TWebSearchWindow::MarkedPassage(passage), "a &lt;b&gt; <b>word</b> &amp; more");
}

} // namespace
