#include "platform/TIniFile.h"
#include "common/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class TIniFileTest : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    // Writes the file and returns an ini object on it.
    TIniFile Make(const QByteArray& bytes, const QString& name = QStringLiteral("test.ini"))
    {
        WriteTestFile(PathOf(name), bytes);
        return TIniFile(PathOf(name));
    }

    QByteArray Bytes(const QString& name = QStringLiteral("test.ini")) const
    {
        return ReadTestFile(PathOf(name));
    }

    static ino_t Inode(const QString& path)
    {
        struct stat st
        {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
    }

    QTemporaryDir m_dir;
};

QString Utf8(const char* s) { return QString::fromUtf8(s); }

} // namespace

TEST_F(TIniFileTest, ReadsNamesIgnoringCaseAndBlanks)
{
    TIniFile ini = Make("[StartUp]\r\nStateFileName=/a/b.sta\r\n \t[ Warnings ] trailing text\r\n"
                        "\x0b ColourWarning \f= 0 \r\n");
    EXPECT_EQ(ini.ReadString("startup", "STATEFILENAME", "0"), "/a/b.sta");
    EXPECT_EQ(ini.ReadString(" StartUp\t", " StateFileName ", "0"), "/a/b.sta");
    EXPECT_EQ(ini.ReadString("warnings", "colourwarning", "x"), "0");
    EXPECT_EQ(ini.ReadString("Warnings", "StateFileName", "def"), "def");
    EXPECT_EQ(ini.ReadString("Nowhere", "StateFileName", "def"), "def");
}

TEST_F(TIniFileTest, ValuesLoseBlanksAndOnePairOfMatchingQuotes)
{
    TIniFile ini = Make("[s]\n"
                        "a=  spaced out \t\n"
                        "b=\"quoted\"\n"
                        "c=' inner blanks '\n"
                        "d=\"mismatched'\n"
                        "e=\"\"twice\"\"\n"
                        "f=\"\n"
                        "g=k=v ;x\n"
                        "h=\n"
                        "i=   \n");
    EXPECT_EQ(ini.ReadString("s", "a", "?"), "spaced out");
    EXPECT_EQ(ini.ReadString("s", "b", "?"), "quoted");
    EXPECT_EQ(ini.ReadString("s", "c", "?"), " inner blanks ");
    EXPECT_EQ(ini.ReadString("s", "d", "?"), "\"mismatched'");
    EXPECT_EQ(ini.ReadString("s", "e", "?"), "\"twice\"");
    EXPECT_EQ(ini.ReadString("s", "f", "?"), "\"");
    EXPECT_EQ(ini.ReadString("s", "g", "?"), "k=v ;x"); // no trailing comments
    // "key=" is an empty value, not an absent key.
    EXPECT_EQ(ini.ReadString("s", "h", "0"), "");
    EXPECT_EQ(ini.ReadString("s", "i", "0"), "");
    EXPECT_TRUE(ini.ValueExists("s", "h"));
    EXPECT_FALSE(ini.ValueExists("s", "absent"));
}

TEST_F(TIniFileTest, CommentsHeaderlessLinesAndStrayKeysAreIgnored)
{
    TIniFile ini = Make("orphan=1\n"
                        "[s]\n"
                        "; a=comment\n"
                        "   ;b=comment too\n"
                        "no equals sign here\n"
                        "[abc\n"
                        "c=still in s\n"
                        "[abc=1\n"
                        "[t]x] more\n"
                        "d=in t]x\n");
    EXPECT_EQ(ini.ReadString("s", "orphan", "0"), "0");
    EXPECT_EQ(ini.ReadString("s", "a", "0"), "0");
    EXPECT_EQ(ini.ReadString("s", "b", "0"), "0");
    EXPECT_EQ(ini.ReadString("s", "no equals sign here", "0"), "0");
    EXPECT_EQ(ini.ReadString("s", "c", "0"), "still in s");
    EXPECT_EQ(ini.ReadString("abc", "c", "0"), "0");
    // A line without "]" that has "=" is an ordinary key line.
    EXPECT_EQ(ini.ReadString("s", "[abc", "0"), "1");
    // The section name runs to the last "]".
    EXPECT_EQ(ini.ReadString("t]x", "d", "0"), "in t]x");
}

