#include "browse/TFolderTests.h"
#include "common/TestSupport.h"
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(FolderTests, DriveIsTheRootOfAnAbsolutePath)
{
    EXPECT_TRUE(DriveExists("/"));
    EXPECT_TRUE(DriveExists("/no/such/place"));
    EXPECT_FALSE(DriveExists(""));
    EXPECT_FALSE(DriveExists("relative/path"));
    EXPECT_FALSE(DriveExists("C:\\"));
    EXPECT_FALSE(DriveExists("c:\\webs"));
    EXPECT_FALSE(DriveExists("\\\\server\\share"));
}

TEST(FolderTests, RootAndSeparatorOnlyPaths)
{
    EXPECT_TRUE(FolderExists("/"));
    EXPECT_FALSE(WebFolderExists("/"));
    EXPECT_FALSE(FolderExists("///"));
    EXPECT_FALSE(WebFolderExists("///"));
    for (const QString& empty : {QString(), QString("")}) {
        EXPECT_FALSE(DriveExists(empty));
        EXPECT_FALSE(FolderExists(empty));
        EXPECT_FALSE(WebFolderExists(empty));
    }
}

TEST(FolderTests, FoldersFilesAndMissingPaths)
{
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString web = tmp.path() + "/My Web";
    ASSERT_TRUE(QDir().mkpath(web));
    WriteTestFile(tmp.path() + "/page.htm", "x");

    EXPECT_TRUE(FolderExists(web));
    EXPECT_TRUE(FolderExists(web + "/"));
    EXPECT_TRUE(FolderExists(web + "\\"));
    EXPECT_FALSE(FolderExists(web + "//")); // one separator too many names no entry
    EXPECT_TRUE(WebFolderExists(web + "//"));
    EXPECT_TRUE(WebFolderExists(web + "/\\"));
    EXPECT_TRUE(WebFolderExists(tmp.path() + "/my web/")); // letter case resolved

    EXPECT_FALSE(FolderExists(tmp.path() + "/page.htm"));
    EXPECT_FALSE(WebFolderExists(tmp.path() + "/page.htm/"));
    EXPECT_FALSE(WebFolderExists(tmp.path() + "/absent/"));
    EXPECT_FALSE(WebFolderExists("My Web/"));
    EXPECT_FALSE(WebFolderExists("C:\\"));
}
