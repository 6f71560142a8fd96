// The constructs of real pages of the time that browsers drew in their own way: line breaks
// at block ends, link blanks, monospace size, list marks, a second BODY, style sheets,
// NOBR, animated pictures and table columns. Each is checked on the document the engine
// builds, which tells a wrong layout apart more reliably than pixels.
#include "common/TestSupport.h"
#include "html/THtmlPane.h"
#include "html/THtmlRewriter.h"
#include "html/THtmlView.h"
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>
#include <set>

namespace {

THtmlPage Rewrite(const QString& html, int fontSize = 12)
{
    THtmlRewriter::TOptions options;
    options.fontSize = fontSize;
    return THtmlRewriter(options).Rewrite(html);
}

QTextCharFormat FormatAt(QTextDocument& doc, const QString& text)
{
    QTextCursor c(&doc);
    c.setPosition(int(doc.toPlainText().indexOf(text)) + 1);
    return c.charFormat();
}

TEST(THtmlFidelityTest, ABreakJustBeforeTheEndOfABlockAddsNoLine)
{
    for (const char* block : {"p", "center", "div", "li", "td", "th"}) {
        const QString b = QLatin1String(block);
        const bool cell = b.startsWith(u't');
        QTextDocument doc;
        doc.setHtml(Rewrite((cell ? QStringLiteral("<table><tr>") : QString()) + u'<' + b +
                            QStringLiteral(">one<br><b>two<br> </b></") + b +
                            (cell ? QStringLiteral("><td>x</table>") : QStringLiteral(">")) +
                            QStringLiteral("after"))
                        .html);
        const QString text = doc.toRawText();
        EXPECT_TRUE(text.contains(QString::fromUtf16(u"one\u2028two"))) << block;
        EXPECT_FALSE(text.contains(QString::fromUtf16(u"two\u2028"))) << block;
    }
    QTextDocument doc;
    doc.setHtml(Rewrite(QStringLiteral("<p>one<br><br></p><p><br></p>")).html);
    EXPECT_EQ(doc.begin().text(), QString::fromUtf16(u"one\u2028"))
        << "only the last break goes; an empty line asked for stays";
    EXPECT_EQ(doc.begin().next().text(), QString(QChar::LineSeparator));
}

TEST(THtmlFidelityTest, BlanksAtTheEndOfALinkAreNotPartOfIt)
{
    QTextDocument doc;
    doc.setHtml(Rewrite(QStringLiteral("<ul><li><a href=a>Home </a><li><a href=b><b>Next\n</b></a>"
                                       "</ul><a href=c>one </a>two"))
                    .html);
    int links = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isAnchor()) {
                ++links;
                EXPECT_FALSE(it.fragment().text().back().isSpace())
                    << it.fragment().text().toStdString();
            }
    EXPECT_EQ(links, 3);
    EXPECT_TRUE(doc.toPlainText().endsWith(QStringLiteral("one two"))) << "the blank stays";
}

TEST(THtmlFidelityTest, MonospaceTextIsThirteenSixteenthsOfTheDefaultSize)
{
    QTextDocument doc;
    doc.setHtml(Rewrite(QStringLiteral("<pre>p</pre><p><tt>t</tt> <code>c</code> <kbd>k</kbd> "
                                       "<samp>s</samp> x<h1><tt>h</tt></h1><p><font size=5>"
                                       "<tt>big <tt>bigger</tt></tt></font>"),
                        16)
                    .html);
    for (const char* text : {"p", "t", "c", "k", "s"})
        EXPECT_DOUBLE_EQ(FormatAt(doc, QLatin1String(text)).fontPointSize(), 13.0) << text;
    EXPECT_NE(FormatAt(doc, QStringLiteral("h")).fontPointSize(), 13.0)
        << "a heading keeps its size";
    EXPECT_DOUBLE_EQ(FormatAt(doc, QStringLiteral("big")).fontPointSize(), 24 * 13.0 / 16.0)
        << "13/16 of the size around it";
    EXPECT_DOUBLE_EQ(FormatAt(doc, QStringLiteral("bigger")).fontPointSize(), 24 * 13.0 / 16.0)
        << "nested monospace does not shrink again";
}

