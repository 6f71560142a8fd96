// Clicks on links: what the hot-spot event reports, and how the view follows a link itself.
#include "common/TestSupport.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QByteArray Filler()
{
    QByteArray f;
    for (int i = 0; i < 50; ++i)
        f += "<p>Line " + QByteArray::number(i) + " of filler text.</p>";
    return f;
}

class THtmlLinkTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_pane.resize(500, 300);
        m_pane.show();
        m_pane.OnHotSpotClick = [this](QObject* sender, const QString& src, bool& handled) {
            m_sender = sender;
            m_sources << src;
            m_handledOnEntry << handled;
            m_expanded << m_pane.HTMLExpandFilename(src);
            handled = m_handle;
        };
    }
    QString Path(const QString& name) const { return m_dir.path() + u'/' + name; }
    QString Write(const QString& name, const QByteArray& bytes)
    {
        WriteTestFile(Path(name), bytes);
        return Path(name);
    }
    // Clicks the middle of the first occurrence of text in the view.
    void Click(const QString& text, THtmlView* view = nullptr)
    {
        if (!view)
            view = m_pane.View();
        ASSERT_NE(view, nullptr);
        QTextCursor c = view->document()->find(text);
        ASSERT_FALSE(c.isNull()) << text.toStdString();
        view->setTextCursor(QTextCursor(view->document()));
        view->ensureCursorVisible();
        QTextCursor middle(view->document());
        middle.setPosition((c.selectionStart() + c.selectionEnd()) / 2);
        const QRect r = view->cursorRect(middle);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    }

    QTemporaryDir m_dir;
    THtmlPane m_pane;
    bool m_handle = false;
    QObject* m_sender = nullptr;
    QStringList m_sources;
    QStringList m_expanded;
    QList<bool> m_handledOnEntry;
};

TEST_F(THtmlLinkTest, HotSpotClickReportsTheTargetExactlyAsWritten)
{
    Write(QStringLiteral("Sub Dir/Page.htm"), "<p>elsewhere</p>");
    const QString page = Write(QStringLiteral("start.htm"),
                               "<p>Go <a href=\" Sub%20Dir/Page.HTM#Part2\">there</a> and "
                               "<a href=\"a.cgi?x=1&amp;copy=2\">query</a></p>");
    m_pane.LoadFile(page);
    m_handle = true;
    Click(QStringLiteral("there"));
    ASSERT_EQ(m_sources, QStringList{QStringLiteral("Sub%20Dir/Page.HTM#Part2")});
    EXPECT_EQ(m_sender, &m_pane);
    EXPECT_FALSE(m_handledOnEntry.front()) << "Handled starts false";
    EXPECT_EQ(m_expanded.front(), Path(QStringLiteral("Sub Dir/Page.htm#Part2")));
    EXPECT_EQ(m_pane.CurrentFile(), page) << "a handled click is left alone";

    Click(QStringLiteral("query"));
    ASSERT_EQ(m_sources.size(), 2);
    EXPECT_EQ(m_sources[1], QStringLiteral("a.cgi?x=1&copy=2"));
}

TEST_F(THtmlLinkTest, AnInPageLinkScrollsToItsHeading)
{
    m_pane.LoadFile(
        Write(QStringLiteral("page.htm"), "<p><a href=\"#part2\">down</a></p>" + Filler() +
                                              "<a name=Part2></a><h2>Two</h2>" + Filler()));
    Click(QStringLiteral("down"));
    EXPECT_EQ(m_sources, QStringList{QStringLiteral("#part2")});
    EXPECT_GT(m_pane.Position(), 0);
    EXPECT_EQ(m_pane.Position(), m_pane.View()->HeadingY(0));
}

TEST_F(THtmlLinkTest, ALinkToAnotherDocumentLoadsItAndGoesToTheDestination)
{
    const QString other =
        Write(QStringLiteral("sub/other.html"), "<a name=Top></a><h1>Other</h1>" + Filler() +
                                                    "<a name=Part2></a><h2>Two</h2>" + Filler());
    m_pane.LoadFile(
        Write(QStringLiteral("page.htm"), "<p><a href=\"SUB/Other.HTML#Part2\">other</a></p>"));
    Click(QStringLiteral("other"));
    EXPECT_EQ(m_pane.CurrentFile(), other);
    EXPECT_EQ(m_pane.HeadingList(),
              (QStringList{QStringLiteral("Top#0"), QStringLiteral("Part2#0")}));
    EXPECT_EQ(m_pane.Position(), m_pane.View()->HeadingY(1));
}

