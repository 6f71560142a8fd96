#include "browse/TContentsSearch.h"
#include "common/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Records every call of the receivers in order; keeps the default FoundList behaviour.
class TRecordingSearch : public TContentsSearch
{
public:
    QStringList calls;
    int idles = 0;
    int cancelAfterIdles = -1;
    bool busyWhileEntering = false;

    void SearchStarting() override { calls << "start"; }
    void SearchFinished() override { calls << "finish"; }
    void EnteringFolder(const QString& folder) override
    {
        busyWhileEntering = IsBusy();
        calls << "enter " + folder;
    }
    void FolderFound(std::unique_ptr<TFoundFile> r) override
    {
        calls << "folder " + r->Path() + "|" + r->FileName();
        TContentsSearch::FolderFound(std::move(r));
    }
    void FileFound(std::unique_ptr<TFoundFile> r) override
    {
        calls << "file " + r->Path() + "|" + r->FileName();
        TContentsSearch::FileFound(std::move(r));
    }
    void SubFolderFound(std::unique_ptr<TFoundFile> r) override
    {
        calls << "sub " + r->Path() + "|" + r->FileName();
    }
    void Idle() override
    {
        if (++idles == cancelAfterIdles)
            Cancel();
    }
    QStringList Only(const QString& prefix) const
    {
        return calls.filter(QRegularExpression("^" + prefix + " "));
    }
};

class ContentsSearchTest : public ::testing::Test
{
protected:
    QTemporaryDir tmp;
    QString web; // ends with "/"

    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        web = tmp.path() + "/web/";
        QDir().mkpath(web);
    }
    void File(const QString& rel, int size = 10)
    {
        WriteTestFile(web + rel, QByteArray(size, 'x'));
    }
    void Dir(const QString& rel) { ASSERT_TRUE(QDir().mkpath(web + rel)); }
};

} // namespace

TEST_F(ContentsSearchTest, NewSearchIsEmptyAndSetSearchStoresEverything)
{
    TContentsSearch s;
    EXPECT_TRUE(s.Mask().isEmpty());
    EXPECT_TRUE(s.StartFolder().isEmpty());
    EXPECT_FALSE(s.Recursive() || s.LowerCaseNames() || s.Cancelled() || s.IsBusy() ||
                 s.FindFolders());
    EXPECT_TRUE(s.FoundList().empty());

    s.SetSearch("*.htm", web, true, true);
    EXPECT_EQ(s.Mask(), "*.htm");
    EXPECT_EQ(s.StartFolder(), web);
    EXPECT_TRUE(s.LowerCaseNames());
    EXPECT_TRUE(s.Recursive());
    EXPECT_FALSE(s.SetFindFolders(true));
    EXPECT_TRUE(s.SetFindFolders(false));
    EXPECT_FALSE(s.FindFolders());
}

TEST_F(ContentsSearchTest, DepthFirstWithAFoldersMatchesBeforeItsSubFolders)
{
    File("b.htm");
    File("A.htm");
    File("notes.txt");
    File("sub1/c.htm");
    File("sub1/deeper/e.htm");
    File("sub2/d.html");
    Dir("sub3");

    TRecordingSearch s;
    s.SetSearch("*.htm", web, false, true);
    s.SetFindFolders(false);
    EXPECT_TRUE(s.Search());
    EXPECT_TRUE(s.busyWhileEntering);
    EXPECT_FALSE(s.IsBusy());
    EXPECT_EQ(s.calls,
              QStringList({"start", "enter " + web, "file " + web + "|A.htm",
                           "file " + web + "|b.htm", "enter " + web + "sub1/",
                           "file " + web + "sub1/|c.htm", "enter " + web + "sub1/deeper/",
                           "file " + web + "sub1/deeper/|e.htm", "enter " + web + "sub2/",
                           "file " + web + "sub2/|d.html", "enter " + web + "sub3/", "finish"}));
    // The default receivers keep what they get; clearing frees it.
    ASSERT_EQ(s.FoundList().size(), 5u);
    EXPECT_EQ(s.FoundList()[0]->FileName(), "A.htm");
    EXPECT_EQ(s.FoundList()[0]->Size(), 10);
    s.ClearFound();
    EXPECT_TRUE(s.FoundList().empty());
}

TEST_F(ContentsSearchTest, LowerCasesNamesButNeverThePath)
{
    Dir("Mixed Case");
    File("Mixed Case/INDEX.HTM");
    File("Mixed Case/Ärger.HTM");
    TRecordingSearch s;
    s.SetSearch("*.htm", web + "Mixed Case/", true, false);
    EXPECT_TRUE(s.Search());
    EXPECT_EQ(s.Only("file"), QStringList({"file " + web + "Mixed Case/|index.htm",
                                           "file " + web + "Mixed Case/|ärger.htm"}));
}

