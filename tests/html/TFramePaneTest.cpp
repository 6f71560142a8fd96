// Frame sets: layout sizes, frames loading their documents, TARGET, focus and finding.
#include "html/TFramePane.h"
#include "common/TestSupport.h"
#include "html/TFrameLayout.h"
#include "html/THtmlFrame.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <numeric>

namespace {

int Sum(const QVector<int>& v) { return std::accumulate(v.begin(), v.end(), 0); }

TEST(TFrameLayoutTest, PixelsPercentagesAndShares)
{
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("100,*"), 400), (QVector<int>{100, 300}));
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("25%, *, 2*"), 400),
              (QVector<int>{100, 100, 200}));
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("*,*,*"), 100), (QVector<int>{33, 34, 33}));
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("50,20%,*"), 300), (QVector<int>{50, 60, 190}));
    EXPECT_EQ(TFrameLayout::Sizes(QString(), 250), (QVector<int>{250}));
    EXPECT_EQ(TFrameLayout::Count(QStringLiteral("10,20,*")), 3);
}

TEST(TFrameLayoutTest, WhatDoesNotFitShrinksAndWhatIsLeftOverIsShared)
{
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("300,300"), 400), (QVector<int>{200, 200}));
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("100,300"), 800), (QVector<int>{200, 600}));
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("80%,80%"), 100), (QVector<int>{50, 50}));
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("500,*"), 400), (QVector<int>{400, 0}));
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("0,0"), 90), (QVector<int>{45, 45}));
    const QVector<int> odd = TFrameLayout::Sizes(QStringLiteral("abc, ,-5,3*"), 120);
    EXPECT_EQ(odd.size(), 4);
    EXPECT_EQ(Sum(odd), 120);
    EXPECT_EQ(odd[3], 60);
    EXPECT_EQ(TFrameLayout::Sizes(QStringLiteral("*"), 0), (QVector<int>{0}));
}

class TFramePaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Write(
            "set.htm",
            "<html><head><title>Set</title></head>"
            "<frameset rows=\"100,*\"><frame src=\"banner.htm\" name=banner noresize scrolling=no>"
            "<frameset cols=\"25%,*\"><frame src=\"menu.htm\" name=menu><frame src=\"start.htm\" "
            "name=main>"
            "</frameset><noframes><a name=Hidden></a>Your browser has no "
            "frames</noframes></frameset>");
        Write("banner.htm", "<h1>Banner</h1>");
        Write(
            "menu.htm",
            "<a href=\"second.htm\" target=main>Second</a><br><a href=\"plain.htm\" "
            "target=_top>Leave</a><br>"
            "<a href=\"menu2.htm\">Self</a><br><a href=\"plain.htm\" target=_parent>Parent</a><br>"
            "<a href=\"plain.htm\" target=_blank>Blank</a><br><a href=\"plain.htm\" "
            "target=nowhere>Nowhere</a><br>"
            "<a href=\"second.htm#Deep\" target=MAIN>Deep</a><br><a href=\"gone.htm\" "
            "target=main>Gone</a>");
        Write("menu2.htm", "<p>Menu two</p>");
        Write("start.htm", "<a name=Start></a><p>Start page with a unique word: marmalade</p>");
        QByteArray filler;
        for (int i = 0; i < 60; ++i)
            filler += "<p>line " + QByteArray::number(i) + "</p>";
        Write("second.htm",
              "<p>Second page</p>" + filler + "<a name=Deep></a><h2>Deep</h2>" + filler);
        Write("plain.htm", "<a name=Plain></a><p>Plain page</p>");
        m_pane.SetBorderStyle(htNone);
        m_pane.resize(400, 304);
        m_pane.show();
        m_pane.LoadFile(Path("set.htm"));
    }
    QString Path(const char* name) const { return m_dir.path() + u'/' + QLatin1String(name); }
    void Write(const char* name, const QByteArray& bytes) { WriteTestFile(Path(name), bytes); }
    THtmlFrame* Frame(const char* name) const
    {
        for (THtmlFrame* f : m_pane.FrameSet()->Frames())
            if (f->Name() == QLatin1String(name))
                return f;
        return nullptr;
    }
    void ClickLink(THtmlFrame* frame, const QString& text)
    {
        THtmlView* view = frame->View();
        ASSERT_NE(view, nullptr);
        QTextCursor c = view->document()->find(text);
        ASSERT_FALSE(c.isNull()) << text.toStdString();
        QTextCursor middle(view->document());
        middle.setPosition((c.selectionStart() + c.selectionEnd()) / 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cursorRect(middle).center());
    }

    QTemporaryDir m_dir;
    THtmlPane m_pane;
};

