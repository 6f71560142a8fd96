#include "browse/TAppIniFile.h"
#include "common/TestSupport.h"
#include "platform/TIniFile.h"
#include "platform/TPath.h"
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TAppIniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_dir = m_tmp.path() + "/kit/";
        QDir().mkpath(m_dir);
        TPath::SetExecutablePathOverride(m_dir + "zelmora");
    }
    void TearDown() override { TPath::SetExecutablePathOverride(QString()); }

    void WriteIni(const QByteArray& text) { WriteTestFile(m_dir + "zelmora.INI", text); }

    TStartUpOptions Read(bool expected = true)
    {
        TStartUpOptions o;
        EXPECT_EQ(TAppIniFile::ReadIniFile(o), expected);
        return o;
    }

    QTemporaryDir m_tmp;
    QString m_dir;
};

} // namespace

TEST_F(TAppIniFileTest, MissingFileGivesDefaults)
{
    TStartUpOptions o = Read(false);
    EXPECT_EQ(o.StateFileName, "0");
    EXPECT_EQ(o.StartUpWeb, "0");
    EXPECT_EQ(o.AdvertsFolder, "0");
    EXPECT_EQ(o.IntroductionFile, "0");
    EXPECT_EQ(o.YourLogoHereBitmap, "0");
    EXPECT_EQ(o.StartUpMode, 0);
    EXPECT_FALSE(o.RuntimeLock);
    EXPECT_TRUE(o.ColourWarning);
    EXPECT_EQ(TAppIniFile::FileName(), m_dir + "zelmora.INI");
}

TEST_F(TAppIniFileTest, StartUpModeLockAndWarningValues)
{
    const std::pair<QByteArray, int> modes[] = {{"2", 2},   {"5", 0},       {"-1", 0},
                                                {"0x1", 1}, {"Display", 0}, {"1", 1}};
    for (const auto& [text, mode] : modes) {
        WriteIni("[StartUp]\r\nStartUpMode=" + text + "\r\nkxItem2=2\r\n");
        TStartUpOptions o = Read();
        EXPECT_EQ(o.StartUpMode, mode) << text.constData();
        EXPECT_TRUE(o.RuntimeLock);
        EXPECT_TRUE(o.ColourWarning); // absent key
    }
    WriteIni("[StartUp]\r\nkxItem2=0\r\n[Warnings]\r\nColourWarning=0\r\n");
    TStartUpOptions o = Read();
    EXPECT_FALSE(o.RuntimeLock);
    EXPECT_FALSE(o.ColourWarning);
}

TEST_F(TAppIniFileTest, ShortValuesPassUnchangedLongMissingOnesBecomeZero)
{
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("NULL"), "NULL");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("0"), "0");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("Empty"), "Empty");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath(""), "");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("/nope/w/"), "/nope/w/"); // 8 characters
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("/no/such/folder/at/all/"), "0");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath(m_dir), m_dir);
}

TEST_F(TAppIniFileTest, ReaderBaseRebasesOnTheProgramDirectory)
{
    QDir().mkpath(m_dir + "webs/book");
    WriteTestFile(m_dir + "webs/book/intro.htm", "<p>hi");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("READERBASE\\webs\\book\\"), m_dir + "webs/book/");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("READERBASE/webs/book/intro.htm"),
              m_dir + "webs/book/intro.htm");
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("READERBASE"), m_dir);
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("READERBASE\\\\\\"), m_dir);
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("READERBASE\\webs\\missing\\"), "0");
    // Only the token in capitals is rebased.
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("readerbase\\webs\\book\\"), "0");
    // Letter case of the rest does not matter, as on the original file system.
    EXPECT_EQ(TAppIniFile::ResolveStartUpPath("READERBASE\\WEBS\\Book\\"), m_dir + "WEBS/Book/");
}

TEST_F(TAppIniFileTest, ResolvePathsStripsTheAdvertsFolder)
{
    QDir().mkpath(m_dir + "Advertisers");
    WriteIni("[StartUp]\r\nAdvertsFolder=READERBASE\\Advertisers\\\\\r\n"
             "StateFileName=NULL\r\nStartUpWeb=\r\n");
    TStartUpOptions o = Read();
    TAppIniFile::ResolvePaths(o);
    EXPECT_EQ(o.AdvertsFolder, m_dir + "Advertisers");
    EXPECT_EQ(o.StateFileName, "NULL");
    EXPECT_EQ(o.StartUpWeb, ""); // an empty value is an ordinary (missing) path, not "0"
    EXPECT_EQ(o.IntroductionFile, "0");

    WriteIni("[StartUp]\r\nAdvertsFolder=\r\n");
    o = Read();
    TAppIniFile::ResolvePaths(o);
    EXPECT_EQ(o.AdvertsFolder, "");
}

