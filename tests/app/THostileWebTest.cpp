// Hostile webs, documents and links given to the whole program: symbolic-link loops,
// folders it may not read, very deep trees, a folder of 50 000 documents, file names with
// line breaks, quotes and bytes that are not UTF-8, broken and enormous HTML, and links
// full of shell metacharacters. Each case runs in a child process, so a crash or a hang
// is reported as one; the program must finish, keep working and show the design's message
// or nothing.
#include "app/TMDIHost.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/outline/TOutlineNode.h"
#include "hostile/HostileKit.h"
#include "html/THtmlPageLoader.h"
#include "html/THtmlPane.h"
#include "html/THtmlRewriter.h"
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace hostile;

namespace {

QStringList Rows(TZMMain& w)
{
    QStringList rows;
    for (int i = 0; i < w.DocList->ItemCount(); ++i)
        rows << w.DocList->Item(i)->Caption;
    return rows;
}

int RowOf(TZMMain& w, const QString& caption)
{
    for (int i = 0; i < w.DocList->ItemCount(); ++i)
        if (w.DocList->Item(i)->Caption == caption)
            return i;
    return -1;
}

void ClickRow(TZMMain& w, int row)
{
    if (row < 0 || row >= w.DocList->ItemCount())
        return;
    w.DocList->SetSelected(w.DocList->Item(row));
    w.DocListClick();
}

void ClickFolder(TZMMain& w, int index)
{
    w.FolderList->SetSelectedItem(index);
    w.FolderListClick();
}

// Clicks every folder of the folder outline and every document row of each; the texts of
// the messages shown, each once, and how many documents opened.
QString BrowseEverything(TZMMain& w)
{
    TMessageCapture messages;
    int opened = 0;
    for (int f = 1; f <= w.FolderList->ItemCount(); ++f) {
        ClickFolder(w, f);
        for (int r = 0; r < w.DocList->ItemCount(); ++r) {
            const QString before = w.Viewer->CurrentFile();
            ClickRow(w, r);
            opened += w.Viewer->CurrentFile() != before;
        }
    }
    QStringList texts = messages.Texts();
    texts.removeDuplicates();
    return QStringLiteral("opened %1; messages: %2").arg(opened).arg(texts.join("|"));
}

// The report of a case, checked in the parent: the child finished, and each line is one of
// the lines allowed.
void ExpectFinished(const TChildResult& r)
{
    ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
    ASSERT_EQ(r.exitCode, 0) << r.Describe().toStdString();
}

QStringList ReportLines(const TChildResult& r) { return QString::fromUtf8(r.report).split('\n'); }

} // namespace

TEST(THostileWebTest, SymbolicLinkLoopsAreWalkedOnce)
{
    THostileKit kit;
    kit.WriteIni();
    const QString web = kit.Web;
    MakeFile(web + "a/inside.htm", "<p>a");
    MakeFile(web + "b/c/deeper.htm", "<p>c");
    ASSERT_TRUE(MakeLink("..", web + "a/up"));
    ASSERT_TRUE(MakeLink(".", web + "a/self"));
    ASSERT_TRUE(MakeLink(web, web + "b/c/top"));
    ASSERT_TRUE(MakeLink("/no/such/place", web + "dangling"));
    ASSERT_TRUE(MakeLink("selfref.htm", web + "selfref.htm"));
    ASSERT_TRUE(MakeLink("pong.htm", web + "ping.htm"));
    ASSERT_TRUE(MakeLink("ping.htm", web + "pong.htm"));
    ASSERT_TRUE(MakeLink("a/inside.htm", web + "linked.htm"));

    const TChildResult r = RunInChild([&] {
        TMessageCapture messages;
        kit.Start();
        QStringList report;
        report << QStringLiteral("start: %1").arg(messages.Texts().join("|"));
        report << QStringLiteral("folders: %1").arg(kit.Main->FolderList->ItemCount());
        report << QStringLiteral("rows: %1").arg(Rows(*kit.Main).join(","));
        report << BrowseEverything(*kit.Main);
        report << "works: " + kit.StillWorks();
        return report.join("\n").toUtf8();
    });
    ExpectFinished(r);
    const QStringList lines = ReportLines(r);
    ASSERT_EQ(lines.size(), 5) << r.report.constData();
    EXPECT_EQ(lines[0], "start: ");
    // web, a, b, c and the links to folders, each entered at most once.
    const int folders = lines[1].mid(9).toInt();
    EXPECT_GE(folders, 4);
    EXPECT_LE(folders, 8);
    // Links that lead nowhere or in a circle are listed but cannot be opened: the design's
    // message for a document that cannot be loaded, or nothing.
    EXPECT_TRUE(lines[3].endsWith("messages: ") ||
                lines[3].endsWith("messages: " + kMissingDocument))
        << lines[3].toStdString();
    EXPECT_EQ(lines[4], "works: ");
}

