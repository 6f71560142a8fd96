#include "browse/TWebBuilders.h"
#include "browse/TOutlineList.h"
#include "common/TestSupport.h"
#include "components/listview/TSortListView.h"
#include "components/outline/TColdmereCustomOutline.h"
#include "components/outline/TOutlineNode.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class WebBuildersTest : public ::testing::Test
{
protected:
    QTemporaryDir tmp;
    QString web; // ".../My Web/"
    TColdmereCustomOutline outline;
    TSortListView list;

    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        web = tmp.path() + "/My Web/";
        QDir().mkpath(web);
    }
    void Dir(const QString& rel) { ASSERT_TRUE(QDir().mkpath(web + rel)); }
    void File(const QString& rel, qint64 size = 10)
    {
        WriteTestFile(web + rel, QByteArray());
        QFile f(web + rel);
        ASSERT_TRUE(f.resize(size));
    }

    // The outline as indented lines: two blanks per level below the top.
    QStringList Tree()
    {
        QStringList lines;
        for (int i = 1; i <= outline.ItemCount(); ++i) {
            TOutlineNode* n = outline.Items(i);
            lines << QString(2 * (n->Level() - 1), u' ') + n->Text();
        }
        return lines;
    }
    QStringList Rows()
    {
        QStringList rows;
        for (int i = 0; i < list.ItemCount(); ++i)
            rows << list.Item(i)->Caption + "=" + list.Item(i)->SubItems.join(",");
        return rows;
    }
};

} // namespace

TEST_F(WebBuildersTest, WebWithoutSubFoldersIsOneNodeWithItsOwnName)
{
    File("index.htm");
    EXPECT_EQ(BuildFolderOutline(web, "0", true, &outline), web);
    EXPECT_EQ(Tree(), QStringList({"My Web"}));
    EXPECT_TRUE(outline.updatesEnabled());

    // The name is found however many separators end the folder.
    EXPECT_EQ(BuildFolderOutline(web + "/", "0", true, &outline), web + "/");
    EXPECT_EQ(Tree(), QStringList({"My Web"}));
}

TEST_F(WebBuildersTest, SubFoldersMirrorTheTreeWithCaseMadeUniform)
{
    Dir("Images");
    Dir("images docs/SUB dir/leaf");
    Dir("ZED");
    File("images docs/page.htm");
    EXPECT_EQ(BuildFolderOutline(web, "0", true, &outline), web);
    EXPECT_EQ(Tree(), QStringList({"My Web", "  Images", "  Images docs", "    Sub dir",
                                   "      Leaf", "  Zed"}));
    EXPECT_EQ(outline.Items(5)->FullPath(), "My Web\\Images docs\\Sub dir\\Leaf");
}

TEST_F(WebBuildersTest, SameNameInTwoPlacesKeepsItsOwnChildren)
{
    Dir("A/Pics/Holiday");
    Dir("B/Pics/Work");
    Dir("B/Pics/Zoo");
    BuildFolderOutline(web, "0", true, &outline);
    EXPECT_EQ(Tree(), QStringList({"My Web", "  A", "    Pics", "      Holiday", "  B", "    Pics",
                                   "      Work", "      Zoo"}));
}