TEST_F(TFramePaneTest, EachFrameShowsItsDocumentInTheSizesTheSetAsksFor)
{
    TFramePane* set = m_pane.FrameSet();
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(m_pane.View(), nullptr);
    const int b = set->Border();
    EXPECT_EQ(b, TFramePane::kDefaultBorder);
    EXPECT_EQ(set->RowSizes(), (QVector<int>{100, 304 - b - 100}));
    ASSERT_EQ(set->Frames().size(), 3);
    EXPECT_EQ(Frame("banner")->View()->FileName(), Path("banner.htm"));
    EXPECT_EQ(Frame("menu")->View()->FileName(), Path("menu.htm"));
    EXPECT_EQ(Frame("main")->View()->FileName(), Path("start.htm"));
    EXPECT_EQ(Frame("banner")->height(), 100);
    EXPECT_EQ(Frame("menu")->width(), (400 - b) / 4);
    EXPECT_EQ(Frame("main")->width(), 400 - b - (400 - b) / 4);
    EXPECT_EQ(Frame("main")->mapTo(&m_pane, QPoint(0, 0)), QPoint((400 - b) / 4 + b, 100 + b));
    EXPECT_EQ(Frame("banner")->View()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff)
        << "SCROLLING=NO";

    // The frame set document is the current file; it has no headings of its own.
    EXPECT_EQ(m_pane.CurrentFile(), Path("set.htm"));
    EXPECT_TRUE(m_pane.HeadingList().isEmpty());

    m_pane.resize(800, 604);
    EXPECT_EQ(set->RowSizes(), (QVector<int>{100, 604 - b - 100}));
    EXPECT_EQ(Frame("menu")->width(), (800 - b) / 4);
}

TEST_F(TFramePaneTest, ALinkWithATargetLoadsIntoThatFrame)
{
    ClickLink(Frame("menu"), QStringLiteral("Second"));
    EXPECT_EQ(Frame("main")->FileName(), Path("second.htm"));
    EXPECT_EQ(Frame("menu")->FileName(), Path("menu.htm"));
    EXPECT_EQ(m_pane.CurrentFile(), Path("set.htm")) << "the frame set stays the document";

    ClickLink(Frame("menu"), QStringLiteral("Deep"));
    EXPECT_EQ(Frame("main")->FileName(), Path("second.htm"));
    EXPECT_GT(Frame("main")->View()->Position(), 0) << "a target name matches in any letter case";

    ClickLink(Frame("menu"), QStringLiteral("Self"));
    EXPECT_EQ(Frame("menu")->FileName(), Path("menu2.htm")) << "without TARGET the frame itself";
}

TEST_F(TFramePaneTest, TopParentBlankAndUnknownNamesReplaceTheFrameSet)
{
    for (const char* link : {"Leave", "Parent", "Blank", "Nowhere"}) {
        m_pane.LoadFile(Path("set.htm"));
        ClickLink(Frame("menu"), QString::fromLatin1(link));
        EXPECT_EQ(m_pane.CurrentFile(), Path("plain.htm")) << link;
        EXPECT_EQ(m_pane.FrameSet(), nullptr) << link;
        ASSERT_NE(m_pane.View(), nullptr) << link;
        EXPECT_EQ(m_pane.HeadingList(), QStringList{QStringLiteral("Plain#0")}) << link;
    }
}

TEST_F(TFramePaneTest, AMissingTargetDocumentIsReportedAndTheFrameKeepsItsPage)
{
    TMessageCapture messages;
    ClickLink(Frame("menu"), QStringLiteral("Gone"));
    EXPECT_EQ(messages.Texts(),
              QStringList{QStringLiteral("Can't locate file: ") + Path("gone.htm")});
    EXPECT_EQ(messages.Captions(), QStringList{QStringLiteral("Error")});
    EXPECT_EQ(Frame("main")->FileName(), Path("start.htm"));
}

TEST_F(TFramePaneTest, TheHotSpotEventSeesTargetsRelativeToTheFramesDocument)
{
    Write("sub/set.htm", "<frameset cols=\"*,*\"><frame src=\"left.htm\"><frame src=\"right.htm\" "
                         "name=r></frameset>");
    Write("sub/left.htm", "<a href=\"right2.htm\" target=r>go</a>");
    Write("sub/right.htm", "<p>right</p>");
    Write("sub/right2.htm", "<p>right two</p>");
    m_pane.LoadFile(Path("sub/set.htm"));
    QStringList expanded;
    m_pane.OnHotSpotClick = [&](QObject*, const QString& src, bool&) {
        expanded << m_pane.HTMLExpandFilename(src);
    };
    ClickLink(m_pane.FrameSet()->Frames()[0], QStringLiteral("go"));
    EXPECT_EQ(expanded, QStringList{Path("sub/right2.htm")});
    EXPECT_EQ(m_pane.FrameSet()->Frames()[1]->FileName(), Path("sub/right2.htm"));
}

