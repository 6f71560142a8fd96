#include "components/listview/TListItems.h"
#include "components/listview/LocaleScope.h"
#include <QObject>
#include <gtest/gtest.h>

// The rows, columns and sorting of a list view, without a window.

namespace {

// Two columns holding the given captions (and sub-items).
void Fill(TListItems& items, const QStringList& captions, const QStringList& subItems = {})
{
    if (items.ColumnCount() == 0) {
        items.AddColumn("Name", 100);
        items.AddColumn("Size", 80);
    }
    for (int i = 0; i < captions.size(); ++i) {
        TListItem* item = items.Append(captions.at(i));
        if (i < subItems.size())
            item->SubItems << subItems.at(i);
    }
}

QStringList Captions(const TListItems& items)
{
    QStringList result;
    for (int i = 0; i < items.Count(); ++i)
        result << items.Item(i)->Caption;
    return result;
}

} // namespace

TEST(TListItems, InitialState)
{
    TListItems items;
    EXPECT_EQ(items.AutoColumnSort(), acsNoSort);
    EXPECT_TRUE(items.AutoSortAscending());
    EXPECT_TRUE(items.CurrentSortAscending());
    EXPECT_EQ(items.LastSortedColumn(), -1);
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(items.ColumnCount(), 0);
}

TEST(TListItems, RowsAndColumnsStayInRange)
{
    TListItems items;
    items.Append("b");
    items.Insert(-5, "a"); // clamped to the ends
    items.Insert(99, "c");
    EXPECT_EQ(Captions(items), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(items.Item(3), nullptr);
    EXPECT_EQ(items.Item(-1), nullptr);
    EXPECT_FALSE(items.Delete(3));
    EXPECT_TRUE(items.Delete(1));
    EXPECT_EQ(items.IndexOf(items.Item(1)), 1);
    TListItem stranger;
    EXPECT_EQ(items.IndexOf(&stranger), -1);
    EXPECT_EQ(items.IndexOf(nullptr), -1);

    // -1 and -2 stay pending for the view to measure; other negatives give 0.
    TListColumn* column = items.AddColumn("Name", -7);
    EXPECT_EQ(column->Width, 0);
    for (int width : {TListColumn::AutoSize, TListColumn::AutoSizeUseHeader, 0, 120}) {
        EXPECT_TRUE(items.SetColumnWidth(0, width));
        EXPECT_EQ(column->Width, width);
    }
    EXPECT_TRUE(items.SetColumnWidth(0, -3));
    EXPECT_EQ(column->Width, 0);
    EXPECT_FALSE(items.SetColumnWidth(1, 10));
    EXPECT_FALSE(items.DeleteColumn(1));
    EXPECT_TRUE(items.DeleteColumn(0));
    EXPECT_EQ(items.ColumnCount(), 0);
}

// Sorting by a column in both directions: numbers as numbers, dates by day, texts with a
// comma as text, a missing sub-item as empty text; rows with equal keys keep their order.
TEST(TListItems, SortsByColumnInBothDirections)
{
    const LocaleScope scope(QLocale(QLocale::English, QLocale::UnitedStates));
    struct Case
    {
        QStringList captions, subItems;
        int column;
        QStringList ascending, descending;
    };
    const Case cases[] = {
        {{"10", "9", "100"}, {}, 0, {"9", "10", "100"}, {"100", "10", "9"}},
        {{"a", "b", "c", "d"}, {"25", "3", "1000"}, 1, {"d", "b", "a", "c"}, {"c", "a", "b", "d"}},
        {{"x", "y", "z", "w"},
         {"10/2/2023", "9/30/2023", "10/2/2023", "1/1/2024"},
         1,
         {"y", "x", "z", "w"},
         {"w", "x", "z", "y"}},
        // Text order wherever a comma text is involved: "1,5" < "2" < "20" < "3,5".
        {{"3,5", "20", "1,5", "2"}, {}, 0, {"1,5", "2", "20", "3,5"}, {"3,5", "20", "2", "1,5"}},
        {{"a1", "b1", "a2", "b2", "a3"},
         {"1", "2", "1", "2", "1"},
         1,
         {"a1", "a2", "a3", "b1", "b2"},
         {"b1", "b2", "a1", "a2", "a3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.captions.join(' ').toStdString());
        TListItems items;
        Fill(items, c.captions, c.subItems);
        items.SortByColumn(c.column, true);
        EXPECT_EQ(Captions(items), c.ascending);
        items.SortByColumn(c.column, false);
        EXPECT_EQ(Captions(items), c.descending);
    }
}

TEST(TListItems, OppositeDirectionsReverseDistinctRows)
{
    TListItems items;
    Fill(items, {"pear", "Apple", "fig", "banana", "cherry", "12", "7"});
    items.SortByColumn(0, true);
    const QStringList ascending = Captions(items);
    items.SortByColumn(0, false);
    QStringList reversed = Captions(items);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(reversed, ascending);
    EXPECT_EQ(ascending.first(), "7");
    EXPECT_EQ(ascending.at(1), "12");
}

TEST(TListItems, OnSortItemsReplacesTheComparison)
{
    QObject owner;
    TListItems items(&owner);
    Fill(items, {"ccc", "a", "bb", "dddd"}, {"x", "y", "z", "w"});
    QList<int> columns;
    bool startedAtZero = true;
    QStringList events;
    items.OnSortBegin = [&](QObject* sender) {
        events << "begin";
        EXPECT_EQ(sender, &owner);
    };
    items.OnSortFinished = [&](QObject*) { events << "finished"; };
    items.OnSortItems = [&](QObject* sender, TListItem* a, TListItem* b, int column, int& result) {
        EXPECT_EQ(sender, &owner);
        columns << column;
        startedAtZero = startedAtZero && result == 0;
        result = int(b->Caption.size() - a->Caption.size()) * 7; // longest first
    };
    items.SortByColumn(0, true);
    EXPECT_EQ(Captions(items), (QStringList{"dddd", "ccc", "bb", "a"}));
    EXPECT_TRUE(startedAtZero);
    ASSERT_FALSE(columns.isEmpty());
    EXPECT_EQ(columns.first(), -1); // the caption column
    items.SortByColumn(0, false);
    EXPECT_EQ(Captions(items), (QStringList{"a", "bb", "ccc", "dddd"}));
    columns.clear();
    items.SortByColumn(1, true);
    EXPECT_EQ(columns.first(), 0);
    EXPECT_EQ(events, (QStringList{"begin", "finished", "begin", "finished", "begin", "finished"}));
}

TEST(TListItems, FailingSortHandlerCountsAsEqual)
{
    TListItems items;
    Fill(items, {"b", "a", "c"});
    items.OnSortItems = [](QObject*, TListItem*, TListItem*, int, int&) {
        throw std::runtime_error("broken");
    };
    bool finished = false;
    items.OnSortFinished = [&](QObject*) { finished = true; };
    items.SortByColumn(0, true);
    EXPECT_EQ(Captions(items), (QStringList{"b", "a", "c"}));
    EXPECT_TRUE(finished);
}

TEST(TListItems, SortHandlerCannotAddOrRemoveRows)
{
    TListItems items;
    Fill(items, {"b", "a", "c"});
    items.OnSortItems = [&](QObject*, TListItem* a, TListItem* b, int, int& result) {
        items.Delete(0);
        items.Clear();
        EXPECT_EQ(items.Append("new"), nullptr);
        result = QString::compare(a->Caption, b->Caption);
    };
    items.OnSortFinished = [&](QObject*) { items.Append("after"); };
    items.SortByColumn(0, true);
    EXPECT_EQ(Captions(items), (QStringList{"a", "b", "c", "after"})); // allowed again
}

TEST(TListItems, HeaderClickToggleLogic)
{
    TListItems items;
    Fill(items, {"b", "c", "a"}, {"2", "1", "3"});
    items.SetAutoColumnSort(acsSortToggle);
    QList<int> clicked;
    bool sortedWhenClicked = true;
    items.OnColumnClick = [&](QObject*, int column) {
        clicked << column;
        sortedWhenClicked = false;
    };
    items.OnSortBegin = [&](QObject*) { sortedWhenClicked = true; };

    items.ColumnClick(0);
    EXPECT_TRUE(sortedWhenClicked); // the column-click event fires before the sort
    EXPECT_TRUE(items.CurrentSortAscending());
    EXPECT_EQ(items.LastSortedColumn(), 0);
    EXPECT_EQ(Captions(items), (QStringList{"a", "b", "c"}));

    items.ColumnClick(0); // same column: flips
    EXPECT_FALSE(items.CurrentSortAscending());
    EXPECT_EQ(Captions(items), (QStringList{"c", "b", "a"}));

    items.ColumnClick(1); // another column: back to AutoSortAscending
    EXPECT_TRUE(items.CurrentSortAscending());
    EXPECT_EQ(items.LastSortedColumn(), 1);
    EXPECT_EQ(Captions(items), (QStringList{"c", "b", "a"}));
    items.ColumnClick(1);
    EXPECT_EQ(Captions(items), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(clicked, (QList<int>{0, 0, 1, 1}));

    items.SetAutoSortAscending(false); // also sets the current direction
    EXPECT_FALSE(items.CurrentSortAscending());
    items.ColumnClick(0);
    EXPECT_FALSE(items.CurrentSortAscending());
    EXPECT_EQ(Captions(items), (QStringList{"c", "b", "a"}));
}

TEST(TListItems, HeaderClickWithoutToggleOrWithoutSort)
{
    TListItems items;
    Fill(items, {"b", "c", "a"});
    int clicks = 0;
    items.OnColumnClick = [&](QObject*, int) { ++clicks; };

    items.SetAutoColumnSort(acsNoSort);
    items.ColumnClick(0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(items.LastSortedColumn(), -1);
    EXPECT_EQ(Captions(items), (QStringList{"b", "c", "a"}));

    items.SetAutoColumnSort(acsSort);
    items.ColumnClick(0);
    items.ColumnClick(0); // no toggling: ascending again
    EXPECT_TRUE(items.CurrentSortAscending());
    EXPECT_EQ(Captions(items), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(clicks, 3);
}

TEST(TListItems, ResortUsesTheLastSortedColumn)
{
    TListItems items;
    Fill(items, {"b", "a"});
    items.Resort(); // nothing sorted yet
    EXPECT_EQ(Captions(items), (QStringList{"b", "a"}));

    items.SetAutoColumnSort(acsSortToggle);
    items.ColumnClick(0);
    items.ColumnClick(0); // descending
    items.Append("z");
    items.Append("0");
    items.Resort();
    EXPECT_EQ(Captions(items), (QStringList{"z", "b", "a", "0"}));

    items.SetAutoColumnSort(acsNoSort);
    items.Append("m");
    items.Resort();
    EXPECT_EQ(items.Item(4)->Caption, "m");

    items.SetAutoColumnSort(acsSort);
    items.ClearColumns(); // the last sorted column no longer exists
    items.Resort();
    EXPECT_EQ(items.Item(4)->Caption, "m");
}