// Every node stands for one real folder and every real folder has one node, on a random
// tree whose names differ in case and share names across branches.
TEST_F(WebBuildersTest, RandomTreeHasOneNodePerFolderUnderItsParent)
{
    QRandomGenerator rng(20240601);
    const QStringList names = {"pics", "Pics", "docs", "Alpha", "beta", "x y", "Ärger", "b.2"};
    QStringList folders{""};
    QSet<QString> expected;
    for (int i = 0; i < 150; ++i) {
        const QString parent = folders[rng.bounded(int(folders.size()))];
        const QString name = names[rng.bounded(int(names.size()))];
        const QString rel = parent + name + "/";
        if (folders.contains(rel, Qt::CaseInsensitive))
            continue; // the web comes from a file system that ignores case
        Dir(rel);
        folders << rel;
        expected << ("My Web/" + rel.chopped(1)).toCaseFolded().replace('/', '\\');
    }
    expected << QString("my web");
    BuildFolderOutline(web, "0", true, &outline);
    QSet<QString> actual;
    for (int i = 1; i <= outline.ItemCount(); ++i) {
        TOutlineNode* n = outline.Items(i);
        EXPECT_TRUE(n->Level() == 1 ? i == 1 : true)
            << "stray top-level node " << n->Text().toStdString();
        EXPECT_FALSE(actual.contains(n->FullPath().toCaseFolded()));
        actual << n->FullPath().toCaseFolded();
        // Siblings come in the enumeration's order: by name ignoring case.
        if (n->Parent() && n->Parent()->Level() > 0 && n->Index() != n->Parent()->Index() + 1) {
            TOutlineNode* before = outline.Items(n->Index() - 1);
            while (before->Level() > n->Level())
                before = before->Parent();
            EXPECT_LT(before->Text().compare(n->Text(), Qt::CaseInsensitive), 0);
        }
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(outline.ItemCount(), expected.size());
}

TEST_F(WebBuildersTest, SubPathIsTheScannedFolderAndGivesTheRootName)
{
    Dir("Part one/Chapter");
    EXPECT_EQ(BuildFolderOutline(web, "Part one/", true, &outline), web + "Part one/");
    EXPECT_EQ(Tree(), QStringList({"Part one", "  Chapter"}));
}

TEST_F(WebBuildersTest, ClearsTheOldOutlineAndMissingFolderGivesTheRootOnly)
{
    Dir("Old");
    BuildFolderOutline(web, "0", true, &outline);
    ASSERT_EQ(outline.ItemCount(), 2);
    EXPECT_EQ(BuildFolderOutline(tmp.path() + "/Absent/", "0", true, &outline),
              tmp.path() + "/Absent/");
    EXPECT_EQ(Tree(), QStringList({"Absent"}));

    // Files only: no sub-folder node is built from file entries.
    EXPECT_EQ(BuildFolderOutline(web, "0", false, &outline), web);
    EXPECT_EQ(Tree(), QStringList({"My Web"}));
}

TEST_F(WebBuildersTest, LinkBackUpTheTreeEndsTheBuild)
{
    Dir("a/b");
    ASSERT_EQ(::symlink("../..", QFile::encodeName(web + "a/b/up").constData()), 0);
    EXPECT_EQ(BuildFolderOutline(web, "0", true, &outline), web);
    // The link shows as a folder, but what it leads to is not walked again.
    EXPECT_EQ(Tree(), QStringList({"My Web", "  A", "    B", "      Up"}));
}

TEST_F(WebBuildersTest, TreeDeeperThanAnOutlineIsBuiltAsFarAsItGoes)
{
    QString rel = "deep/";
    for (int i = 0; i < 300; ++i)
        rel += "d/";
    Dir(rel);
    Dir("zz/last");
    EXPECT_EQ(BuildFolderOutline(web, "0", true, &outline), web);
    // Levels 1 (the web) to 256; what lies deeper is left out, not moved elsewhere.
    const QStringList tree = Tree();
    ASSERT_EQ(tree.size(), 256 + 2);
    EXPECT_EQ(outline.Items(256)->Level(), 256);
    EXPECT_EQ(tree.mid(256), QStringList({"  Zz", "    Last"}));
    int topLevel = 0;
    for (int i = 1; i <= outline.ItemCount(); ++i)
        topLevel += outline.Items(i)->Level() == 1;
    EXPECT_EQ(topLevel, 1);
}

TEST_F(WebBuildersTest, NameThatIsNotUtf8IsBuiltWithoutHarm)
{
    const QByteArray raw = QFile::encodeName(web) + QByteArray("b\xff\xfe");
    ASSERT_EQ(::mkdir(raw.constData(), 0755), 0);
    ASSERT_EQ(::mkdir((raw + "/inner").constData(), 0755), 0);
    Dir("c/d");
    EXPECT_EQ(BuildFolderOutline(web, "0", true, &outline), web);
    const QStringList tree = Tree();
    EXPECT_EQ(tree.first(), "My Web");
    EXPECT_TRUE(tree.mid(1).filter(QRegularExpression("^  B")).size() == 1)
        << tree.join("|").toStdString();
    EXPECT_TRUE(tree.contains("  C") && tree.contains("    D"));
    ::rmdir((raw + "/inner").constData());
    ::rmdir(raw.constData());
}

TEST_F(WebBuildersTest, AddFolderNodeFindsTheParentIgnoringCase)
{
    outline.AddChild(0, "Web");
    TOutlineList search(&outline);
    search.SetNameStart(4); // "/w/Web/" : the name begins at the fourth character
    EXPECT_EQ(search.AddFolderNode("Images docs", "/w/Web/"), 2);
    EXPECT_EQ(search.AddFolderNode("Sub", "/w/WEB/IMAGES DOCS/"), 3);
    EXPECT_EQ(outline.Items(3)->FullPath(), "Web\\Images docs\\Sub");
    EXPECT_EQ(search.AddFolderNode("Two", "/w/web/images docs/"), 4);
    EXPECT_EQ(outline.Items(4)->Parent(), outline.Items(2));
    // A folder whose parent has no node goes to the top level.
    const int stray = search.AddFolderNode("Lost", "/w/Web/nowhere/");
    EXPECT_EQ(outline.Items(stray)->Level(), 1);
}

TEST(OutlineListTexts, NodeTextsCaptionsAndSizes)
{
    EXPECT_EQ(TOutlineList::NodeText("images docs"), "Images docs");
    EXPECT_EQ(TOutlineList::NodeText("ärger"), "ärger"); // only a to z change case
    EXPECT_EQ(TOutlineList::NodeText(""), "");
    EXPECT_EQ(TOutlineList::Caption("Report.Final.HTM"), "report.final");
    EXPECT_EQ(TOutlineList::Caption("README"), "readme");
    EXPECT_EQ(TOutlineList::SizeText(0, true), "0");
    EXPECT_EQ(TOutlineList::SizeText(1000, true), "1000");
    EXPECT_EQ(TOutlineList::SizeText(1001, false), "1");
    EXPECT_EQ(TOutlineList::SizeText(1999, true), "1KB");
    EXPECT_EQ(TOutlineList::SizeText(25600, true), "25KB");
}

TEST_F(WebBuildersTest, DocumentRowsWithOneColumn)
{
    File("Index.HTM", 1000);
    File("b1001.htm", 1001);
    File("c25600.htm", 25600);
    File("report.final.htm", 5);
    File("page.html", 7);
    File("notes.txt", 3);
    Dir("folder.htm");
    File("Sub/inner.htm");
    list.AddColumn("Name", 80);
    list.AddItem("stale row");
    EXPECT_EQ(FillDocumentList(web, "0", false, &list), web);
    EXPECT_EQ(Rows(),
              QStringList({"b1001=1", "c25600=25", "index=1000", "page=7", "report.final=5"}));
    EXPECT_EQ(list.ViewStyle(), vsReport);
    EXPECT_EQ(list.Column(0)->Width, TListColumn::AutoSizeUseHeader);
    EXPECT_TRUE(list.updatesEnabled());
}

TEST_F(WebBuildersTest, DocumentRowsWithTwoColumnsCarryTheUnit)
{
    File("Index.HTM", 1000);
    File("b1001.htm", 1001);
    File("c25600.htm", 25600);
    list.AddColumn("Name", 80);
    list.AddColumn("Size", 40);
    EXPECT_EQ(FillDocumentList(web, "0", false, &list), web);
    EXPECT_EQ(Rows(), QStringList({"b1001=1KB", "c25600=25KB", "index=1000"}));
    EXPECT_EQ(list.Column(0)->Width, 80);
    EXPECT_EQ(list.Column(1)->Width, TListColumn::AutoSizeUseHeader);
}

TEST_F(WebBuildersTest, DocumentListOfASubFolderAndOfNothing)
{
    File("Sub/inner.htm", 2000);
    EXPECT_EQ(FillDocumentList(web, "Sub/", false, &list), web + "Sub/");
    EXPECT_EQ(Rows(), QStringList({"inner=2"})); // no columns: still one size text
    EXPECT_EQ(FillDocumentList(web, "Absent/", false, &list), web + "Absent/");
    EXPECT_TRUE(Rows().isEmpty());
    // Folder mode on a list builds no rows.
    EXPECT_EQ(FillDocumentList(web, "Sub/", true, &list), web + "Sub/");
    EXPECT_TRUE(Rows().isEmpty());
}

TEST_F(WebBuildersTest, DocumentOfFourGigabytesShowsItsWholeSize)
{
    File("huge.htm", (qint64(1) << 32) + 1000); // sparse: takes no room
    list.AddColumn("Name", 80);
    list.AddColumn("Size", 40);
    FillDocumentList(web, "0", false, &list);
    EXPECT_EQ(Rows(), QStringList({"huge=4294968KB"}));
}
