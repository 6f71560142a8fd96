#include "platform/TLauncher.h"
#include "common/TestSupport.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <sys/stat.h>

TEST(TLauncherTest, ParametersSplitLikeACommandLine)
{
    EXPECT_EQ(TLauncher::SplitParameters("a b"), (QStringList{"a", "b"}));
    EXPECT_EQ(TLauncher::SplitParameters("  a   \"b c\" d"), (QStringList{"a", "b c", "d"}));
    EXPECT_EQ(TLauncher::SplitParameters("\"\""), QStringList{""});
    EXPECT_EQ(TLauncher::SplitParameters("x;rm -rf /"), (QStringList{"x;rm", "-rf", "/"}));
    EXPECT_TRUE(TLauncher::SplitParameters("").isEmpty());
}

TEST(TLauncherTest, RequestsReachTheHookWithoutAShell)
{
    TLaunchCapture capture;
    TLauncher::PlaySound("/m/theme.wav");
    TLauncher::StartProgram("/opt/x/tool.exe", {"a", "b; echo hi"});
    TLauncher::OpenInMediaPlayer("/m/clip $(x).avi");
    ASSERT_EQ(capture.Requests().size(), 3u);
    EXPECT_EQ(capture.Requests()[0].kind, TLaunchRequest::Sound);
    EXPECT_EQ(capture.Requests()[1].arguments, (QStringList{"a", "b; echo hi"}));
    EXPECT_EQ(capture.Requests()[2].kind, TLaunchRequest::MediaPlayer);
    EXPECT_EQ(capture.Requests()[2].program, "xdg-open");
    EXPECT_EQ(capture.Requests()[2].arguments, QStringList{"/m/clip $(x).avi"});
}

namespace {

// A folder on a mount without execution that this process may write, or "".
QString WritableNoExecFolder()
{
    QFile info("/proc/self/mountinfo");
    if (!info.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : info.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 6 || !fields[5].split(',').contains("noexec"))
            continue;
        const QString mountPoint = QFile::decodeName(fields[4]);
        QTemporaryDir probe(mountPoint + "/zelXXXXXX");
        if (probe.isValid())
            return mountPoint;
    }
    return {};
}

} // namespace

