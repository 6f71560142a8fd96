// Reading documents of the HTML 3.2 generation: references, encodings, and the markup
// handed to the rich-text engine.
#include "html/THtmlRewriter.h"
#include "html/THtmlDecoder.h"
#include "html/THtmlEntities.h"
#include "html/THtmlTokenizer.h"
#include <QGuiApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <gtest/gtest.h>

namespace {

THtmlPage Rewrite(const QString& html)
{
    THtmlRewriter rewriter({});
    return rewriter.Rewrite(html);
}

QString PlainText(const QString& html)
{
    QTextDocument doc;
    doc.setHtml(Rewrite(html).html);
    return doc.toPlainText();
}

TEST(THtmlEntitiesTest, DecodesTheLatin1SetAndNumbers)
{
    EXPECT_EQ(THtmlEntities::Decode(u"&lt;&gt;&amp;&quot;"), QStringLiteral("<>&\""));
    EXPECT_EQ(THtmlEntities::Decode(u"&nbsp;&iexcl;&copy;&reg;&deg;&frac12;&yuml;"),
              QString::fromUtf16(u"\u00A0\u00A1\u00A9\u00AE\u00B0\u00BD\u00FF"));
    EXPECT_EQ(THtmlEntities::Decode(u"&Auml;&auml;&ETH;&eth;&THORN;&szlig;"),
              QString::fromUtf16(u"\u00C4\u00E4\u00D0\u00F0\u00DE\u00DF"));
    EXPECT_EQ(THtmlEntities::Decode(u"&#65;&#x42;&#X43;&#233;"), QStringLiteral("ABC\u00E9"));
    EXPECT_EQ(THtmlEntities::Decode(u"&#150;&#153;&#128;"),
              QString::fromUtf16(u"\u2013\u2122\u20AC"))
        << "numbers 128-159 mean Windows-1252";
    EXPECT_EQ(THtmlEntities::Decode(u"&#0;&#1114112;&#xD800;"),
              QString::fromUtf16(u"\uFFFD\uFFFD\uFFFD"));
    EXPECT_EQ(THtmlEntities::Decode(u"&#128512;"), QString::fromUtf16(u"\U0001F600"));
}

TEST(THtmlEntitiesTest, ForgivesWhatOldPagesWrote)
{
    EXPECT_EQ(THtmlEntities::Decode(u"&copy 1997 &AMP; &NBSP;"),
              QString::fromUtf16(u"\u00A9 1997 & \u00A0"));
    EXPECT_EQ(THtmlEntities::Decode(u"&unknown; & &; &#; &#x;"),
              QStringLiteral("&unknown; & &; &#; &#x;"));
    EXPECT_EQ(THtmlEntities::Decode(u"&Copy;"), QStringLiteral("&Copy;")) << "names match exactly";
    EXPECT_EQ(THtmlEntities::Decode(u"a.cgi?x=1&copy=2", true), QStringLiteral("a.cgi?x=1&copy=2"));
    EXPECT_EQ(THtmlEntities::Decode(u"a.cgi?x=1&copy;=2", true),
              QString::fromUtf16(u"a.cgi?x=1\u00A9=2"));
    EXPECT_EQ(THtmlEntities::Decode(u"&#99999999999999999999;"), QString::fromUtf16(u"\uFFFD"));
}

TEST(THtmlDecoderTest, HonoursTheByteOrderMarkAndMetaCharsetAndFallsBackToWindows1252)
{
    THtmlDecoder::TEncoding used;
    EXPECT_EQ(THtmlDecoder::Decode("\xEF\xBB\xBF<p>caf\xC3\xA9</p>", &used),
              QStringLiteral("<p>caf\u00E9</p>"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Utf8);

    // Latin-1 text with no declaration is not valid UTF-8: read as Windows-1252.
    EXPECT_EQ(THtmlDecoder::Decode("<p>caf\xE9 \x93quoted\x94</p>", &used),
              QString::fromUtf16(u"<p>caf\u00E9 \u201Cquoted\u201D</p>"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Windows1252);

    EXPECT_EQ(THtmlDecoder::Decode("<p>caf\xC3\xA9</p>", &used),
              QStringLiteral("<p>caf\u00E9</p>"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Utf8);

    // A META charset wins over the guess, in either direction.
    const QByteArray latin1 = "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                              "charset=ISO-8859-1\"><p>caf\xC3\xA9</p>";
    EXPECT_EQ(THtmlDecoder::MetaCharset(latin1), QByteArray("iso-8859-1"));
    EXPECT_EQ(THtmlDecoder::Decode(latin1, &used).right(9),
              QString::fromUtf16(u"caf\u00C3\u00A9</p>"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Windows1252);
    EXPECT_EQ(THtmlDecoder::Decode("<meta charset='utf-8'><p>caf\xE9</p>", &used).right(8),
              QString::fromUtf16(u"caf\uFFFD</p>"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Utf8);

    // Only the first 1024 bytes are searched.
    const QByteArray late = QByteArray(1100, ' ') + "<meta charset=iso-8859-1><p>caf\xC3\xA9";
    EXPECT_TRUE(THtmlDecoder::MetaCharset(late).isEmpty());
    EXPECT_TRUE(THtmlDecoder::Decode(late, &used).endsWith(QStringLiteral("caf\u00E9")));

    EXPECT_EQ(THtmlDecoder::Decode(QByteArray("\xFF\xFE<\0p\0>\0", 8), &used),
              QStringLiteral("<p>"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Utf16LE);

    // Other declared code pages, and a name nobody knows.
    EXPECT_EQ(THtmlDecoder::Decode("<meta http-equiv=Content-Type content=\"text/html; "
                                   "charset=windows-1251\"><p>\xC4\xEE\xEC",
                                   &used)
                  .right(3),
              QString::fromUtf16(u"\u0414\u043E\u043C"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Declared);
    EXPECT_EQ(THtmlDecoder::Decode("<meta charset=ISO-8859-2><p>\xB3\xF3"
                                   "d\xBC",
                                   &used)
                  .right(4),
              QString::fromUtf16(u"\u0142\u00F3d\u017A"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Declared);
    EXPECT_EQ(THtmlDecoder::Decode("<meta charset=no-such-page><p>caf\xE9", &used).right(4),
              QStringLiteral("caf\u00E9"));
    EXPECT_EQ(used, THtmlDecoder::TEncoding::Windows1252);
}

TEST(THtmlTokenizerTest, ReadsTagsAttributesAndRecoversFromBrokenMarkup)
{
    THtmlTokenizer t(
        QStringLiteral("<A HREF=x.htm name='n' NoResize title=\"unclosed>text</a><!-- c --><b<i>"
                       "<script>if (a<b) x()</script>after < 3 <!unterminated"));
    THtmlToken tok;
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.kind, THtmlToken::StartTag);
    EXPECT_EQ(tok.name, QStringLiteral("a"));
    EXPECT_EQ(tok.Attr(QStringLiteral("href")), QStringLiteral("x.htm"));
    EXPECT_EQ(tok.Attr(QStringLiteral("name")), QStringLiteral("n"));
    EXPECT_TRUE(tok.Has(QStringLiteral("noresize")));
    EXPECT_EQ(tok.Attr(QStringLiteral("title")), QStringLiteral("unclosed"))
        << "an open quote ends with the tag";
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.text, QStringLiteral("text"));
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.kind, THtmlToken::EndTag);
    ASSERT_TRUE(t.Next(tok)); // the comment is skipped
    EXPECT_EQ(tok.name, QStringLiteral("b"));
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.name, QStringLiteral("i"));
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.name, QStringLiteral("script"));
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.text, QStringLiteral("if (a<b) x()")) << "script content is not markup";
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.kind, THtmlToken::EndTag);
    ASSERT_TRUE(t.Next(tok));
    EXPECT_EQ(tok.text, QStringLiteral("after < 3 "));
    EXPECT_FALSE(t.Next(tok));
}

TEST(THtmlRewriterTest, NamedAnchorsLinksAndTargetsAreCollected)
{
    const THtmlPage page = Rewrite(QStringLiteral(
        "<base target=main><a name=One href=\"a.htm\" target=_top>x</a><a name=\"\">y</a><a "
        "href=b.htm>z</a>"
        "<noframes><a name=Hidden></a></noframes><script><a name=Script></a></script>"));
    EXPECT_EQ(page.anchors, QStringList{QStringLiteral("One")});
    ASSERT_EQ(page.links.size(), 2u);
    EXPECT_EQ(page.links[0].href, QStringLiteral("a.htm"));
    EXPECT_EQ(page.links[0].target, QStringLiteral("_top"));
    EXPECT_EQ(page.links[1].target, QString());
    EXPECT_EQ(page.baseTarget, QStringLiteral("main"));
}

TEST(THtmlRewriterTest, FontSizesAreRelativeToTheBaseFont)
{
    EXPECT_DOUBLE_EQ(THtmlRewriter::FontPoints(3, 12), 12.0);
    EXPECT_DOUBLE_EQ(THtmlRewriter::FontPoints(7, 12), 36.0);
    EXPECT_DOUBLE_EQ(THtmlRewriter::FontPoints(1, 12), 7.5);
    EXPECT_DOUBLE_EQ(THtmlRewriter::FontPoints(9, 12), 36.0);

    QTextDocument doc;
    doc.setHtml(
        Rewrite(QStringLiteral("<font size=5>a</font><basefont size=5><font size=+1>b</font>"
                               "<font size=-9 color=red face=\"Arial, Helvetica\">c</font>"))
            .html);
    const QTextBlock block = doc.begin();
    QTextCursor c(block);
    c.setPosition(1);
    EXPECT_DOUBLE_EQ(c.charFormat().fontPointSize(), 18.0);
    c.setPosition(2);
    EXPECT_DOUBLE_EQ(c.charFormat().fontPointSize(), 24.0) << "+1 on BASEFONT 5 is size 6";
    c.setPosition(3);
    EXPECT_DOUBLE_EQ(c.charFormat().fontPointSize(), 7.5);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(Qt::red));
    EXPECT_EQ(c.charFormat().fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
}

TEST(THtmlRewriterTest, LinksTakeTheirColourWhateverTheEngineWouldGiveThem)
{
    // What the engine gives a link without a colour: the application's link colour.
    const QColor own = QGuiApplication::palette().color(QPalette::Link);
    const QColor magenta(255, 0, 255), green(0, 255, 0);
    struct Case
    {
        const char* html;
        QColor configured, expected;
    } const cases[] = {
        {"<a href=x>t</a>", Qt::red, Qt::red},
        {"<a href=x>t</a>", own, own},
        {"<body link=#00ff00><a href=x>t</a>", own, green},
        {"<font color=#ff00ff><a href=x>t</a></font>", Qt::red, Qt::red},
        {"<a href=x><font color=#ff00ff>t</font></a>", Qt::red, magenta},
    };
    for (const Case& k : cases) {
        THtmlRewriter::TOptions options;
        options.linkColour = k.configured;
        options.engineLinkColour = own;
        QTextDocument doc;
        doc.setHtml(THtmlRewriter(options).Rewrite(QString::fromLatin1(k.html)).html);
        QTextCursor c(&doc);
        c.setPosition(int(doc.toPlainText().indexOf(u't')) + 1);
        EXPECT_EQ(c.charFormat().foreground().color(), k.expected) << k.html;
    }
}

TEST(THtmlRewriterTest, FormattingCarriesAcrossParagraphsButNotIntoTables)
{
    QTextDocument doc;
    doc.setHtml(Rewrite(QStringLiteral("<b><p>bold para<p>still bold</b><p>plain")).html);
    const QString text = doc.toPlainText();
    QTextCursor c(&doc);
    c.setPosition(int(text.indexOf(QStringLiteral("still"))) + 1);
    EXPECT_EQ(c.charFormat().fontWeight(), QFont::Bold);
    c.setPosition(int(text.indexOf(QStringLiteral("plain"))) + 1);
    EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold);
}

TEST(THtmlRewriterTest, ListsNumberFromStartAndTypeAndCloseItemsImplicitly)
{
    const QString text = PlainText(
        QStringLiteral("<ol start=4 type=A><li>four<li value=9>nine<li>ten</ol>"
                       "<ol type=i start=3><li>three</ol><menu><li>m</menu><dir><li>d</dir>"));
    EXPECT_TRUE(text.contains(QStringLiteral("D. four")));
    EXPECT_TRUE(text.contains(QStringLiteral("I. nine")));
    EXPECT_TRUE(text.contains(QStringLiteral("J. ten")));
    EXPECT_TRUE(text.contains(QStringLiteral("iii. three")));

    QTextDocument doc;
    doc.setHtml(
        Rewrite(
            QStringLiteral("<ul type=square><li>a<li>b<ul><li>c</ul></ul><dl><dt>term<dd>def</dl>"))
            .html);
    int items = 0;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        if (b.textList())
            ++items;
    EXPECT_EQ(items, 3);
}

TEST(THtmlRewriterTest, TablesGetCellsWhereAuthorsLeftThemOutAndCaptionsGoAbove)
{
    QTextDocument doc;
    doc.setHtml(
        Rewrite(QStringLiteral(
                    "<table border=1><caption>The caption</caption><td>a<td>b<tr><td colspan=2>c"
                    "</table>after"))
            .html);
    const QString text = doc.toPlainText();
    EXPECT_LT(text.indexOf(QStringLiteral("The caption")), text.indexOf(u'a'));
    QTextTable* table = nullptr;
    for (QTextFrame* f : doc.rootFrame()->childFrames())
        if ((table = qobject_cast<QTextTable*>(f)))
            break;
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 2);
    EXPECT_EQ(table->cellAt(1, 0).columnSpan(), 2);

