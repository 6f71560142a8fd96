#include "state/TDisplayState.h"
#include "platform/TAtomicFile.h"
#include "platform/TPath.h"
#include "state/DisplayTestControls.h"
#include "state/StateTestSupport.h"
#include "state/TDefaultState.h"
#include "state/TListViewState.h"
#include "state/TOutlinerState.h"
#include "state/TPanelState.h"
#include "state/TSplitterState.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace statetest;

namespace {

class TDisplayStateTest : public ::testing::Test
{
protected:
    QString PathOf(const QString& name) const { return m_dir.filePath(name); }

    // Everything the six controls' sections hold, as the writer sees it.
    QByteArray Look(TTestDisplay& display)
    {
        const QString path = PathOf("snapshot.sta");
        QFile::remove(path);
        EXPECT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
        return ReadTestFile(path);
    }

    QStringList Files() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    }

    TMessageCapture m_messages;
    QTemporaryDir m_dir;
};

// True when needle's lines appear in haystack's lines in the same order.
bool IsSubsequence(const QStringList& needle, const QStringList& haystack)
{
    qsizetype at = 0;
    for (const QString& line : needle) {
        at = haystack.indexOf(line, at);
        if (at < 0)
            return false;
        ++at;
    }
    return true;
}

} // namespace

TEST_F(TDisplayStateTest, SavingTheDesignLookIntoANewFileWritesTheKnownLines)
{
    TTestDisplay display;
    display.StyleAsDesign();
    display.FolderList.SetColor(1); // overwritten by ReadOutliner in the shared section
    const QString path = PathOf("new.sta");
    ASSERT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
    EXPECT_EQ(ReadTestFile(path), kDesignStateFile);
    EXPECT_TRUE(m_messages.Messages().empty());

    // Saving again changes nothing.
    ASSERT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
    EXPECT_EQ(ReadTestFile(path), kDesignStateFile);
}

TEST_F(TDisplayStateTest, SavingOverAFileKeepsItsOtherKeysAndCommentsInPlace)
{
    const QByteArray original = "; my look\r\n[Extra]\r\nA=1\r\n\r\n[outliners]\r\nColor=5\r\n"
                                "Mine=keep\r\n; a note\r\n\r\n[Horizontal Splitter]\r\n"
                                "Height=3\r\nWho=me\r\n";
    const QString path = PathOf("old.sta");
    WriteTestFile(path, original);
    TTestDisplay display;
    display.StyleAsDesign();
    ASSERT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
    const QByteArray once = ReadTestFile(path);
    const QStringList lines = QString::fromUtf8(once).split("\r\n");

    EXPECT_TRUE(
        IsSubsequence({"; my look", "[Extra]", "A=1", "", "[outliners]", "Color=16777215",
                       "Mine=keep", "; a note", "", "[Horizontal Splitter]", "Height=7", "Who=me",
                       "BorderStyle=0", "[FilesList]", "[Panel]", "[Vertical Splitter]"},
                      lines))
        << once.toStdString();
    EXPECT_EQ(lines.count("[outliners]"), 1);
    EXPECT_EQ(lines.count("[Outliners]"), 0);
    EXPECT_EQ(SectionKeys(path, "Horizontal Splitter"),
              QStringList({"Height", "Who", "BorderStyle", "Color", "DrawEdge", "ShadowStyle",
                           "ShThickness", "PictureFile"}));

    ASSERT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
    EXPECT_EQ(ReadTestFile(path), once);
}

