#include "OutlineSample.h"
#include "OutlineTestPrint.h"
#include "common/TestSupport.h"
#include "components/outline/EOutlineError.h"
#include "components/outline/TColdmereOutline.h"
#include "platform/TColorRef.h"
#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QScrollBar>
#include <gtest/gtest.h>

TEST(TColdmereCustomOutline, EmptyOutlineKeepsOneRowAndSelectsNothing)
{
    TColdmereOutline o;
    EXPECT_EQ(o.ItemCount(), 0);
    EXPECT_EQ(o.SelectedItem(), 0);
    EXPECT_EQ(o.RowCount(), 1);
    EXPECT_EQ(o.GetVisibleNode(0), nullptr);
    EXPECT_EQ(ErrorOf([&] { o.Items(0); }), "Invalid outline index");
    EXPECT_EQ(ErrorOf([&] { o.Items(1); }), "Outline index not found");
    EXPECT_EQ(ErrorOf([&] { o.SetSelectedItem(0); }), "Invalid selection");
    EXPECT_EQ(ErrorOf([&] { o.Delete(0); }), "Invalid outline index");
    EXPECT_EQ(ErrorOf([&] { o.Delete(1); }), "Outline index not found");
    EXPECT_EQ(o.GetTextItem("x"), 0);
}

TEST(TColdmereCustomOutline, InitialState)
{
    TColdmereOutline o;
    EXPECT_EQ(o.width(), 121);
    EXPECT_EQ(o.height(), 97);
    EXPECT_EQ(o.ItemSeparator(), "\\");
    EXPECT_EQ(o.OutlineStyle(), osTreePictureText);
    EXPECT_EQ(o.Options(), (TOutlineOptions{ooDrawTreeRoot, ooDrawFocusRect}));
    EXPECT_EQ(o.Style(), otStandard);
    EXPECT_EQ(o.ScrollBars(), ssBoth);
    EXPECT_EQ(o.Color(), TSysColour::clWindow);
    EXPECT_FALSE(o.PicturePlus().isNull());
    EXPECT_FALSE(o.PictureLeaf().isNull());
}

TEST(TColdmereCustomOutline, AddPathErrorsAreShownAndLeaveTheTreeAlone)
{
    TColdmereOutline o;
    BuildSample(o);
    TMessageCapture messages;

    EXPECT_EQ(o.AddChild(9, "x"), 0);
    EXPECT_EQ(o.Insert(9, "x"), 0);
    EXPECT_EQ(messages.Texts(),
              (QStringList{"Outline index not found", "Outline index not found"}));
    EXPECT_EQ(messages.Captions(), (QStringList{"Error", "Error"}));
    EXPECT_EQ(messages.Messages()[0].icon, TMsgIcon::Warning);
    EXPECT_EQ(o.ItemCount(), 5);

    // A negative index reaches the caller and shows nothing.
    messages.Clear();
    EXPECT_EQ(ErrorOf([&] { o.AddChild(-1, "x"); }), "Invalid outline index");
    EXPECT_EQ(ErrorOf([&] { o.InsertObject(-2, "x", nullptr); }), "Invalid outline index");
    EXPECT_TRUE(messages.Texts().isEmpty());
    EXPECT_EQ(o.ItemCount(), 5);
    EXPECT_EQ(ErrorOf([&] { o.SetCurItem(-1); }), "Invalid value for current item");
}

TEST(TColdmereCustomOutline, DepthLimitIs256Levels)
{
    TColdmereOutline o;
    int parent = 0;
    o.BeginUpdate();
    for (int level = 1; level <= 256; ++level)
        parent = o.AddChild(parent, QString::number(level));
    o.EndUpdate();
    ASSERT_EQ(parent, 256);
    EXPECT_EQ(o.Items(256)->Level(), 256);

    TMessageCapture messages;
    EXPECT_EQ(o.AddChild(256, "too deep"), 0);
    EXPECT_EQ(messages.Texts(), QStringList{"Maximum outline depth exceeded"});
    EXPECT_EQ(o.ItemCount(), 256);
    EXPECT_FALSE(o.Items(256)->HasItems());

    // A sibling at the deepest level is fine.
    EXPECT_EQ(o.Insert(256, "sibling"), 256);
    EXPECT_EQ(o.Items(256)->Level(), 256);
}

