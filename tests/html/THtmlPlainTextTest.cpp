// The text a search indexes comes from the view's own decoding.
#include "html/THtmlPlainText.h"
#include "common/TestSupport.h"
#include "html/THtmlPageLoader.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TCase
{
    const char* what;
    const char* source;
    const char* title;
    const char* text;
};

TEST(THtmlPlainTextTest, TitleTextAndWhatIsLeftOut)
{
    const TCase cases[] = {
        {"title wins", "<title> The  Title </title><h1>Head</h1><p>Body", "The Title", "Head Body"},
        {"first heading without a title", "<p>x<h2>First</h2><h1>Second</h1>", "First",
         "x First Second"},
        {"file name last", "<p>only text", "page.htm", "only text"},
        {"scripts and styles are not text",
         "<style>p{color:red}</style><script>var a=1;</script><p>seen", "page.htm", "seen"},
        {"references decoded", "<p>caf&eacute; &amp; cr&#232;me &lt;b&gt;", "page.htm",
         "café & crème <b>"},
        {"blocks part words, inline tags do not",
         "<table><tr><td>one</td><td>two</td></tr></table><p><b>bo</b>ld", "page.htm",
         "one two bold"},
        {"a frame set offers its NOFRAMES text",
         "<title>F</title><frameset cols=\"50%,50%\"><frame src=a.htm>"
         "<noframes><p>No frames here</noframes></frameset>",
         "F", "No frames here"},
        {"a picture's ALT text counts", "<p>see<img src=a.gif alt=\"a map\">", "page.htm",
         "see a map"},
    };
    for (const TCase& c : cases) {
        const THtmlPlainText::TResult r =
            THtmlPlainText::FromSource(QString::fromUtf8(c.source), QStringLiteral("page.htm"));
        EXPECT_EQ(r.title, QString::fromUtf8(c.title)) << c.what;
        EXPECT_EQ(r.text, QString::fromUtf8(c.text)) << c.what;
    }
}

TEST(THtmlPlainTextTest, FilesDecodeAsTheViewDecodes)
{
    QTemporaryDir dir;
    const QString cp1252 = dir.path() + "/cp.htm", declared = dir.path() + "/meta.htm",
                  utf8 = dir.path() + "/utf8.htm";
    WriteTestFile(cp1252, "<title>Caf\xe9</title><p>\x93quoted\x94");
    WriteTestFile(declared, "<meta charset=\"iso-8859-2\"><p>\xb1");
    WriteTestFile(utf8, "<p>na\xc3\xafve");
    THtmlPlainText::TResult r;
    ASSERT_TRUE(THtmlPlainText::FromFile(cp1252, &r));
    EXPECT_EQ(r.title, QString::fromUtf8("Café"));
    EXPECT_EQ(r.text, QString::fromUtf8("“quoted”"));
    ASSERT_TRUE(THtmlPlainText::FromFile(declared, &r));
    EXPECT_EQ(r.text, QString::fromUtf8("ą"));
    ASSERT_TRUE(THtmlPlainText::FromFile(utf8, &r));
    EXPECT_EQ(r.text, QString::fromUtf8("naïve"));
    EXPECT_FALSE(THtmlPlainText::FromFile(dir.path() + "/missing.htm", &r));
    EXPECT_FALSE(THtmlPlainText::FromFile(dir.path(), &r));
}

TEST(THtmlPlainTextTest, AnOversizedDocumentIsReadUpToTheLimit)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/big.htm";
    QByteArray bytes = "<p>start\n";
    bytes += QByteArray(THtmlPageLoader::kMaxDocumentBytes, 'a');
    bytes += "\n<p>beyondtheend";
    WriteTestFile(path, bytes);
    THtmlPlainText::TResult r;
    ASSERT_TRUE(THtmlPlainText::FromFile(path, &r));
    EXPECT_TRUE(r.text.startsWith(QStringLiteral("start")));
    EXPECT_FALSE(r.text.contains(QStringLiteral("beyondtheend")));
}

} // namespace
