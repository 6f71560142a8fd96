// The viewing contract of the HTML view: loading, headings, positions, file names, finding.
#include "html/THtmlPane.h"
#include "common/TestSupport.h"
#include "html/THtmlView.h"
#include "platform/EError.h"
#include "platform/TColorRef.h"
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray LongPage(const QByteArray& body)
{
    QByteArray filler;
    for (int i = 0; i < 60; ++i)
        filler +=
            "<p>Filler paragraph number " + QByteArray::number(i) + " of the running text.</p>\n";
    return "<html><body>" + body + filler + "</body></html>";
}

class THtmlPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_pane.resize(400, 300);
        m_pane.show();
    }
    QString Path(const QString& name) const { return m_dir.path() + u'/' + name; }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        WriteTestFile(Path(name), bytes);
        return Path(name);
    }

    QTemporaryDir m_dir;
    THtmlPane m_pane;
};

TEST_F(THtmlPaneTest, PublishedPropertiesHaveTheirDefaults)
{
    EXPECT_EQ(m_pane.DefBackground(), TSysColour::clBtnFace);
    EXPECT_EQ(m_pane.BorderStyle(), htFocused);
    EXPECT_EQ(m_pane.HistoryMaxCount(), 0);
    EXPECT_EQ(m_pane.DefFontName(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(m_pane.DefPreFontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(m_pane.DefFontSize(), 12);
    EXPECT_EQ(m_pane.DefFontColor(), TSysColour::clBtnText);
    EXPECT_EQ(m_pane.DefHotSpotColor(), 16711680);
    EXPECT_TRUE(m_pane.ViewImages());
    EXPECT_FALSE(m_pane.NoSelect());
    EXPECT_EQ(m_pane.ScrollBars(), ssBoth);
    EXPECT_EQ(m_pane.ImageCacheCount(), 5);
    EXPECT_DOUBLE_EQ(m_pane.PrintMarginLeft(), 2.0);
    EXPECT_DOUBLE_EQ(m_pane.PrintMarginRight(), 2.0);
    EXPECT_DOUBLE_EQ(m_pane.PrintMarginTop(), 2.0);
    EXPECT_DOUBLE_EQ(m_pane.PrintMarginBottom(), 2.0);
    EXPECT_TRUE(m_pane.CurrentFile().isEmpty());
    EXPECT_TRUE(m_pane.HeadingList().isEmpty());
}

TEST_F(THtmlPaneTest, TheEmptyViewShowsTheDefaultBackgroundFromTheStart)
{
    m_pane.SetDefBackground(TColours::clWhite);
    QCoreApplication::processEvents();
    const QImage shown = m_pane.View()->viewport()->grab().toImage();
    EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), qRgb(255, 255, 255));
}

TEST_F(THtmlPaneTest, MissingFileRaisesAndKeepsTheDocument)
{
    const QString first = Write(QStringLiteral("first.htm"), "<a name=One></a><h1>One</h1>");
    m_pane.LoadFile(first);
    const QString missing = Path(QStringLiteral("missing.htm"));
    try {
        m_pane.LoadFile(missing + QStringLiteral("#Part2"));
        FAIL() << "no error raised";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Can't locate file: ") + missing);
    }
    EXPECT_EQ(m_pane.CurrentFile(), first);
    EXPECT_EQ(m_pane.HeadingList(), QStringList{QStringLiteral("One#0")});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the hourglass stays after a failure";

    // A folder is not a document either.
    QDir(m_dir.path()).mkdir(QStringLiteral("folder.htm"));
    EXPECT_THROW(m_pane.LoadFile(Path(QStringLiteral("folder.htm"))), EInOutError);
    EXPECT_THROW(m_pane.LoadFile(QString()), EInOutError);
    EXPECT_EQ(m_pane.CurrentFile(), first);
}

TEST_F(THtmlPaneTest, LoadFileSetsCurrentFileAndGoesToTheDestination)
{
    const QString page = Write(QStringLiteral("Page.htm"),
                               LongPage("<p>Top</p>") +
                                   "<a name=Part2></a><h2>Part two</h2><p>x</p>" + LongPage(""));
    m_pane.LoadFile(page);
    EXPECT_EQ(m_pane.CurrentFile(), page);
    EXPECT_EQ(m_pane.Position(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    m_pane.LoadFile(page + QStringLiteral("#part2"));
    EXPECT_EQ(m_pane.CurrentFile(), page) << "the destination is not part of the name";
    EXPECT_GT(m_pane.Position(), 0);
    EXPECT_EQ(m_pane.Position(), m_pane.View()->HeadingY(0));

    // The letter case of the name does not matter, as on the original file system.
    m_pane.LoadFile(Path(QStringLiteral("PAGE.HTM")));
    EXPECT_EQ(m_pane.CurrentFile(), page);
}

TEST_F(THtmlPaneTest, HeadingListHasOneEntryPerNamedAnchorInDocumentOrder)
{
    const QString page = Write(
        QStringLiteral("anchors.htm"),
        "<html><body>"
        "<h1><a name=\"Introduction#1\">Introduction</a></h1>"
        "<p>Running text <a name=12></a>with a numeric anchor and <a name=note>a note</a>.</p>"
        "<table border=1><tr><td>cell <a name=\"InTable#2\"></a>text</td>"
        "<td><table><tr><td><a name=Nested>nested</a></td></tr></table></td></tr></table>"
        "<a href=\"x.htm\">a link is no anchor</a> <a name=\"-3\"></a>minus"
        "<h2><a name=\"Last#2\"></a>Last</h2><a name=End></a>"
        "</body></html>");
    m_pane.LoadFile(page);
    const QStringList expected{QStringLiteral("Introduction#1#0"), QStringLiteral("12#12"),
                               QStringLiteral("note#0"),           QStringLiteral("InTable#2#0"),
                               QStringLiteral("Nested#0"),         QStringLiteral("-3#-3"),
                               QStringLiteral("Last#2#0"),         QStringLiteral("End#0")};
    EXPECT_EQ(m_pane.HeadingList(), expected);

    // Positions follow the document: every heading further down is no higher up.
    int previous = -1;
    for (int i = 0; i < expected.size(); ++i) {
        const int y = m_pane.View()->HeadingY(i);
        EXPECT_GE(y, previous) << expected[i].toStdString();
        previous = y;
    }

    // The list is rebuilt at every load.
    m_pane.LoadFile(Write(QStringLiteral("none.htm"), "<p>No anchors here</p>"));
    EXPECT_TRUE(m_pane.HeadingList().isEmpty());
}

TEST_F(THtmlPaneTest, ShowHeadingScrollsTheEntryToTheTopAndRejectsIndexesOutside)
{
    m_pane.LoadFile(Write(QStringLiteral("long.htm"), LongPage("<a name=First></a><h1>First</h1>") +
                                                          "<a name=Second></a><h2>Second</h2>" +
                                                          LongPage("")));
    auto* view = m_pane.View();
    m_pane.SetHorzPosition(5);
    ASSERT_TRUE(m_pane.ShowHeading(1));
    EXPECT_GT(m_pane.Position(), 0);
    EXPECT_EQ(m_pane.Position(), view->HeadingY(1));
    EXPECT_EQ(m_pane.HorzPosition(), 0);

    const int kept = m_pane.Position();
    EXPECT_FALSE(m_pane.ShowHeading(2));
    EXPECT_FALSE(m_pane.ShowHeading(-1));
    EXPECT_EQ(m_pane.Position(), kept);

    ASSERT_TRUE(m_pane.ShowHeading(0));
    EXPECT_EQ(m_pane.Position(), view->HeadingY(0));
    EXPECT_LT(m_pane.Position(), kept);
}

TEST_F(THtmlPaneTest, PositionToMatchesTheEntryTheAnchorNameOrTheHeadingTextIgnoringCase)
{
    m_pane.LoadFile(Write(QStringLiteral("pos.htm"),
                          LongPage("<a name=Intro></a><h1>Intro</h1>") +
                              "<a name=\"Part2\"></a><h2>Second part</h2>" + LongPage("") +
                              "<a name=\"Chapter#2\"></a><h2>Chapter</h2>" + LongPage("")));
    const QStringList headings = m_pane.HeadingList();
    ASSERT_EQ(headings.size(), 3);
    const int part2 = m_pane.View()->HeadingY(1);
    const int chapter = m_pane.View()->HeadingY(2);
    ASSERT_GT(part2, 0);
    ASSERT_GT(chapter, part2);

    EXPECT_TRUE(m_pane.PositionTo(QStringLiteral("PART2#0")));
    EXPECT_EQ(m_pane.Position(), part2);
    m_pane.SetPosition(0);
    EXPECT_TRUE(m_pane.PositionTo(QStringLiteral("part2")))
        << "a link writes the name without the number";
    EXPECT_EQ(m_pane.Position(), part2);
    EXPECT_TRUE(m_pane.PositionTo(QStringLiteral("#chapter#2")));
    EXPECT_EQ(m_pane.Position(), chapter);

    m_pane.SetPosition(0);
    EXPECT_TRUE(m_pane.PositionTo(QStringLiteral("CHAPTER")))
        << "a heading anchor text#level is reached by its text";
    EXPECT_EQ(m_pane.Position(), chapter);
    EXPECT_FALSE(m_pane.PositionTo(QStringLiteral("Part")));
    EXPECT_FALSE(m_pane.PositionTo(QStringLiteral("Chap")));
    EXPECT_FALSE(m_pane.PositionTo(QString()));
    EXPECT_EQ(m_pane.Position(), chapter);
}

TEST_F(THtmlPaneTest, HTMLExpandFilenameResolvesAgainstTheFolderOfTheCurrentFile)
{
    const QString page = Write(QStringLiteral("web/Index.htm"), "<p>x</p>");
    Write(QStringLiteral("web/Sub Dir/Page.htm"), "<p>y</p>");
    Write(QStringLiteral("web/sub/other.html"), "<p>z</p>");
    Write(QStringLiteral("top.htm"), "<p>t</p>");
    m_pane.LoadFile(page);
    const QString web = Path(QStringLiteral("web/"));

    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("sub/other.html")),
              web + QStringLiteral("sub/other.html"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("sub/other.html#Part2")),
              web + QStringLiteral("sub/other.html#Part2"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("SUB/OTHER.HTML")),
              web + QStringLiteral("sub/other.html"))
        << "letter case resolved against the disk";
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("Sub%20Dir/page.htm")),
              web + QStringLiteral("Sub Dir/Page.htm"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("sub\\other.html")),
              web + QStringLiteral("sub/other.html"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("../top.htm")),
              Path(QStringLiteral("top.htm")));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("./sub/./other.html")),
              web + QStringLiteral("sub/other.html"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("FILE:") + Path(QStringLiteral("top.htm"))),
              Path(QStringLiteral("top.htm")));
    EXPECT_EQ(
        m_pane.HTMLExpandFilename(QStringLiteral("file://") + Path(QStringLiteral("top.htm"))),
        Path(QStringLiteral("top.htm")));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("file:sub/other.html")),
              web + QStringLiteral("sub/other.html"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("missing.wav")),
              web + QStringLiteral("missing.wav"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("C:\\music\\theme.wav")),
              QStringLiteral("/music/theme.wav"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("#Part2")), page + QStringLiteral("#Part2"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("http://example.org/a.htm")),
              QStringLiteral("http://example.org/a.htm"));
    EXPECT_EQ(m_pane.HTMLExpandFilename(QStringLiteral("mailto:someone@example.org")),
              QStringLiteral("mailto:someone@example.org"));
}