TEST_F(TIniFileTest, ReadsEveryKindOfLineEnd)
{
    TIniFile ini = Make("[crlf]\r\na=1\r\n[lf]\nb=2\n[cr]\rc=3\r[mixed]\r\n\n\rd=4");
    EXPECT_EQ(ini.ReadString("crlf", "a", "0"), "1");
    EXPECT_EQ(ini.ReadString("lf", "b", "0"), "2");
    EXPECT_EQ(ini.ReadString("cr", "c", "0"), "3");
    EXPECT_EQ(ini.ReadString("mixed", "d", "0"), "4");
}

TEST_F(TIniFileTest, ValueIsCutTo1023Characters)
{
    const QByteArray longValue(1500, 'x');
    TIniFile ini =
        Make("[s]\nlong=" + longValue + "\nexact=" + QByteArray(1023, 'y') + "\nquoted=\"" +
             QByteArray(1023, 'z') + "\"\nwide=" + QByteArray(1022, 'w') + "\xF0\x9F\x98\x80\n");
    EXPECT_EQ(ini.ReadString("s", "long", ""), QString(1023, u'x'));
    EXPECT_EQ(ini.ReadString("s", "exact", ""), QString(1023, u'y'));
    EXPECT_EQ(ini.ReadString("s", "quoted", ""), QString(1023, u'z'));
    // Never half a character: the pair that would straddle the cut is left out.
    EXPECT_EQ(ini.ReadString("s", "wide", ""), QString(1022, u'w'));
}

TEST_F(TIniFileTest, FirstOfDuplicateSectionsAndKeysWins)
{
    const QByteArray original = "[s]\r\na=first\r\na=second\r\n[S]\r\na=third\r\nb=only later\r\n";
    TIniFile ini = Make(original);
    EXPECT_EQ(ini.ReadString("s", "a", "0"), "first");
    EXPECT_EQ(ini.ReadString("s", "b", "0"), "0");

    ASSERT_TRUE(ini.WriteString("s", "a", "new"));
    ASSERT_TRUE(ini.WriteString("s", "b", "added"));
    EXPECT_EQ(Bytes(), "[s]\r\na=new\r\na=second\r\nb=added\r\n[S]\r\na=third\r\nb=only later\r\n");
}

TEST_F(TIniFileTest, ReplacesAValueInPlaceKeepingEveryOtherByte)
{
    TIniFile ini =
        Make("; kit settings\n[STARTUP]\nUnknown=keep me\n  StateFileName = old value \t\n"
             "\n[Warnings]\rColourWarning=1\r");
    ASSERT_TRUE(ini.WriteString("StartUp", "statefilename", "  /new/path.sta"));
    EXPECT_EQ(Bytes(),
              "; kit settings\n[STARTUP]\nUnknown=keep me\n  StateFileName = /new/path.sta\n"
              "\n[Warnings]\rColourWarning=1\r");
    ASSERT_TRUE(ini.WriteString("warnings", "COLOURWARNING", "0"));
    EXPECT_EQ(Bytes(),
              "; kit settings\n[STARTUP]\nUnknown=keep me\n  StateFileName = /new/path.sta\n"
              "\n[Warnings]\rColourWarning=0\r");
    ASSERT_TRUE(ini.WriteString("warnings", "ColourWarning", ""));
    EXPECT_EQ(ini.ReadString("warnings", "ColourWarning", "absent"), "");
}

TEST_F(TIniFileTest, NewKeyGoesAfterTheLastKeyLineOfItsSection)
{
    TIniFile ini = Make("[a]\r\nx=1\r\n; note\r\ngarbage\r\ny=2\r\n\r\n\r\n[b]\r\nz=3\r\n");
    ASSERT_TRUE(ini.WriteString("A", "NewKey", "v"));
    EXPECT_EQ(Bytes(),
              "[a]\r\nx=1\r\n; note\r\ngarbage\r\ny=2\r\nNewKey=v\r\n\r\n\r\n[b]\r\nz=3\r\n");

    // A section without keys takes the key right after its header.
    TIniFile empty = Make("[a]\n\n[b]\nz=3\n", "empty.ini");
    ASSERT_TRUE(empty.WriteString("a", "k", "v"));
    EXPECT_EQ(Bytes("empty.ini"), "[a]\nk=v\r\n\n[b]\nz=3\n");

    // A last line without a line end gets one before the new key.
    TIniFile open = Make("[a]\nx=1", "open.ini");
    ASSERT_TRUE(open.WriteString("a", "k", "v"));
    EXPECT_EQ(Bytes("open.ini"), "[a]\nx=1\r\nk=v\r\n");
    TIniFile bare = Make("[a]", "bare.ini");
    ASSERT_TRUE(bare.WriteString("a", "k", "v"));
    EXPECT_EQ(Bytes("bare.ini"), "[a]\r\nk=v\r\n");
}

