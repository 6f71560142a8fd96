// Hostile ini files, state files and pictures given to the whole program (host window and
// browsing window, started as the entry sequence starts them), and writes on a full disk
// and in a folder the program may not write. The program must keep running, show the
// design's message or nothing, and never leave a file it writes half-written.
#include "app/TMDIHost.h"
#include "app/TTitlePanel.h"
#include "browse/TAppIniFile.h"
#include "components/media/TKXImage.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TKXPanelPage.h"
#include "hostile/HostileKit.h"
#include "state/TDisplayState.h"
#include <QElapsedTimer>
#include <QLabel>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace hostile;

namespace {

// Everything but one value (or the lines added for a new key) is as it was: no line end of
// the old bytes was removed.
::testing::AssertionResult OnlyOneLineChanged(const QByteArray& before, const QByteArray& after)
{
    qsizetype prefix = 0;
    const qsizetype shorter = std::min(before.size(), after.size());
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = before.mid(prefix, before.size() - prefix - suffix);
    if (removed.contains('\r') || removed.contains('\n'))
        return ::testing::AssertionFailure() << "line ends removed at byte " << prefix;
    return ::testing::AssertionSuccess();
}

struct TIniCase
{
    const char* name;
    QByteArray bytes;
    QStringList messages;
    TMDIHost::TMode mode;
    bool runtimeLock = false;
};

std::vector<TIniCase> HostileIniFiles()
{
    QByteArray noNul = BinaryBytes(4096, 2).replace('\0', '\x01');
    return {
        {"binary bytes with NULs", BinaryBytes(4096, 1), {kIniMessage}, TMDIHost::TMode::Edit},
        {"binary bytes, then a section",
         noNul + "\r\n[StartUp]\r\nStartUpMode=1\r\n",
         {},
         TMDIHost::TMode::Display},
        {"1 MB value",
         "[StartUp]\r\nStateFileName=" + LongLine(1 << 20) + "\r\nStartUpMode=2\r\n",
         {},
         TMDIHost::TMode::Reader},
        {"1 MB line before the section",
         LongLine(1 << 20, '[') + "\r\n[StartUp]\r\nStartUpMode=1\r\n",
         {},
         TMDIHost::TMode::Display},
        {"1 MB key name",
         "[StartUp]\r\n" + LongLine(1 << 20) + "=1\r\nStartUpMode=2\r\n",
         {},
         TMDIHost::TMode::Reader},
        {"duplicate sections: the first counts",
         "[StartUp]\r\nStartUpMode=1\r\n[Warnings]\r\n[StartUp]\r\nStartUpMode=2\r\nkxItem2=1\r\n",
         {},
         TMDIHost::TMode::Display,
         false},
        {"duplicate keys: the first counts",
         "[StartUp]\r\nkxItem2=1\r\nkxItem2=0\r\n",
         {},
         TMDIHost::TMode::Reader,
         true},
        {"missing ]", "[StartUp\r\nStartUpMode=2\r\nkxItem2=1\r\n", {}, TMDIHost::TMode::Edit},
        {"text after ]",
         "[StartUp]x ] y\r\nStartUpMode=2\r\n[StartUp]x\r\nStartUpMode=1\r\n",
         {},
         TMDIHost::TMode::Display},
        {"lone CRs and no final line end",
         "[StartUp]\rStartUpMode=2\rStartUpWeb=\xff\xfe\\x",
         {},
         TMDIHost::TMode::Reader},
        {"paths not in UTF-8",
         "[StartUp]\r\nStartUpWeb=READERBASE\\web\\caf\xe9\\\r\n"
         "IntroductionFile=READERBASE\\\xff\xfe.htm\r\nStartUpMode=1\r\n",
         {},
         TMDIHost::TMode::Display},
        {"numbers out of range",
         "[StartUp]\r\nStartUpMode=99999999999999999999\r\n"
         "kxItem2=0x\r\n[Warnings]\r\nColourWarning=-\r\n",
         {},
         TMDIHost::TMode::Edit},
    };
}

} // namespace

