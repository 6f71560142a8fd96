#include "platform/TDirEnumerator.h"
#include "common/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
QStringList Names(const TDirEntries& entries)
{
    QStringList r;
    for (const auto& e : entries)
        r << e.name;
    return r;
}
} // namespace

TEST(TDirEnumeratorTest, DotEntriesFirstThenNamesIgnoringCase)
{
    QTemporaryDir tmp;
    WriteTestFile(tmp.path() + "/b.htm", "12345");
    WriteTestFile(tmp.path() + "/A.htm", "");
    WriteTestFile(tmp.path() + "/a.html", "");
    WriteTestFile(tmp.path() + "/c.txt", "");
    QDir().mkpath(tmp.path() + "/Sub");

    auto all = TDirEnumerator::List(tmp.path() + "/*.*");
    EXPECT_EQ(Names(all), (QStringList{".", "..", "A.htm", "a.html", "b.htm", "c.txt", "Sub"}));
    EXPECT_TRUE(all[0].isDirectory);
    EXPECT_TRUE(all.back().isDirectory);
    EXPECT_EQ(all[4].size, 5);
    EXPECT_GT(all[4].writeTime, 0);

    auto html = TDirEnumerator::List(tmp.path() + "/*.htm");
    EXPECT_EQ(Names(html), (QStringList{"A.htm", "a.html", "b.htm"}));
}

TEST(TDirEnumeratorTest, LongSharedBeginningsAndLettersBeyondAsciiSortIgnoringCase)
{
    // Differences past the first few characters, in case only, and beyond ASCII, each
    // ordered as the names' folded forms are, ties in code-unit order.
    const QStringList sorted = {"Chapter 0012 B.htm",  "chapter 0012 c.htm", "CHAPTER 0013.htm",
                                "Chapter 00130.htm",   "chapter 0013a.htm",  "\u00c9t\u00e9 A.htm",
                                "\u00e9t\u00e9 A.htm", "\u00e9t\u00e9 b.htm"};
    QTemporaryDir tmp;
    for (const QString& name : sorted)
        WriteTestFile(tmp.path() + "/" + name, "");
    EXPECT_EQ(Names(TDirEnumerator::List(tmp.path() + "/*.htm")), sorted);
}

TEST(TDirEnumeratorTest, FolderPartResolvesCaseAndMissingListsNothing)
{
    QTemporaryDir tmp;
    WriteTestFile(tmp.path() + "/Web/Index.htm", "");
    EXPECT_EQ(Names(TDirEnumerator::List(tmp.path() + "/WEB/*.htm")), QStringList{"Index.htm"});
    EXPECT_TRUE(TDirEnumerator::List(tmp.path() + "/none/*.*").empty());
    // No separator after the folder: names beginning with its last component are found
    // in its parent, as a find-first pattern would.
    EXPECT_EQ(Names(TDirEnumerator::List(tmp.path() + "/We*.*")), QStringList{"Web"});
}

TEST(TDirEnumeratorTest, NamesOnlyStillKnowsFolders)
{
    QTemporaryDir tmp;
    WriteTestFile(tmp.path() + "/f.htm", "abc");
    QDir().mkpath(tmp.path() + "/d");
    QFile::link(tmp.path() + "/d", tmp.path() + "/link");
    auto e = TDirEnumerator::List(tmp.path() + "/*.*", TDirEnumerator::NamesAndKinds);
    ASSERT_EQ(Names(e), (QStringList{".", "..", "d", "f.htm", "link"}));
    EXPECT_TRUE(e[2].isDirectory);
    EXPECT_FALSE(e[3].isDirectory);
    EXPECT_TRUE(e[4].isDirectory); // a link to a folder counts as a folder
}

TEST(TDirEnumeratorTest, IdentityIsSharedThroughLinks)
{
    QTemporaryDir tmp;
    QDir().mkpath(tmp.path() + "/real");
    QFile::link(tmp.path() + "/real", tmp.path() + "/alias");
    quint64 d1 = 0, i1 = 0, d2 = 0, i2 = 0;
    ASSERT_TRUE(TDirEnumerator::Identity(tmp.path() + "/real", &d1, &i1));
    ASSERT_TRUE(TDirEnumerator::Identity(tmp.path() + "/alias/", &d2, &i2));
    EXPECT_EQ(d1, d2);
    EXPECT_EQ(i1, i2);
    EXPECT_FALSE(TDirEnumerator::Identity(tmp.path() + "/none", &d1, &i1));
}