    // Text loose in a table goes into a cell; empty tables vanish.
    EXPECT_TRUE(PlainText(QStringLiteral(
                              "<table>loose<p>para</table><table></table><table><tr></tr></table>"))
                    .contains(QStringLiteral("loose")));
}

TEST(THtmlRewriterTest, TablesNestedBeyondTheLimitAreFlattened)
{
    QString html;
    for (int i = 0; i < 500; ++i)
        html += QStringLiteral("<table><tr><td>x%1").arg(i);
    for (int i = 0; i < 500; ++i)
        html += QStringLiteral("</td></tr></table>");
    html += QStringLiteral("after");
    const THtmlPage page = Rewrite(html);
    EXPECT_EQ(page.html.count(QStringLiteral("<table")), THtmlRewriter::kMaxTableDepth);
    QTextDocument doc;
    doc.setHtml(page.html);
    EXPECT_TRUE(doc.toPlainText().contains(QStringLiteral("x499")));
    EXPECT_TRUE(doc.toPlainText().endsWith(QStringLiteral("after")));
}

TEST(THtmlRewriterTest, FrameSetsAreReadWhenTheyComeBeforeAnyContent)
{
    const THtmlPage page = Rewrite(
        QStringLiteral("<html><head><title>F</title></head><frameset rows=\"100,*\" border=0>"
                       "<frame src=top.htm name=top noresize scrolling=NO><frameset "
                       "cols=\"25%,*\"><frame src=l.htm><frame src=r.htm name=main>"
                       "</frameset><noframes><p>No frames</p></noframes></frameset>"));
    ASSERT_TRUE(page.frameSet);
    EXPECT_EQ(page.frameSet->rows, QStringLiteral("100,*"));
    EXPECT_EQ(page.frameSet->border, 0);
    ASSERT_EQ(page.frameSet->frames.size(), 2u);
    EXPECT_EQ(page.frameSet->frames[0].name, QStringLiteral("top"));
    EXPECT_TRUE(page.frameSet->frames[0].noResize);
    EXPECT_EQ(page.frameSet->frames[0].scrolling, QStringLiteral("no"));
    ASSERT_TRUE(page.frameSet->frames[1].frameSet);
    EXPECT_EQ(page.frameSet->frames[1].frameSet->frames.size(), 2u);
    EXPECT_EQ(page.title, QStringLiteral("F"));

    EXPECT_FALSE(
        Rewrite(QStringLiteral("<p>text first</p><frameset rows=*><frame src=a.htm></frameset>"))
            .frameSet);
}