TEST_F(TIniFileTest, NewSectionIsAppendedWithTheCallersSpelling)
{
    TIniFile ini = Make("[a]\nx=1\n");
    ASSERT_TRUE(ini.WriteString("Vertical Splitter", "ShThickness", "4"));
    EXPECT_EQ(Bytes(), "[a]\nx=1\n[Vertical Splitter]\r\nShThickness=4\r\n");

    TIniFile open = Make("; only a comment", "open.ini");
    ASSERT_TRUE(open.WriteString("s", "k", "v"));
    EXPECT_EQ(Bytes("open.ini"), "; only a comment\r\n[s]\r\nk=v\r\n");

    TIniFile empty = Make("", "empty.ini");
    ASSERT_TRUE(empty.WriteString(" s ", " k ", "v"));
    EXPECT_EQ(Bytes("empty.ini"), "[s]\r\nk=v\r\n");
    EXPECT_EQ(empty.ReadString("S", "K", "0"), "v");
}

TEST_F(TIniFileTest, ByteOrderMarkIsKeptAndDoesNotHideTheFirstSection)
{
    TIniFile ini = Make("\xEF\xBB\xBF[a]\nx=1\n");
    EXPECT_EQ(ini.ReadString("a", "x", "0"), "1");
    ASSERT_TRUE(ini.WriteString("a", "y", Utf8("\xC3\xA9")));
    EXPECT_EQ(Bytes(), "\xEF\xBB\xBF[a]\nx=1\ny=\xC3\xA9\r\n");
}

TEST_F(TIniFileTest, WritingTheValueAKeyHasLeavesTheFileUntouched)
{
    TIniFile ini = Make("[s]\nk = same \nq=\"quoted\"\n");
    const ino_t before = Inode(PathOf("test.ini"));
    ASSERT_NE(before, 0u);
    EXPECT_TRUE(ini.WriteString("S", "K", "same"));
    EXPECT_TRUE(ini.WriteString("s", "k", "   same"));
    EXPECT_TRUE(ini.WriteString("s", "q", "\"quoted\""));
    EXPECT_EQ(Inode(PathOf("test.ini")), before); // not even replaced by an identical copy
    EXPECT_EQ(Bytes(), "[s]\nk = same \nq=\"quoted\"\n");

    EXPECT_TRUE(ini.WriteString("s", "k", "other"));
    EXPECT_NE(Inode(PathOf("test.ini")), before);
}

TEST_F(TIniFileTest, AWriteNeverCreatesAFile)
{
    TIniFile missing(PathOf("missing.ini"));
    EXPECT_FALSE(missing.WriteString("s", "k", "v"));
    EXPECT_FALSE(missing.WriteInteger("s", "k", 1));
    EXPECT_FALSE(missing.WriteBool("s", "k", true));
    EXPECT_FALSE(QFileInfo::exists(PathOf("missing.ini")));

    WriteTestFile(PathOf("plain"), "not a folder");
    TIniFile underFile(PathOf("plain/x.ini"));
    EXPECT_FALSE(underFile.WriteString("s", "k", "v"));
    EXPECT_EQ(Bytes("plain"), "not a folder");

    TIniFile underMissing(PathOf("gone/x.ini"));
    EXPECT_FALSE(underMissing.WriteString("s", "k", "v"));
    EXPECT_FALSE(QFileInfo::exists(PathOf("gone")));

    // Nothing but the files made above appeared in the folder (no temporary files left).
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"plain"});
}

TEST_F(TIniFileTest, AFolderInsteadOfAFileReadsDefaultsAndRefusesWrites)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("folder.ini"));
    TIniFile ini(PathOf("folder.ini"));
    EXPECT_EQ(ini.ReadString("s", "k", "def"), "def");
    EXPECT_EQ(ini.ReadInteger("s", "k", 7), 7);
    EXPECT_FALSE(ini.ValueExists("s", "k"));
    EXPECT_FALSE(ini.WriteString("s", "k", "v"));
    EXPECT_TRUE(QFileInfo(PathOf("folder.ini")).isDir());
}