TEST_F(TDisplayStateTest, EveryPropertySurvivesSaveThenLoad)
{
    TTestDisplay source;
    source.StyleAsDesign();
    // A look away from the design in every section.
    for (TROutliner* o : {static_cast<TROutliner*>(&source.FolderList),
                          static_cast<TROutliner*>(&source.ReadOutliner)}) {
        o->SetBackGroundStyle(rbsGradient);
        o->SetControlOutline(kxBoxOut);
        o->SetItemHeight(22);
        o->SetTextAsThreeD(true);
    }
    source.DocList.SetDoCellOutline(rlsBox);
    source.DocList.SetCellHiLightColour(-2147483643);
    source.DocList.SetTextAsThreeD(true);
    source.PanelPage.SetGradientHiLight(9856410);
    source.PanelPage.SetBackGroundStyle(rbsGradient);
    source.GraphicSplit1.SetBorderStyle(1);
    source.GraphicSplit1.SetWidth(11);
    source.GraphicSplit2.SetDrawEdge(true);
    source.GraphicSplit2.SetHeight(13);
    const QString path = PathOf("look.sta");
    ASSERT_TRUE(TDisplayState::SaveDisplayState(source.Controls(), path));

    TTestDisplay target;
    ASSERT_NE(Look(target), Look(source));
    ASSERT_TRUE(TDisplayState::LoadDisplayState(target.Controls(), path));
    EXPECT_EQ(Look(target), Look(source));
    // Both outliners read the one section.
    EXPECT_EQ(target.FolderList.ItemHeight(), 22);
    EXPECT_EQ(target.ReadOutliner.ItemHeight(), 22);
    EXPECT_EQ(target.GraphicSplit1.Width(), 11);
    EXPECT_EQ(target.GraphicSplit2.Height(), 13);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(TDisplayStateTest, ASaveThatCannotBeWrittenSaysSoAndLeavesTheOldFile)
{
    TTestDisplay display;
    display.StyleAsDesign();
    WriteTestFile(PathOf("plain"), "a file, not a folder");
    const QStringList before = Files();
    for (const QString& path :
         {PathOf("missing/look.sta"), PathOf("plain/look.sta"), m_dir.path()}) {
        m_messages.Clear();
        EXPECT_FALSE(TDisplayState::SaveDisplayState(display.Controls(), path))
            << path.toStdString();
        EXPECT_EQ(m_messages.Texts(), QStringList{"Could not save the State file"});
        EXPECT_EQ(m_messages.Captions(), QStringList{"Save Error"});
        EXPECT_EQ(m_messages.Messages().front().icon, TMsgIcon::Warning);
    }
    EXPECT_EQ(Files(), before);

    // A control that cannot be written fails the whole save: the old file stays as it was.
    const QByteArray original = "[Outliners]\r\nColor=5\r\n";
    const QString path = PathOf("old.sta");
    WriteTestFile(path, original);
    TDisplayControls partial = display.Controls();
    partial.GraphicSplit2 = nullptr;
    m_messages.Clear();
    EXPECT_FALSE(TDisplayState::SaveDisplayState(partial, path));
    EXPECT_EQ(ReadTestFile(path), original);
    EXPECT_EQ(m_messages.Texts(), QStringList{"Could not save the State file"});

    // A read-only file is not replaced, whoever runs the program.
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    m_messages.Clear();
    EXPECT_FALSE(TDisplayState::SaveDisplayState(display.Controls(), path));
    EXPECT_EQ(ReadTestFile(path), original);
    EXPECT_EQ(m_messages.Texts(), QStringList{"Could not save the State file"});
    ::chmod(QFile::encodeName(path).constData(), 0644);

    if (geteuid() != 0) {
        ASSERT_EQ(::chmod(QFile::encodeName(m_dir.path()).constData(), 0555), 0);
        m_messages.Clear();
        EXPECT_FALSE(TDisplayState::SaveDisplayState(display.Controls(), path));
        EXPECT_FALSE(TDisplayState::SaveDisplayState(display.Controls(), PathOf("new.sta")));
        ::chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
        EXPECT_EQ(ReadTestFile(path), original);
        EXPECT_EQ(m_messages.Texts().size(), 2);
    }
}

TEST_F(TDisplayStateTest, AFullDiskLeavesTheOldFileByteForByteAndNoNewFileBehind)
{
    TTestDisplay display;
    display.StyleAsDesign();
    const QByteArray original = "; mine\r\n[Panel]\r\nColor=5\r\n";
    const QString path = PathOf("old.sta");
    WriteTestFile(path, original);

    struct rlimit saved
    {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = rlim_t(original.size());
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool overOld = TDisplayState::SaveDisplayState(display.Controls(), path);
    const bool intoNew = TDisplayState::SaveDisplayState(display.Controls(), PathOf("new.sta"));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(overOld);
    EXPECT_FALSE(intoNew);
    EXPECT_EQ(ReadTestFile(path), original);
    EXPECT_EQ(Files(), QStringList{"old.sta"});
    EXPECT_EQ(m_messages.Texts(),
              QStringList({"Could not save the State file", "Could not save the State file"}));
}

TEST_F(TDisplayStateTest, SaveAsANewNameInterruptedAnywhereLeavesNoFileOrTheWholeFile)
{
    TTestDisplay display;
    display.StyleAsDesign();
    const QByteArray whole = Look(display);
    QFile::remove(PathOf("snapshot.sta"));
    using Stage = TAtomicFile::Stage;
    for (const Stage stage :
         {Stage::Created, Stage::HalfWritten, Stage::Written, Stage::Flushed, Stage::Named}) {
        const QString path = PathOf("new.sta");
        TAtomicFile::SetStageHook([stage](Stage reached) { return reached != stage; });
        const bool saved = TDisplayState::SaveDisplayState(display.Controls(), path);
        TAtomicFile::SetStageHook({});
        EXPECT_FALSE(saved);
        if (QFileInfo::exists(path))
            EXPECT_EQ(ReadTestFile(path), whole) << int(stage);
        EXPECT_EQ(QFileInfo::exists(path), stage == Stage::Named) << int(stage);

        // The next save there takes the new name and leaves no temporary file behind.
        QFile::remove(path);
        EXPECT_TRUE(TDisplayState::SaveDisplayState(display.Controls(), path));
        EXPECT_EQ(ReadTestFile(path), whole);
        EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"new.sta"});
        QFile::remove(path);
    }
}

