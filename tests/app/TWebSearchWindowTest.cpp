// The web search as the reader meets it: from the keyboard and with the mouse.
#include "app/TWebSearchWindow.h"
#include "app/TMDIHost.h"
#include "browse/TZMMain.h"
#include "common/TestSupport.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TFlatButton.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include "search/TWebSearch.h"
#include <QSignalSpy>
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

TEST(TWebSearchWindowMarks, PassageMarksAreBoldAndTheRestEscaped)
{
    const QString passage =
        QString("a <b> ") + TSearchHit::MarkStart + "word" + TSearchHit::MarkEnd + " & more";
    EXPECT_EQ(TWebSearchWindow::MarkedPassage(passage), "a &lt;b&gt; <b>word</b> &amp; more");
}

} // namespace