TEST_F(THtmlPaneTest, FindTextGoesForwardSelectsAndKeepsThePositionWhenNothingFollows)
{
    m_pane.LoadFile(
        Write(QStringLiteral("find.htm"),
              LongPage("<p>Start</p>") + "<p>The hidden Needle is here.</p>" + LongPage("")));
    auto* view = m_pane.View();
    ASSERT_TRUE(m_pane.FindText(QStringLiteral("needle"), false));
    QTextCursor c = view->textCursor();
    EXPECT_EQ(c.selectedText(), QStringLiteral("Needle"));
    EXPECT_EQ(c.position(), c.selectionEnd()) << "the position moves to the end of the match";
    EXPECT_GT(m_pane.Position(), 0) << "the match is scrolled into view";
    const QRect caret = view->cursorRect(c);
    EXPECT_TRUE(view->viewport()->rect().contains(caret.center()));

    const int position = m_pane.Position();
    const int cursor = c.position();
    EXPECT_FALSE(m_pane.FindText(QStringLiteral("needle"), false))
        << "a single occurrence is found once";
    EXPECT_EQ(m_pane.Position(), position);
    EXPECT_EQ(view->textCursor().position(), cursor);
    EXPECT_EQ(view->textCursor().selectedText(), QStringLiteral("Needle"));

    m_pane.LoadFile(m_pane.CurrentFile());
    EXPECT_FALSE(m_pane.FindText(QStringLiteral("NEEDLE"), true)) << "case-sensitive";
    EXPECT_TRUE(m_pane.FindText(QStringLiteral("Needle"), true));
    EXPECT_FALSE(m_pane.FindText(QString(), false));
    EXPECT_TRUE(m_pane.FindText(QStringLiteral("filler paragraph number 59"), false))
        << "finds on after a match";
}