TEST(THtmlRewriterTest, ImagesMapsAndControlsBecomeObjects)
{
    const THtmlPage page =
        Rewrite(QStringLiteral("<a href=x.htm><img src=\"a.gif\" alt=\"Alt text\" width=40 "
                               "height=30 usemap=\"#Nav\" hspace=3></a>"
                               "<map name=nav><area shape=rect coords=\"0,0,10,10\" "
                               "href=r.htm><area shape=circle coords=\"20,20,5\" nohref></map>"
                               "<form><input type=text name=t value=v size=10><input type=hidden "
                               "name=h><input type=radio name=r checked>"
                               "<select name=s multiple size=3><option value=1>One<option "
                               "selected>Two</select><textarea rows=4 cols=30>\nHi</textarea>"
                               "<input type=submit><input type=reset></form>"));
    ASSERT_EQ(page.objects.size(), 7u);
    const THtmlObjectInfo& img = page.objects[0];
    EXPECT_EQ(img.src, QStringLiteral("a.gif"));
    EXPECT_EQ(img.alt, QStringLiteral("Alt text"));
    EXPECT_EQ(img.width, 40);
    EXPECT_EQ(img.border, 2) << "a picture in a link is framed";
    EXPECT_EQ(img.mapName, QStringLiteral("nav"));
    EXPECT_EQ(img.linkIndex, 0);
    ASSERT_TRUE(page.maps.contains(QStringLiteral("nav")));
    EXPECT_EQ(page.maps[QStringLiteral("nav")].Areas().size(), 2u);
    EXPECT_EQ(page.objects[1].kind, THtmlObjectInfo::TextInput);
    EXPECT_EQ(page.objects[1].value, QStringLiteral("v"));
    EXPECT_EQ(page.objects[2].kind, THtmlObjectInfo::Radio);
    EXPECT_TRUE(page.objects[2].checked);
    const THtmlObjectInfo& select = page.objects[3];
    EXPECT_EQ(select.options, (QStringList{QStringLiteral("One"), QStringLiteral("Two")}));
    EXPECT_EQ(select.optionValues, (QStringList{QStringLiteral("1"), QStringLiteral("Two")}));
    EXPECT_EQ(select.optionSelected, (QList<bool>{false, true}));
    EXPECT_EQ(page.objects[4].text, QStringLiteral("Hi"));
    EXPECT_EQ(page.objects[5].kind, THtmlObjectInfo::Submit);
    EXPECT_EQ(page.objects[0].form, -1);
    EXPECT_EQ(page.objects[1].form, 0);
}

