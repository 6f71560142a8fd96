// The index and its queries over a small web on disc.
#include "search/TSearchIndex.h"
#include "common/TestSupport.h"
#include "search/TSearchQuery.h"
#include "search/TWebIndexer.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

class TSearchIndexTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_web = m_dir.path() + "/web/";
        Write("intro.htm", "<title>Welcome</title><p>The Harbour café opens at dawn.");
        Write("Town/market.html", "<h1>Market day</h1><p>Red apple and green pear.");
        Write("Town/Old/Deep/Deeper/well.htm", "<p>An old WELL of stone; apple red as rust.");
        Write("Town/latin.htm", "<title>Menu</title><p>Caf\xe9 cr\xe8me, na\xefve pr\xeate.");
        Write("Town/notes.txt", "apple apple apple");
        ASSERT_TRUE(m_index.Open(m_dir.path() + "/cache.idx"));
        Index();
    }
    void Write(const QString& relative, const QByteArray& bytes)
    {
        WriteTestFile(m_web + relative, bytes);
    }
    qint64 Index()
    {
        TWebIndexer indexer(m_index, m_web);
        indexer.Run();
        m_removed = indexer.Removed();
        return indexer.Total();
    }
    QStringList Paths(const QString& typed)
    {
        QStringList paths;
        for (const TSearchHit& hit : m_index.Query(typed))
            paths.append(hit.Path());
        paths.sort();
        return paths;
    }

    QTemporaryDir m_dir;
    QString m_web;
    TSearchIndex m_index;
    qint64 m_removed = 0;
};

TEST(TSearchQueryTest, TermsAndPhrases)
{
    EXPECT_EQ(TSearchQuery::Terms(" red  apple "), QStringList({"red", "apple"}));
    EXPECT_EQ(TSearchQuery::Terms("\"red apple\" pear"), QStringList({"red apple", "pear"}));
    EXPECT_EQ(TSearchQuery::Terms("\"unclosed phrase"), QStringList({"unclosed phrase"}));
    EXPECT_EQ(TSearchQuery::Terms("* - \"\" ()"), QStringList());
    EXPECT_EQ(TSearchQuery::MatchExpression({"a\"b", "OR"}), "\"a\"\"b\" \"OR\"");
}

TEST_F(TSearchIndexTest, FindsWordsAtEveryDepthIgnoringCaseAndAccents)
{
    EXPECT_EQ(Paths("apple"), QStringList({"Town/Old/Deep/Deeper/well.htm", "Town/market.html"}));
    EXPECT_EQ(Paths("well"), QStringList({"Town/Old/Deep/Deeper/well.htm"}));
    EXPECT_EQ(Paths("HARBOUR"), QStringList({"intro.htm"}));
    EXPECT_EQ(Paths("cafe"), QStringList({"Town/latin.htm", "intro.htm"}));
    EXPECT_EQ(Paths("CAFÉ Crème"), QStringList({"Town/latin.htm"}));
    EXPECT_EQ(Paths("naive prete"), QStringList({"Town/latin.htm"}));
    EXPECT_EQ(Paths("apple pear"), QStringList({"Town/market.html"})) << "every word required";
    EXPECT_EQ(Paths("\"red apple\""), QStringList({"Town/market.html"})) << "a phrase in order";
    EXPECT_EQ(Paths("nowhere"), QStringList());
    EXPECT_EQ(Paths("AND OR NOT \"*"), QStringList()) << "operators are plain words";
}

TEST_F(TSearchIndexTest, HitsCarryTitleFolderAndMarkedPassage)
{
    const TSearchHits hits = m_index.Query("pear");
    ASSERT_EQ(hits.size(), 1);
    EXPECT_EQ(hits[0].title, "Market day");
    EXPECT_EQ(hits[0].folder, "Town/");
    EXPECT_TRUE(
        hits[0].passage.contains(QString(TSearchHit::MarkStart) + "pear" + TSearchHit::MarkEnd));
    EXPECT_EQ(m_index.Query("stone")[0].title, "well.htm");
    EXPECT_EQ(m_index.Query("dawn")[0].title, "Welcome");
    // A word in the title ranks that page first.
    Write("Town/apples.htm", "<title>Apple</title><p>apple");
    Index();
    EXPECT_EQ(m_index.Query("apple")[0].name, "apples.htm");
}

TEST_F(TSearchIndexTest, NothingChangedReadsNothing)
{
    EXPECT_EQ(m_index.Count(), 4);
    EXPECT_EQ(Index(), 0);
    EXPECT_EQ(m_removed, 0);
}

TEST_F(TSearchIndexTest, FollowsEditsAdditionsAndRemovals)
{
    Write("Town/market.html", "<h1>Market day</h1><p>Plums only.");
    QFile(m_web + "Town/market.html")
        .setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    Write("Town/New/added.htm", "<p>fresh plums");
    ASSERT_TRUE(QFile::remove(m_web + "intro.htm"));
    ASSERT_TRUE(QDir(m_web + "Town/Old").removeRecursively());
    EXPECT_EQ(Index(), 2);
    EXPECT_EQ(m_removed, 2);
    EXPECT_EQ(Paths("plums"), QStringList({"Town/New/added.htm", "Town/market.html"}));
    EXPECT_EQ(Paths("apple"), QStringList());
    EXPECT_EQ(Paths("harbour"), QStringList());
    EXPECT_EQ(m_index.Count(), 3);
}

