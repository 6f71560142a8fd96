// Pages far taller than a reader can use: the window opens their beginning, says so, fills
// the page outline and goes on answering.
#include "FakeHost.h"
#include "browse/TZMMain.h"
#include "common/TestSupport.h"
#include "components/outline/TMDIOutline.h"
#include "html/THtmlPane.h"
#include "html/THtmlRewriter.h"
#include "html/THtmlView.h"
#include "platform/TPath.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Sanitized builds run several times slower; the bound is for what a reader sees.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSlowdown = 4;
#else
constexpr int kSlowdown = 1;
#endif

struct TTallPage
{
    const char* name;
    int count;
    QByteArray (*line)(int n);
    int headings; // entries the page outline gets
};

const TTallPage kPages[] = {
    {"200 000 headings", 200000,
     [](int n) {
         return "<h2><a name=\"Heading " + QByteArray::number(n) + "#2\">Heading</a></h2>\n";
     },
     THtmlRewriter::kMaxAnchors},
    {"400 000 short paragraphs", 400000,
     [](int n) { return "<p>Line " + QByteArray::number(n) + "\n"; }, 0},
    {"400 000 breaks in one paragraph", 400000,
     [](int n) { return "Line " + QByteArray::number(n) + "<br>\n"; }, 0},
};

// Milliseconds until the event loop runs a timer posted now.
qint64 ProbeDelay()
{
    QElapsedTimer clock;
    clock.start();
    bool ran = false;
    QTimer::singleShot(0, qApp, [&ran] { ran = true; });
    while (!ran && clock.elapsed() < 30000)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return clock.elapsed();
}

TEST(TZMMainTallPageTest, TheBeginningOpensWithANoteAndTheWindowAnswers)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TPath::SetExecutablePathOverride(dir.path() + "/kit/zelmora");
    FakeHost host;
    host.Options.StartUpWeb = dir.path() + "/web/";
    WriteTestFile(dir.path() + "/web/index.htm", "<p>start");
    TZMMain w(&host);
    w.resize(800, 600);
    w.show();
    for (const TTallPage& page : kPages) {
        SCOPED_TRACE(page.name);
        QByteArray html = "<html><body>\n";
        for (int n = 0; n < page.count; ++n)
            html += page.line(n);
        html += "<p>The last line.</body></html>\n";
        const QString path = dir.path() + "/web/tall.htm";
        WriteTestFile(path, html);

        QElapsedTimer clock;
        clock.start();
        w.OpenDocument(path, QStringLiteral("Error"));
        const qint64 opened = clock.elapsed();
        const qint64 answered = ProbeDelay();
        clock.restart();
        const QImage shown = w.Viewer->grab().toImage();
        const qint64 painted = clock.elapsed();

        EXPECT_EQ(w.Viewer->CurrentFile(), path);
        const QString text = w.Viewer->View()->document()->toPlainText();
        EXPECT_TRUE(text.contains(QStringLiteral("only its beginning is shown")));
        EXPECT_FALSE(text.contains(QStringLiteral("The last line.")));
        EXPECT_TRUE(w.Viewer->View()->Page().shortened);
        EXPECT_EQ(w.ReadOutliner->ItemCount(), page.headings);
        EXPECT_FALSE(shown.isNull());
        EXPECT_LT(opened + answered, 1000 * kSlowdown) << opened << " ms to open";
        EXPECT_LT(painted, 1000 * kSlowdown);
    }
    TPath::SetExecutablePathOverride(QString());
}

} // namespace