TEST(THostileFilesTest, IniFilesThatAreBrokenStartTheProgramWithTheDesignMessageOnly)
{
    for (const TIniCase& c : HostileIniFiles()) {
        SCOPED_TRACE(c.name);
        THostileKit kit;
        ASSERT_TRUE(MakeFile(kit.IniPath(), c.bytes));
        const TChildResult r = RunInChild([&] {
            QStringList report;
            TMessageCapture messages;
            kit.Start();
            report << "start: " + messages.Texts().join("|");
            report << QStringLiteral("mode: %1 %2")
                          .arg(int(kit.Host->Mode()))
                          .arg(kit.Host->StartUpOptions().RuntimeLock);
            report << "works: " + kit.StillWorks();
            // The writer page's writes keep every other byte of the file.
            messages.Clear();
            const bool mode = TAppIniFile::WriteIniInteger("StartUp", "StartUpMode", 1);
            const QByteArray between = ReadTestFile(kit.IniPath());
            const bool intro = TAppIniFile::WriteIniString("StartUp", "IntroductionFile",
                                                           "READERBASE\\web\\Index.htm");
            report << QStringLiteral("writes: %1 %2 %3 %4 %5")
                          .arg(mode)
                          .arg(intro)
                          .arg(bool(OnlyOneLineChanged(c.bytes, between)))
                          .arg(bool(OnlyOneLineChanged(between, ReadTestFile(kit.IniPath()))))
                          .arg(messages.Texts().join("|"));
            return report.join("\n").toUtf8();
        });
        ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
        EXPECT_EQ(QString::fromUtf8(r.report),
                  QStringList({"start: " + c.messages.join("|"),
                               QStringLiteral("mode: %1 %2").arg(int(c.mode)).arg(c.runtimeLock),
                               "works: ", "writes: 1 1 1 1 "})
                      .join("\n"));
        EXPECT_EQ(Entries(kit.Kit), (QStringList{"web", "zelmora.INI", "zelmora.STA"}));
    }
}

TEST(THostileFilesTest, IniFileThatIsAFolderOrUnreadableGivesTheInitialisationMessage)
{
    const char* kinds[] = {"folder", "unreadable"};
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        THostileKit kit;
        kit.WriteIni();
        const QByteArray ini = QFile::encodeName(kit.IniPath());
        TChildLimits limits;
        limits.seconds = 30;
        if (QByteArray(kind) == "folder") {
            QFile::remove(kit.IniPath());
            ASSERT_EQ(::mkdir(ini.constData(), 0755), 0);
        } else {
            ASSERT_EQ(::chmod(ini.constData(), 0), 0);
            limits.dropRoot = true;
        }
        const TChildResult r = RunInChild(
            [&] {
                TMessageCapture messages;
                kit.Start();
                const QString shown = messages.Texts().join("|");
                return (shown + "\n" + kit.StillWorks()).toUtf8();
            },
            limits);
        ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
        ASSERT_EQ(r.exitCode, 0);
        EXPECT_EQ(QString::fromUtf8(r.report), kIniMessage + "\n");
    }
}

TEST(THostileFilesTest, IniFileThatIsANamedPipeDoesNotHangTheStart)
{
    THostileKit kit;
    ASSERT_EQ(::mkfifo(QFile::encodeName(kit.IniPath()).constData(), 0644), 0);
    TChildLimits limits;
    limits.seconds = 10;
    const TChildResult r = RunInChild(
        [&] {
            TMessageCapture messages;
            kit.Start();
            return messages.Texts().join("|").toUtf8();
        },
        limits);
    ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
    EXPECT_EQ(QString::fromUtf8(r.report), kIniMessage);
}

