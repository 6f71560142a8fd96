// The outline tree on its own, without a control: numbering, lookups, the strings view,
// the errors it raises (it shows none) and what it tells its observer.
#include "components/outline/TOutlineTree.h"
#include "OutlineSample.h"
#include "OutlineTestPrint.h"
#include "common/TestSupport.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TOutlineStrings.h"
#include "components/outline/TOutlineTreeObserver.h"
#include <gtest/gtest.h>
#include <utility>

namespace {

// Writes down what the tree reports, one short line per call.
class Recorder : public TOutlineTreeObserver
{
public:
    QStringList events;

    void RowCountChanged() override { events << "rows"; }
    void RowsAdded(TOutlineNode* first, TOutlineNode* last) override
    {
        events << "added " + first->Text() + ".." + last->Text();
    }
    void RowWidthsChanged() override { events << "widths"; }
    void RepaintNeeded() override { events << "repaint"; }
    void TextChanged(TOutlineNode* node) override { events << "text " + node->Text(); }
    void Expanding(TOutlineNode* node) override
    {
        events << "expanding " + node->Text() + (node->Expanded() ? " (open)" : " (closed)");
    }
    void Collapsing(TOutlineNode* node) override
    {
        events << "collapsing " + node->Text() + (node->Expanded() ? " (open)" : " (closed)");
    }
    void CurrentItemChanged(TOutlineNode* node) override { events << "current " + node->Text(); }
    void TreeReset() override { events << "reset"; }

    QStringList Take() { return std::exchange(events, {}); }
};

} // namespace

TEST(TOutlineTree, NumbersItemsInPreOrderAcrossInsertsAndDeletes)
{
    TOutlineTree o;
    BuildSample(o);
    EXPECT_EQ(Texts(o), (QStringList{"Top", "Middle", "Leaf", "Second", "Other"}));
    EXPECT_EQ(o.Items(4)->Index(), 4);

    // A sibling inserted before Leaf takes its number; everything after moves on.
    EXPECT_EQ(o.Insert(3, "Before Leaf"), 3);
    EXPECT_EQ(Texts(o), (QStringList{"Top", "Middle", "Before Leaf", "Leaf", "Second", "Other"}));
    EXPECT_EQ(o.Items(6)->Text(), "Other");
    EXPECT_EQ(o.Items(4)->Level(), 3);

    // Insert at 0 appends a top-level item.
    EXPECT_EQ(o.Insert(0, "Last"), 7);
    EXPECT_EQ(o.Items(7)->Level(), 1);

    // Deleting Middle takes its subtree; later items are renumbered.
    TOutlineNode* other = o.Items(6);
    o.Delete(2);
    EXPECT_EQ(Texts(o), (QStringList{"Top", "Second", "Other", "Last"}));
    EXPECT_EQ(other->Index(), 3);
    EXPECT_EQ(o.ItemCount(), 4);
}

TEST(TOutlineTree, NodeProperties)
{
    TOutlineTree o;
    BuildSample(o);
    TOutlineNode* top = o.Items(1);
    TOutlineNode* leaf = o.Items(3);
    EXPECT_EQ(top->Level(), 1);
    EXPECT_EQ(leaf->Level(), 3);
    EXPECT_EQ(leaf->Parent(), o.Items(2));
    EXPECT_EQ(top->Parent(), o.RootNode());
    EXPECT_EQ(o.RootNode()->Index(), 0);
    EXPECT_EQ(o.RootNode()->Level(), 0);
    EXPECT_TRUE(top->HasItems());
    EXPECT_FALSE(leaf->HasItems());
    EXPECT_EQ(top->GetLastChild(), 4);
    EXPECT_EQ(leaf->GetLastChild(), -1);

    EXPECT_EQ(o.RootNode()->FullPath(), "");
    EXPECT_EQ(top->FullPath(), "Top");
    EXPECT_EQ(leaf->FullPath(), "Top\\Middle\\Leaf");
    o.SetItemSeparator("/");
    EXPECT_EQ(leaf->FullPath(), "Top/Middle/Leaf");

    int payload = 7;
    const int i = o.AddChildObject(4, "With data", &payload);
    EXPECT_EQ(o.Items(i)->Data(), &payload);
    EXPECT_EQ(o.Lines().Objects(i - 1), &payload);
}

TEST(TOutlineTree, GetTextItemFindsTheFirstMatchAlsoWhenHidden)
{
    TOutlineTree o;
    BuildSample(o);
    o.AddChild(5, "Leaf");
    EXPECT_EQ(o.GetTextItem("Leaf"), 3);
    EXPECT_FALSE(o.Items(3)->IsVisible());
    EXPECT_EQ(o.GetTextItem("leaf"), 0);
    EXPECT_EQ(o.GetTextItem("Other"), 5);
    EXPECT_EQ(o.GetTextItem(""), 0);
}

TEST(TOutlineTree, CurItemLooksUpAndCachesAnIndex)
{
    TOutlineTree o;
    BuildSample(o);
    o.SetCurItem(4);
    EXPECT_EQ(o.CurItem(), 4);
    EXPECT_EQ(ErrorOf([&] { o.SetCurItem(8); }), "Outline index not found");
    o.Insert(2, "x"); // the cache follows the inserted item
    EXPECT_EQ(o.CurItem(), 2);
    // A delete looks its item up, so the cache stays at that place: it now means the item
    // that moved up into it, and nothing when the place is gone.
    const QString next = o.Items(3)->Text();
    o.Delete(2);
    EXPECT_EQ(o.CurItem(), 2);
    EXPECT_EQ(o.Items(o.CurItem())->Text(), next);
    o.Delete(o.ItemCount());
    EXPECT_EQ(o.CurItem(), 0);
}