TEST(THtmlFidelityTest, NestedListsChangeTheirMarkWithTheDepth)
{
    QTextDocument doc;
    doc.setHtml(Rewrite(QStringLiteral("<ul><li>a<ul><li>b<ol><li>n<ul><li>c<ul><li>d</ul></ul>"
                                       "</ol></ul></ul><ul type=square><li>e</ul>"))
                    .html);
    const auto style = [&](const char* text) {
        QTextCursor c(&doc);
        c.setPosition(int(doc.toPlainText().indexOf(QLatin1String(text))));
        return c.currentList() ? c.currentList()->format().style()
                               : QTextListFormat::ListStyleUndefined;
    };
    EXPECT_EQ(style("a"), QTextListFormat::ListDisc);
    EXPECT_EQ(style("b"), QTextListFormat::ListCircle);
    EXPECT_EQ(style("c"), QTextListFormat::ListSquare) << "an OL counts as a level";
    EXPECT_EQ(style("d"), QTextListFormat::ListSquare);
    EXPECT_EQ(style("e"), QTextListFormat::ListSquare) << "TYPE decides";
}

TEST(THtmlFidelityTest, ParagraphsInsideListItemsKeepTheirSpacing)
{
    QTextDocument doc;
    doc.setHtml(Rewrite(QStringLiteral("<ul><li><p>one</p><p>two</p><li>three</ul>")).html);
    QTextCursor c(&doc);
    c.setPosition(int(doc.toPlainText().indexOf(QLatin1String("two"))));
    EXPECT_GT(c.blockFormat().topMargin() + c.block().previous().blockFormat().bottomMargin(), 0)
        << "a gap between the paragraphs";
    EXPECT_TRUE(c.currentList() || c.blockFormat().indent() > 0 || c.blockFormat().leftMargin() > 0)
        << "the second paragraph stays inside the item";
}

TEST(THtmlFidelityTest, ASecondBodyAddsWhatTheFirstLeftOut)
{
    const THtmlPage page =
        Rewrite(QStringLiteral("<body bgcolor=white link=lime><p>x<body background=Tile.gif "
                               "bgcolor=red text=blue link=red>y"));
    EXPECT_EQ(page.background, QColor(Qt::white)) << "the first keeps what it set";
    EXPECT_EQ(page.link, QColor(0, 255, 0));
    EXPECT_EQ(page.text, QColor(Qt::blue));
    EXPECT_EQ(page.backgroundImage, QStringLiteral("Tile.gif"));
}

TEST(THtmlFidelityTest, NobrKeepsItsRunOnOneLine)
{
    QTextDocument doc;
    doc.setHtml(Rewrite(QStringLiteral("<nobr>a b  <b>c</b> d</nobr> e f")).html);
    EXPECT_EQ(doc.toRawText(), QString::fromUtf16(u"a\u00A0b\u00A0c\u00A0d e f"));
}

// The text of a document as runs of one look: "text{marks}", B bold, I italic, U underlined,
// S struck, ^ raised, R red, @n inside link n, ~ a no-break space; " / " between blocks.
QString Runs(const QTextDocument& doc)
{
    QStringList blocks;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        QString runs, marks, run;
        auto flush = [&] {
            if (!run.isEmpty())
                runs += run + (marks.isEmpty() ? QString() : u'{' + marks + u'}');
            run.clear();
        };
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QString m;
            m += f.fontWeight() >= QFont::Bold ? QStringLiteral("B") : QString();
            m += f.fontItalic() ? QStringLiteral("I") : QString();
            m += f.fontUnderline() && !f.isAnchor() ? QStringLiteral("U") : QString();
            m += f.fontStrikeOut() ? QStringLiteral("S") : QString();
            m += f.verticalAlignment() == QTextCharFormat::AlignSuperScript ? QStringLiteral("^")
                                                                            : QString();
            m += f.foreground().color() == QColor(Qt::red) ? QStringLiteral("R") : QString();
            if (f.isAnchor() && f.anchorHref().startsWith(QLatin1String("zlk:")))
                m += u'@' + f.anchorHref().mid(4);
            if (m != marks)
                flush();
            marks = m;
            run += it.fragment().text().replace(QChar(0xA0), u'~');
        }
        flush();
        if (!runs.isEmpty())
            blocks << runs;
    }
    return blocks.join(QStringLiteral(" / "));
}

