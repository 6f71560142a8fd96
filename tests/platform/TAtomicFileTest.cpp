#include "platform/TAtomicFile.h"
#include "common/TestSupport.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using Stage = TAtomicFile::Stage;
const Stage kStages[] = {Stage::Created, Stage::HalfWritten, Stage::Written, Stage::Flushed,
                         Stage::Named};

// Stops every write at one stage, as a crash there would.
class TCrashAt
{
public:
    explicit TCrashAt(Stage stage)
    {
        TAtomicFile::SetStageHook([stage](Stage reached) { return reached != stage; });
    }
    ~TCrashAt() { TAtomicFile::SetStageHook({}); }
};

QStringList Entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

TEST(TAtomicFileTest, ACrashAtAnyStageLeavesNoFileOrTheWholeFile)
{
    const QByteArray whole = QByteArray("[Panel]\r\nColor=255\r\n").repeated(50);
    for (const Stage stage : kStages) {
        QTemporaryDir tmp;
        const QString created = tmp.path() + "/new.sta", replaced = tmp.path() + "/old.sta";
        WriteTestFile(replaced, "old");
        {
            TCrashAt crash(stage);
            EXPECT_FALSE(TAtomicFile::Create(created, whole));
            EXPECT_FALSE(TAtomicFile::Replace(replaced, whole));
        }
        const bool named = stage == Stage::Named;
        EXPECT_EQ(QFileInfo::exists(created), named) << int(stage);
        if (named)
            EXPECT_EQ(ReadTestFile(created), whole);
        EXPECT_EQ(ReadTestFile(replaced), named ? whole : QByteArray("old")) << int(stage);

        // The next write into the folder removes what the crash left.
        EXPECT_TRUE(TAtomicFile::Replace(tmp.path() + "/other.ini", "x"));
        QStringList expected{"old.sta", "other.ini"};
        if (named)
            expected.prepend("new.sta");
        EXPECT_EQ(Entries(tmp.path()), expected) << int(stage);
    }
}

TEST(TAtomicFileTest, ALiveWritersTemporaryFileStays)
{
    QTemporaryDir tmp;
    // While one write is under way, another write into the same folder cleans up; the
    // first write's temporary file is not a leftover and must survive it.
    bool inner = false;
    TAtomicFile::SetStageHook([&](Stage reached) {
        if (reached == Stage::Written && !inner) {
            inner = true;
            EXPECT_TRUE(TAtomicFile::Replace(tmp.path() + "/b.ini", "b"));
        }
        return true;
    });
    const bool outer = TAtomicFile::Replace(tmp.path() + "/a.ini", "a");
    TAtomicFile::SetStageHook({});
    EXPECT_TRUE(inner);
    EXPECT_TRUE(outer);
    EXPECT_EQ(Entries(tmp.path()), (QStringList{"a.ini", "b.ini"}));
}

TEST(TAtomicFileTest, CreateNeverReplacesAndReplaceKeepsLinksAndPermissions)
{
    QTemporaryDir tmp;
    const QString real = tmp.path() + "/real.sta", link = tmp.path() + "/link.sta";
    WriteTestFile(real, "mine");
    ASSERT_TRUE(QFile::setPermissions(real, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup));
    ASSERT_TRUE(QFile::link(real, link));
    EXPECT_FALSE(TAtomicFile::Create(real, "other"));
    EXPECT_FALSE(TAtomicFile::Create(link, "other"));
    EXPECT_EQ(ReadTestFile(real), "mine");

    EXPECT_TRUE(TAtomicFile::Replace(link, "new"));
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadTestFile(real), "new");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(real).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_FALSE(TAtomicFile::Create(tmp.path() + "/no/such/folder.sta", "x"));
    EXPECT_EQ(Entries(tmp.path()), (QStringList{"link.sta", "real.sta"}));
    EXPECT_TRUE(TAtomicFile::IsTemporaryName(".zel-tmp-Ab12Cd"));
    EXPECT_FALSE(TAtomicFile::IsTemporaryName("look.sta"));
}
