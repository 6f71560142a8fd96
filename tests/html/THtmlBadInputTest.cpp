// Bad input: the view shows what it can, and never crashes or hangs.
#include "common/TestSupport.h"
#include "html/TFramePane.h"
#include "html/THtmlPageLoader.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include "platform/EError.h"
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextTable>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

class THtmlBadInputTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_pane.resize(500, 400);
        m_pane.show();
    }
    QString Load(const QByteArray& bytes, const char* name = "bad.htm")
    {
        const QString path = m_dir.path() + u'/' + QLatin1String(name);
        WriteTestFile(path, bytes);
        m_pane.LoadFile(path);
        m_pane.grab(); // painting must survive it too
        return m_pane.View() ? m_pane.View()->document()->toPlainText() : QString();
    }

    QTemporaryDir m_dir;
    THtmlPane m_pane;
};

TEST_F(THtmlBadInputTest, ABinaryFileRenamedToHtmShowsAsText)
{
    QFile self(QStringLiteral("/proc/self/exe"));
    ASSERT_TRUE(self.open(QIODevice::ReadOnly));
    const QString text = Load(self.read(300000), "program.htm");
    EXPECT_FALSE(text.contains(QChar(0))) << "no NUL reaches the text";
    EXPECT_TRUE(Load(QByteArray(5000, '\0')).trimmed().isEmpty());
    EXPECT_TRUE(Load(QByteArray()).isEmpty());
}

TEST_F(THtmlBadInputTest, TablesNestedFiveHundredDeepShowTheirText)
{
    QByteArray html;
    for (int i = 0; i < 500; ++i)
        html += "<table border=1><tr><td>x";
    html += "innermost";
    for (int i = 0; i < 500; ++i)
        html += "</td></tr></table>";
    html += "after";
    const QString text = Load(html);
    EXPECT_TRUE(text.contains(QStringLiteral("innermost")));
    EXPECT_TRUE(text.contains(QStringLiteral("after")));
}

TEST_F(THtmlBadInputTest, DeepNestingOfEveryOtherKindIsBounded)
{
    QByteArray html;
    for (const char* tag :
         {"b", "blockquote", "ul", "font size=+1", "div", "center", "dl", "pre", "a href=x.htm"})
        for (int i = 0; i < 3000; ++i)
            html += '<' + QByteArray(tag) + '>';
    html += "deep text";
    const QString text = Load(html);
    EXPECT_TRUE(text.contains(QStringLiteral("deep text")));
}

TEST_F(THtmlBadInputTest, RandomTagSoupLoadsAndStaysUsable)
{
    static const char* pieces[] = {"<table>",
                                   "</table>",
                                   "<tr>",
                                   "<td colspan=999999>",
                                   "</td>",
                                   "<th rowspan=-4>",
                                   "<p>",
                                   "<b>",
                                   "</i>",
                                   "<font size=99 color=#zzz face=\"\">",
                                   "</font>",
                                   "<ul>",
                                   "<ol start=-7 type=Q>",
                                   "<li value=x>",
                                   "</ul>",
                                   "<a href=\"x.htm\">",
                                   "</a>",
                                   "<a name=q>",
                                   "<img src=x.gif alt=y width=99999 height=-3>",
                                   "<frameset rows=,,>",
                                   "<frame src=>",
                                   "<form>",
                                   "<input type=radio>",
                                   "<select>",
                                   "<option>",
                                   "</select>",
                                   "<textarea>",
                                   "</textarea>",
                                   "<caption>",
                                   "</caption>",
                                   "<h1>",
                                   "</h3>",
                                   "<pre>",
                                   "</pre>",
                                   "<map name=m>",
                                   "<area shape=poly coords=\"1,2,3\">",
                                   "&amp;",
                                   "&#99999999;",
                                   "&bogus",
                                   "<",
                                   ">",
                                   "\"",
                                   "'",
                                   "<!--",
                                   "-->",
                                   "<!DOCTYPE",
                                   "<?xml",
                                   "</",
                                   "<br>",
                                   "<hr width=200%>",
                                   "<basefont size=-99>",
                                   "word ",
                                   "\n",
                                   "<xmp>",
                                   "<dl>",
                                   "<dt>",
                                   "<dd>",
                                   "<center>",
                                   "<title>",
                                   "</title>",
                                   "<script>",
                                   "</script>",
                                   "<isindex prompt=p>"};
    QRandomGenerator random(1997);
    for (int round = 0; round < 4; ++round) {
        QByteArray soup;
        for (int i = 0; i < 30000; ++i)
            soup += pieces[random.bounded(int(std::size(pieces)))];
        Load(soup);
        EXPECT_FALSE(m_pane.CurrentFile().isEmpty());
        m_pane.FindText(QStringLiteral("word"), false);
        m_pane.SetPosition(1000000);
        m_pane.SetPosition(0);
        for (int i = 0; i < int(m_pane.HeadingList().size()) && i < 20; ++i)
            m_pane.ShowHeading(i);
    }
}

TEST_F(THtmlBadInputTest, HugeSpansAndManyFramesAreBounded)
{
    Load("<table><tr><td colspan=100000 rowspan=100000>wide</td></tr></table>");
    QTextTable* table = nullptr;
    for (QTextFrame* f : m_pane.View()->document()->rootFrame()->childFrames())
        if ((table = qobject_cast<QTextTable*>(f)))
            break;
    ASSERT_NE(table, nullptr);
    EXPECT_LE(table->columns(), 100);

    QByteArray frames = "<frameset cols=\"" + QByteArray("*,").repeated(999) + "*\">";
    for (int i = 0; i < 1000; ++i)
        frames += "<frame src=\"f.htm\">";
    WriteTestFile(m_dir.path() + QStringLiteral("/f.htm"), "<p>frame</p>");
    Load(frames + "</frameset>", "frames.htm");
    ASSERT_NE(m_pane.FrameSet(), nullptr);
    EXPECT_LE(m_pane.FrameSet()->Frames().size(), 64);
}

TEST_F(THtmlBadInputTest, AnOversizedDocumentShowsItsBeginningAndSaysSo)
{
    // Most of the bulk is one comment, so the engine has little to lay out.
    QByteArray html = "<p>Start of the page</p>\n<!--\n";
    const QByteArray line = "filler filler filler filler filler filler filler filler\n";
    html.reserve(THtmlPageLoader::kMaxDocumentBytes + 1024 * 1024);
    while (html.size() < THtmlPageLoader::kMaxDocumentBytes + 512 * 1024)
        html += line;
    html += "-->\n<p>End of the page</p>";
    const QString text = Load(html);
    EXPECT_TRUE(text.contains(QStringLiteral("Start of the page")));
    EXPECT_FALSE(text.contains(QStringLiteral("End of the page")));
    EXPECT_TRUE(text.contains(QStringLiteral("only its beginning is shown")));
}

TEST_F(THtmlBadInputTest, ANamedPipeIsNoDocumentAndDoesNotBlock)
{
    const QString pipe = m_dir.path() + QStringLiteral("/pipe.htm");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_THROW(m_pane.LoadFile(pipe), EInOutError);
}

} // namespace