TEST_F(THtmlPaneTest, PositionAndHorizontalPositionAreScrollOffsets)
{
    m_pane.LoadFile(Write(QStringLiteral("wide.htm"),
                          LongPage("<pre>" + QByteArray(400, 'w') + "</pre>") + LongPage("")));
    m_pane.SetPosition(250);
    EXPECT_EQ(m_pane.Position(), 250);
    EXPECT_EQ(m_pane.View()->verticalScrollBar()->value(), 250);
    m_pane.SetHorzPosition(40);
    EXPECT_EQ(m_pane.HorzPosition(), 40);
    m_pane.SetPosition(0);
    EXPECT_EQ(m_pane.Position(), 0);
}

TEST_F(THtmlPaneTest, SettingsReachTheView)
{
    m_pane.SetNoSelect(true);
    m_pane.SetScrollBars(ssNone);
    m_pane.SetDefBackground(TColours::clWhite);
    m_pane.LoadFile(Write(QStringLiteral("s.htm"), "<p>text</p>"));
    auto* view = m_pane.View();
    EXPECT_FALSE(view->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(view->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view->viewport()->palette().color(QPalette::Base), QColor(Qt::white));
    m_pane.SetNoSelect(false);
    EXPECT_TRUE(view->textInteractionFlags() & Qt::TextSelectableByMouse);

    m_pane.SetHistoryMaxCount(2);
    const QString a = Write(QStringLiteral("a.htm"), "a"), b = Write(QStringLiteral("b.htm"), "b"),
                  c = Write(QStringLiteral("c.htm"), "c");
    m_pane.LoadFile(a);
    m_pane.LoadFile(b);
    m_pane.LoadFile(c);
    EXPECT_EQ(m_pane.History(), (QStringList{a, b}));
}

TEST_F(THtmlPaneTest, TheBorderStyleDecidesTheFrame)
{
    m_pane.LoadFile(Write(QStringLiteral("b.htm"), "<body bgcolor=white><p>text</p>"));
    m_pane.SetBorderStyle(htSingle);
    EXPECT_EQ(m_pane.grab().toImage().pixel(0, 100), m_pane.palette().color(QPalette::Dark).rgb());
    m_pane.SetBorderStyle(htNone);
    EXPECT_EQ(m_pane.grab().toImage().pixel(0, 100), QColor(Qt::white).rgb());
    m_pane.SetBorderStyle(htFocused);
    m_pane.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_pane));
    m_pane.setFocus();
    EXPECT_TRUE(m_pane.View()->hasFocus()) << "the focus goes to the document";
    EXPECT_EQ(m_pane.grab().toImage().pixel(0, 100),
              m_pane.palette().color(QPalette::Highlight).rgb());
}