namespace {

// State files with every kind of damage: the program falls back to the default look, or
// reports the design's load message, and keeps running.
std::vector<std::pair<const char*, QByteArray>> HostileStateFiles(const QString& kit)
{
    const QByteArray demo = ReadTestFile(kit + "zelmora.STA");
    QByteArray duplicated = demo;
    duplicated.replace("[Panel]", "[Outliners]\r\nColor=255\r\n[Panel]");
    QByteArray noBrackets = demo;
    noBrackets.replace("]", "");
    const QString bad = QFile::encodeName(kit) + "bad-pictures/";
    QByteArray badBitmaps = demo;
    badBitmaps.replace("BitmapFile=Empty", "BitmapFile=" + QFile::encodeName(bad) + "giant.bmp");
    return {
        {"binary bytes", BinaryBytes(8192, 3)},
        {"binary bytes around the sections",
         BinaryBytes(2048, 4) + "\r\n" + demo + "\r\n" + BinaryBytes(2048, 5)},
        {"1 MB line", demo + LongLine(1 << 20) + "\r\n"},
        {"duplicate sections", duplicated},
        {"missing ]", noBrackets},
        {"font size 100000", QByteArray(demo).replace("FontSize=10", "FontSize=100000")},
        {"font size -5", QByteArray(demo).replace("FontSize=10", "FontSize=-5")},
        {"item height 2147483647",
         QByteArray(demo).replace("ItemHeight=30", "ItemHeight=2147483647")},
        {"gap -2147483648", QByteArray(demo).replace("HitGap=10", "HitGap=-2147483648")},
        {"thickness beyond 32 bits",
         QByteArray(demo).replace("ShThickness=8", "ShThickness=99999999999")},
        {"negative panel gap", QByteArray(demo).replace("AlignTopGap=20", "AlignTopGap=-7")},
        {"font name of 5000 characters",
         QByteArray(demo).replace("FontName=MS Sans Serif", "FontName=" + LongLine(5000, 'F'))},
        {"bitmaps that are not bitmaps", badBitmaps},
    };
}

void MakeBadPictures(const QString& folder)
{
    for (const TBadPicture& p : BadPictures())
        MakeFile(folder + p.name, p.bytes);
}

} // namespace

TEST(THostileFilesTest, StateFilesThatAreBrokenFallBackOrReportTheLoadMessage)
{
    const size_t count = HostileStateFiles(QString()).size();
    for (size_t i = 0; i < count; ++i) {
        THostileKit kit;
        const auto [name, bytes] = HostileStateFiles(kit.Kit)[i];
        SCOPED_TRACE(name);
        MakeBadPictures(kit.Kit + "bad-pictures/");
        const QString state = kit.Kit + "hostile.sta";
        ASSERT_TRUE(MakeFile(state, bytes));
        kit.WriteIni("StateFileName=READERBASE\\hostile.sta\r\n");
        // Each case in a child: a crash or a hang while reading or painting is reported as
        // such, and the other cases still run.
        const TChildResult r = RunInChild([&] {
            TMessageCapture messages;
            kit.Start();
            QStringList report;
            report << "start: " + messages.Texts().join("|");
            kit.Host->grab();
            messages.Clear();
            kit.Main->LoadDisplayState(state);
            report << "load: " + messages.Texts().join("|");
            kit.Host->grab();
            messages.Clear();
            // Saving into the damaged file works and keeps it a file the reader reads.
            const bool saved = kit.Main->SaveDisplayState(state);
            const bool loaded = kit.Main->LoadDisplayState(state);
            report << QStringLiteral("save: %1 %2 %3")
                          .arg(saved)
                          .arg(loaded)
                          .arg(messages.Texts().join("|"));
            report << "works: " + kit.StillWorks();
            return report.join("\n").toUtf8();
        });
        ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
        EXPECT_LT(r.peakKb, 256 * 1024);
        const QStringList lines = QString::fromUtf8(r.report).split('\n');
        ASSERT_EQ(lines.size(), 4) << r.report.constData();
        // At start the default state file takes over silently.
        EXPECT_EQ(lines[0], "start: ");
        EXPECT_TRUE(lines[1] == "load: " || lines[1] == "load: " + TDisplayState::LoadErrorText)
            << lines[1].toStdString();
        EXPECT_EQ(lines[2], "save: 1 1 ");
        EXPECT_EQ(lines[3], "works: ");
    }
}

// Sizes in a state file that no screen shows: painting must not need memory in proportion
// to them. (A row 12 615 744 pixels high once asked for a 6 GB row picture.)
TEST(THostileFilesTest, HugeSizesInAStateFileDoNotMakePaintingTakeGigabytes)
{
    const std::vector<std::pair<const char*, std::pair<QByteArray, QByteArray>>> cases = {
        {"outliner rows 1000000 pixels high", {"ItemHeight=30", "ItemHeight=1000000"}},
        {"splitter 100000 pixels wide", {"Width=6", "Width=100000"}},
        {"splitter 100000 pixels high", {"Height=7", "Height=100000"}},
    };
    for (const auto& [name, change] : cases) {
        SCOPED_TRACE(name);
        THostileKit kit;
        ASSERT_TRUE(
            MakeFile(kit.Kit + "hostile.sta",
                     ReadTestFile(kit.Kit + "zelmora.STA").replace(change.first, change.second)));
        kit.WriteIni("StateFileName=READERBASE\\hostile.sta\r\n");
        const TChildResult r = RunInChild([&] {
            TMessageCapture messages;
            kit.Start();
            kit.Host->grab();
            return (messages.Texts().join("|") + "\n" + kit.StillWorks()).toUtf8();
        });
        ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
        EXPECT_EQ(QString::fromUtf8(r.report), "\n");
        // An ordinary start peaks near 30 MB here.
        EXPECT_LT(r.peakKb, 256 * 1024) << "peak resident memory in kB";
    }
}

