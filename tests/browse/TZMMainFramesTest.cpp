// The browsing window over a frame set: where document links go, the page outline that
// follows the frame that loaded, and links that land on a heading of another page.
#include "FakeHost.h"
#include "browse/TZMMain.h"
#include "common/TestSupport.h"
#include "components/outline/TMDIOutline.h"
#include "components/outline/TOutlineNode.h"
#include "html/TFramePane.h"
#include "html/THtmlFrame.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include "platform/TPath.h"
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

QByteArray Filler() { return QByteArray("<p>Filler line of the running text.</p>\n").repeated(60); }

class TZMMainFramesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_web = m_tmp.path() + "/web/";
        TPath::SetExecutablePathOverride(m_tmp.path() + "/kit/zelmora");
        // Navigation and content side by side over a footer, in one document.
        Write("set.htm", "<frameset rows=\"*,60\"><frameset cols=\"170,*\">"
                         "<frame src=\"nav.htm\" name=nav><frame src=\"home.htm\" name=content>"
                         "</frameset><frame src=\"foot.htm\" name=footer></frameset>");
        Write("nav.htm", "<a href=\"page1.htm\" target=content>Named</a><br>"
                         "<a href=\"page2.htm\">Self</a><br>"
                         "<a href=\"page3.htm\" target=_parent>Parent</a><br>"
                         "<a href=\"page3.htm\" target=_top>Top</a><br>"
                         "<a href=\"page3.htm\" target=_blank>Blank</a><br>"
                         "<a href=\"page3.htm\" target=nowhere>Unknown</a><br>"
                         "<a href=\"inner.htm\" target=CONTENT>Inner</a><br>"
                         "<a href=\"long.htm#part2\" target=content>Deep</a><br>"
                         "<a href=\"#Part2\">Local</a>");
        Write("foot.htm", "<base target=content><a href=\"page1.htm\">Based</a> "
                          "<a href=\"page2.htm\" target=_self>Own</a> "
                          "<a href=\"foot.htm#x\" target=_self>Again</a>");
        Write("home.htm", "<p>Home</p>");
        Write("page1.htm", "<a name=\"One#1\"></a><h1>One</h1><a name=\"Sub#2\"></a><h2>Sub</h2>");
        Write("page2.htm", "<p>Two</p>");
        Write("page3.htm", "<a name=\"Three#1\"></a><h1>Three</h1>");
        // A frame set loaded into a frame: two deep.
        Write("inner.htm", "<frameset cols=\"*,*\"><frame src=\"left.htm\" name=left>"
                           "<frame src=\"right.htm\" name=right></frameset>");
        Write("left.htm", "<a href=\"page2.htm\" target=right>Across</a><br>"
                          "<a href=\"page1.htm\" target=_parent>Up</a><br>"
                          "<a href=\"page2.htm\" target=footer>Down</a><br>"
                          "<a href=\"page2.htm\">Here</a><br>"
                          "<a href=\"page3.htm\" target=_top>Out</a>");
        Write("right.htm", "<p>Right</p>");
        Write("long.htm", "<a name=\"Intro#1\"></a><h1>Intro</h1>" + Filler() +
                              "<a name=\"Part2\"></a><h2>Part two</h2>" + Filler());
        m_host.Options.StartUpWeb = m_web;
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    void Write(const char* name, const QByteArray& bytes) { WriteTestFile(m_web + name, bytes); }
    void Show(TZMMain& w)
    {
        w.resize(900, 640);
        w.show();
        w.OpenDocument(m_web + "set.htm", "0");
        ASSERT_NE(w.Viewer->FrameSet(), nullptr);
    }
    static THtmlFrame* Frame(TZMMain& w, const QString& name)
    {
        if (!w.Viewer->FrameSet())
            return nullptr;
        for (THtmlFrame* f : w.Viewer->FrameSet()->Frames())
            if (THtmlFrame* found = f->Find(name))
                return found;
        return nullptr;
    }
    static void ClickLink(THtmlFrame* frame, const QString& text)
    {
        ASSERT_NE(frame, nullptr) << text.toStdString();
        THtmlView* view = frame->View();
        ASSERT_NE(view, nullptr) << text.toStdString();
        const QTextCursor found = view->document()->find(text);
        ASSERT_FALSE(found.isNull()) << text.toStdString();
        QTextCursor middle(view->document());
        middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cursorRect(middle).center());
    }

    QTemporaryDir m_tmp;
    QString m_web;
    FakeHost m_host;
};

TEST_F(TZMMainFramesTest, DocumentLinksFollowTheTargetRules)
{
    struct Case
    {
        const char* from;
        const char* link;
        const char* frame; // where the document shows; empty: the whole view
        const char* file;
    };
    const Case cases[] = {
        {"nav", "Named", "content", "page1.htm"},    {"nav", "Self", "nav", "page2.htm"},
        {"nav", "Parent", "", "page3.htm"},          {"nav", "Top", "", "page3.htm"},
        {"nav", "Blank", "", "page3.htm"},           {"nav", "Unknown", "", "page3.htm"},
        {"footer", "Based", "content", "page1.htm"}, {"footer", "Own", "footer", "page2.htm"},
    };
    TZMMain w(&m_host);
    TMessageCapture messages;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.link);
        Show(w);
        ClickLink(Frame(w, c.from), c.link);
        if (*c.frame) {
            ASSERT_NE(w.Viewer->FrameSet(), nullptr) << "the frame set stays";
            EXPECT_EQ(w.Viewer->CurrentFile(), m_web + "set.htm");
            ASSERT_NE(Frame(w, c.frame), nullptr);
            EXPECT_EQ(Frame(w, c.frame)->FileName(), m_web + c.file);
            EXPECT_EQ(Frame(w, "nav")->FileName(),
                      m_web + (QLatin1String(c.frame) == "nav" ? c.file : "nav.htm"));
        } else {
            EXPECT_EQ(w.Viewer->FrameSet(), nullptr);
            EXPECT_EQ(w.Viewer->CurrentFile(), m_web + c.file);
        }
    }
    EXPECT_TRUE(messages.Messages().empty()) << messages.Texts().join("|").toStdString();
}