TEST(TColdmereCustomOutline, ExpandingNeedsExpandedAncestorsAndFiresBeforeTheChange)
{
    TColdmereOutline o;
    BuildSample(o);
    std::vector<std::pair<int, bool>> expands;
    o.OnExpand = [&](QObject* sender, int index) {
        EXPECT_EQ(sender, &o);
        expands.push_back({index, o.Items(index)->Expanded()});
    };
    EXPECT_EQ(ErrorOf([&] { o.Items(2)->Expand(); }), "Parent must be expanded");
    EXPECT_FALSE(o.Items(2)->Expanded());

    o.Items(1)->Expand();
    EXPECT_EQ(expands, (std::vector<std::pair<int, bool>>{{1, false}}));
    EXPECT_EQ(o.Items(1)->ExpandCount(), 2);
    EXPECT_EQ(o.RowCount(), 4);
    o.Items(2)->Expand();
    EXPECT_EQ(o.Items(1)->ExpandCount(), 3);
    EXPECT_EQ(o.RootNode()->ExpandCount(), 5);
    o.Items(1)->Expand(); // no change, no event
    EXPECT_EQ(expands.size(), 2u);
}

TEST(TColdmereCustomOutline, CollapsingCollapsesDescendantsFirst)
{
    TColdmereOutline o;
    BuildSample(o);
    o.FullExpand();
    EXPECT_EQ(o.RowCount(), 5);
    std::vector<int> collapses;
    o.OnCollapse = [&](QObject*, int index) { collapses.push_back(index); };
    o.Items(1)->Collapse();
    EXPECT_EQ(collapses, (std::vector<int>{2, 1}));
    EXPECT_FALSE(o.Items(2)->Expanded());
    EXPECT_EQ(o.Items(1)->ExpandCount(), 0);
    EXPECT_EQ(o.Items(2)->ExpandCount(), 0);
    EXPECT_EQ(o.RowCount(), 2);

    o.FullExpand();
    o.Items(1)->FullCollapse();
    EXPECT_FALSE(o.Items(2)->Expanded());
    EXPECT_FALSE(o.Items(1)->Expanded());
}

TEST(TColdmereCustomOutline, DeletingTheOnlyChildCollapsesAnExpandedParent)
{
    TColdmereOutline o;
    BuildSample(o);
    o.FullExpand();
    std::vector<int> collapses;
    o.OnCollapse = [&](QObject*, int index) { collapses.push_back(index); };
    o.Delete(3); // Leaf, the only child of Middle
    EXPECT_EQ(collapses, std::vector<int>{2});
    EXPECT_FALSE(o.Items(2)->Expanded());
    EXPECT_EQ(o.Row(), 1); // the parent's row
    EXPECT_EQ(o.RowCount(), 4);
}

TEST(TColdmereCustomOutline, DeletingTheLastChildMovesTheRowToTheNewLastChild)
{
    TColdmereOutline o;
    BuildSample(o);
    o.FullExpand();
    o.Delete(4);           // Second, the last child of Top
    EXPECT_EQ(o.Row(), 1); // Middle's row
    EXPECT_EQ(o.GetVisibleNode(o.Row())->Text(), "Middle");
}

TEST(TColdmereCustomOutline, DeletingTheSelectedItemsAncestorReturnsTheSelectionToTheRow)
{
    TColdmereOutline o;
    BuildSample(o);
    o.FullExpand();
    o.SetSelectedItem(3); // Leaf
    ASSERT_EQ(o.SelectedItem(), 3);
    o.Delete(2); // Middle with Leaf
    EXPECT_EQ(o.ItemCount(), 3);
    const int selected = o.SelectedItem();
    EXPECT_EQ(o.Items(selected), o.GetVisibleNode(o.Row()));
}

TEST(TColdmereCustomOutline, SelectingAHiddenItemSelectsItsNearestVisibleAncestor)
{
    TColdmereOutline o;
    BuildSample(o);
    o.SetSelectedItem(3);
    EXPECT_EQ(o.SelectedItem(), 1);
    EXPECT_EQ(o.Row(), 0);

    o.Items(1)->Expand();
    o.SetSelectedItem(3);
    EXPECT_EQ(o.SelectedItem(), 2);
    EXPECT_EQ(o.Row(), 1);

    o.SetSelectedItem(0); // 0 with items present means 1
    EXPECT_EQ(o.SelectedItem(), 1);
    EXPECT_EQ(ErrorOf([&] { o.SetSelectedItem(-3); }), "Invalid selection");
    EXPECT_EQ(ErrorOf([&] { o.SetSelectedItem(99); }), "Outline index not found");

    // A selected item that later becomes hidden gives way to its visible ancestor.
    o.Items(2)->Expand();
    o.SetSelectedItem(3);
    EXPECT_EQ(o.SelectedItem(), 3);
    o.Items(1)->Collapse();
    EXPECT_EQ(o.SelectedItem(), 1);
}