TEST(THtmlImageCacheTest, KeepsThePicturesOfTheLastDocumentsOnly)
{
    QTemporaryDir dir;
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dir.path() + QStringLiteral("/a.png")));
    ASSERT_TRUE(picture.save(dir.path() + QStringLiteral("/b.png")));
    THtmlImageCache cache;
    cache.SetCapacity(1);
    cache.BeginDocument();
    EXPECT_FALSE(cache.Load(dir.path() + QStringLiteral("/A.PNG")).isNull());
    cache.BeginDocument();
    EXPECT_FALSE(cache.Load(dir.path() + QStringLiteral("/b.png")).isNull());
    EXPECT_EQ(cache.Count(), 2) << "the document before is still kept";
    cache.BeginDocument();
    EXPECT_EQ(cache.Count(), 1);
    cache.BeginDocument();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_TRUE(cache.Load(dir.path() + QStringLiteral("/none.png")).isNull());

    // A changed file is read again.
    cache.BeginDocument();
    cache.Load(dir.path() + QStringLiteral("/a.png"));
    QImage bigger(8, 8, QImage::Format_RGB32);
    bigger.fill(Qt::blue);
    ASSERT_TRUE(bigger.save(dir.path() + QStringLiteral("/a.png")));
    EXPECT_EQ(cache.Load(dir.path() + QStringLiteral("/a.png")).size(), QSize(8, 8));
}