TEST_F(TDisplayStateTest, LoadingReportsAFileThatIsMissingOrHasABadValue)
{
    TTestDisplay display;
    display.StyleAsDesign();
    const QByteArray before = Look(display);

    EXPECT_FALSE(TDisplayState::LoadDisplayState(display.Controls(), PathOf("gone.sta")));
    EXPECT_EQ(m_messages.Texts(),
              QStringList{"Could not load the State file. If you cannot locate the default file, "
                          "run setup again."});
    EXPECT_EQ(m_messages.Captions(), QStringList{"Load Error"});
    EXPECT_EQ(Look(display), before);

    // A word as an outliner colour fails the load, but the other sections still apply.
    const QString path = PathOf("bad.sta");
    WriteTestFile(path, "[Outliners]\r\nCellHiLightColour=blue\r\nItemHeight=44\r\n"
                        "[Vertical Splitter]\r\nWidth=9\r\n[Panel]\r\nLeaveSpaceAtTitle=3\r\n");
    m_messages.Clear();
    EXPECT_FALSE(TDisplayState::LoadDisplayState(display.Controls(), path));
    EXPECT_EQ(m_messages.Captions(), QStringList{"Load Error"});
    EXPECT_EQ(display.FolderList.ItemHeight(), 30);
    EXPECT_EQ(display.GraphicSplit1.Width(), 9);
    EXPECT_EQ(display.PanelPage.LeaveSpaceAtTitle(), 3);
}

TEST_F(TDisplayStateTest, ASectionWithoutColorGivesEveryControlColourZero)
{
    TTestDisplay display;
    display.StyleAsDesign();
    display.FolderList.SetColor(5);
    display.DocList.SetColor(6);
    display.GraphicSplit1.SetColor(7);
    const QString path = PathOf("nocolour.sta");
    WriteTestFile(path, "[Outliners]\r\nItemHeight=20\r\n[FilesList]\r\nFontSize=9\r\n"
                        "[Vertical Splitter]\r\nShThickness=4\r\n");
    TKXIniFile ini(path);
    EXPECT_TRUE(TOutlinerState::ReadOutlinerState(ini, &display.FolderList));
    EXPECT_TRUE(TListViewState::ReadListViewState(ini, &display.DocList));
    EXPECT_TRUE(
        TSplitterState::ReadSplitterState(ini, &display.GraphicSplit1, "Vertical Splitter"));
    EXPECT_EQ(display.FolderList.Color(), 0);
    EXPECT_EQ(display.DocList.Color(), 0);
    EXPECT_EQ(display.GraphicSplit1.Color(), 0);
    EXPECT_EQ(display.FolderList.ItemHeight(), 20);
    EXPECT_EQ(display.GraphicSplit1.ShThickness(), 4);
}