TEST(TColdmereCustomOutline, SelectionFollowsTheRowUntilSet)
{
    TColdmereOutline o;
    BuildSample(o);
    o.FullExpand();
    o.SetRow(3);
    EXPECT_EQ(o.SelectedItem(), 4);
}

TEST(TColdmereCustomOutline, BatchUpdatesDeferRowsAndIgnoreSelection)
{
    TColdmereOutline o;
    BuildSample(o);
    o.BeginUpdate();
    o.BeginUpdate();
    EXPECT_TRUE(o.Updating());
    EXPECT_EQ(o.AddChild(0, "A"), 6);
    EXPECT_EQ(o.AddChild(0, "B"), 7);
    EXPECT_EQ(o.RowCount(), 2);
    o.SetSelectedItem(7);
    o.EndUpdate();
    EXPECT_TRUE(o.Updating());
    o.EndUpdate();
    EXPECT_FALSE(o.Updating());
    EXPECT_EQ(o.RowCount(), 4);
    EXPECT_EQ(o.SelectedItem(), 1);
    o.EndUpdate(); // unbalanced: harmless
    EXPECT_FALSE(o.Updating());
}

TEST(TColdmereCustomOutline, ClearMakesTheOutlineAsNew)
{
    TColdmereOutline o;
    BuildSample(o);
    o.FullExpand();
    o.SetSelectedItem(3);
    o.BeginUpdate();
    o.Clear();
    EXPECT_FALSE(o.Updating());
    EXPECT_EQ(o.ItemCount(), 0);
    EXPECT_EQ(o.RowCount(), 1);
    EXPECT_EQ(o.Row(), 0);
    EXPECT_EQ(o.SelectedItem(), 0);
    EXPECT_EQ(o.AddChild(0, "again"), 1);
    EXPECT_EQ(o.SelectedItem(), 1);
}

TEST(TColdmereCustomOutline, RowGeometryFollowsTheFontOrTheItemHeight)
{
    TColdmereOutline o;
    QFont f = o.font();
    f.setPointSize(10);
    o.setFont(f);
    const int pixels = (10 * o.logicalDpiY() * 2 + 72) / 144;
    EXPECT_EQ(o.FontHeight(), pixels);
    EXPECT_EQ(o.ItemHeight(), (pixels * 120 * 2 + 100) / 200);
    o.SetItemHeight(50); // fixed by the font
    EXPECT_EQ(o.ItemHeight(), (pixels * 120 * 2 + 100) / 200);

    o.SetStyle(otOwnerDraw);
    o.SetItemHeight(30);
    EXPECT_EQ(o.ItemHeight(), 30);
    EXPECT_EQ(o.DefaultRowHeight(), 30);
    EXPECT_EQ(o.FontHeight(), 25);
    o.SetItemHeight(20);
    EXPECT_EQ(o.FontHeight(), 17); // 16.67 rounds up
}

TEST(TColdmereCustomOutline, ManyRowsAreMeasuredInSlicesBetweenEvents)
{
    TColdmereOutline o;
    o.SetScrollBars(ssBoth);
    o.resize(200, 300);
    const int rows = 4 * TColdmereOutline::MeasureAtOnceRows;
    const QString wide = QStringLiteral("a row far wider than every other row of the outline");
    o.BeginUpdate();
    for (int i = 0; i < rows; ++i)
        o.AddChild(0, i == rows - 7 ? wide : QStringLiteral("row %1").arg(i));
    o.EndUpdate();
    ASSERT_EQ(o.RowCount(), rows);

    // The rows on screen are measured at once; the wide row near the end comes later.
    const QFontMetrics fm(o.font());
    const int shownFirst = o.ColumnWidth();
    EXPECT_GE(shownFirst, fm.horizontalAdvance(QStringLiteral("row 0")));
    EXPECT_LT(shownFirst, fm.horizontalAdvance(wide));
    EXPECT_TRUE(o.MeasuringExtent());
    while (o.MeasuringExtent())
        QCoreApplication::processEvents();
    const int full = o.ColumnWidth();
    EXPECT_GT(full, fm.horizontalAdvance(wide));
    EXPECT_EQ(o.horizontalScrollBar()->maximum(), full - o.viewport()->width());

    // A change during the slices starts them over and still ends with the right width.
    o.AddChild(0, wide + wide);
    o.Delete(o.GetTextItem(wide + wide));
    o.Delete(o.GetTextItem(wide));
    while (o.MeasuringExtent() || o.ColumnWidth() != o.HorizontalExtent())
        QCoreApplication::processEvents();
    EXPECT_LT(o.ColumnWidth(), fm.horizontalAdvance(wide));
    const int expected = o.ColumnWidth();
    TColdmereOutline plain; // the same rows measured in one go
    for (int i = 0; i < rows; ++i)
        if (i != rows - 7)
            plain.AddChild(0, QStringLiteral("row %1").arg(i));
    EXPECT_EQ(plain.HorizontalExtent(), expected);
}