TEST(THtmlFidelityTest, MisnestedTagsFormatTheTextAsInBrowsers)
{
    struct TCase
    {
        const char* html;
        const char* runs;
    };
    const TCase cases[] = {
        // A formatting element ended early is reopened; its own end ends what is inside.
        {"<b><a href=x>one</b><b>two</a></b>three", "onetwo{B@0}three"},
        {"<b><a href=x>one</b> <b>two</a></b>", "one{B@0} {@0}two{B@0}"},
        {"<i><b>x</i>y</b>z", "x{BI}y{B}z"},
        {"<p><b>bold<p>still bold</b>plain", "bold{B} / still bold{B}plain"},
        {"<b>1<div>2</b>3</div>4", "1{B} / 2{B}3 / 4"},
        {"<ul><li><a href=1>item<li>next</ul>after", "item{@0} / next{@0} / after{@0}"},
        {"<a href=1>x<table><tr><td>cell</table>after</a>plain", "x{@0} / cell / after{@0}plain"},
        // A link never holds another anchor, named or not.
        {"<a href=1>a<a href=2>b</a>c", "a{@0}b{@1}c"},
        {"<a href=1>x<a name=n>y</a>z</a>w", "x{@0}yzw"},
        // Other inline elements end with their block or with formatting around them.
        {"<b><sup>x</b>y</sup>z", "x{B^}yz"},
        {"<p><cite>x</p>y", "x{I} / y"},
        {"<sup>x<p>y</sup>z</p>w", "x{^} / yz{^} / w{^}"},
        // Nothing leaves a cell; formatting in a table outside the cells comes after it.
        {"<table><tr><td><b>1</td><td>2</td></tr></table>3", "1{B} / 2 / 3"},
        {"<table><font color=red><tr><td>x</td></tr></table>y", "x / y{R}"},
        {"<table><font color=red><tr><td>x</td></tr></font></table>y", "x / y"},
        // The bounds browsers have: three alike, three innermost across a block.
        {"<b><b><b><b>x</b></b></b>y</b>z", "xy{B}z"},
        {"<font color=red><b><i><u><p>x</font>y", "x{BIUR}y{BIU}"},
        {"<font color=red><b><i><u><s><p>x</font>y", "x{BIUSR}y{IUS}"},
        {"<nobr>a b<nobr>c d</nobr>e f", "a~bc~de f"},
    };
    for (const TCase& c : cases) {
        QTextDocument doc;
        doc.setHtml(Rewrite(QString::fromLatin1(c.html)).html);
        EXPECT_EQ(Runs(doc), QString::fromLatin1(c.runs)) << c.html;
    }
}

class THtmlFidelityPaneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_pane.resize(500, 400);
        m_pane.show();
    }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        WriteTestFile(m_dir.path() + u'/' + name, bytes);
        return m_dir.path() + u'/' + name;
    }
    QTextDocument* Document() { return m_pane.View()->document(); }

    QTemporaryDir m_dir;
    THtmlPane m_pane;
};

TEST_F(THtmlFidelityPaneTest, InlineAndLinkedStyleSheetsTakeEffect)
{
    Write(QStringLiteral("Styles/SITE.Css"), "h2 { color: #00ff00 }\n.note { color: #0000ff }");
    Write(QStringLiteral("print.css"), "h2 { color: #ff00ff }");
    m_pane.LoadFile(
        Write(QStringLiteral("page.htm"),
              "<html><head><link rel=StyleSheet href=\"styles/site.css\">"
              "<link rel=stylesheet href=print.css media=print><link rel=stylesheet href=styles>"
              "<style><!-- .red { color: #ff0000 } TD { color: #00ffff } --></style></head>"
              "<body><h2>Title</h2><p class=red>Warning</p><p class=note>Note</p>"
              "<table><tr><td>Cell</td></tr></table></body></html>"));
    QTextDocument& doc = *Document();
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Title")).foreground().color(), QColor(0, 255, 0))
        << "the linked sheet, found in any letter case; the print sheet is not read";
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Warning")).foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Note")).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Cell")).foreground().color(), QColor(0, 255, 255))
        << "an element name in capitals matches, as in browsers";
}

TEST_F(THtmlFidelityPaneTest, RelativeSizesAndStyleAttributesTakeEffect)
{
    Write(QStringLiteral("site.css"), "h3 { font-size: 130% } .small { font-size: .75rem }");
    m_pane.LoadFile(
        Write(QStringLiteral("page.htm"),
              "<html><head><link rel=stylesheet href=site.css></head><body><h3>Heading</h3>"
              "<h2>Plain heading</h2>"
              "<p class=small>Small</p><p style=\"font-size: 2em; margin-left: 1rem\">Large</p>"
              "<ul style=\"list-style-type: none\"><li>Item</li></ul>"
              "<a href=x.htm style=\"color: #ff0000\">Red link</a></body></html>"));
    QTextDocument& doc = *Document();
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Heading")).font().pixelSize(), 21)
        << "a size the sheet sets for a heading outweighs the engine's own";
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Plain heading")).font().pointSizeF(), 18.0);
    EXPECT_DOUBLE_EQ(FormatAt(doc, QStringLiteral("Small")).fontPointSize(), 9.0);
    EXPECT_DOUBLE_EQ(FormatAt(doc, QStringLiteral("Large")).fontPointSize(), 24.0);
    QTextCursor at(&doc);
    at.setPosition(int(doc.toPlainText().indexOf(QStringLiteral("Large"))));
    EXPECT_EQ(at.blockFormat().leftMargin(), 16.0);
    at.setPosition(int(doc.toPlainText().indexOf(QStringLiteral("Item"))));
    ASSERT_TRUE(at.currentList());
    EXPECT_EQ(at.currentList()->format().style(), QTextListFormat::ListStyleUndefined);
    EXPECT_EQ(FormatAt(doc, QStringLiteral("Red link")).foreground().color(), QColor(255, 0, 0))
        << "the page's style attribute wins over the view's link colour";
}