TEST_F(TDisplayStateTest, LoadStateFileOnAMissingPathChangesNothing)
{
    TTestDisplay display;
    display.StyleAsDesign();
    const QByteArray before = Look(display);
    EXPECT_FALSE(TDisplayState::LoadStateFile(
        PathOf("gone.sta"), &display.FolderList, &display.ReadOutliner, &display.GraphicSplit2,
        &display.GraphicSplit1, &display.PanelPage, &display.DocList));
    EXPECT_FALSE(TDisplayState::LoadStateFile(QString(), &display.FolderList, &display.ReadOutliner,
                                              &display.GraphicSplit2, &display.GraphicSplit1,
                                              &display.PanelPage, &display.DocList));
    EXPECT_EQ(Look(display), before);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(TDisplayStateTest, TheDemoKitsStateFilesLoadCompletely)
{
    const QString demo = QStringLiteral(ZELMORA_SOURCE_DIR "/demo/");
    QStringList files = {demo + "zelmora.STA"};
    for (const QString& look : QDir(demo + "Looks").entryList({"*.sta"}, QDir::Files))
        files << demo + "Looks/" + look;
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        TTestDisplay display;
        ASSERT_TRUE(TDisplayState::LoadStateFile(file, &display.FolderList, &display.ReadOutliner,
                                                 &display.GraphicSplit2, &display.GraphicSplit1,
                                                 &display.PanelPage, &display.DocList));
        // Every key of the five sections is in the file, so nothing read as missing; the
        // looks predate the font style key, and read as regular text.
        const auto older = [](QStringList keys) {
            keys.removeAll("FontStyle");
            return keys;
        };
        const std::pair<QString, QStringList> sections[] = {
            {"Outliners", older(TOutlinerState::Keys())},
            {"FilesList", older(TListViewState::Keys())},
            {"Panel", TPanelState::Keys()},
            {"Vertical Splitter", TSplitterState::Keys() + QStringList{"Width"}},
            {"Horizontal Splitter", TSplitterState::Keys() + QStringList{"Height"}}};
        for (const auto& [section, keys] : sections)
            EXPECT_EQ(SectionKeys(file, section), keys) << section.toStdString();
        EXPECT_EQ(display.FolderList.Color(), display.ReadOutliner.Color());
        EXPECT_GT(display.FolderList.ItemHeight(), 1);
        EXPECT_GT(display.GraphicSplit1.Width(), 0);
        EXPECT_GT(display.GraphicSplit2.Height(), 0);
    }
    // The default state file is the design look.
    TTestDisplay display;
    ASSERT_TRUE(TDisplayState::LoadStateFile(
        files.front(), &display.FolderList, &display.ReadOutliner, &display.GraphicSplit2,
        &display.GraphicSplit1, &display.PanelPage, &display.DocList));
    EXPECT_EQ(display.FolderList.ItemHeight(), 30);
    EXPECT_EQ(display.GraphicSplit1.Width(), 6);
    EXPECT_EQ(display.GraphicSplit2.Height(), 7);
    EXPECT_EQ(display.GraphicSplit1.ShadowStyle(), ssShadLeft);
    EXPECT_EQ(display.GraphicSplit2.ShadowStyle(), ssShadBottom);
    EXPECT_TRUE(m_messages.Messages().empty());
}

TEST_F(TDisplayStateTest, RestoresReadTheDefaultStateFileBesideTheExecutable)
{
    const QString executable = PathOf("kit/zelmora");
    TPath::SetExecutablePathOverride(executable);
    EXPECT_EQ(TDefaultState::DefaultStateFileName(), PathOf("kit/zelmora.STA"));

    TTestDisplay display;
    // No default state file: every restore fails and changes nothing.
    const QByteArray before = Look(display);
    EXPECT_FALSE(TDefaultState::RestoreOutlinerFromDefault(&display.FolderList));
    EXPECT_FALSE(TDefaultState::RestoreListViewFromDefault(&display.DocList));
    EXPECT_FALSE(TDefaultState::RestorePanelFromDefault(&display.PanelPage));
    EXPECT_FALSE(TDefaultState::RestoreSplitterFromDefault(&display.GraphicSplit1));
    EXPECT_EQ(Look(display), before);

    WriteTestFile(PathOf("kit/zelmora.sta"), kDesignStateFile); // letter case resolved
    EXPECT_TRUE(TDefaultState::RestoreOutlinerFromDefault(&display.FolderList));
    EXPECT_TRUE(TDefaultState::RestoreListViewFromDefault(&display.DocList));
    EXPECT_TRUE(TDefaultState::RestorePanelFromDefault(&display.PanelPage));
    EXPECT_TRUE(TDefaultState::RestoreSplitterFromDefault(&display.GraphicSplit1));
    EXPECT_TRUE(TDefaultState::RestoreSplitterFromDefault(&display.GraphicSplit2));
    EXPECT_EQ(display.FolderList.CellPaintColour(), 12615744);
    EXPECT_EQ(display.DocList.TextHiLight(), 255);
    EXPECT_EQ(display.PanelPage.LeaveSpaceAtTitle(), 15);
    EXPECT_EQ(display.GraphicSplit1.Width(), 6);  // aligned left: the vertical section
    EXPECT_EQ(display.GraphicSplit2.Height(), 7); // aligned bottom: the horizontal one
    EXPECT_EQ(display.GraphicSplit2.ShadowStyle(), ssShadBottom);

    // A bad value fails the restore.
    WriteTestFile(PathOf("kit/zelmora.sta"), "[Outliners]\r\nColor=red\r\n");
    EXPECT_FALSE(TDefaultState::RestoreOutlinerFromDefault(&display.FolderList));
    EXPECT_FALSE(TDefaultState::RestoreOutlinerFromDefault(nullptr));
    TPath::SetExecutablePathOverride(QString());
    EXPECT_TRUE(m_messages.Messages().empty());
}
