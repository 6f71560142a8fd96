#include "common/TestSupport.h"
#include "platform/TFileLock.h"
#include "platform/TIniFile.h"
#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr int kKeys = 1000;

QProcess* StartWriter(const QString& file, const QString& prefix)
{
    auto* child = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEL_INI_CHILD", file);
    env.insert("ZEL_INI_PREFIX", prefix);
    child->setProcessEnvironment(env);
    child->setProcessChannelMode(QProcess::MergedChannels);
    child->start(QCoreApplication::applicationFilePath(),
                 {"--gtest_filter=TIniFileLockTest.WriterChild"});
    return child;
}

} // namespace

// The child half of the test below: one writer, a new ini-file object for every key, as
// the writer page writes.
TEST(TIniFileLockTest, WriterChild)
{
    const QString file = qEnvironmentVariable("ZEL_INI_CHILD");
    if (file.isEmpty())
        GTEST_SKIP() << "runs only as a child of TwoProcessesWritingOneFileLoseNoKey";
    const QString prefix = qEnvironmentVariable("ZEL_INI_PREFIX");
    int failed = 0;
    for (int i = 0; i < kKeys; ++i) {
        TIniFile ini(file);
        failed += ini.WriteInteger("Keys", prefix + QString::number(i), i) ? 0 : 1;
    }
    EXPECT_EQ(failed, 0);
}

TEST(TIniFileLockTest, TwoProcessesWritingOneFileLoseNoKey)
{
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/shared.ini";
    WriteTestFile(file, "; both write here\r\n[Keys]\r\n");
    QProcess* a = StartWriter(file, "A");
    QProcess* b = StartWriter(file, "B");
    for (QProcess* child : {a, b}) {
        const bool ended = child->waitForFinished(240000);
        if (!ended)
            child->kill();
        const QByteArray output = child->readAll();
        EXPECT_TRUE(ended);
        EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
        delete child;
    }
    const TIniFile ini(file);
    int lost = 0;
    for (const QString prefix : {"A", "B"})
        for (int i = 0; i < kKeys; ++i)
            lost += ini.ReadInteger("Keys", prefix + QString::number(i), -1) == i ? 0 : 1;
    EXPECT_EQ(lost, 0);
}

TEST(TIniFileLockTest, AWriteThatCannotTakeTheLockFailsAndChangesNothing)
{
    QTemporaryDir tmp;
    const QString file = tmp.path() + "/zelmora.INI";
    const QByteArray original = "[StartUp]\r\nStartUpMode=1\r\n";
    WriteTestFile(file, original);
    TFileLock::SetDefaultWait(50);
    {
        const TFileLock other(file); // another writer, in the middle of its write
        ASSERT_TRUE(other.IsLocked());
        TIniFile ini(file);
        EXPECT_FALSE(ini.WriteInteger("StartUp", "StartUpMode", 2));
        ini.BeginUpdate();
        EXPECT_EQ(ini.ReadInteger("StartUp", "StartUpMode", 0), 1); // reading needs no lock
        EXPECT_FALSE(ini.WriteInteger("StartUp", "StartUpMode", 2));
        ini.EndUpdate();
    }
    TFileLock::SetDefaultWait(-1);
    EXPECT_EQ(ReadTestFile(file), original);
    // Once the other writer is done, writing works again.
    TIniFile ini(file);
    EXPECT_TRUE(ini.WriteInteger("StartUp", "StartUpMode", 2));
    EXPECT_EQ(ini.ReadInteger("StartUp", "StartUpMode", 0), 2);
}