TEST(TOutlineTree, LinesViewTheTreeAsIndentedStrings)
{
    TOutlineTree o;
    BuildSample(o);
    TOutlineStrings& lines = o.Lines();
    EXPECT_EQ(lines.Count(), 5);
    EXPECT_EQ(lines[2], "\t\tLeaf");
    EXPECT_EQ(lines.ToStringList(),
              (QStringList{"Top", "\tMiddle", "\t\tLeaf", "\tSecond", "Other"}));

    // One level deeper and the same level both become children of the last item.
    EXPECT_EQ(lines.Add("\tChild"), 5);
    EXPECT_EQ(o.Items(6)->Parent(), o.Items(5));
    // The same depth as a deeper last item climbs to that depth.
    EXPECT_EQ(lines.Add("\tSibling"), 6);
    EXPECT_EQ(o.Items(7)->Parent(), o.Items(5));
    // Climbing: no indentation goes back to the top level; spaces count as tabs.
    EXPECT_EQ(lines.Add("Back"), 7);
    EXPECT_EQ(o.Items(8)->Level(), 1);
    EXPECT_EQ(lines.Add("  Deep"), 8);
    EXPECT_EQ(o.Items(9)->Level(), 2);
    EXPECT_EQ(o.Items(9)->Text(), "Deep");
    EXPECT_EQ(ErrorOf([&] { lines.Add("\t\t\t\tJump"); }), "File load error");
    EXPECT_EQ(o.ItemCount(), 9);

    lines.Insert(0, "\tfirst"); // whitespace taken as text
    EXPECT_EQ(o.Items(1)->Text(), "\tfirst");
    EXPECT_EQ(o.Items(1)->Level(), 1);
    lines.Delete(0);
    EXPECT_EQ(o.Items(1)->Text(), "Top");

    lines.Assign({"a", "\tb", "c"});
    EXPECT_EQ(lines.ToStringList(), (QStringList{"a", "\tb", "c"}));
    EXPECT_FALSE(o.Updating());
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    EXPECT_EQ(ErrorOf([&] { lines.Add("\t\tx"); }), "File load error");
    EXPECT_EQ(lines.Add("\tx"), 0); // into an empty outline one level is allowed
}

TEST(TOutlineTree, AddPathErrorsRaiseShowNothingAndLeaveTheTreeAlone)
{
    TOutlineTree o;
    BuildSample(o);
    TMessageCapture messages;
    EXPECT_EQ(ErrorOf([&] { o.AddChild(9, "x"); }), "Outline index not found");
    EXPECT_EQ(ErrorOf([&] { o.Insert(9, "x"); }), "Outline index not found");
    EXPECT_EQ(ErrorOf([&] { o.AddChild(-1, "x"); }), "Invalid outline index");
    int parent = 5;
    for (int level = 2; level <= TOutlineTree::MaxLevel; ++level)
        parent = o.AddChild(parent, QString::number(level));
    const int count = o.ItemCount();
    EXPECT_EQ(ErrorOf([&] { o.AddChild(parent, "too deep"); }), "Maximum outline depth exceeded");
    EXPECT_EQ(o.ItemCount(), count);
    EXPECT_FALSE(o.Items(parent)->HasItems());
    EXPECT_TRUE(messages.Texts().isEmpty());
}

TEST(TOutlineTree, TellsItsObserverWhatChanged)
{
    TOutlineTree o;
    Recorder r;
    o.SetObserver(&r);
    BuildSample(o);
    r.Take();

    // Expanding is told before the change, with the rows it adds after it.
    o.Items(1)->Expand();
    EXPECT_EQ(r.Take(),
              (QStringList{"expanding Top (closed)", "added Middle..Second", "rows", "repaint"}));
    o.Items(2)->Expand();
    r.Take();
    // Collapsing collapses the descendants first, each told while it is still open.
    o.Items(1)->Collapse();
    EXPECT_EQ(r.Take().filter("collapsing"),
              (QStringList{"collapsing Middle (open)", "collapsing Top (open)"}));

    // Hidden rows add nothing to show; a batch reports its rows once, at its end.
    o.BeginUpdate();
    o.AddChild(3, "Hidden");
    o.AddChild(0, "Shown");
    EXPECT_EQ(r.Take(), QStringList{"added Shown..Shown"});
    o.EndUpdate();
    EXPECT_EQ(r.Take(), (QStringList{"rows", "widths", "repaint"}));

    // Deleting a last child moves the row to the new last child; deleting an only child
    // closes its parent and moves the row there.
    o.Items(1)->Expand();
    o.Items(2)->Expand();
    r.Take();
    o.Delete(o.GetTextItem("Second"));
    EXPECT_EQ(r.Take(), (QStringList{"rows", "current Middle", "widths", "repaint"}));
    o.Delete(o.GetTextItem("Leaf"));
    const QStringList closed = r.Take();
    EXPECT_TRUE(closed.contains("collapsing Middle (open)"));
    EXPECT_EQ(closed.filter("current"), QStringList{"current Middle"});

    o.Items(1)->SetText("Renamed");
    EXPECT_EQ(r.Take(), QStringList{"text Renamed"});
    o.SetSelectedItem(2);
    EXPECT_EQ(r.Take(), QStringList{"current Middle"});
    o.Clear();
    EXPECT_EQ(r.Take(), QStringList{"reset"});

    // Without an observer nobody hears, and nothing breaks.
    o.SetObserver(nullptr);
    BuildSample(o);
    o.FullExpand();
    EXPECT_TRUE(r.events.isEmpty());
}
