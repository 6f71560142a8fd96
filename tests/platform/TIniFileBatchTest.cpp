#include "common/TestSupport.h"
#include "platform/TIniFile.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

class TIniFileBatchTest : public ::testing::Test
{
protected:
    QString Path() const { return m_dir.filePath("batch.ini"); }

    static ino_t Inode(const QString& path)
    {
        struct stat st
        {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(TIniFileBatchTest, WritesGoToACopyUntilTheBatchEndsThenReplaceTheFileOnce)
{
    const QByteArray original = "; kept\r\n[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n";
    WriteTestFile(Path(), original);
    const ino_t before = Inode(Path());
    TIniFile ini(Path());

    ini.BeginUpdate();
    EXPECT_TRUE(ini.WriteString("a", "x", "10"));
    EXPECT_TRUE(ini.WriteInteger("a", "z", 3));
    ini.BeginUpdate(); // nested: only the outermost end writes
    EXPECT_TRUE(ini.WriteString("c", "w", "new"));
    EXPECT_TRUE(ini.EndUpdate());
    // Reads see the batch; the disk does not yet.
    EXPECT_EQ(ini.ReadString("a", "x", "?"), "10");
    EXPECT_EQ(ini.ReadInteger("c", "w", 7), 7);
    EXPECT_TRUE(ini.ValueExists("a", "z"));
    EXPECT_EQ(ReadTestFile(Path()), original);
    EXPECT_EQ(Inode(Path()), before);
    EXPECT_TRUE(ini.EndUpdate());

    const QByteArray expected =
        "; kept\r\n[a]\r\nx=10\r\nz=3\r\n\r\n[b]\r\ny=2\r\n[c]\r\nw=new\r\n";
    EXPECT_EQ(ReadTestFile(Path()), expected);
    // The same bytes as key-by-key writes give.
    WriteTestFile(m_dir.filePath("single.ini"), original);
    TIniFile single(m_dir.filePath("single.ini"));
    single.WriteString("a", "x", "10");
    single.WriteInteger("a", "z", 3);
    single.WriteString("c", "w", "new");
    EXPECT_EQ(ReadTestFile(m_dir.filePath("single.ini")), expected);
}

TEST_F(TIniFileBatchTest, UnchangedOrCancelledBatchLeavesTheFileAlone)
{
    const QByteArray original = "[a]\nx=1\n";
    WriteTestFile(Path(), original);
    const ino_t before = Inode(Path());
    TIniFile ini(Path());

    ini.BeginUpdate();
    EXPECT_TRUE(ini.WriteString("a", "x", "1"));
    EXPECT_TRUE(ini.EndUpdate());
    EXPECT_EQ(Inode(Path()), before);

    ini.BeginUpdate();
    EXPECT_TRUE(ini.WriteString("a", "x", "2"));
    ini.CancelUpdate();
    EXPECT_TRUE(ini.EndUpdate());
    EXPECT_EQ(ReadTestFile(Path()), original);
    EXPECT_EQ(ini.ReadString("a", "x", "?"), "1");

    // A batch left open when the object goes commits what it wrote.
    {
        TIniFile open(Path());
        open.BeginUpdate();
        open.WriteString("a", "x", "3");
    }
    EXPECT_EQ(ReadTestFile(Path()), "[a]\nx=3\n");
}

TEST_F(TIniFileBatchTest, WritesFailAsTheyWouldAloneAndAFailedReplaceKeepsTheFile)
{
    TIniFile missing(m_dir.filePath("missing.ini"));
    missing.BeginUpdate();
    EXPECT_FALSE(missing.WriteString("a", "x", "1"));
    EXPECT_EQ(missing.ReadString("a", "x", "def"), "def");
    EXPECT_TRUE(missing.EndUpdate());
    EXPECT_FALSE(QFile::exists(m_dir.filePath("missing.ini")));

    const QByteArray original = "[a]\r\nx=1\r\n";
    WriteTestFile(Path(), original);
    TIniFile ini(Path());
    ini.BeginUpdate();
    EXPECT_FALSE(ini.WriteString("a", "bad", "two\nlines"));
    EXPECT_TRUE(ini.WriteString("a", "x", "a value long enough to pass the size limit"));

    // A full disk: the one replace fails and the old file stays.
    struct rlimit saved
    {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = rlim_t(original.size());
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool ended = ini.EndUpdate();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(ended);
    EXPECT_FALSE(ini.InUpdate());
    EXPECT_EQ(ReadTestFile(Path()), original);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{"batch.ini"});
}