TEST_F(THtmlFidelityPaneTest, DivisionsWithBordersOrPaddingAreDrawnInABox)
{
    m_pane.LoadFile(Write(QStringLiteral("page.htm"),
                          "<style>DIV.header { border: 4px solid #00ff00; padding: 20px 10px; "
                          "background-color: #f5f5dc; margin-top: 50px }</style>"
                          "<p>Before</p><div class=header>Boxed</div><div>Plain</div>"
                          "<div style=\"border: 1px none red\">Unbordered</div>"));
    QTextDocument& doc = *Document();
    QTextCursor at(&doc);
    at.setPosition(int(doc.toPlainText().indexOf(QStringLiteral("Boxed"))));
    QTextTable* box = at.currentTable();
    ASSERT_TRUE(box);
    EXPECT_EQ(box->format().border(), 4);
    EXPECT_EQ(box->format().borderBrush().color(), QColor(0, 255, 0));
    EXPECT_EQ(box->format().topMargin(), 50);
    const QTextTableCellFormat cell = box->cellAt(at).format().toTableCellFormat();
    EXPECT_EQ(cell.background().color(), QColor(0xf5, 0xf5, 0xdc));
    EXPECT_EQ(cell.topPadding(), 20);
    EXPECT_EQ(cell.leftPadding(), 10);
    for (const char* plain : {"Plain", "Unbordered"}) {
        at.setPosition(int(doc.toPlainText().indexOf(QLatin1String(plain))));
        EXPECT_FALSE(at.currentTable()) << plain;
    }
}

TEST_F(THtmlFidelityPaneTest, WhatFollowsADivisionFloatingLeftGoesBesideIt)
{
    m_pane.LoadFile(Write(QStringLiteral("page.htm"),
                          "<div class=wrap><div style=\"float: left; width: 30%\">Menu</div>"
                          "<p>Beside</p><div style=\"clear: both\">Below</div></div>"
                          "<div><div style=\"float: left\">Left</div>Right</div><p>After</p>"));
    QTextDocument& doc = *Document();
    const auto cellOf = [&](const char* text) {
        QTextCursor at(&doc);
        at.setPosition(int(doc.toPlainText().indexOf(QLatin1String(text))));
        QTextTable* table = at.currentTable();
        return table ? std::make_pair(table, table->cellAt(at).column())
                     : std::make_pair(table, -1);
    };
    EXPECT_TRUE(cellOf("Menu").first && cellOf("Menu").first == cellOf("Beside").first);
    EXPECT_EQ(cellOf("Menu").second, 0);
    EXPECT_EQ(cellOf("Beside").second, 1);
    EXPECT_EQ(cellOf("Menu").first->format().columnWidthConstraints().value(0),
              QTextLength(QTextLength::PercentageLength, 30));
    EXPECT_FALSE(cellOf("Below").first) << "a division that clears the float goes below it";
    EXPECT_EQ(cellOf("Right").second, 1) << "the block around the float ends its neighbour";
    EXPECT_FALSE(cellOf("After").first);
}

TEST(THtmlFidelityTest, BoxesCountAgainstTheTableNestingLimit)
{
    QString html = QStringLiteral("<style>div { border: 1px solid black }</style>");
    for (int i = 0; i < 20; ++i)
        html += QStringLiteral("<div><table><tr><td>");
    html += QStringLiteral("deep");
    const QString markup = Rewrite(html).html;
    EXPECT_LE(markup.count(QStringLiteral("<table")), THtmlRewriter::kMaxTableDepth);
    QTextDocument doc;
    doc.setHtml(markup);
    EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("deep")));
}

