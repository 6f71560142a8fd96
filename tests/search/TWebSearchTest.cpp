// The search on its worker thread: which index it uses and how it recovers.
#include "search/TWebSearch.h"
#include "common/TestSupport.h"
#include "search/TWebIndexer.h"
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TWebSearchTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_web = m_dir.path() + "/web/";
        m_cache = m_dir.path() + "/cache";
        for (int i = 0; i < 30; ++i)
            WriteTestFile(m_web + QString("F%1/p%2.htm").arg(i % 4).arg(i),
                          "<p>page " + QByteArray::number(i) + " apple");
    }
    // Sets the web, brings the index up to date and answers the query.
    TSearchHits UpdateAndQuery(TWebSearch& search, const QString& cache, const QString& typed)
    {
        QSignalSpy updated(&search, &TWebSearch::Updated);
        QSignalSpy answer(&search, &TWebSearch::Answer);
        search.SetWeb(m_web, cache);
        search.Update();
        EXPECT_TRUE(updated.wait(20000));
        search.Query(typed);
        EXPECT_TRUE(answer.wait(20000));
        return answer.isEmpty() ? TSearchHits() : answer.takeFirst().at(1).value<TSearchHits>();
    }
    QStringList CacheFiles() const
    {
        return QDir(m_cache + "/search").entryList({"*.idx"}, QDir::Files);
    }

    QTemporaryDir m_dir;
    QString m_web, m_cache;
};

TEST_F(TWebSearchTest, IndexesInTheCacheAndReportsProgress)
{
    TWebSearch search;
    QSignalSpy progress(&search, &TWebSearch::Progress);
    EXPECT_EQ(UpdateAndQuery(search, m_cache, "apple").size(), 30);
    EXPECT_EQ(CacheFiles().size(), 1);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.last().at(0).toLongLong(), 30);
    EXPECT_EQ(progress.last().at(1).toLongLong(), 30);
    EXPECT_EQ(TWebSearch::ProgressText(12000, 100000), "Indexing 12 000 of 100 000 documents");
    EXPECT_EQ(TWebSearch::ProgressText(7, 999), "Indexing 7 of 999 documents");
}

TEST_F(TWebSearchTest, ADamagedCacheIsRebuilt)
{
    {
        TWebSearch search;
        UpdateAndQuery(search, m_cache, "apple");
    }
    ASSERT_EQ(CacheFiles().size(), 1);
    const QString file = m_cache + "/search/" + CacheFiles()[0];
    QByteArray bytes = ReadTestFile(file);
    ASSERT_GT(bytes.size(), 4096);
    for (qsizetype i = 100; i < bytes.size(); ++i)
        bytes[i] = char(i * 7);
    WriteTestFile(file, bytes);
    TWebSearch search;
    EXPECT_EQ(UpdateAndQuery(search, m_cache, "apple").size(), 30);
}

TEST_F(TWebSearchTest, AnUnwritableCacheKeepsTheIndexInMemory)
{
    WriteTestFile(m_dir.path() + "/plainfile", "x");
    TWebSearch search;
    QSignalSpy note(&search, &TWebSearch::Note);
    EXPECT_EQ(UpdateAndQuery(search, m_dir.path() + "/plainfile/cache", "apple").size(), 30);
    ASSERT_EQ(note.size(), 1);
    EXPECT_TRUE(note[0][0].toString().contains("memory"));
}

TEST_F(TWebSearchTest, AReadyIndexBesideTheWebIsUsedWhileCurrent)
{
    QString error;
    ASSERT_TRUE(TWebIndexer::WriteReadyIndex(m_web, &error));
    {
        TWebSearch search;
        EXPECT_EQ(UpdateAndQuery(search, m_cache, "apple").size(), 30);
        EXPECT_TRUE(CacheFiles().isEmpty()) << "nothing built when the web carries its index";
    }
    WriteTestFile(m_web + "F1/late.htm", "<p>late apple");
    TWebSearch search;
    EXPECT_EQ(UpdateAndQuery(search, m_cache, "apple").size(), 31);
    EXPECT_EQ(CacheFiles().size(), 1);
}

// Before anyone searches: a small web is indexed saying nothing, a larger one is left for
// the first search; an index made quietly, in memory too, serves that search unread again.
TEST_F(TWebSearchTest, AQuietUpdateIndexesOnlyASmallWebAndSaysNothing)
{
    WriteTestFile(m_dir.path() + "/plainfile", "x");
    const struct
    {
        qint64 limit;
        QString cache;
        int hits;      // answered after the quiet update
        qint64 reread; // documents the search's own update then reads
    } cases[] = {{30, m_cache + "/a", 30, 0},
                 {29, m_cache + "/b", 0, 30},
                 {30, m_dir.path() + "/plainfile/cache", 30, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cache.toStdString());
        TWebSearch search;
        QSignalSpy progress(&search, &TWebSearch::Progress);
        QSignalSpy note(&search, &TWebSearch::Note);
        QSignalSpy updated(&search, &TWebSearch::Updated);
        QSignalSpy answer(&search, &TWebSearch::Answer);
        search.SetWeb(m_web, c.cache);
        search.UpdateIfSmall(c.limit);
        EXPECT_TRUE(search.Quiet());
        ASSERT_TRUE(updated.wait(20000));
        EXPECT_TRUE(progress.isEmpty());
        EXPECT_TRUE(note.isEmpty());
        search.Query("apple");
        ASSERT_TRUE(answer.wait(20000));
        EXPECT_EQ(answer.takeFirst().at(1).value<TSearchHits>().size(), c.hits);

        // The same web again keeps its index; the reader's update says what was held back.
        search.SetWeb(m_web, c.cache);
        search.Update();
        ASSERT_TRUE(updated.wait(20000));
        ASSERT_FALSE(progress.isEmpty());
        EXPECT_EQ(progress.last().at(1).toLongLong(), c.reread);
        EXPECT_EQ(note.size(), c.cache.contains("plainfile") ? 1 : 0);
    }
}

// The reader searches while the quiet update goes on (or has just given up): the search
// takes it over, reports its progress and ends once, the whole web indexed.
TEST_F(TWebSearchTest, ASearchTakesOverAQuietUpdate)
{
    for (const qint64 limit : {30, 10}) {
        TWebSearch search;
        QSignalSpy progress(&search, &TWebSearch::Progress);
        QSignalSpy updated(&search, &TWebSearch::Updated);
        QSignalSpy answer(&search, &TWebSearch::Answer);
        search.SetWeb(m_web, m_cache + QString::number(limit));
        search.UpdateIfSmall(limit);
        search.Update();
        EXPECT_FALSE(search.Quiet());
        ASSERT_TRUE(updated.wait(20000)) << limit;
        search.Query("apple");
        ASSERT_TRUE(answer.wait(20000));
        EXPECT_EQ(updated.size(), 1) << limit;
        EXPECT_EQ(answer.takeFirst().at(1).value<TSearchHits>().size(), 30) << limit;
        ASSERT_FALSE(progress.isEmpty()) << limit;
        EXPECT_EQ(progress.last().at(0).toLongLong(), 30) << limit;
    }
}

} // namespace