TEST_F(TZMMainFramesTest, FrameSetsInsideFramesFollowTheSameRules)
{
    const struct
    {
        const char* link;
        const char* frame;
        const char* file;
    } cases[] = {{"Across", "right", "page2.htm"},
                 {"Up", "content", "page1.htm"},
                 {"Down", "footer", "page2.htm"},
                 {"Here", "left", "page2.htm"},
                 {"Out", "", "page3.htm"}};
    TZMMain w(&m_host);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        Show(w);
        ClickLink(Frame(w, "nav"), "Inner");
        ASSERT_NE(Frame(w, "left"), nullptr) << "inner.htm is a frame set of its own";
        ClickLink(Frame(w, "left"), c.link);
        if (*c.frame) {
            ASSERT_NE(Frame(w, c.frame), nullptr);
            EXPECT_EQ(Frame(w, c.frame)->FileName(), m_web + c.file);
            EXPECT_EQ(Frame(w, "nav")->FileName(), m_web + "nav.htm");
        } else {
            EXPECT_EQ(w.Viewer->FrameSet(), nullptr);
            EXPECT_EQ(w.Viewer->CurrentFile(), m_web + c.file);
        }
    }
}

TEST_F(TZMMainFramesTest, ThePageOutlineFollowsTheFrameThatLoaded)
{
    TZMMain w(&m_host);
    Show(w);
    EXPECT_EQ(w.ReadOutliner->ItemCount(), 0) << "a frame set has no headings of its own";
    m_host.Progress.clear();
    const int advertsBefore = m_host.AdvertPages;
    ClickLink(Frame(w, "nav"), "Named");
    EXPECT_EQ(m_host.Progress, QStringList{"Opening File"});
    EXPECT_EQ(m_host.AdvertPages, advertsBefore + 1);
    ASSERT_EQ(w.ReadOutliner->ItemCount(), 2);
    EXPECT_EQ(w.ReadOutliner->Items(1)->Text(), "One");
    EXPECT_FALSE(w.ReadPanel->isHidden());

    // The outline's entries scroll the frame its headings come from.
    ClickLink(Frame(w, "nav"), "Deep");
    ASSERT_EQ(w.ReadOutliner->ItemCount(), 2);
    EXPECT_EQ(w.ReadOutliner->Items(2)->Text(), "Part2");
    THtmlView* content = Frame(w, "content")->View();
    content->SetPosition(0);
    w.ReadOutliner->SetSelectedItem(2);
    w.ReadOutliner->DefaultClick();
    EXPECT_EQ(content->Position(), content->HeadingY(1));
    EXPECT_GT(content->Position(), 0);
    // An anchor link in another frame is that frame's, not a heading of the outline.
    content->SetPosition(0);
    ClickLink(Frame(w, "nav"), "Local");
    EXPECT_EQ(content->Position(), 0);

    // A link to the frame's own document only scrolls it: no load, the outline stays.
    m_host.Progress.clear();
    ClickLink(Frame(w, "footer"), "Again");
    EXPECT_TRUE(m_host.Progress.isEmpty());
    EXPECT_EQ(Frame(w, "footer")->FileName(), m_web + "foot.htm");
    EXPECT_EQ(w.ReadOutliner->Items(2)->Text(), "Part2");
}

TEST_F(TZMMainFramesTest, ALinkToAHeadingOfAnotherPageLandsOnIt)
{
    TZMMain w(&m_host);
    Show(w);
    TMessageCapture messages;
    // In a frame: the name matches whatever its letter case.
    ClickLink(Frame(w, "nav"), "Deep");
    THtmlView* content = Frame(w, "content")->View();
    EXPECT_GT(content->Position(), 0);
    EXPECT_EQ(content->Position(), content->HeadingY(1));

    // In the whole view: a link, the file form, the window's own opening (the advert's
    // way); a name the page does not have leaves its top, silently.
    const struct
    {
        const char* target;
        bool lands;
    } cases[] = {{"long.htm#Part2", true}, {"long.htm#PART2#0", true}, {"long.htm#Nowhere", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        w.OpenDocument(m_web + "home.htm", "0");
        bool handled = false;
        w.ViewerHotSpotClick(nullptr, c.target, handled);
        EXPECT_TRUE(handled);
        EXPECT_EQ(w.Viewer->CurrentFile(), m_web + "long.htm");
        EXPECT_EQ(w.Viewer->Position(), c.lands ? w.Viewer->View()->HeadingY(1) : 0);
    }
    w.OpenDocument(m_web + "home.htm", "0");
    bool handled = false;
    w.ViewerHotSpotClick(nullptr, "FILE:" + m_web + "LONG.htm#part2", handled);
    EXPECT_GT(w.Viewer->Position(), 0);
    EXPECT_EQ(w.Viewer->Position(), w.Viewer->View()->HeadingY(1));
    w.OpenDocument(m_web + "long.htm#Part2", "Could not load corresponding advertisement file. ");
    EXPECT_EQ(w.Viewer->Position(), w.Viewer->View()->HeadingY(1));
    EXPECT_TRUE(messages.Messages().empty()) << messages.Texts().join("|").toStdString();
}

} // namespace