TEST_F(ContentsSearchTest, FolderModeReportsDotEntriesAndOnlyFolders)
{
    Dir("Pics");
    File("page.htm");
    TRecordingSearch s;
    s.SetSearch("*.*", web, false, false);
    s.SetFindFolders(true);
    EXPECT_TRUE(s.Search());
    EXPECT_EQ(s.Only("folder"), QStringList({"folder " + web + "|.", "folder " + web + "|..",
                                             "folder " + web + "|Pics"}));
    EXPECT_TRUE(s.Only("file").isEmpty());
    EXPECT_EQ(s.Only("enter"), QStringList({"enter " + web})); // not recursive
}

TEST_F(ContentsSearchTest, SearchAnyCountsAMatchOfTheKindNotReported)
{
    Dir("only-a-folder");
    TRecordingSearch s;
    s.SetSearch("*.*", web, false, false);
    s.SetFindFolders(false);
    EXPECT_TRUE(s.SearchAny());
    EXPECT_TRUE(s.Only("file").isEmpty());
    EXPECT_TRUE(s.FoundList().empty());
    EXPECT_EQ(s.calls.back(), "finish");
}

TEST_F(ContentsSearchTest, SearchAnyStopsAtTheFirstMatchAnywhere)
{
    File("a/one.htm");
    File("a/two.htm");
    File("b/three.htm");
    TRecordingSearch s;
    s.SetSearch("*.htm", web, false, true);
    EXPECT_TRUE(s.SearchAny());
    EXPECT_EQ(s.Only("file"), QStringList({"file " + web + "a/|one.htm"}));
    EXPECT_TRUE(s.Only("enter").filter("/b/").isEmpty());

    TRecordingSearch none;
    none.SetSearch("*.gif", web, false, true);
    EXPECT_FALSE(none.SearchAny());
}

TEST_F(ContentsSearchTest, MissingFolderOrNoMatchIsNoError)
{
    File("a.txt");
    TRecordingSearch s;
    s.SetSearch("*.htm", web + "absent/", false, true);
    EXPECT_FALSE(s.Search());
    s.SetSearch("*.htm", web, false, true);
    EXPECT_FALSE(s.Search());
    EXPECT_TRUE(s.FoundList().empty());
}

TEST_F(ContentsSearchTest, FolderWithoutTrailingSeparatorMatchesNamesInItsParent)
{
    Dir("site");
    Dir("siteextra");
    File("site/inside.htm");
    File("sitemap.htm");
    TRecordingSearch s;
    s.SetSearch("*.*", web + "site", false, false);
    s.SetFindFolders(true);
    EXPECT_TRUE(s.Search());
    EXPECT_EQ(s.Only("folder"),
              QStringList({"folder " + web + "site|site", "folder " + web + "site|siteextra"}));
    s.SetFindFolders(false);
    s.calls.clear();
    EXPECT_TRUE(s.Search());
    EXPECT_EQ(s.Only("file"), QStringList({"file " + web + "site|sitemap.htm"}));
}

TEST_F(ContentsSearchTest, CancelStopsTheWalkAndIsClearedByTheNextSearch)
{
    for (int i = 0; i < 5; ++i)
        File(QString("f%1.htm").arg(i));
    File("sub/g.htm");
    TRecordingSearch s;
    s.SetSearch("*.htm", web, false, true);
    s.cancelAfterIdles = 2;
    EXPECT_TRUE(s.Search());
    EXPECT_TRUE(s.Cancelled());
    EXPECT_EQ(s.Only("file").size(), 2);
    EXPECT_TRUE(s.Only("enter").filter("sub").isEmpty());

    s.calls.clear();
    s.cancelAfterIdles = -1;
    EXPECT_TRUE(s.Search());
    EXPECT_FALSE(s.Cancelled());
    EXPECT_EQ(s.Only("file").size(), 6);
}

TEST_F(ContentsSearchTest, CancelInsideASubFolderEndsTheWholeWalk)
{
    File("a/1.htm");
    File("a/2.htm");
    File("b/3.htm");
    TRecordingSearch s;
    s.SetSearch("*.htm", web, false, true);
    s.cancelAfterIdles = 3; // before "..", before "a", after a/1.htm
    s.Search();
    EXPECT_EQ(s.Only("file"), QStringList({"file " + web + "a/|1.htm"}));
}

TEST_F(ContentsSearchTest, ListSubFoldersGivesImmediateSubFoldersOnly)
{
    Dir("One/Inner");
    Dir("two");
    File("x.htm");
    TRecordingSearch s;
    s.SetSearch("*.*", web, true, false);
    EXPECT_TRUE(s.ListSubFolders(web, false));
    EXPECT_EQ(s.calls, QStringList({"sub " + web + "One/|one", "sub " + web + "two/|two"}));

    s.calls.clear();
    const QString noSep = web.chopped(1);
    EXPECT_TRUE(s.ListSubFolders(noSep, true));
    EXPECT_EQ(s.calls, QStringList({"sub " + web + "One/|one"}));

    EXPECT_FALSE(s.ListSubFolders(web + "two/", false));
    EXPECT_FALSE(s.ListSubFolders(web + "absent", false));
}