TEST(THostileWebTest, FoldersAndDocumentsThatCannotBeReadArePassedOver)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give up";
    THostileKit kit;
    kit.WriteIni();
    MakeFile(kit.Web + "closed/secret.htm", "<p>secret");
    MakeFile(kit.Web + "closed/inner/deeper.htm", "<p>deeper");
    MakeFile(kit.Web + "open/visible.htm", "<p>visible");
    MakeFile(kit.Web + "sealed.htm", "<p>sealed");
    ASSERT_EQ(::chmod(QFile::encodeName(kit.Web + "closed").constData(), 0), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(kit.Web + "sealed.htm").constData(), 0), 0);

    TChildLimits limits;
    limits.dropRoot = true;
    const TChildResult r = RunInChild(
        [&] {
            TMessageCapture messages;
            kit.Start();
            QStringList report;
            report << QStringLiteral("start: %1").arg(messages.Texts().join("|"));
            QStringList folders;
            for (int i = 1; i <= kit.Main->FolderList->ItemCount(); ++i)
                folders << kit.Main->FolderList->Items(i)->Text();
            report << "folders: " + folders.join(",");
            report << "rows: " + Rows(*kit.Main).join(",");
            report << BrowseEverything(*kit.Main);
            report << "works: " + kit.StillWorks();
            return report.join("\n").toUtf8();
        },
        limits);
    ::chmod(QFile::encodeName(kit.Web + "closed").constData(), 0755);
    ExpectFinished(r);
    const QStringList lines = ReportLines(r);
    ASSERT_EQ(lines.size(), 5) << r.report.constData();
    EXPECT_EQ(lines[0], "start: ");
    // The outline shows folder names with a capital initial.
    EXPECT_EQ(lines[1], "folders: web,Closed,Open");
    EXPECT_EQ(lines[2], "rows: index,sealed");
    // The sealed document is listed; opening it fails with the design's message, or shows
    // nothing new.
    EXPECT_TRUE(lines[3] == "opened 2; messages: " + kMissingDocument ||
                lines[3] == "opened 2; messages: ")
        << lines[3].toStdString();
    EXPECT_EQ(lines[4], "works: ");
}

TEST(THostileWebTest, TwoHundredLevelsDeepAreBrowsedToTheBottom)
{
    THostileKit kit;
    kit.WriteIni();
    MakeDeepTree(kit.Web.chopped(1), 200);
    const TChildResult r = RunInChild([&] {
        TMessageCapture messages;
        kit.Start();
        QStringList report;
        TMDIOutline* folders = kit.Main->FolderList;
        const int deepest = folders->GetTextItem("L200");
        report << QStringLiteral("start: %1").arg(messages.Texts().join("|"));
        report << QStringLiteral("deepest: %1 %2")
                      .arg(folders->ItemCount())
                      .arg(deepest > 0 ? folders->Items(deepest)->Level() : -1);
        if (deepest > 0) {
            ClickFolder(*kit.Main, deepest);
            report << "rows: " + Rows(*kit.Main).join(",");
            ClickRow(*kit.Main, 0);
            report << "opened: " + QFileInfo(kit.Main->Viewer->CurrentFile()).fileName();
        }
        kit.Host->grab();
        report << "works: " + kit.StillWorks();
        return report.join("\n").toUtf8();
    });
    ExpectFinished(r);
    EXPECT_EQ(QString::fromUtf8(r.report),
              "start: \ndeepest: 201 201\nrows: level200\nopened: level200.htm\nworks: ");
}