TEST(TLauncherTest, OnlyRegularProgramsInsideTrustedFoldersStart)
{
    QTemporaryDir tmp;
    const QString web = tmp.path() + "/web", kit = tmp.path() + "/kit";
    WriteTestFile(web + "/tool.exe", "#!/bin/sh\n");
    WriteTestFile(web + "/Sub/Other.EXE", "#!/bin/sh\n");
    WriteTestFile(kit + "/helper.exe", "#!/bin/sh\n");
    WriteTestFile(tmp.path() + "/outside/tool.exe", "#!/bin/sh\n");
    ASSERT_TRUE(QFile::link("/bin/sh", web + "/sh.exe"));
    ASSERT_TRUE(QFile::link(tmp.path() + "/outside/tool.exe", web + "/away.exe"));
    ASSERT_TRUE(QFile::link(web + "/tool.exe", web + "/alias.exe"));
    ASSERT_TRUE(QDir().mkpath(web + "/folder.exe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(web + "/pipe.exe").constData(), 0700), 0);
    const QStringList trusted{web + "/", kit};
    const QString realWeb = QFileInfo(web).canonicalFilePath();

    struct Case
    {
        QString program;
        QString started; // "" when nothing may start
    };
    const Case cases[] = {
        {web + "/tool.exe", realWeb + "/tool.exe"},
        {web + "/sub/other.exe", realWeb + "/Sub/Other.EXE"}, // letter case resolved
        {web + "/alias.exe", realWeb + "/tool.exe"},          // a link that stays inside
        {kit + "/helper.exe", QFileInfo(kit).canonicalFilePath() + "/helper.exe"},
        {web + "/sh.exe", ""},                  // a link to a shell elsewhere
        {web + "/away.exe", ""},                // a link to a program outside
        {tmp.path() + "/outside/tool.exe", ""}, // a real program outside
        {web + "/../outside/tool.exe", ""},     // climbing out by name
        {web + "/folder.exe", ""},
        {web + "/pipe.exe", ""},
        {web + "/missing.exe", ""},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TLauncher::TrustedProgram(c.program, trusted), c.started)
            << c.program.toStdString();
    EXPECT_EQ(TLauncher::TrustedProgram(web + "/tool.exe", {}), "");
    EXPECT_EQ(TLauncher::TrustedProgram(web + "/tool.exe", {tmp.path() + "/we"}), "");

    TLaunchCapture capture;
    EXPECT_FALSE(TLauncher::StartWebProgram(web + "/sh.exe", {"-c", "touch x"}, trusted));
    EXPECT_TRUE(TLauncher::StartWebProgram(web + "/tool.exe", {"a; b"}, trusted));
    ASSERT_EQ(capture.Requests().size(), 1u);
    EXPECT_EQ(capture.Requests()[0].program, realWeb + "/tool.exe");
    EXPECT_EQ(capture.Requests()[0].arguments, QStringList{"a; b"});
}

TEST(TLauncherTest, NothingStartsFromAMediumMountedWithoutExecution)
{
    const QString noexec = WritableNoExecFolder();
    if (noexec.isEmpty())
        GTEST_SKIP() << "no writable file system mounted noexec here";
    QTemporaryDir web(noexec + "/zelXXXXXX");
    WriteTestFile(web.path() + "/tool.exe", "#!/bin/sh\n");
    EXPECT_EQ(TLauncher::TrustedProgram(web.path() + "/tool.exe", {web.path()}), "");
}

namespace {

// A tenth of a second of silence, 8-bit mono at 8000 Hz.
QByteArray SilentWave()
{
    const quint32 samples = 800;
    QByteArray wav("RIFF");
    const auto u32 = [&wav](quint32 v) {
        for (int i = 0; i < 4; ++i)
            wav += char((v >> (8 * i)) & 0xFF);
    };
    const auto u16 = [&wav](quint16 v) {
        wav += char(v & 0xFF);
        wav += char(v >> 8);
    };
    u32(36 + samples);
    wav += "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    wav += "data";
    u32(samples);
    wav += QByteArray(int(samples), char(0x80));
    return wav;
}

} // namespace

// The child half of the test below, run in a process of its own: a sound on a named pipe,
// then an ordinary sound, then the end, as the program ends.
TEST(TLauncherTest, SoundChild)
{
    const QString dir = qEnvironmentVariable("ZEL_SOUND_CHILD");
    if (dir.isEmpty())
        GTEST_SKIP()
            << "runs only as the child of NamedPipeSoundsNeitherFreezeNorOutliveTheProgram";
    QElapsedTimer clock;
    clock.start();
    TLauncher::PlaySound(dir + "/pipe.wav");
    TLauncher::PlaySound(dir + "/tone.wav");
    bool answered = false;
    QTimer::singleShot(20, [&answered] {
        answered = true;
        QCoreApplication::quit();
    });
    QCoreApplication::exec();
    EXPECT_TRUE(answered);
    EXPECT_LT(clock.elapsed(), 1000);
    TLauncher::EndProcessWithin(3000, 0);
}

TEST(TLauncherTest, NamedPipeSoundsNeitherFreezeNorOutliveTheProgram)
{
    QTemporaryDir tmp;
    ASSERT_EQ(::mkfifo(QFile::encodeName(tmp.path() + "/pipe.wav").constData(), 0600), 0);
    WriteTestFile(tmp.path() + "/tone.wav", SilentWave());
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEL_SOUND_CHILD", tmp.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=TLauncherTest.SoundChild"});
    ASSERT_TRUE(child.waitForStarted());
    const bool ended = child.waitForFinished(30000);
    if (!ended) {
        child.kill();
        child.waitForFinished();
    }
    const QByteArray output = child.readAll();
    EXPECT_TRUE(ended) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
