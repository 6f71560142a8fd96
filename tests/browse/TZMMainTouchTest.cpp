#include "browse/FakeHost.h"
#include "browse/TZMMain.h"
#include "common/TestSupport.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TTransparentPanel.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include "platform/TPath.h"
#include <QDir>
#include <QPointingDevice>
#include <QScrollBar>
#include <QScroller>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

// A web with many folders, many documents in its root and long pages with many headings,
// so each of the four controls has something to scroll.
class TZMMainTouchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_web = m_tmp.path() + "/web/";
        TPath::SetExecutablePathOverride(m_tmp.path() + "/kit/zelmora");
        QDir().mkpath(m_tmp.path() + "/kit");
        QByteArray page;
        for (int i = 0; i < 60; ++i)
            page += "<a name=\"H" + QByteArray::number(i) + "#1\"></a><h1>Heading " +
                    QByteArray::number(i) + "</h1><p>text</p><p>more</p>";
        for (int i = 0; i < 40; ++i) {
            WriteTestFile(m_web + QString("doc%1.htm").arg(i, 2, 10, QChar('0')), page);
            QDir().mkpath(m_web + QString("Folder%1").arg(i, 2, 10, QChar('0')));
            WriteTestFile(m_web + QString("Folder%1/a.htm").arg(i, 2, 10, QChar('0')), "<p>a");
        }
        m_host.Options.StartUpWeb = m_web;
        m_main = std::make_unique<TZMMain>(&m_host);
        m_main->resize(800, 600);
        m_main->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_main.get()));
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    // A finger drags upwards over the widget, as a reader pushes a page up.
    void Drag(QWidget* target)
    {
        const QPoint start(target->width() / 2, target->height() * 3 / 4);
        QTest::touchEvent(target, m_touch).press(0, start, target);
        for (int step = 1; step <= 10; ++step) {
            QTest::qWait(16);
            QTest::touchEvent(target, m_touch).move(0, start - QPoint(0, step * 25), target);
        }
        QTest::touchEvent(target, m_touch).release(0, start - QPoint(0, 250), target);
        // The flick runs on and comes to rest.
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return QScroller::scroller(target)->state() == QScroller::Inactive; }, 5000));
    }

    QTemporaryDir m_tmp;
    QString m_web;
    FakeHost m_host;
    std::unique_ptr<TZMMain> m_main;
    // Qt leaves the simulated device to the test when the application outlives it.
    std::unique_ptr<QPointingDevice> m_touchDevice{QTest::createTouchDevice()};
    QPointingDevice* m_touch = m_touchDevice.get();
};

} // namespace

TEST_F(TZMMainTouchTest, DragScrollsEachOfTheFourControls)
{
    m_main->OpenDocument(m_web + "doc00.htm", "0");
    auto* view = m_main->Viewer->View();
    ASSERT_NE(view, nullptr);
    struct Control
    {
        const char* name;
        QAbstractScrollArea* area;
        std::function<int()> position;
        std::function<void()> show;
    };
    const Control controls[] = {
        {"view", view, [&] { return view->verticalScrollBar()->value(); }, [] {}},
        {"ReadOutliner", m_main->ReadOutliner, [&] { return m_main->ReadOutliner->TopRow(); },
         [&] { m_main->ShowPanel(m_main->ReadPanel); }},
        {"FolderList", m_main->FolderList, [&] { return m_main->FolderList->TopRow(); },
         [&] { m_main->ShowPanel(m_main->HomePanel); }},
        {"DocList", m_main->DocList, [&] { return m_main->DocList->verticalScrollBar()->value(); },
         [&] { m_main->ShowPanel(m_main->HomePanel); }},
    };
    for (const Control& c : controls) {
        c.show();
        QTest::qWait(50);
        const int before = c.position();
        Drag(c.area->viewport());
        EXPECT_GT(c.position(), before) << c.name;
        EXPECT_FALSE(view->textCursor().hasSelection()) << c.name; // a drag selects no text
        // A drag is no click: the folder outline did not open another folder.
        EXPECT_EQ(m_main->CurrentFolder, m_web) << c.name;
    }
}

TEST_F(TZMMainTouchTest, TapOpensADocumentRow)
{
    m_main->ShowPanel(m_main->HomePanel);
    QWidget* rows = m_main->DocList->viewport();
    const QRect first = m_main->DocList->ItemRect(0);
    ASSERT_FALSE(first.isEmpty());
    const QPoint at = first.center();
    QTest::touchEvent(rows, m_touch).press(0, at, rows);
    QTest::qWait(30);
    QTest::touchEvent(rows, m_touch).release(0, at, rows);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_main->Viewer->CurrentFile().isEmpty(); }, 2000));
    EXPECT_EQ(m_main->Viewer->CurrentFile(), m_web + "doc00.htm");
}

TEST_F(TZMMainTouchTest, TapOnALinkOfThePageFollowsIt)
{
    WriteTestFile(m_web + "links.htm", "<p><a href=\"doc01.htm\">Follow this link</a></p>");
    m_main->OpenDocument(m_web + "links.htm", "0");
    THtmlView* view = m_main->Viewer->View();
    ASSERT_NE(view, nullptr);
    QTextCursor at = view->document()->find("this");
    ASSERT_FALSE(at.isNull());
    at.clearSelection();
    const QPoint point = view->cursorRect(at).center() + QPoint(2, 0);
    QWidget* page = view->viewport();
    QTest::touchEvent(page, m_touch).press(0, point, page);
    QTest::qWait(30);
    QTest::touchEvent(page, m_touch).release(0, point, page);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return m_main->Viewer->CurrentFile() == m_web + "doc01.htm"; }, 2000));
}
