#include "platform/TPath.h"
#include "common/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(TPathTest, ResolvesLetterCaseComponentByComponent)
{
    QTemporaryDir tmp;
    const QString root = tmp.path();
    WriteTestFile(root + "/Webs/Book/Index.HTM", "x");
    EXPECT_EQ(TPath::Resolve(root + "/webs/book/index.htm"), root + "/Webs/Book/Index.HTM");
    EXPECT_TRUE(TPath::FileExists(root + "/WEBS/BOOK/INDEX.htm"));
    EXPECT_TRUE(TPath::DirectoryExists(root + "/webs/BOOK/"));
    EXPECT_FALSE(TPath::FileExists(root + "/webs/book"));
    EXPECT_FALSE(TPath::DirectoryExists(root + "/webs/book/index.htm"));
    // Backslashes from kits written for the original desktop are separators.
    EXPECT_TRUE(TPath::FileExists(root + "\\webs\\book\\index.htm"));
    // Nothing matches: the path comes back unchanged.
    EXPECT_EQ(TPath::Resolve(root + "/webs/none.htm"), root + "/webs/none.htm");
    EXPECT_FALSE(TPath::Exists(QString()));
}

TEST(TPathTest, ExactMatchWinsOverCaseVariants)
{
    QTemporaryDir tmp;
    WriteTestFile(tmp.path() + "/page.htm", "lower");
    WriteTestFile(tmp.path() + "/Page.htm", "upper");
    EXPECT_EQ(TPath::Resolve(tmp.path() + "/Page.htm"), tmp.path() + "/Page.htm");
    EXPECT_EQ(TPath::Resolve(tmp.path() + "/page.htm"), tmp.path() + "/page.htm");
    // Neither spelled this way: the first in name order (ties in byte order) is taken.
    EXPECT_EQ(TPath::Resolve(tmp.path() + "/PAGE.htm"), tmp.path() + "/Page.htm");
}

TEST(TPathTest, NamePartsAndExtensions)
{
    EXPECT_EQ(TPath::ChangeExtension("/opt/kit/zelmora", ".INI"), "/opt/kit/zelmora.INI");
    EXPECT_EQ(TPath::ChangeExtension("/opt/kit/zelmora.exe", ".STA"), "/opt/kit/zelmora.STA");
    EXPECT_EQ(TPath::ChangeExtension("/opt/k.it/zelmora", ".STA"), "/opt/k.it/zelmora.STA");
    EXPECT_EQ(TPath::ExtractFilePath("/a/b/c.htm"), "/a/b/");
    EXPECT_EQ(TPath::ExtractFilePath("C:\\Webs\\Book\\index.htm"), "C:\\Webs\\Book\\");
    EXPECT_EQ(TPath::ExtractFilePath("index.htm"), "");
    EXPECT_EQ(TPath::ExtractFileName("/a/b/c.htm"), "c.htm");
    EXPECT_EQ(TPath::ExtractFileExt("/a/b.x/report.final.HTML"), ".HTML");
    EXPECT_EQ(TPath::ExtractFileExt("/a/b.x/readme"), "");
    EXPECT_EQ(TPath::StripTrailingSeparators("/a/b/\\/"), "/a/b");
    EXPECT_EQ(TPath::StripTrailingSeparators("///"), "");
    EXPECT_EQ(TPath::WithTrailingSeparator("/a/b"), "/a/b/");
    EXPECT_EQ(TPath::FromNative("READERBASE\\webs\\book\\"), "READERBASE/webs/book/");
}

TEST(TPathTest, ExecutableOverrideGivesProgramDirectory)
{
    TPath::SetExecutablePathOverride("/kits/demo/zelmora");
    EXPECT_EQ(TPath::ExecutablePath(), "/kits/demo/zelmora");
    EXPECT_EQ(TPath::ProgramDirectory(), "/kits/demo/");
    TPath::SetExecutablePathOverride(QString());
    EXPECT_TRUE(TPath::ProgramDirectory().endsWith('/'));
    EXPECT_TRUE(TPath::FileExists(TPath::ExecutablePath()));
}

TEST(TPathTest, AtomicWriteReplacesOrKeepsTheOldFile)
{
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/look.sta";
    WriteTestFile(file, "old");
    EXPECT_TRUE(TPath::WriteFileAtomically(file, "new contents"));
    EXPECT_EQ(ReadTestFile(file), "new contents");
    // A folder where the file should be: nothing can replace it, and nothing is lost.
    QDir().mkpath(tmp.path() + "/folder.sta");
    EXPECT_FALSE(TPath::WriteFileAtomically(tmp.path() + "/folder.sta", "x"));
    EXPECT_TRUE(QFileInfo(tmp.path() + "/folder.sta").isDir());
    // A missing folder.
    EXPECT_FALSE(TPath::WriteFileAtomically(tmp.path() + "/missing/look.sta", "x"));
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"look.sta"});
    // A read-only file stays, for every user.
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_FALSE(TPath::WriteFileAtomically(file, "replaced"));
    EXPECT_EQ(ReadTestFile(file), "new contents");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files), QStringList{"look.sta"});
}

TEST(TPathTest, CreateEmptyFileKeepsExistingContent)
{
    QTemporaryDir tmp;
    EXPECT_TRUE(TPath::CreateEmptyFile(tmp.path() + "/new.sta"));
    EXPECT_EQ(QFileInfo(tmp.path() + "/new.sta").size(), 0);
    WriteTestFile(tmp.path() + "/old.sta", "[Panel]\r\n");
    EXPECT_TRUE(TPath::CreateEmptyFile(tmp.path() + "/OLD.sta"));
    EXPECT_EQ(ReadTestFile(tmp.path() + "/old.sta"), "[Panel]\r\n");
    EXPECT_FALSE(TPath::CreateEmptyFile(tmp.path() + "/no/such/folder.sta"));
}