TEST(THostileFilesTest, PicturesThatAreTruncatedOrNoPicturesAreRefusedEverywhere)
{
    std::vector<TBadPicture> pictures = BadPictures();
    for (const TBadPicture& picture : pictures) {
        SCOPED_TRACE(picture.name.toStdString());
        THostileKit kit;
        ASSERT_TRUE(MakeFile(kit.Kit + "Advertisers/" + picture.name, picture.bytes));
        ASSERT_TRUE(MakeFile(kit.Kit + "logo/" + picture.name, picture.bytes));
        // As logo, with the adverts running (Display mode) from a folder of that picture.
        kit.WriteIni("YourLogoHereBitmap=READERBASE\\logo\\" + QFile::encodeName(picture.name) +
                     "\r\nStartUpMode=1\r\n");
        const QString bad = kit.Kit + "logo/" + picture.name;
        const TChildResult r = RunInChild([&] {
            QStringList report;
            TMessageCapture messages;
            kit.Start();
            report << "start: " + messages.Texts().join("|");
            for (int i = 0; i < 3; ++i)
                kit.Host->NextAdvert();
            const TKXImage* advert = kit.Host->TitlePanel()->Advert;
            report << QStringLiteral("advert shown: %1")
                          .arg(!advert->Picture().isNull() &&
                               advert->FileName() == kit.Kit + "Advertisers/" + picture.name);
            messages.Clear();
            kit.Host->AdvertClick();
            report << "click: " + messages.Texts().join("|");
            messages.Clear();
            // As the outliners' and the panel's bitmaps, directly and through a state file.
            const QImage tile = kit.Main->FolderList->Bitmap();
            const bool outliner = kit.Main->FolderList->LoadBackgroundBitmap(bad);
            const bool panel = kit.Main->PanelPage->LoadTileBitmap(bad);
            report << QStringLiteral("direct: %1 %2 %3")
                          .arg(outliner)
                          .arg(panel)
                          .arg(kit.Main->FolderList->Bitmap() == tile);
            const QString state = kit.Kit + "pictures.sta";
            const QString bitmapName = kit.Main->FolderList->BitmapFileName();
            QByteArray sta = ReadTestFile(kit.Kit + "zelmora.STA");
            sta.replace("BitmapFile=Empty", "BitmapFile=" + QFile::encodeName(bad));
            MakeFile(state, sta);
            const bool loaded = kit.Main->LoadDisplayState(state);
            report << QStringLiteral("state: %1 %2 %3")
                          .arg(loaded)
                          .arg(kit.Main->FolderList->BitmapFileName() == bitmapName)
                          .arg(messages.Texts().join("|"));
            kit.Host->grab();
            report << "works: " + kit.StillWorks();
            return report.join("\n").toUtf8();
        });
        ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
        // A bitmap whose headers are whole but whose pixels stop early is shown as far as
        // it goes, as picture viewers do; everything else is refused.
        const bool partial = picture.name == "truncated-pixels.bmp";
        EXPECT_EQ(
            QString::fromUtf8(r.report),
            QStringList({"start: " + (partial ? QString() : kLogoMessage),
                         QStringLiteral("advert shown: %1").arg(partial),
                         "click: Could not find corresponding advertisement file. ",
                         partial ? "direct: 1 1 0" : "direct: 0 0 1", "state: 1 1 ", "works: "})
                .join("\n"));
    }
}