TEST(THostileWebTest, TreeDeeperThanTheOutlineCanShowIsCutAtItsDeepestLevel)
{
    THostileKit kit;
    kit.WriteIni();
    MakeDeepTree(kit.Web.chopped(1), 300);
    const TChildResult r = RunInChild([&] {
        TMessageCapture messages;
        kit.Start();
        QStringList report;
        TMDIOutline* folders = kit.Main->FolderList;
        int deepest = 0, topLevel = 0;
        for (int i = 1; i <= folders->ItemCount(); ++i) {
            deepest = std::max(deepest, folders->Items(i)->Level());
            topLevel += folders->Items(i)->Level() == 1;
        }
        QStringList texts = messages.Texts();
        const int shown = texts.size();
        texts.removeDuplicates();
        report << QStringLiteral("start: %1 x %2").arg(shown).arg(texts.join("|"));
        report << QStringLiteral("folders: %1 deepest %2 top %3")
                      .arg(folders->ItemCount())
                      .arg(deepest)
                      .arg(topLevel);
        report << "works: " + kit.StillWorks();
        return report.join("\n").toUtf8();
    });
    ExpectFinished(r);
    // Folders below the outline's 256 levels are left out, without a message.
    EXPECT_EQ(QString::fromUtf8(r.report), "start: 0 x \nfolders: 256 deepest 256 top 1\nworks: ");
}

TEST(THostileWebTest, FiftyThousandDocumentsInOneFolderAreListed)
{
    THostileKit kit;
    kit.WriteIni();
    ASSERT_TRUE(MakeManyFiles(kit.Web + "many", 50000));
    const TChildResult r = RunInChild([&] {
        TMessageCapture messages;
        QElapsedTimer timer;
        timer.start();
        kit.Start();
        QStringList report;
        report << QStringLiteral("start: %1").arg(messages.Texts().join("|"));
        const qint64 started = timer.restart();
        ClickFolder(*kit.Main, kit.Main->FolderList->GetTextItem("Many"));
        const qint64 listed = timer.restart();
        report << QStringLiteral("rows: %1").arg(kit.Main->DocList->ItemCount());
        ClickRow(*kit.Main, RowOf(*kit.Main, "doc49999"));
        report << "opened: " + QFileInfo(kit.Main->Viewer->CurrentFile()).fileName();
        kit.Host->grab();
        report << "works: " + kit.StillWorks();
        std::fprintf(stderr, "50 000 documents: start %lld ms, listing %lld ms\n", started, listed);
        return report.join("\n").toUtf8();
    });
    ExpectFinished(r);
    EXPECT_EQ(QString::fromUtf8(r.report), "start: \nrows: 50000\nopened: doc49999.htm\nworks: ");
}

TEST(THostileWebTest, FileNamesWithLineBreaksQuotesAndBadBytesDoNotStopBrowsing)
{
    THostileKit kit;
    kit.WriteIni();
    const QByteArray web = QFile::encodeName(kit.Web);
    const QByteArray page = "<p>odd name";
    // Names a reader could meet on a distributed medium.
    const QList<QByteArray> utf8Names = {
        "new\nline.htm",
        "carriage\rreturn.htm",
        "quote\"s.htm",
        "apos'trophe.htm",
        "tick`$(touch PWNED)`.htm",
        "semi;colon&amp|pipe.htm",
        "tab\there.htm",
        "-dash.htm",
        "caf\xc3\xa9 \xe2\x82\xac.htm",
        "star*what?.htm",
        QByteArray(240, 'n') + ".htm",
    };
    const QList<QByteArray> otherNames = {"bad\xff\xfe.htm", "latin1 caf\xe9.htm"};
    for (const QByteArray& n : utf8Names + otherNames)
        ASSERT_TRUE(MakeRawFile(web, n, page)) << n.constData();
    for (const QByteArray& n :
         {QByteArray("dir\nbreak"), QByteArray("dir\"quote"), QByteArray("dir\xff")}) {
        ASSERT_TRUE(MakeRawFolder(web, n));
        ASSERT_TRUE(MakeRawFile(web + n, "inside.htm", page));
    }
    const TChildResult r = RunInChild([&] {
        TMessageCapture messages;
        kit.Start();
        QStringList report;
        report << QStringLiteral("start: %1").arg(messages.Texts().join("|"));
        report << QStringLiteral("folders: %1 rows: %2")
                      .arg(kit.Main->FolderList->ItemCount())
                      .arg(kit.Main->DocList->ItemCount());
        // Each UTF-8 name opens from its row.
        QStringList notOpened;
        for (const QByteArray& n : utf8Names) {
            const QString name = QString::fromUtf8(n);
            const QString caption = name.chopped(4).toLower();
            const int row = RowOf(*kit.Main, caption);
            ClickRow(*kit.Main, row);
            if (row < 0 || QFileInfo(kit.Main->Viewer->CurrentFile()).fileName() != name)
                notOpened << caption;
        }
        report << "not opened: " + notOpened.join("/");
        report << BrowseEverything(*kit.Main);
        report << "works: " + kit.StillWorks();
        return report.join("\n").toUtf8();
    });
    // Qt cannot remove names that are not UTF-8; the temporary folder goes by its bytes.
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(web.constData()), ignored);
    ExpectFinished(r);
    const QStringList lines = ReportLines(r);
    ASSERT_EQ(lines.size(), 5) << r.report.constData();
    EXPECT_EQ(lines[0], "start: ");
    EXPECT_EQ(lines[1],
              QStringLiteral("folders: 4 rows: %1").arg(1 + utf8Names.size() + otherNames.size()));
    EXPECT_EQ(lines[2], "not opened: ");
    // Names that are not UTF-8 may be listed under a name that no longer finds them: the
    // design's message, never more.
    EXPECT_TRUE(lines[3].endsWith("messages: ") ||
                lines[3].endsWith("messages: " + kMissingDocument))
        << lines[3].toStdString();
    EXPECT_EQ(lines[4], "works: ");
}