// Two 1x1 frames, red then blue, a tenth of a second each.
QByteArray TwoFrameGif()
{
    const char header[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00"
                          "\xff\x00\x00\x00\x00\xff";
    const char frame0[] = "\x21\xf9\x04\x00\x0a\x00\x00\x00"
                          "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00";
    const char frame1[] = "\x21\xf9\x04\x00\x0a\x00\x00\x00"
                          "\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x4c\x01\x00";
    return QByteArray(header, sizeof header - 1) + QByteArray(frame0, sizeof frame0 - 1) +
           QByteArray(frame1, sizeof frame1 - 1) + ";";
}

TEST_F(THtmlFidelityPaneTest, AnimatedPicturesPlayAndStopWithTheirDocument)
{
    Write(QStringLiteral("anim.gif"), TwoFrameGif());
    QByteArray still = TwoFrameGif();
    still.replace(4, 1, "7"); // GIF87a: one picture, never animated
    Write(QStringLiteral("still.gif"), still);
    m_pane.LoadFile(Write(QStringLiteral("page.htm"),
                          "<img src=ANIM.GIF width=20 height=20><img src=still.gif>"));
    THtmlView* view = m_pane.View();
    EXPECT_EQ(view->AnimationCount(), 1);
    std::set<QRgb> seen;
    QElapsedTimer clock;
    clock.start();
    while (seen.size() < 2 && clock.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        const QImage& image = view->Objects().at(0).image;
        if (!image.isNull())
            seen.insert(image.pixel(0, 0) & 0xFFFFFF);
    }
    EXPECT_EQ(seen, (std::set<QRgb>{0xFF0000, 0x0000FF}));

    m_pane.LoadFile(Write(QStringLiteral("other.htm"), "<p>none</p>"));
    EXPECT_EQ(view->AnimationCount(), 0);
}

TEST_F(THtmlFidelityPaneTest, AnAutoColumnBesideWidePercentColumnsKeepsItsWords)
{
    m_pane.LoadFile(Write(QStringLiteral("table.htm"),
                          "<table width=100% height=300><tr><td width=50%>left</td>"
                          "<td>Short navigation text</td><td width=50%>right</td></tr></table>"
                          "<table><tr><td><nobr>one two three four</nobr></td><td>"
                          "some more words to fill the other column of the second table so "
                          "that it would like to take every pixel of the width there is</td>"
                          "</tr></table>"));
    QTextDocument* doc = Document();
    const auto tables = doc->rootFrame()->childFrames();
    ASSERT_EQ(tables.size(), 2);
    auto* table = qobject_cast<QTextTable*>(tables[0]);
    ASSERT_TRUE(table);
    const QTextBlock middle = table->cellAt(0, 1).firstCursorPosition().block();
    EXPECT_LE(middle.layout()->lineCount(), 3) << "broken between words, never inside one";
    EXPECT_GE(doc->documentLayout()->frameBoundingRect(table).height(), 300)
        << "TABLE HEIGHT is honoured";

    auto* second = qobject_cast<QTextTable*>(tables[1]);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->cellAt(0, 0).firstCursorPosition().block().layout()->lineCount(), 1)
        << "a NOBR run is the column's least width";
}

TEST_F(THtmlFidelityPaneTest, RunningTextTakesTheLargerShareBesideAListOfLinks)
{
    m_pane.LoadFile(Write(QStringLiteral("share.htm"),
                          "<table width=90% cellspacing=0 cellpadding=0><tr><td>Lorem ipsum "
                          "dolor sit amet consectetur adipiscing elit sed do eiusmod tempor "
                          "incididunt ut labore et dolore magna aliqua ut enim ad minim veniam "
                          "quis nostrud exercitation</td><td><a href=a>Link one</a><br>"
                          "<a href=b>Link two</a><br><a href=c>Another</a></td></tr></table>"));
    auto* table = qobject_cast<QTextTable*>(Document()->rootFrame()->childFrames().value(0));
    ASSERT_TRUE(table);
    const auto width = [&](int column) {
        return Document()
            ->documentLayout()
            ->blockBoundingRect(table->cellAt(0, column).firstCursorPosition().block())
            .width();
    };
    const double tableWidth = Document()->documentLayout()->frameBoundingRect(table).width();
    EXPECT_GT(width(0), 0.7 * tableWidth) << "the text column " << width(0) << " of " << tableWidth;
    EXPECT_LE(table->cellAt(0, 1).firstCursorPosition().block().layout()->lineCount(), 5)
        << "the links column is as wide as its longest word";
}

} // namespace