TEST(TColdmereCustomOutline, HorizontalExtentIsTheWidestVisibleRow)
{
    TColdmereOutline o;
    o.SetStyle(otOwnerDraw);
    o.SetItemHeight(20); // font height 17, g = 1
    o.SetOutlineStyle(osText);
    o.AddChild(0, "short");
    o.AddChild(1, "a much longer child text");
    const QFontMetrics fm(o.font());
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("short") + 1);
    o.Items(1)->Expand();
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("a much longer child text") + 20 + 1);

    o.SetOutlineStyle(osTreePictureText); // (Level + 1) * H - g with the tree root
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("a much longer child text") + 60 - 1 + 1);
    o.SetOptions({});
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("a much longer child text") + 40 - 1 + 1);
    o.SetOutlineStyle(osPlusMinusPictureText);
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("a much longer child text") + 60 + 1);

    o.Items(2)->SetText("x");
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("short") + 40 + 1);

    // Added rows widen the column, removed ones narrow it again; hidden ones do nothing.
    const int wide = o.AddChild(0, "the widest row of them all");
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("the widest row of them all") + 40 + 1);
    o.AddChild(wide, "a hidden child with an even longer text than that");
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("the widest row of them all") + 40 + 1);
    o.Delete(wide);
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("short") + 40 + 1);
    o.Items(1)->Collapse();
    EXPECT_EQ(o.HorizontalExtent(), fm.horizontalAdvance("short") + 40 + 1);
}

TEST(TColdmereCustomOutline, ColumnIsClientWideForOwnerDrawOrWithoutHorizontalBar)
{
    TColdmereOutline o;
    o.resize(200, 100);
    o.show();
    o.AddChild(0, QString(200, QLatin1Char('W')));
    QCoreApplication::processEvents(); // the width is measured once the changes are done
    EXPECT_EQ(o.ColumnWidth(), o.HorizontalExtent());
    EXPECT_GT(o.ColumnWidth(), o.viewport()->width());
    o.SetScrollBars(ssVertical);
    EXPECT_EQ(o.ColumnWidth(), o.viewport()->width());
    o.SetScrollBars(ssBoth);
    o.SetStyle(otOwnerDraw);
    o.OnDrawItem = [](QObject*, int, QRect, TOwnerDrawState) {};
    EXPECT_EQ(o.ColumnWidth(), o.viewport()->width());
}

TEST(TColdmereCustomOutline, LoadingShowsTheNewTreeFromItsFirstRowAlsoAfterAnError)
{
    TColdmereOutline o;
    o.resize(200, 80);
    QStringList many;
    for (int i = 0; i < 50; ++i)
        many << QStringLiteral("item %1").arg(i);
    o.SetLines(many);
    o.SetRow(40);
    ASSERT_GT(o.TopRow(), 0);

    auto load = [&](const QByteArray& bytes) {
        QByteArray data = bytes;
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        return ErrorOf([&] { o.LoadFromStream(buffer); });
    };
    EXPECT_EQ(load("A\r\n\tB\r\n\t\tC\r\nD\r\n"), "");
    EXPECT_EQ(o.RowCount(), 2);
    EXPECT_EQ(o.Row(), 0);
    EXPECT_EQ(o.TopRow(), 0);
    EXPECT_EQ(o.SelectedItem(), 1);

    // The lines read before an error stay, shown the same way.
    o.SetRow(1);
    EXPECT_EQ(load("A\r\nB\r\n\tC\r\n\t\t\tD\r\n"), "File load error");
    EXPECT_EQ(o.ItemCount(), 3);
    EXPECT_EQ(o.RowCount(), 2);
    EXPECT_EQ(o.Row(), 0);
    EXPECT_EQ(o.SelectedItem(), 1);

    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    EXPECT_TRUE(o.SaveToStream(out));
    EXPECT_EQ(saved, QByteArray("A\r\nB\r\n\tC\r\n"));
}