TEST(THtmlRewriterTest, EachRewriteStartsAfresh)
{
    // Whatever a document leaves open or changes must not reach the next one.
    const QString document = QStringLiteral(
        "<body bgcolor=blue><p>Text <font size=+1>big</font><form><input><select><option>o"
        "</select></form><map name=n><area href=a coords=\"1,2,3,4\"></map><table><td>cell");
    const THtmlPage fresh = Rewrite(document);
    const QString before[] = {
        QStringLiteral("<frameset rows=*><frame src=a.htm></frameset>"),
        QStringLiteral("<noframes><p>open"),
        QStringLiteral("<body bgcolor=red><basefont size=7><form><map name=m>"),
        QStringLiteral("<table><td>").repeated(THtmlRewriter::kMaxTableDepth + 2),
        QStringLiteral("<select><option>left open"),
        QStringLiteral("<input>").repeated(THtmlRewriter::kMaxControls + 1),
    };
    for (const QString& first : before) {
        THtmlRewriter rewriter({});
        rewriter.Rewrite(first);
        const THtmlPage again = rewriter.Rewrite(document);
        EXPECT_EQ(again.html, fresh.html) << first.left(60).toStdString();
        EXPECT_EQ(again.background, fresh.background);
        ASSERT_EQ(again.objects.size(), fresh.objects.size());
        EXPECT_EQ(again.objects[0].form, 0);
        EXPECT_EQ(again.maps.keys(), fresh.maps.keys());
    }
}