TEST_F(TAppIniFileTest, WritesGoToTheExistingFileOnly)
{
    {
        TMessageCapture messages;
        EXPECT_FALSE(TAppIniFile::WriteIniString("StartUp", "StartUpWeb", "/x/"));
        EXPECT_FALSE(TAppIniFile::WriteIniBool("StartUp", "kxItem2", true));
        EXPECT_FALSE(TAppIniFile::WriteIniInteger("StartUp", "StartUpMode", 2));
        ASSERT_EQ(messages.Messages().size(), 3u);
        EXPECT_EQ(messages.Messages()[0].text,
                  "Your default ini file has been lost or corrupted, run setup again.");
        EXPECT_EQ(messages.Messages()[0].caption, "Error");
        EXPECT_FALSE(QFile::exists(m_dir + "zelmora.INI"));
    }
    WriteIni("[StartUp]\r\nStartUpMode=0\r\n");
    EXPECT_TRUE(TAppIniFile::WriteIniInteger("StartUp", "StartUpMode", 2));
    EXPECT_TRUE(TAppIniFile::WriteIniBool("StartUp", "kxItem2", true));
    EXPECT_TRUE(TAppIniFile::WriteIniBool("Warnings", "ColourWarning", false));
    TStartUpOptions o = Read();
    EXPECT_EQ(o.StartUpMode, 2);
    EXPECT_TRUE(o.RuntimeLock);
    EXPECT_FALSE(o.ColourWarning);
    EXPECT_TRUE(ReadTestFile(m_dir + "zelmora.INI").contains("kxItem2=1\r\n"));
}

TEST_F(TAppIniFileTest, BadFilesAreReportedOrReadWithoutHarm)
{
    // A folder where the file should be.
    QDir().mkpath(m_dir + "zelmora.INI");
    Read(false);
    QDir(m_dir).rmdir("zelmora.INI");

    // Random bytes: reported as corrupted.
    QByteArray noise(4096, '\0');
    QRandomGenerator gen(7);
    for (auto& c : noise)
        c = char(gen.bounded(256));
    noise[100] = '\0';
    WriteIni(noise);
    Read(false);

    // A 100 000-character line is still text: read, with the defaults for absent keys.
    WriteIni("[StartUp]\r\nStartUpMode=1\r\nJunk=" + QByteArray(100000, 'x') + "\r\n");
    TStartUpOptions o = Read();
    EXPECT_EQ(o.StartUpMode, 1);

    // Text beyond the size the ini service reads is reported, not taken as all defaults.
    {
        QFile big(m_dir + "zelmora.INI");
        ASSERT_TRUE(big.open(QIODevice::WriteOnly | QIODevice::Truncate));
        big.write("[StartUp]\r\nStartUpMode=1\r\n");
        const QByteArray comments = QByteArray("; padding\r\n").repeated(100000);
        while (big.size() <= TIniFile::MaxFileSize)
            big.write(comments);
    }
    Read(false);
    QFile::remove(m_dir + "zelmora.INI");
}

TEST_F(TAppIniFileTest, KioskKeysWithTheirFallBacks)
{
    // An ini file without the section keeps the behaviour of kits written before it.
    WriteIni("[StartUp]\r\nStartUpMode=1\r\n");
    TStartUpOptions o = Read();
    EXPECT_EQ(o.IdleReset, 0);
    EXPECT_TRUE(o.AllowPrograms);
    EXPECT_TRUE(o.AllowMedia);
    EXPECT_EQ(o.StartUpMode, 1);

    struct Case
    {
        QByteArray text;
        int idle;
        bool allowed; // the same text given to AllowPrograms and AllowMedia
    };
    const Case cases[] = {
        {"5", 5, true},
        {" 120 ", 120, true},
        {"0", 0, false},
        {"abc", 0, true},
        {"", 0, true},
        {"-7", 0, true},
        {"0x10", 16, true},
        {"86401", TAppIniFile::MaxIdleReset, true},
        {"2147483647", TAppIniFile::MaxIdleReset, true},
        {"99999999999999999999", TAppIniFile::MaxIdleReset, true},
        {"12abc", 0, true},
    };
    for (const Case& c : cases) {
        WriteIni("[Kiosk]\r\nIdleReset=" + c.text + "\r\nAllowPrograms=" + c.text +
                 "\r\nAllowMedia=" + c.text + "\r\n");
        o = Read();
        EXPECT_EQ(o.IdleReset, c.idle) << c.text.constData();
        EXPECT_EQ(o.AllowPrograms, c.allowed) << c.text.constData();
        EXPECT_EQ(o.AllowMedia, c.allowed) << c.text.constData();
    }
    WriteIni("[kiosk]\r\nAllowPrograms=0\r\nAllowMedia=1\r\n");
    o = Read();
    EXPECT_FALSE(o.AllowPrograms);
    EXPECT_TRUE(o.AllowMedia);
}