TEST(THtmlImageCacheTest, ForgettingManyDocumentsAtOnceForgetsEachOfTheirPictures)
{
    // Erasing moves entries within the cache's table; a walk that kept its own place
    // skipped some (and read storage already freed). Enough pictures to fill many buckets.
    QTemporaryDir dir;
    QImage picture(1, 1, QImage::Format_RGB32);
    picture.fill(Qt::red);
    constexpr int kDocuments = 6, kPerDocument = 150;
    THtmlImageCache cache;
    cache.SetCapacity(kDocuments);
    for (int d = 0; d < kDocuments; ++d) {
        cache.BeginDocument();
        for (int n = 0; n < kPerDocument; ++n) {
            const QString path = dir.path() + QStringLiteral("/p%1_%2.png").arg(d).arg(n);
            ASSERT_TRUE(picture.save(path));
            ASSERT_FALSE(cache.Load(path).isNull());
        }
    }
    ASSERT_EQ(cache.Count(), kDocuments * kPerDocument);
    cache.SetCapacity(0);
    cache.BeginDocument();
    EXPECT_EQ(cache.Count(), 0);
    EXPECT_EQ(cache.Bytes(), 0);
}

TEST(THtmlImageCacheTest, OneDocumentAndTheCacheStayWithinTheirBudgets)
{
    QTemporaryDir dir;
    QImage picture(100, 100, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const qint64 one = picture.sizeInBytes();
    for (const char* name : {"a", "b", "c", "d"})
        ASSERT_TRUE(picture.save(dir.path() + u'/' + QLatin1String(name) + ".png"));
    const auto file = [&](const char* name) { return dir.path() + u'/' + name + ".png"; };
    THtmlImageCache cache;
    cache.SetBudgets(2 * one, 3 * one);

    cache.BeginDocument();
    EXPECT_FALSE(cache.Load(file("a")).isNull());
    EXPECT_FALSE(cache.Load(file("b")).isNull());
    EXPECT_FALSE(cache.Load(file("a")).isNull()) << "shown twice, counted once";
    EXPECT_TRUE(cache.Load(file("c")).isNull()) << "beyond the document's budget: ALT frame";
    EXPECT_EQ(cache.DocumentBytes(), 2 * one);

    cache.BeginDocument();
    EXPECT_FALSE(cache.Load(file("c")).isNull()) << "the next document has room for it";
    EXPECT_FALSE(cache.Load(file("d")).isNull());
    EXPECT_LE(cache.Bytes(), cache.Budget()) << "the earlier document's pictures made room";
    EXPECT_EQ(cache.Count(), 3);
}

TEST_F(THtmlPaneTest, APictureUnderManyNamesIsDecodedOnceAndGoesWithItsPages)
{
    // Large in pixels, tiny on disk: decoded once it takes some 120 MB.
    QImage bomb(5600, 5600, QImage::Format_RGB32);
    bomb.fill(Qt::white);
    ASSERT_TRUE(bomb.save(Path(QStringLiteral("bomb.png"))));
    const qint64 decoded = bomb.sizeInBytes();
    bomb = QImage();
    QByteArray body;
    for (int i = 0; i < 20; ++i) {
        const QString link = Path(QStringLiteral("link%1.PNG").arg(i));
        ASSERT_EQ(::link(QFile::encodeName(Path(QStringLiteral("bomb.png"))).constData(),
                         QFile::encodeName(link).constData()),
                  0);
        body += "<img src=\"LINK" + QByteArray::number(i) + ".png\" width=50 height=50>";
    }
    m_pane.LoadFile(Write(QStringLiteral("bomb.htm"), body));
    EXPECT_EQ(m_pane.Images().Count(), 1);
    EXPECT_EQ(m_pane.Images().Bytes(), decoded);
    EXPECT_LE(m_pane.Images().Bytes(), m_pane.Images().DocumentBudget());
    EXPECT_FALSE(m_pane.View()->Objects().back().image.isNull());

    const QString plain = Write(QStringLiteral("plain.htm"), "<p>No pictures.");
    const QString other = Write(QStringLiteral("other.htm"), "<p>None here either.");
    for (int i = 0; i < m_pane.ImageCacheCount() + 1; ++i)
        m_pane.LoadFile(i % 2 ? plain : other);
    EXPECT_EQ(m_pane.Images().Count(), 0);
    EXPECT_EQ(m_pane.Images().Bytes(), 0);
}

} // namespace