TEST(THtmlRewriterTest, GarbageGivesBalancedMarkup)
{
    const QString garbage =
        QStringLiteral("</td></tr></table><li><td><tr></ul></ol><b><i><u></b></i><font "
                       "size=9999999999><p><h1><p></h2>"
                       "<table><table><caption><table><caption></table><option></"
                       "select><area><map><frame></frameset>"
                       "<a href=\"x><a name=y</body></html><<<>>>&&&;;;<pre><xmp></pre>");
    const THtmlPage page = Rewrite(garbage);
    QTextDocument doc;
    doc.setHtml(page.html);
    EXPECT_GE(doc.characterCount(), 1);
    int depth = 0;
    for (qsizetype i = page.html.indexOf(u'<'); i >= 0; i = page.html.indexOf(u'<', i + 1)) {
        if (page.html.mid(i, 7) == QLatin1String("<table "))
            ++depth;
        else if (page.html.mid(i, 8) == QLatin1String("</table>"))
            --depth;
        EXPECT_GE(depth, 0);
    }
    EXPECT_EQ(depth, 0);
}

TEST(THtmlRewriterTest, APageIsCutAfterAsManyPartsAsOnePageMayHold)
{
    struct TCase
    {
        const char* item;
        int limit;
        size_t (*count)(const THtmlPage&);
    };
    const TCase cases[] = {
        {"<p>x", THtmlRewriter::kMaxLayoutUnits, nullptr},
        {"x<br>", THtmlRewriter::kMaxLayoutUnits, nullptr},
        {"<a name=n></a>x", THtmlRewriter::kMaxAnchors,
         [](const THtmlPage& p) { return size_t(p.anchors.size()); }},
        {"<img src=a.gif>", THtmlRewriter::kMaxObjects,
         [](const THtmlPage& p) { return p.objects.size(); }},
        {"<a href=a.htm>x</a>", THtmlRewriter::kMaxLinks,
         [](const THtmlPage& p) { return p.links.size(); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.item);
        const QString item = QString::fromLatin1(c.item);
        const THtmlPage below = Rewrite(item.repeated(c.limit / 2) + QStringLiteral("<p>end"));
        EXPECT_FALSE(below.shortened);
        EXPECT_FALSE(below.html.contains(QStringLiteral("only its beginning is shown")));
        const THtmlPage over = Rewrite(item.repeated(c.limit + 10) + QStringLiteral("<p>end"));
        EXPECT_TRUE(over.shortened);
        EXPECT_TRUE(over.html.contains(QStringLiteral("only its beginning is shown")));
        EXPECT_FALSE(over.html.contains(QStringLiteral(">end<")));
        if (c.count)
            EXPECT_EQ(c.count(over), size_t(c.limit));
    }
}

} // namespace