TEST_F(ContentsSearchTest, FoundFileSplitsItsSizeIntoWords)
{
    TDirEntry e;
    e.name = "Big.HTM";
    e.size = (qint64(1) << 32) + 5;
    TFoundFile f(e, true, "/w/");
    EXPECT_EQ(f.FileName(), "big.htm");
    EXPECT_EQ(f.SizeHigh(), 1u);
    EXPECT_EQ(f.SizeLow(), 5u);
    EXPECT_EQ(f.Path(), "/w/");
}

// A link back up the tree must not make the walk endless; every real folder is entered once.
TEST_F(ContentsSearchTest, SymbolicLinkToAParentEndsAndEntersEachFolderOnce)
{
    Dir("a/b");
    File("a/b/page.htm");
    ASSERT_EQ(::symlink("../..", QFile::encodeName(web + "a/b/loop").constData()), 0);
    ASSERT_EQ(::symlink(".", QFile::encodeName(web + "a/self").constData()), 0);

    TRecordingSearch s;
    s.SetSearch("*.*", web, true, true);
    s.SetFindFolders(true);
    EXPECT_TRUE(s.Search());
    EXPECT_EQ(s.Only("enter"),
              QStringList({"enter " + web, "enter " + web + "a/", "enter " + web + "a/b/"}));
    EXPECT_EQ(s.Only("file").size(), 0);

    // Another search on the same object walks again from scratch.
    s.calls.clear();
    EXPECT_TRUE(s.Search());
    EXPECT_EQ(s.Only("enter").size(), 3);
}

TEST_F(ContentsSearchTest, VeryDeepTreeIsWalkedToTheBottom)
{
    QString rel;
    for (int i = 0; i < 300; ++i)
        rel += "d/";
    Dir(rel);
    File(rel + "bottom.htm");
    TRecordingSearch s;
    s.SetSearch("*.htm", web, false, true);
    EXPECT_TRUE(s.Search());
    EXPECT_EQ(s.Only("file"), QStringList({"file " + web + rel + "|bottom.htm"}));
    EXPECT_EQ(s.Only("enter").size(), 301);
}

TEST_F(ContentsSearchTest, UnreadableFolderIsPassedOver)
{
    File("closed/secret.htm");
    File("open/visible.htm");
    const QByteArray closed = QFile::encodeName(web + "closed");
    ASSERT_EQ(::chmod(closed.constData(), 0), 0);

    // The walk as a user who cannot read the closed folder; 0 when it went as expected.
    auto walk = [&]() -> int {
        if (DIR* probe = ::opendir(closed.constData())) {
            ::closedir(probe);
            return 3;
        }
        TRecordingSearch s;
        s.SetSearch("*.htm", web, false, true);
        const bool ok = s.Search() &&
                        s.Only("file") == QStringList({"file " + web + "open/|visible.htm"}) &&
                        s.Only("enter").contains("enter " + web + "closed/");
        return ok ? 0 : 1;
    };

    int outcome;
    if (::geteuid() != 0) {
        outcome = walk();
    } else {
        // Root reads every folder: walk in a child that has given up root.
        ASSERT_EQ(::chmod(QFile::encodeName(tmp.path()).constData(), 0755), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(::setgid(65534) == 0 && ::setuid(65534) == 0 ? walk() : 2);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        outcome = WIFEXITED(status) ? WEXITSTATUS(status) : 4;
    }
    ::chmod(closed.constData(), 0755);
    if (outcome == 3 || outcome == 2)
        GTEST_SKIP() << "no user here is refused the folder";
    EXPECT_EQ(outcome, 0);
}

TEST_F(ContentsSearchTest, NameThatIsNotUtf8DoesNotStopTheWalk)
{
    const QByteArray raw = QFile::encodeName(web) + QByteArray("bad\xff\xfe");
    ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
    ASSERT_EQ(::mkdir((raw + "/inner").constData(), 0755), 0);
    File("zz/last.htm");

    TRecordingSearch s;
    s.SetSearch("*.*", web, false, true);
    s.SetFindFolders(true);
    EXPECT_TRUE(s.Search());
    const QStringList folders = s.Only("folder").filter(QRegularExpression("\\|[^.]"));
    EXPECT_TRUE(folders.filter("|bad").size() == 1) << folders.join("; ").toStdString();
    EXPECT_TRUE(folders.contains("folder " + web + "|zz"));
    EXPECT_TRUE(s.Only("enter").contains("enter " + web + "zz/"));
    ::rmdir((raw + "/inner").constData());
    ::rmdir(raw.constData());
}