TEST_F(TIniFileTest, AFailingReplaceLeavesTheOldFileByteForByte)
{
    const QByteArray original = "[s]\r\nk=old\r\n; keep\r\n";
    TIniFile ini = Make(original);

    if (geteuid() != 0) {
        // A read-only folder: the temporary file cannot be made.
        ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0555), 0);
        EXPECT_FALSE(ini.WriteString("s", "k", "new"));
        EXPECT_FALSE(ini.WriteString("s", "added", "v"));
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        EXPECT_EQ(Bytes(), original);
    }

    // A full disk, even for root: a file-size limit smaller than the new file makes the
    // write of the temporary file fail part-way.
    struct rlimit saved
    {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = rlim_t(original.size());
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = ini.WriteString("s", "k", "a longer value than before");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(Bytes(), original);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{"test.ini"});
}

TEST_F(TIniFileTest, FileNameIsResolvedIgnoringCase)
{
    Make("[StartUp]\r\nStartUpMode=2\r\n", "ZELMORA.INI");
    TIniFile ini(PathOf("zelmora.ini"));
    EXPECT_EQ(ini.ReadInteger("StartUp", "StartUpMode", 0), 2);
    ASSERT_TRUE(ini.WriteInteger("StartUp", "StartUpMode", 1));
    EXPECT_EQ(Bytes("ZELMORA.INI"), "[StartUp]\r\nStartUpMode=1\r\n");
    EXPECT_FALSE(QFileInfo::exists(PathOf("zelmora.ini")));
}

TEST_F(TIniFileTest, Windows1252FileIsReadAndWrittenInItsOwnEncoding)
{
    // "café" and "€" in Windows-1252: not valid UTF-8.
    TIniFile ini = Make("[Caf\xE9]\r\nPrix=5 \x80\r\n");
    EXPECT_EQ(ini.ReadString(Utf8("CAF\xC3\x89"), "prix", "0"), Utf8("5 \xE2\x82\xAC"));

    ASSERT_TRUE(ini.WriteString(Utf8("caf\xC3\xA9"), "Prix", Utf8("6 \xE2\x82\xAC")));
    ASSERT_TRUE(ini.WriteString(Utf8("caf\xC3\xA9"), Utf8("Cr\xC3\xA8me"),
                                Utf8("br\xC3\xBBl\xC3\xA9"
                                     "e")));
    ASSERT_TRUE(ini.WriteString(Utf8("Na\xC3\xAFve"), "k", Utf8("\xC2\xA0nbsp kept")));
    EXPECT_EQ(Bytes(), "[Caf\xE9]\r\nPrix=6 \x80\r\nCr\xE8me=br\xFBl\xE9"
                       "e\r\n"
                       "[Na\xEFve]\r\nk=\xA0nbsp kept\r\n");
    EXPECT_EQ(ini.ReadString(Utf8("Na\xC3\xAFve"), "k", "0"), Utf8("\xC2\xA0nbsp kept"));

    // Text Windows-1252 cannot hold turns the whole file into UTF-8, so that what was
    // there reads as before and nothing is stored as "?".
    ASSERT_TRUE(ini.WriteString("Prix", "k", Utf8("\xE6\x97\xA5")));
    EXPECT_EQ(Bytes(), "[Caf\xC3\xA9]\r\nPrix=6 \xE2\x82\xAC\r\nCr\xC3\xA8me=br\xC3\xBBl\xC3\xA9"
                       "e\r\n"
                       "[Na\xC3\xAFve]\r\nk=\xC2\xA0nbsp kept\r\n[Prix]\r\nk=\xE6\x97\xA5\r\n");
    EXPECT_EQ(ini.ReadString(Utf8("caf\xC3\xA9"), "prix", "0"), Utf8("6 \xE2\x82\xAC"));
}