TEST_F(THtmlLinkTest, ALinkIntoTheSameDocumentScrollsWithoutReloading)
{
    const QString page =
        Write(QStringLiteral("page.htm"), "<p><a href=\"page.htm#End\">end</a></p>" + Filler() +
                                              "<a name=End></a><h2>End</h2>" + Filler());
    m_pane.LoadFile(page);
    QTextDocument* before = m_pane.View()->document();
    Click(QStringLiteral("end"));
    EXPECT_EQ(m_pane.View()->document(), before);
    EXPECT_EQ(m_pane.CurrentFile(), page);
    EXPECT_EQ(m_pane.Position(), m_pane.View()->HeadingY(0));
}

TEST_F(THtmlLinkTest, APictureLinkShowsThePictureAsADocumentOfItsOwn)
{
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(Path(QStringLiteral("pic.png"))));
    m_pane.LoadFile(
        Write(QStringLiteral("page.htm"), "<a name=A></a><p><a href=\"Pic.PNG\">picture</a></p>"));
    Click(QStringLiteral("picture"));
    EXPECT_EQ(m_pane.CurrentFile(), Path(QStringLiteral("pic.png")));
    EXPECT_TRUE(m_pane.HeadingList().isEmpty());
    ASSERT_EQ(m_pane.View()->Objects().size(), 1u);
    EXPECT_EQ(m_pane.View()->Objects()[0].image.size(), QSize(30, 20));
}

TEST_F(THtmlLinkTest, OtherExtensionsAreIgnored)
{
    Write(QStringLiteral("notes.txt"), "plain");
    const QString page =
        Write(QStringLiteral("page.htm"), "<p><a href=\"notes.txt\">notes</a> <a "
                                          "href=\"tune.mid\">tune</a> <a href=\"\">empty</a></p>");
    m_pane.LoadFile(page);
    TMessageCapture messages;
    Click(QStringLiteral("notes"));
    Click(QStringLiteral("tune"));
    Click(QStringLiteral("empty"));
    EXPECT_EQ(m_sources,
              (QStringList{QStringLiteral("notes.txt"), QStringLiteral("tune.mid"), QString()}));
    EXPECT_EQ(m_pane.CurrentFile(), page);
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(THtmlLinkTest, AMissingDocumentIsReportedAndThePageStays)
{
    const QString page = Write(QStringLiteral("page.htm"),
                               "<a name=Here></a><p><a href=\"gone.htm#x\">gone</a></p>");
    m_pane.LoadFile(page);
    TMessageCapture messages;
    Click(QStringLiteral("gone"));
    EXPECT_EQ(messages.Texts(), QStringList{QStringLiteral("Can't locate file: ") +
                                            Path(QStringLiteral("gone.htm"))});
    EXPECT_EQ(messages.Captions(), QStringList{QStringLiteral("Error")});
    EXPECT_EQ(m_pane.CurrentFile(), page);
    EXPECT_EQ(m_pane.HeadingList(), QStringList{QStringLiteral("Here#0")});
}

TEST_F(THtmlLinkTest, TheKeyboardFollowsLinksToo)
{
    m_pane.LoadFile(Write(QStringLiteral("page.htm"), "<p><a href=\"one.htm\">one</a></p>"));
    m_handle = true;
    THtmlView* view = m_pane.View();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Tab);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_EQ(m_sources, QStringList{QStringLiteral("one.htm")});
}

TEST_F(THtmlLinkTest, ADragSelectingTextIsNoClick)
{
    m_pane.LoadFile(Write(QStringLiteral("page.htm"),
                          "<p>Some text <a href=\"one.htm\">one link here</a></p>"));
    THtmlView* view = m_pane.View();
    QTextCursor c = view->document()->find(QStringLiteral("one link here"));
    QTextCursor a(view->document()), b(view->document());
    a.setPosition(c.selectionStart() + 1);
    b.setPosition(c.selectionEnd() - 1);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, view->cursorRect(a).center());
    QTest::mouseMove(view->viewport(), view->cursorRect(b).center());
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, view->cursorRect(b).center());
    EXPECT_TRUE(m_sources.isEmpty());
}

} // namespace
