// A big page loads while the window goes on: timers fire and the window paints during
// LoadFile, which still returns with the document in place; a load asked for meanwhile
// and a view closed meanwhile leave nothing broken behind.
#include "common/TestSupport.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Small tables, a named heading every hundred: long enough to load for a while.
QByteArray BigPage(int tables, const QByteArray& word)
{
    QByteArray html = "<html><body>";
    for (int n = 0; n < tables; ++n) {
        const QByteArray number = QByteArray::number(n);
        if (n % 100 == 0)
            html += "<a name=\"Part " + number + "\"></a><h3>Part " + number + "</h3>\n";
        html += "<table border=1><tr><td>Entry " + number + "</td><td>" + number +
                " pcs</td></tr></table>\n";
    }
    return html + "<p>The closing word is " + word + ".</p></body></html>";
}

class TPaintCounter : public QWidget
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

class THtmlLoadWaitTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_big = m_dir.path() + QStringLiteral("/big.htm");
        WriteTestFile(m_big, BigPage(3000, "zanzibar"));
        m_small = m_dir.path() + QStringLiteral("/small.htm");
        WriteTestFile(m_small, "<a name=Only></a><h1>Only</h1><p>Small page</p>");
    }
    QTemporaryDir m_dir;
    QString m_big, m_small;
};

TEST_F(THtmlLoadWaitTest, TimersFireAndTheWindowPaintsWhileABigPageLoads)
{
    THtmlPane pane;
    pane.resize(600, 400);
    pane.show();
    TPaintCounter other;
    other.resize(50, 50);
    other.show();
    QCoreApplication::processEvents();
    other.paints = 0;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++ticks;
        other.update();
    });
    timer.start(16);
    pane.LoadFile(m_big + QStringLiteral("#Part 2000"));
    timer.stop();
    EXPECT_GE(ticks, 3);
    EXPECT_GE(other.paints, 2);

    // Loaded when the call returns: headings, the destination, the text to find.
    const QStringList headings = pane.HeadingList();
    ASSERT_EQ(headings.size(), 30);
    EXPECT_EQ(headings[20], QStringLiteral("Part 2000#0"));
    EXPECT_GT(pane.Position(), 0);
    EXPECT_EQ(pane.Position(), pane.View()->HeadingY(20));
    EXPECT_TRUE(pane.FindText(QStringLiteral("Zanzibar"), false));
    EXPECT_EQ(pane.View()->textCursor().selectedText(), QStringLiteral("zanzibar"));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(THtmlLoadWaitTest, TheFramesOfAFrameSetAreReadWhileTheWindowGoesOn)
{
    const QString inner = m_dir.path() + QStringLiteral("/inner.htm");
    WriteTestFile(m_dir.path() + QStringLiteral("/bigger.htm"), BigPage(8000, "zanzibar"));
    WriteTestFile(inner, "<frameset rows=\"50%,*\"><frame src=bigger.htm>"
                         "<frame src=inner.htm></frameset>");
    const QString set = m_dir.path() + QStringLiteral("/set.htm");
    WriteTestFile(set, "<frameset cols=\"50%,*\"><frame src=small.htm><frame src=Inner.HTM>"
                       "</frameset>");
    THtmlPane pane;
    pane.resize(600, 400);
    pane.show();
    // The longest the window went without a tick, reading the big document included.
    QElapsedTimer clock;
    qint64 last = 0, longest = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        longest = std::max(longest, clock.elapsed() - last);
        last = clock.elapsed();
    });
    timer.start(5);
    clock.start();
    pane.LoadFile(set);
    longest = std::max(longest, clock.elapsed() - last);
    timer.stop();
    EXPECT_LT(longest * 3, clock.elapsed())
        << "the big document two frame sets down is read off the window's thread";
    ASSERT_TRUE(pane.FrameSet());
    QStringList shown;
    bool deepText = false;
    for (THtmlView* view : pane.findChildren<THtmlView*>()) {
        if (!view->FileName().isEmpty())
            shown << QFileInfo(view->FileName()).fileName();
        deepText |= view->document()->toPlainText().contains(QStringLiteral("Entry 4000"));
    }
    shown.sort();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("bigger.htm"), QStringLiteral("small.htm")}))
        << "the frame showing its own frame set stays empty";
    EXPECT_TRUE(deepText) << "the big document is there";
}

// A timer asks for another load while the big one runs, and may close the view right
// after: the later load wins, a closed view is left alone, and nothing crashes.
TEST_F(THtmlLoadWaitTest, ALoadOrACloseMeanwhileLeavesNothingBroken)
{
    enum TThen { Nothing, DeleteLater, Delete };
    for (const TThen then : {Nothing, DeleteLater, Delete}) {
        SCOPED_TRACE(int(then));
        QPointer<QWidget> window = new QWidget;
        QPointer<THtmlPane> pane = new THtmlPane(window);
        pane->resize(600, 400);
        window->show();
        QObject context;
        QTimer::singleShot(1, &context, [&] {
            pane->LoadFile(m_small);
            if (then == DeleteLater)
                window->deleteLater();
            else if (then == Delete)
                delete window.data();
        });
        pane->LoadFile(m_big);
        if (then == Delete) {
            EXPECT_TRUE(pane.isNull());
            continue;
        }
        EXPECT_FALSE(pane.isNull()) << "closed only once the load is over";
        if (pane) {
            EXPECT_EQ(pane->CurrentFile(), m_small);
            EXPECT_EQ(pane->HeadingList(), QStringList{QStringLiteral("Only#0")});
            EXPECT_FALSE(pane->FindText(QStringLiteral("zanzibar"), false));
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(window.isNull(), then == DeleteLater);
        delete window.data();
    }
}

} // namespace