namespace {

// Opens a document as a link or the list would, in a child; the report: the messages, the
// file shown and the number of headings.
TChildResult OpenHostileDocument(THostileKit& kit, const QString& file, int seconds,
                                 bool find = true)
{
    TChildLimits limits;
    limits.seconds = seconds;
    return RunInChild(
        [&] {
            kit.Start();
            TMessageCapture messages;
            QElapsedTimer timer;
            timer.start();
            kit.Main->OpenDocument(file, QStringLiteral("0"));
            const qint64 opened = timer.restart();
            kit.Host->grab();
            kit.Main->Viewer->SetPosition(1 << 30);
            if (find)
                kit.Main->Viewer->FindText(QStringLiteral("innermost"), false);
            kit.Host->grab();
            std::fprintf(stderr, "%s: opened in %lld ms, painted (and searched) in %lld ms\n",
                         qPrintable(QFileInfo(file).fileName()), opened, timer.elapsed());
            QStringList report;
            report << "messages: " + messages.Texts().join("|");
            report << "shown: " + QFileInfo(kit.Main->Viewer->CurrentFile()).fileName();
            report << QStringLiteral("headings: %1").arg(kit.Main->Viewer->HeadingList().size());
            report << "works: " + kit.StillWorks();
            return report.join("\n").toUtf8();
        },
        limits);
}

} // namespace

TEST(THostileWebTest, NamedPipesInPlaceOfFilesDoNotHangTheProgram)
{
    // A named pipe has no writer here: whoever opens it to read waits for ever. Each place
    // where the program reads a file the user or the kit names gets one.
    struct TPipeCase
    {
        const char* name;
        QByteArray ini; // extra StartUp lines
        QString pipe;   // relative to the kit
        bool clickRows; // open every document row after the start
    };
    const std::vector<TPipeCase> cases = {
        {"document in the list", "", "web/pipe.htm", true},
        {"introduction page", "IntroductionFile=READERBASE\\web\\pipe.htm\r\n", "web/pipe.htm",
         false},
        {"logo", "YourLogoHereBitmap=READERBASE\\pipe.bmp\r\n", "pipe.bmp", false},
        {"state file", "StateFileName=READERBASE\\pipe.sta\r\n", "pipe.sta", false},
        {"advert", "StartUpMode=1\r\n", "Advertisers/pipe.bmp", false},
    };
    QStringList hung;
    for (const TPipeCase& c : cases) {
        SCOPED_TRACE(c.name);
        THostileKit kit;
        kit.WriteIni(c.ini);
        QDir().mkpath(QFileInfo(kit.Kit + c.pipe).absolutePath());
        ASSERT_EQ(::mkfifo(QFile::encodeName(kit.Kit + c.pipe).constData(), 0644), 0);
        TChildLimits limits;
        limits.seconds = 10;
        const TChildResult r = RunInChild(
            [&] {
                TMessageCapture messages;
                kit.Start();
                if (c.clickRows)
                    for (int row = 0; row < kit.Main->DocList->ItemCount(); ++row)
                        ClickRow(*kit.Main, row);
                kit.Host->NextAdvert();
                QStringList texts = messages.Texts();
                texts.removeDuplicates();
                return (texts.join("|") + "\n" + kit.StillWorks()).toUtf8();
            },
            limits);
        if (r.outcome == TChildResult::Hung) {
            hung << c.name;
            continue;
        }
        ExpectFinished(r);
        // The design's message for what could not be read, or nothing.
        const QStringList allowed = {"", kMissingDocument, kLogoMessage};
        const QStringList lines = ReportLines(r);
        ASSERT_EQ(lines.size(), 2) << r.report.constData();
        EXPECT_TRUE(allowed.contains(lines[0])) << lines[0].toStdString();
        EXPECT_EQ(lines[1], "");
    }
    EXPECT_EQ(hung, QStringList()) << "the program hangs on a named pipe as these files";
}