TEST_F(TSearchIndexTest, UnreadableDocumentsAndFoldersAreLeftOut)
{
    // A dangling link and a named pipe are no documents: neither is read, nothing hangs.
    ASSERT_TRUE(QFile::link(m_web + "missing.htm", m_web + "Town/dangling.htm"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(m_web + "Town/pipe.htm").constData(), 0644), 0);
    Index();
    EXPECT_EQ(m_index.Count(), 4);
    Write("Locked/secret.htm", "<p>hidden");
    Write("Town/locked.htm", "<p>hidden");
    QFile::setPermissions(m_web + "Locked", QFileDevice::Permissions());
    QFile::setPermissions(m_web + "Town/locked.htm", QFileDevice::Permissions());
    const bool readsAll = QFile(m_web + "Town/locked.htm").open(QIODevice::ReadOnly);
    if (!readsAll) {
        Index();
        EXPECT_EQ(Paths("hidden"), QStringList());
        EXPECT_EQ(Paths("apple").size(), 2);
    }
    QFile::setPermissions(m_web + "Locked",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(TSearchIndexTest, ADamagedOrForeignFileIsBuiltAfresh)
{
    const QString garbage = m_dir.path() + "/garbage.idx";
    WriteTestFile(garbage, QByteArray(8192, 'x'));
    TSearchIndex index;
    ASSERT_TRUE(index.Open(garbage));
    EXPECT_EQ(index.Count(), 0);
    TWebIndexer(index, m_web).Run();
    EXPECT_EQ(index.Query("apple").size(), 2);
    index.Close();

    // Another program's database is not trusted either.
    const QString foreign = m_dir.path() + "/foreign.idx";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(foreign).constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE documents(x); INSERT INTO documents VALUES(1);", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_TRUE(index.Open(foreign));
    EXPECT_EQ(index.Count(), 0);
    index.Close();

    // A read-only index that is damaged is refused, never removed.
    EXPECT_FALSE(index.Open(garbage + "-none", true));
    WriteTestFile(garbage, QByteArray(8192, 'x'));
    EXPECT_FALSE(index.Open(garbage, true));
    EXPECT_TRUE(QFile::exists(garbage));
}

TEST_F(TSearchIndexTest, AReadyIndexIsCurrentUntilTheWebChanges)
{
    QString error;
    ASSERT_TRUE(TWebIndexer::WriteReadyIndex(m_web, &error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(m_web + "zelmora.idx.tmp"));
    TSearchIndex ready;
    ASSERT_TRUE(ready.Open(m_web + "zelmora.idx", true));
    TWebIndexer check(ready, m_web);
    check.Scan(nullptr, false);
    EXPECT_TRUE(check.Current());
    EXPECT_EQ(ready.Query("apple").size(), 2);
    Write("Town/added.htm", "<p>new");
    check.Scan(nullptr, false);
    EXPECT_FALSE(check.Current());
    EXPECT_EQ(ready.Count(), 4) << "a read-only index is never changed";
}

// A walk with a limit is the cheap test of a small web: past the limit of documents or of
// folders it stops where it is and leaves the index as it was.
TEST(TWebIndexerLimit, AWalkPastItsLimitStopsThereAndChangesNothing)
{
    QTemporaryDir dir;
    const QString web = dir.path() + "/web/";
    WriteTestFile(web + "index.htm", "<p>start");
    for (int i = 0; i < 5; ++i)
        WriteTestFile(web + QString("A/a%1.htm").arg(i), "<p>apple");
    for (int i = 1; i <= 6; ++i)
        ASSERT_TRUE(QDir().mkpath(web + QString("B/%1").arg(i)));
    TSearchIndex index;
    ASSERT_TRUE(index.Open(dir.path() + "/cache.idx"));
    TWebIndexer(index, web).Run();
    ASSERT_EQ(index.Count(), 6);
    QFile::remove(web + "index.htm"); // seen gone in the first folder the walk enters

    // The web now: 9 folders, 5 documents, all in A (entered second).
    const struct
    {
        qint64 limit;
        bool gaveUp;
        qint64 entered;
    } cases[] = {{4, true, 2}, {6, true, 7}, {9, false, 9}};
    for (const auto& c : cases) {
        TWebIndexer walk(index, web);
        walk.SetWalkLimit(c.limit);
        walk.Scan();
        EXPECT_EQ(walk.GaveUp(), c.gaveUp) << c.limit;
        EXPECT_EQ(walk.Entered(), c.entered) << c.limit;
        EXPECT_FALSE(walk.Current()) << c.limit;
        if (c.gaveUp) {
            EXPECT_EQ(walk.Total(), 0);
            EXPECT_EQ(index.Count(), 6) << "a walk given up removes nothing";
        }
    }
    EXPECT_EQ(index.Count(), 5) << "a walk within its limit does its work";
}

} // namespace