TEST_F(TIniFileTest, Windows1252FileThatWouldPassForUtf8AfterAWriteKeepsItsOtherNames)
{
    // The only byte that is not UTF-8 is in the value replaced; what is left, "\xC3\xA9",
    // would read as one "é" instead of the two characters it is, and a byte-order mark
    // stays one.
    TIniFile ini = Make("\xEF\xBB\xBF[Caf\xC3\xA9]\r\nk=\x80\r\nother=v\xC3\xA9\r\n");
    const QString section = Utf8("Caf\xC3\x83\xC2\xA9");
    ASSERT_EQ(ini.ReadString(section, "k", "0"), Utf8("\xE2\x82\xAC"));
    ASSERT_TRUE(ini.WriteString(section, "k", "plain"));
    EXPECT_EQ(ini.ReadString(section, "k", "0"), "plain");
    EXPECT_EQ(ini.ReadString(section, "other", "0"), Utf8("v\xC3\x83\xC2\xA9"));
    EXPECT_EQ(Bytes(),
              "\xEF\xBB\xBF[Caf\xC3\x83\xC2\xA9]\r\nk=plain\r\nother=v\xC3\x83\xC2\xA9\r\n");
    // Writing the same again changes nothing and adds no second section.
    const QByteArray after = Bytes();
    ASSERT_TRUE(ini.WriteString(section, "k", "plain"));
    EXPECT_EQ(Bytes(), after);
}

TEST_F(TIniFileTest, Utf8FileIsWrittenInUtf8)
{
    TIniFile ini = Make("[Caf\xC3\xA9]\nk=\xE6\x97\xA5\n");
    EXPECT_EQ(ini.ReadString(Utf8("caf\xC3\xA9"), "K", "0"), Utf8("\xE6\x97\xA5"));
    ASSERT_TRUE(ini.WriteString(Utf8("CAF\xC3\x89"), "k", Utf8("\xE6\x9C\xAC")));
    EXPECT_EQ(Bytes(), "[Caf\xC3\xA9]\nk=\xE6\x9C\xAC\n");
}

TEST_F(TIniFileTest, RefusesNamesAndValuesThatWouldBreakTheFile)
{
    const QByteArray original = "[s]\r\nk=v\r\n";
    TIniFile ini = Make(original);
    EXPECT_FALSE(ini.WriteString("s", "k", "two\r\n[lines]"));
    EXPECT_FALSE(ini.WriteString("s", "k", "lone\rcr"));
    EXPECT_FALSE(ini.WriteString("s\n[t", "k", "v"));
    EXPECT_FALSE(ini.WriteString("s", "a=b", "v"));
    EXPECT_FALSE(ini.WriteString("s", ";k", "v"));
    EXPECT_FALSE(ini.WriteString("s", "[t]", "v"));
    EXPECT_EQ(Bytes(), original);
}

TEST(TIniFileParse, IntegersInDecimalAndHexadecimal)
{
    struct Case
    {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"42", true, 42},
        {"-1", true, -1},
        {"+7", true, 7},
        {" 12 ", true, 12},
        {"0x1", true, 1},
        {"0XfF", true, 255},
        {"$0000FF", true, 255},
        {"0x80000005", true, -2147483643},
        {"-0x10", true, -16},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"0x100000000", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"0x", false, 0},
        {"$", false, 0},
        {"12abc", false, 0},
        {"abc", false, 0},
        {"1 2", false, 0},
        {"0xg", false, 0},
        {"99999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        bool ok = !c.ok;
        const int value = TIniFile::ParseInteger(QString::fromLatin1(c.text), &ok);
        EXPECT_EQ(ok, c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(value, c.value) << c.text;
    }
    EXPECT_EQ(TIniFile::ParseInteger("5", nullptr), 5);
}

TEST_F(TIniFileTest, TypedReadsAndWrites)
{
    TIniFile ini = Make("[StartUp]\nStartUpMode=0x1\nkxItem2=2\nBad=two\nZero=0\nEmpty=\n");
    EXPECT_EQ(ini.ReadInteger("StartUp", "StartUpMode", 0), 1);
    EXPECT_EQ(ini.ReadInteger("StartUp", "Bad", -5), -5);
    EXPECT_EQ(ini.ReadInteger("StartUp", "Empty", 9), 9);
    EXPECT_EQ(ini.ReadInteger("StartUp", "Missing", 3), 3);
    EXPECT_TRUE(ini.ReadBool("StartUp", "kxItem2", false));
    EXPECT_FALSE(ini.ReadBool("StartUp", "Zero", true));
    EXPECT_TRUE(ini.ReadBool("StartUp", "Bad", true));
    EXPECT_FALSE(ini.ReadBool("StartUp", "Bad", false));
    EXPECT_TRUE(ini.ReadBool("Warnings", "ColourWarning", true));

    ASSERT_TRUE(ini.WriteInteger("StartUp", "StartUpMode", -2147483633));
    ASSERT_TRUE(ini.WriteBool("StartUp", "kxItem2", false));
    ASSERT_TRUE(ini.WriteBool("Warnings", "ColourWarning", true));
    EXPECT_EQ(Bytes(), "[StartUp]\nStartUpMode=-2147483633\nkxItem2=0\nBad=two\nZero=0\nEmpty=\n"
                       "[Warnings]\r\nColourWarning=1\r\n");
}