TEST(THostileWebTest, DocumentWithUnclosedTagsIsShown)
{
    THostileKit kit;
    kit.WriteIni();
    MakeFile(kit.Web + "unclosed.htm", UnclosedTagsDocument());
    // Also cut off in the middle of a tag, a comment and an entity.
    MakeFile(kit.Web + "cut.htm",
             "<html><body><a name=\"Cut#1\"></a><h1>Cut</h1><table><tr><td><a hre");
    MakeFile(kit.Web + "comment.htm", "<p>before<!-- never closed");
    MakeFile(kit.Web + "entity.htm", "<p>&#");
    MakeFile(kit.Web + "binary.htm", BinaryBytes(20000, 11));
    for (const char* name :
         {"unclosed.htm", "cut.htm", "comment.htm", "entity.htm", "binary.htm"}) {
        SCOPED_TRACE(name);
        const TChildResult r = OpenHostileDocument(kit, kit.Web + name, 60);
        ExpectFinished(r);
        const QStringList lines = ReportLines(r);
        ASSERT_EQ(lines.size(), 4) << r.report.constData();
        EXPECT_EQ(lines[0], "messages: ");
        EXPECT_EQ(lines[1], QStringLiteral("shown: ") + name);
        EXPECT_EQ(lines[3], "works: ");
    }
}

TEST(THostileWebTest, TenThousandNestedTablesAreShownWithoutCrashing)
{
    THostileKit kit;
    kit.WriteIni();
    MakeFile(kit.Web + "tables.htm", NestedTablesDocument(10000));
    const TChildResult r = OpenHostileDocument(kit, kit.Web + "tables.htm", 60);
    ExpectFinished(r);
    EXPECT_EQ(QString::fromUtf8(r.report), "messages: \nshown: tables.htm\nheadings: 1\nworks: ");
}

TEST(THostileWebTest, FiftyMegabyteDocumentIsShown)
{
    THostileKit kit;
    kit.WriteIni();
    const QByteArray doc = HugeDocument(50 << 20);
    MakeFile(kit.Web + "huge.htm", doc);
    // The view shows the beginning of a document this long, with a note: up to a line end
    // within the size limit, and no more blocks than one page may hold (a block a line).
    const QByteArray shown = doc.left(THtmlPageLoader::kMaxDocumentBytes);
    const QList<QByteArray> lines = shown.left(shown.lastIndexOf('\n')).split('\n');
    int headings = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(lines.size(), THtmlRewriter::kMaxLayoutUnits);
         ++i)
        headings += int(lines[i].count("<h1>"));
    const TChildResult r = OpenHostileDocument(kit, kit.Web + "huge.htm", 240, false);
    ExpectFinished(r);
    EXPECT_EQ(QString::fromUtf8(r.report),
              QStringLiteral("messages: \nshown: huge.htm\nheadings: %1\nworks: ").arg(headings));
}

namespace {

// A program that writes each argument it was given on a line of its own.
const QByteArray kEchoProgram =
    "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.out\"\n";

QByteArray WaitForFile(const QString& path, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QFile f(path);
        if (f.exists()) {
            // The program writes its few lines at once; give it a moment to finish.
            QThread::msleep(300);
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        }
        QThread::msleep(20);
    }
    return QByteArray("(never written)");
}

} // namespace