TEST_F(TFramePaneTest, FindTextSearchesTheFrameThatLastHadTheFocus)
{
    EXPECT_FALSE(m_pane.FindText(QStringLiteral("marmalade"), false))
        << "the first frame has it not";
    Frame("main")->View()->setFocus();
    QCoreApplication::processEvents();
    EXPECT_TRUE(m_pane.FindText(QStringLiteral("marmalade"), false));
    EXPECT_EQ(Frame("main")->View()->textCursor().selectedText(), QStringLiteral("marmalade"));
}

TEST_F(TFramePaneTest, BordersCanBeDraggedUnlessAFrameSaysNoResize)
{
    TFramePane* set = m_pane.FrameSet();
    const int b = set->Border();
    // The row border touches the banner, which says NORESIZE.
    QTest::mousePress(set, Qt::LeftButton, {}, QPoint(200, 100 + b / 2));
    QTest::mouseMove(set, QPoint(200, 150));
    QTest::mouseRelease(set, Qt::LeftButton, {}, QPoint(200, 150));
    EXPECT_EQ(set->RowSizes()[0], 100);

    auto* inner = qobject_cast<TFramePane*>(set->Cells()[1]);
    ASSERT_NE(inner, nullptr);
    const int column = inner->ColumnSizes()[0];
    QTest::mousePress(inner, Qt::LeftButton, {}, QPoint(column + b / 2, 50));
    QTest::mouseMove(inner, QPoint(column + 60, 50));
    QTest::mouseRelease(inner, Qt::LeftButton, {}, QPoint(column + 60, 50));
    EXPECT_EQ(inner->ColumnSizes()[0], column + 60);
    EXPECT_EQ(Sum(inner->ColumnSizes()), inner->width() - b);
}

TEST_F(TFramePaneTest, FrameSetsThatLoadThemselvesOrMissingDocumentsDoNotStopTheLoad)
{
    Write("loop.htm",
          "<frameset cols=\"*,*\"><frame src=\"loop.htm\"><frame src=\"missing.htm\"></frameset>");
    m_pane.LoadFile(Path("loop.htm"));
    ASSERT_NE(m_pane.FrameSet(), nullptr);
    const auto frames = m_pane.FrameSet()->Frames();
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0]->FrameSet(), nullptr) << "a frame set is not loaded into itself";
    ASSERT_NE(frames[1]->View(), nullptr);
    EXPECT_TRUE(frames[1]->View()->document()->toPlainText().contains(
        QStringLiteral("Can't locate file: ")));

    // Two documents loading each other end too.
    Write("a.htm", "<frameset rows=\"*,*\"><frame src=\"b.htm\"><frame src=\"b.htm\"></frameset>");
    Write("b.htm", "<frameset rows=\"*,*\"><frame src=\"a.htm\"><frame src=\"a.htm\"></frameset>");
    m_pane.LoadFile(Path("a.htm"));
    EXPECT_NE(m_pane.FrameSet(), nullptr);
}

} // namespace

TEST(TFramePaneOpeningTest, AFrameWhoseFirstLineIsTallerThanItOpensAtItsTop)
{
    QTemporaryDir dir;
    QImage tall(40, 900, QImage::Format_RGB32);
    tall.fill(Qt::blue);
    ASSERT_TRUE(tall.save(dir.path() + "/tall.png"));
    WriteTestFile(dir.path() + "/nav.htm", "<img src=tall.png><p>end</p>");
    WriteTestFile(dir.path() + "/main.htm", "<p>Main</p>");
    WriteTestFile(dir.path() + "/set.htm", "<frameset cols=\"100,*\"><frame src=nav.htm name=nav>"
                                           "<frame src=main.htm></frameset>");
    THtmlPane pane;
    pane.resize(400, 300);
    pane.show();
    pane.LoadFile(dir.path() + "/set.htm");
    QTest::qWait(50);
    ASSERT_NE(pane.FrameSet(), nullptr);
    THtmlView* nav = pane.FrameSet()->Frames().value(0)->View();
    ASSERT_NE(nav, nullptr);
    EXPECT_GT(nav->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(nav->Position(), 0);
}