namespace {

// A kit whose ini file and a state file are in place, with the browsing window running.
const QString kFailedWrites =
    QStringList({"ini: 0 0 0", "save over: 0", "save new: 0",
                 "messages: " + TDisplayState::SaveErrorText + "|" + TDisplayState::SaveErrorText})
        .join("\n");

struct TWriteCase
{
    THostileKit kit;
    QString state;
    QByteArray iniBytes, stateBytes;
    TWriteCase()
    {
        // Larger than some of the simulated disks below.
        kit.WriteIni("IntroductionFile=READERBASE\\web\\Index.htm\r\n;" + LongLine(2000, '-') +
                     "\r\n");
        state = kit.Kit + "look.sta";
        MakeFile(state,
                 ReadTestFile(kit.Kit + "zelmora.STA") + BinaryBytes(300, 9).replace('\0', ' '));
        iniBytes = ReadTestFile(kit.IniPath());
        stateBytes = ReadTestFile(state);
        kit.Start();
        // Something to write: a look that differs from the file's.
        kit.Main->FolderList->SetCellPaintColour(0x123456);
    }
    // The writes of the program, as the writer page and the "save as" command make them.
    QByteArray WriteEverything()
    {
        TMessageCapture messages;
        QStringList report;
        report << QStringLiteral("ini: %1 %2 %3")
                      .arg(TAppIniFile::WriteIniString("StartUp", "IntroductionFile",
                                                       "READERBASE\\web\\Other.htm"))
                      .arg(TAppIniFile::WriteIniInteger("StartUp", "StartUpMode", 2))
                      .arg(TAppIniFile::WriteIniBool("Warnings", "ColourWarning", false));
        report << QStringLiteral("save over: %1").arg(kit.Main->SaveDisplayState(state));
        report
            << QStringLiteral("save new: %1").arg(kit.Main->SaveDisplayState(kit.Kit + "new.sta"));
        report << "messages: " + messages.Texts().join("|");
        return report.join("\n").toUtf8();
    }
    // Every write failed as reported and every file is as it was: no half-written file, no
    // temporary file left beside them.
    void ExpectNothingWritten(const TChildResult& r, const QStringList& entriesBefore) const
    {
        ASSERT_EQ(r.outcome, TChildResult::Finished) << r.Describe().toStdString();
        EXPECT_EQ(QString::fromUtf8(r.report), kFailedWrites);
        EXPECT_EQ(ReadTestFile(kit.IniPath()), iniBytes);
        EXPECT_EQ(ReadTestFile(state), stateBytes);
        EXPECT_EQ(Entries(kit.Kit), entriesBefore);
    }
};

} // namespace

TEST(THostileFilesTest, FullDiskLeavesEveryWrittenFileAsItWas)
{
    // The disk is full at several points: nothing can be written, part of a file can.
    for (const qint64 limit : {qint64(0), qint64(100), qint64(1000)}) {
        SCOPED_TRACE(limit);
        TWriteCase c;
        const QStringList before = Entries(c.kit.Kit);
        TChildLimits limits;
        limits.fileSizeLimit = limit;
        c.ExpectNothingWritten(RunInChild([&] { return c.WriteEverything(); }, limits), before);
    }
    // With room again the same writes succeed.
    TWriteCase c;
    EXPECT_EQ(c.WriteEverything(), "ini: 1 1 1\nsave over: 1\nsave new: 1\nmessages: ");
    QList<QByteArray> kept = c.iniBytes.split('\n');
    kept.removeIf([](const QByteArray& line) {
        return line.startsWith("IntroductionFile=") || line.startsWith("StartUpMode=") ||
               line.startsWith("ColourWarning=");
    });
    QList<QByteArray> now = ReadTestFile(c.kit.IniPath()).split('\n');
    now.removeIf([&](const QByteArray& line) { return !kept.contains(line); });
    EXPECT_EQ(now, kept);
}

TEST(THostileFilesTest, FolderThatCannotBeWrittenLeavesEveryFileAsItWas)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give up";
    TWriteCase c;
    ::chmod(QFile::encodeName(c.kit.Kit).constData(), 0755);
    const QStringList before = Entries(c.kit.Kit);
    // The files stay writable; the folder does not take new (temporary) files.
    ::chmod(QFile::encodeName(c.kit.IniPath()).constData(), 0666);
    ::chmod(QFile::encodeName(c.state).constData(), 0666);
    TChildLimits limits;
    limits.dropRoot = true;
    c.ExpectNothingWritten(RunInChild([&] { return c.WriteEverything(); }, limits), before);
}