TEST(THostileWebTest, LinksWithShellMetacharactersReachTheLauncherIntact)
{
    THostileKit kit;
    kit.WriteIni();
    const QString tools = kit.Web + "tools/";
    const QString echo = tools + "echo.exe";
    const QString spaced = tools + "run me;$(touch PWNED)`touch PWNED`.exe";
    for (const QString& program : {echo, spaced}) {
        ASSERT_TRUE(MakeFile(program, kEchoProgram));
        ::chmod(QFile::encodeName(program).constData(), 0755);
    }
    const QString sound = kit.Web + "media/a;rm -rf $(x) `y` 'z'|&.wav";
    const QString clip = kit.Web + "media/clip $(touch PWNED);|&>x.avi";
    const QString tune = kit.Web + "media/new\nline\"q.mid";
    for (const QString& f : {sound, clip, tune})
        ASSERT_TRUE(MakeFile(f, "RIFF"));
    struct TLinkCase
    {
        QString SRC;
        TLaunchRequest::Kind kind;
        QString program;
        QStringList arguments;
    };
    const QString params = "a;b $(touch PWNED) \"two words\" `id` |cat >x & 'q' \\";
    const std::vector<TLinkCase> cases = {
        {"FILE:" + echo + " " + params,
         TLaunchRequest::Program,
         echo,
         {"a;b", "$(touch", "PWNED)", "two words", "`id`", "|cat", ">x", "&", "'q'", "\\"}},
        {echo + "?x=1;touch$(PWNED)|&", TLaunchRequest::Program, echo, {"x=1;touch$(PWNED)|&"}},
        {spaced, TLaunchRequest::Program, spaced, {}},
        {"FILE:" + sound, TLaunchRequest::Sound, sound, {}},
        {"media/clip $(touch PWNED);|&>x.avi", TLaunchRequest::MediaPlayer, "xdg-open", {clip}},
        {"media/new\nline\"q.mid", TLaunchRequest::MediaPlayer, "xdg-open", {tune}},
    };
    // The requests as the launcher receives them.
    const TChildResult captured = RunInChild([&] {
        kit.Start();
        kit.Main->OpenDocument(kit.Web + "Index.htm", QStringLiteral("0"));
        QStringList report;
        for (const TLinkCase& c : cases) {
            TLaunchCapture launches;
            TMessageCapture messages;
            bool handled = false;
            kit.Main->ViewerHotSpotClick(nullptr, c.SRC, handled);
            QString line =
                QStringLiteral("handled %1, messages %2").arg(handled).arg(messages.Texts().size());
            for (const TLaunchRequest& request : launches.Requests())
                line += QStringLiteral("; kind %1 program [%2] arguments [%3]")
                            .arg(int(request.kind))
                            .arg(request.program, request.arguments.join("]["));
            report << line.replace(u'\n', QStringLiteral("\\n"));
        }
        return report.join("\n").toUtf8();
    });
    ExpectFinished(captured);
    QStringList expected;
    for (const TLinkCase& c : cases)
        expected << QStringLiteral("handled 1, messages 0; kind %1 program [%2] arguments [%3]")
                        .arg(int(c.kind))
                        .arg(c.program, c.arguments.join("]["))
                        .replace(u'\n', QStringLiteral("\\n"));
    const QStringList lines = ReportLines(captured);
    ASSERT_EQ(lines.size(), expected.size()) << captured.report.constData();
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i], expected[i]) << cases[size_t(i)].SRC.toStdString();

    // For real: the programs start without a shell, with their arguments as written.
    const TChildResult launched = RunInChild([&] {
        kit.Start();
        kit.Main->OpenDocument(kit.Web + "Index.htm", QStringLiteral("0"));
        bool handled = false;
        kit.Main->ViewerHotSpotClick(nullptr, cases[0].SRC, handled);
        kit.Main->ViewerHotSpotClick(nullptr, spaced, handled);
        return QByteArray();
    });
    ExpectFinished(launched);
    EXPECT_EQ(WaitForFile(echo + ".out", 10000),
              "a;b\n$(touch\nPWNED)\ntwo words\n`id`\n|cat\n>x\n&\n'q'\n\\\n");
    EXPECT_EQ(WaitForFile(spaced + ".out", 10000), "");
    QThread::msleep(200);
    for (const QString& folder : {kit.Kit, kit.Web, tools, QDir::currentPath() + "/"})
        EXPECT_FALSE(QFileInfo::exists(folder + "PWNED")) << folder.toStdString();
}