TEST_F(TIniFileTest, BadFilesNeverCrashOrHang)
{
    // Random bytes, NUL bytes and a 1 MB line: reads give values or defaults, writes keep
    // every byte they do not touch.
    QRandomGenerator random(1234);
    for (int round = 0; round < 20; ++round) {
        QByteArray noise(4096, '\0');
        for (char& c : noise)
            c = char(random.bounded(256));
        TIniFile ini = Make(noise);
        ini.ReadString("s", "k", "def");
        ini.ReadInteger("s", "k", 0);
        ASSERT_TRUE(ini.WriteString("zz", "k", "v"));
        EXPECT_TRUE(Bytes().startsWith(noise));
        EXPECT_EQ(ini.ReadString("zz", "k", "0"), "v");
    }

    TIniFile nul = Make(QByteArray("[s]\0junk\nk=a\0b\n", 14), "nul.ini");
    EXPECT_EQ(nul.ReadString("s", "k", "0"), QString::fromLatin1("a\0b", 3));

    const QByteArray huge =
        "[s]\n" + QByteArray(1024 * 1024, 'h') + "=v\nk=" + QByteArray(1024 * 1024, 'x') + "\n";
    TIniFile big = Make(huge, "big.ini");
    EXPECT_EQ(big.ReadString("s", "k", "").size(), TIniFile::MaxValueLength);
    ASSERT_TRUE(big.WriteString("s", "k", "short"));
    EXPECT_EQ(Bytes("big.ini"), "[s]\n" + QByteArray(1024 * 1024, 'h') + "=v\nk=short\n");
}

TEST_F(TIniFileTest, PipeGivesDefaultsWithoutBlocking)
{
    const QByteArray pipe = QFile::encodeName(PathOf("pipe.ini"));
    ASSERT_EQ(::mkfifo(pipe.constData(), 0644), 0);
    TIniFile fifo(PathOf("pipe.ini"));
    EXPECT_EQ(fifo.ReadString("s", "k", "def"), "def"); // would block if it were opened
    EXPECT_FALSE(fifo.WriteString("s", "k", "v"));

    TIniFile endless(QStringLiteral("/dev/zero")); // would never finish if it were read
    EXPECT_EQ(endless.ReadString("s", "k", "def"), "def");
}

TEST_F(TIniFileTest, UnreadableFileGivesDefaultsAndIsNotReplaced)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads files without read permission";
    TIniFile locked = Make("[s]\nk=v\n", "locked.ini");
    ASSERT_EQ(::chmod(QFile::encodeName(PathOf("locked.ini")).constData(), 0200), 0);
    EXPECT_EQ(locked.ReadString("s", "k", "def"), "def");
    EXPECT_FALSE(locked.WriteString("s", "k", "other"));
    ::chmod(QFile::encodeName(PathOf("locked.ini")).constData(), 0600);
    EXPECT_EQ(Bytes("locked.ini"), "[s]\nk=v\n");
}

TEST_F(TIniFileTest, NamesAndValuesMayBeginWithAByteOrderMark)
{
    // Only the mark that opens the file is not text.
    const QString mark(QChar(0xFEFF));
    TIniFile ini = Make("\xEF\xBB\xBF[s]\r\n\xEF\xBB\xBFk=\xEF\xBB\xBFv\r\n");
    EXPECT_EQ(ini.ReadString("s", mark + "k", "0"), mark + "v");
    EXPECT_EQ(ini.ReadString("s", "k", "0"), "0");
    ASSERT_TRUE(ini.WriteString(mark, mark, "w"));
    EXPECT_EQ(ini.ReadString(mark, mark, "0"), "w");
    EXPECT_EQ(
        Bytes(),
        "\xEF\xBB\xBF[s]\r\n\xEF\xBB\xBFk=\xEF\xBB\xBFv\r\n[\xEF\xBB\xBF]\r\n\xEF\xBB\xBF=w\r\n");
}
