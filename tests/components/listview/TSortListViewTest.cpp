#include "components/listview/TSortListView.h"
#include <QApplication>
#include <QFontMetrics>
#include <QLocale>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class LocaleScope
{
public:
    explicit LocaleScope(const QLocale& locale) : m_previous(QLocale())
    {
        QLocale::setDefault(locale);
    }
    ~LocaleScope() { QLocale::setDefault(m_previous); }

private:
    QLocale m_previous;
};

// A report view of one or two columns holding the given captions (and sub-items).
void Fill(TSortListView& view, const QStringList& captions, const QStringList& subItems = {})
{
    view.SetViewStyle(vsReport);
    if (view.ColumnCount() == 0) {
        view.AddColumn("Name", 100);
        view.AddColumn("Size", 80);
    }
    for (int i = 0; i < captions.size(); ++i) {
        TListItem* item = view.AddItem(captions.at(i));
        if (i < subItems.size())
            item->SubItems << subItems.at(i);
    }
}

QStringList Captions(const TSortListView& view)
{
    QStringList result;
    for (int i = 0; i < view.ItemCount(); ++i)
        result << view.Item(i)->Caption;
    return result;
}

QStringList Column1(const TSortListView& view)
{
    QStringList result;
    for (int i = 0; i < view.ItemCount(); ++i)
        result << view.Item(i)->ColumnText(1);
    return result;
}

// Counts the rows the view asks to be drawn.
class CountingView : public TSortListView
{
public:
    int drawn = 0;
    QList<int> indexes;

protected:
    void DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state) override
    {
        ++drawn;
        indexes << index;
        TSortListView::DrawItem(canvas, index, rect, state);
    }
};

} // namespace

TEST(TSortListView, InitialState)
{
    TSortListView view;
    EXPECT_EQ(view.AutoColumnSort(), acsNoSort);
    EXPECT_TRUE(view.AutoSortAscending());
    EXPECT_TRUE(view.CurrentSortAscending());
    EXPECT_EQ(view.LastSortedColumn(), -1);
    EXPECT_EQ(view.Style(), lvStandard);
    EXPECT_FALSE(view.SaveSettings().AutoSave);
    EXPECT_TRUE(view.SaveSettings().RegistryKey.isEmpty());
    EXPECT_TRUE(view.SaveSettings().SaveColumnSizes);
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(view.ItemCount(), 0);
}

TEST(TSortListView, NumbersSortNumerically)
{
    TSortListView view;
    Fill(view, {"10", "9", "100"});
    view.SortByColumn(0, true);
    EXPECT_EQ(Captions(view), (QStringList{"9", "10", "100"}));
    view.SortByColumn(0, false);
    EXPECT_EQ(Captions(view), (QStringList{"100", "10", "9"}));
}

TEST(TSortListView, SortsBySubItemColumn)
{
    TSortListView view;
    Fill(view, {"a", "b", "c", "d"}, {"25", "3", "1000"}); // d has no size: empty text
    view.SortByColumn(1, true);
    EXPECT_EQ(Captions(view), (QStringList{"d", "b", "a", "c"}));
    view.SortByColumn(1, false);
    EXPECT_EQ(Captions(view), (QStringList{"c", "a", "b", "d"}));
}

TEST(TSortListView, DatesSortByDayAndEqualDatesKeepTheirOrder)
{
    LocaleScope scope(QLocale(QLocale::English, QLocale::UnitedStates));
    TSortListView view;
    Fill(view, {"x", "y", "z", "w"}, {"10/2/2023", "9/30/2023", "10/2/2023", "1/1/2024"});
    view.SortByColumn(1, true);
    EXPECT_EQ(Captions(view), (QStringList{"y", "x", "z", "w"}));
    view.SortByColumn(1, false);
    EXPECT_EQ(Captions(view), (QStringList{"w", "x", "z", "y"}));
}

TEST(TSortListView, CommaDecimalsSortAsText)
{
    LocaleScope scope(QLocale(QLocale::English, QLocale::UnitedStates));
    TSortListView view;
    Fill(view, {"3,5", "20", "1,5", "2"});
    view.SortByColumn(0, true);
    // Text order throughout where a comma text is involved: "1,5" < "2" < "20" < "3,5".
    EXPECT_EQ(Captions(view), (QStringList{"1,5", "2", "20", "3,5"}));
}

TEST(TSortListView, OppositeDirectionsReverseDistinctRows)
{
    TSortListView view;
    Fill(view, {"pear", "Apple", "fig", "banana", "cherry", "12", "7"});
    view.SortByColumn(0, true);
    const QStringList ascending = Captions(view);
    view.SortByColumn(0, false);
    QStringList reversed = Captions(view);
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(reversed, ascending);
    EXPECT_EQ(ascending.first(), "7");
    EXPECT_EQ(ascending.at(1), "12");
}

TEST(TSortListView, SortIsStableInBothDirections)
{
    TSortListView view;
    Fill(view, {"a1", "b1", "a2", "b2", "a3"}, {"1", "2", "1", "2", "1"});
    view.SortByColumn(1, true);
    EXPECT_EQ(Captions(view), (QStringList{"a1", "a2", "a3", "b1", "b2"}));
    view.SortByColumn(1, false);
    EXPECT_EQ(Captions(view), (QStringList{"b1", "b2", "a1", "a2", "a3"}));
}

TEST(TSortListView, SortKeepsSelectionAndFocusOnTheirRows)
{
    TSortListView view;
    Fill(view, {"c", "a", "b"});
    TListItem* b = view.Item(2);
    view.SetSelected(b);
    view.SetItemFocused(b);
    view.SortByColumn(0, true);
    EXPECT_EQ(view.Selected(), b);
    EXPECT_EQ(view.ItemFocused(), b);
    EXPECT_EQ(view.SelectedIndex(), 1);
}

TEST(TSortListView, OnSortItemsReplacesTheComparison)
{
    TSortListView view;
    Fill(view, {"ccc", "a", "bb", "dddd"}, {"x", "y", "z", "w"});
    QList<int> columns;
    bool startedAtZero = true;
    QStringList events;
    view.OnSortBegin = [&](QObject* sender) {
        events << "begin";
        EXPECT_EQ(sender, &view);
    };
    view.OnSortFinished = [&](QObject*) { events << "finished"; };
    view.OnSortItems = [&](QObject* sender, TListItem* a, TListItem* b, int column, int& result) {
        EXPECT_EQ(sender, &view);
        columns << column;
        startedAtZero = startedAtZero && result == 0;
        result = int(b->Caption.size() - a->Caption.size()) * 7; // longest first
    };
    view.SortByColumn(0, true);
    EXPECT_EQ(Captions(view), (QStringList{"dddd", "ccc", "bb", "a"}));
    EXPECT_TRUE(startedAtZero);
    ASSERT_FALSE(columns.isEmpty());
    EXPECT_EQ(columns.first(), -1); // the caption column
    view.SortByColumn(0, false);
    EXPECT_EQ(Captions(view), (QStringList{"a", "bb", "ccc", "dddd"}));
    columns.clear();
    view.SortByColumn(1, true);
    EXPECT_EQ(columns.first(), 0);
    EXPECT_EQ(events, (QStringList{"begin", "finished", "begin", "finished", "begin", "finished"}));
}

TEST(TSortListView, FailingSortHandlerCountsAsEqual)
{
    TSortListView view;
    Fill(view, {"b", "a", "c"});
    view.OnSortItems = [](QObject*, TListItem*, TListItem*, int, int&) {
        throw std::runtime_error("broken");
    };
    bool finished = false;
    view.OnSortFinished = [&](QObject*) { finished = true; };
    view.SortByColumn(0, true);
    EXPECT_EQ(Captions(view), (QStringList{"b", "a", "c"}));
    EXPECT_TRUE(finished);
}

TEST(TSortListView, SortHandlerCannotAddOrRemoveRows)
{
    TSortListView view;
    Fill(view, {"b", "a", "c"});
    view.OnSortItems = [&](QObject*, TListItem* a, TListItem* b, int, int& result) {
        view.DeleteItem(0);
        view.ClearItems();
        EXPECT_EQ(view.AddItem("new"), nullptr);
        result = QString::compare(a->Caption, b->Caption);
    };
    view.OnSortFinished = [&](QObject*) { view.AddItem("after"); };
    view.SortByColumn(0, true);
    EXPECT_EQ(Captions(view), (QStringList{"a", "b", "c", "after"})); // allowed again
}

TEST(TSortListView, HeaderClickToggleLogic)
{
    TSortListView view;
    Fill(view, {"b", "c", "a"}, {"2", "1", "3"});
    view.SetAutoColumnSort(acsSortToggle);
    QList<int> clicked;
    bool sortedWhenClicked = true;
    view.OnColumnClick = [&](QObject*, int column) {
        clicked << column;
        sortedWhenClicked = false;
    };
    view.OnSortBegin = [&](QObject*) { sortedWhenClicked = true; };

    view.ColumnClick(0);
    EXPECT_TRUE(sortedWhenClicked); // the column-click event fires before the sort
    EXPECT_TRUE(view.CurrentSortAscending());
    EXPECT_EQ(view.LastSortedColumn(), 0);
    EXPECT_EQ(Captions(view), (QStringList{"a", "b", "c"}));

    view.ColumnClick(0); // same column: flips
    EXPECT_FALSE(view.CurrentSortAscending());
    EXPECT_EQ(Captions(view), (QStringList{"c", "b", "a"}));

    view.ColumnClick(1); // another column: back to AutoSortAscending
    EXPECT_TRUE(view.CurrentSortAscending());
    EXPECT_EQ(view.LastSortedColumn(), 1);
    EXPECT_EQ(Captions(view), (QStringList{"c", "b", "a"}));
    view.ColumnClick(1);
    EXPECT_EQ(Captions(view), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(clicked, (QList<int>{0, 0, 1, 1}));

    view.SetAutoSortAscending(false); // also sets the current direction
    EXPECT_FALSE(view.CurrentSortAscending());
    view.ColumnClick(0);
    EXPECT_FALSE(view.CurrentSortAscending());
    EXPECT_EQ(Captions(view), (QStringList{"c", "b", "a"}));
}

TEST(TSortListView, HeaderClickWithoutToggleOrWithoutSort)
{
    TSortListView view;
    Fill(view, {"b", "c", "a"});
    int clicks = 0;
    view.OnColumnClick = [&](QObject*, int) { ++clicks; };

    view.SetAutoColumnSort(acsNoSort);
    view.ColumnClick(0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(view.LastSortedColumn(), -1);
    EXPECT_EQ(Captions(view), (QStringList{"b", "c", "a"}));

    view.SetAutoColumnSort(acsSort);
    view.ColumnClick(0);
    view.ColumnClick(0); // no toggling: ascending again
    EXPECT_TRUE(view.CurrentSortAscending());
    EXPECT_EQ(Captions(view), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(clicks, 3);
}

TEST(TSortListView, ResortUsesTheLastSortedColumn)
{
    TSortListView view;
    Fill(view, {"b", "a"});
    view.Resort(); // nothing sorted yet
    EXPECT_EQ(Captions(view), (QStringList{"b", "a"}));

    view.SetAutoColumnSort(acsSortToggle);
    view.ColumnClick(0);
    view.ColumnClick(0); // descending
    view.AddItem("z");
    view.AddItem("0");
    view.Resort();
    EXPECT_EQ(Captions(view), (QStringList{"z", "b", "a", "0"}));

    view.SetAutoColumnSort(acsNoSort);
    view.AddItem("m");
    view.Resort();
    EXPECT_EQ(view.Item(4)->Caption, "m");

    view.SetAutoColumnSort(acsSort);
    view.ClearColumns(); // the last sorted column no longer exists
    view.Resort();
    EXPECT_EQ(view.Item(4)->Caption, "m");
}

TEST(TSortListView, MouseOnTheHeaderClicksTheColumn)
{
    TSortListView view;
    view.resize(300, 200);
    Fill(view, {"b", "a"});
    view.SetAutoColumnSort(acsSortToggle);
    view.show();
    QList<int> clicked;
    view.OnColumnClick = [&](QObject*, int column) { clicked << column; };
    const int y = view.HeaderHeight() / 2;
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, y));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(view.ColumnWidth(0) + 10, y));
    EXPECT_EQ(clicked, (QList<int>{0, 1}));
    EXPECT_EQ(view.LastSortedColumn(), 1);

    view.SetShowColumnHeaders(false);
    EXPECT_EQ(view.HeaderHeight(), 0);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, 2));
    EXPECT_EQ(clicked.size(), 2);
}

TEST(TSortListView, ClicksSelectRowsAndFireOnClick)
{
    TSortListView view;
    view.resize(300, 200);
    view.SetShowColumnHeaders(false);
    Fill(view, {"zero", "one", "two"});
    view.show();
    int clicks = 0;
    view.OnClick = [&](QObject* sender) {
        ++clicks;
        EXPECT_EQ(sender, &view);
    };
    const QRect row2 = view.ItemRect(2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, row2.center());
    EXPECT_EQ(view.Selected(), view.Item(2));
    EXPECT_EQ(view.ItemFocused(), view.Item(2));
    EXPECT_EQ(clicks, 1);
    // Below the last row: nothing selected, still a click.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(10, row2.bottom() + 20));
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(clicks, 2);
    // A double click (press, release, double-click press, release) is one click.
    const QPoint row1 = view.ItemRect(1).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, row1);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, row1, view.viewport()->mapToGlobal(row1),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view.viewport(), &dbl);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, row1);
    EXPECT_EQ(view.Selected(), view.Item(1));
    EXPECT_EQ(clicks, 3);
}

TEST(TSortListView, KeyboardMovesTheSelection)
{
    TSortListView view;
    view.resize(200, 120);
    view.SetShowColumnHeaders(false);
    QStringList captions;
    for (int i = 0; i < 50; ++i)
        captions << QString::number(i);
    Fill(view, captions);
    view.show();
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.SelectedIndex(), 0);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(view.SelectedIndex(), 1);
    QTest::keyClick(&view, Qt::Key_Up);
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.SelectedIndex(), 0);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.SelectedIndex(), 49);
    EXPECT_EQ(view.ItemFocused(), view.Item(49));
    EXPECT_GT(view.verticalScrollBar()->value(), 0); // scrolled into view
    EXPECT_TRUE(view.viewport()->rect().contains(view.ItemRect(49)));
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(view.SelectedIndex(), 0);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    const int page = view.viewport()->height() / view.RowHeight();
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.SelectedIndex(), page);
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_EQ(view.SelectedIndex(), 0);
}

TEST(TSortListView, DeletingRowsForgetsSelection)
{
    TSortListView view;
    Fill(view, {"a", "b", "c"});
    view.SetSelected(view.Item(1));
    view.SetItemFocused(view.Item(1));
    view.DeleteItem(1);
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(view.ItemFocused(), nullptr);
    EXPECT_EQ(Captions(view), (QStringList{"a", "c"}));
    view.DeleteItem(7); // out of range: nothing
    view.SetSelected(view.Item(0));
    view.ClearItems();
    EXPECT_EQ(view.ItemCount(), 0);
    EXPECT_EQ(view.Selected(), nullptr);
    TListItem stranger;
    view.SetSelected(&stranger); // not one of its rows
    EXPECT_EQ(view.Selected(), nullptr);
}

TEST(TSortListView, FittedColumnWidths)
{
    TSortListView view;
    view.SetViewStyle(vsReport);
    view.AddColumn("A rather long header", 50);
    view.AddColumn("S", 50);
    view.AddItem("short")->SubItems << "a much longer size text";
    view.AddItem("x")->SubItems << "1";
    const QFontMetrics fm(view.font());
    view.SetColumnWidth(0, -2);
    view.SetColumnWidth(1, -2);
    const int header0 = fm.horizontalAdvance("A rather long header");
    const int text1 = fm.horizontalAdvance("a much longer size text");
    EXPECT_GT(view.ColumnWidth(0), header0);
    EXPECT_GT(view.ColumnWidth(1), text1);
    EXPECT_EQ(view.ColumnWidth(0) - header0, view.ColumnWidth(1) - text1); // same padding
    view.SetColumnWidth(0, -1);                                            // the texts only
    EXPECT_LT(view.ColumnWidth(0), header0);
    EXPECT_GT(view.ColumnWidth(0), fm.horizontalAdvance("short"));
    view.SetColumnWidth(1, -7);
    EXPECT_EQ(view.ColumnWidth(1), 0);
    view.SetColumnWidth(1, 120);
    EXPECT_EQ(view.ColumnWidth(1), 120);
}

TEST(TSortListView, SwitchingToReportStartsAtTheTop)
{
    TSortListView view;
    view.resize(200, 100);
    QStringList captions;
    for (int i = 0; i < 40; ++i)
        captions << QString("row %1").arg(i);
    Fill(view, captions);
    view.show();
    view.EnsureVisible(39);
    ASSERT_GT(view.verticalScrollBar()->value(), 0);
    view.SetViewStyle(vsList);
    EXPECT_EQ(view.ViewStyle(), vsList);
    EXPECT_EQ(view.IndexAt(QPoint(2, 2)), 0);
    // In list view the captions run down the first column, then on in the next.
    const int perColumn = view.viewport()->height() / view.RowHeight();
    EXPECT_EQ(view.ItemRect(perColumn).top(), 0);
    EXPECT_GT(view.ItemRect(perColumn).left(), view.ItemRect(0).left());
    view.SetViewStyle(vsReport);
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
    EXPECT_EQ(view.TopIndex(), 0);
}

TEST(TSortListView, PaintsOnlyVisibleRows)
{
    CountingView view;
    view.resize(200, 150);
    view.SetShowColumnHeaders(false);
    QStringList captions;
    for (int i = 0; i < 1000; ++i)
        captions << QString::number(i);
    Fill(view, captions);
    view.show();
    view.EnsureVisible(500);
    view.drawn = 0;
    view.indexes.clear();
    view.viewport()->grab();
    const int visible = view.viewport()->height() / view.RowHeight() + 1;
    EXPECT_GT(view.drawn, 0);
    EXPECT_LE(view.drawn, visible);
    EXPECT_TRUE(view.indexes.contains(500));
    EXPECT_FALSE(view.indexes.contains(0));
}

TEST(TSortListView, OwnerDrawHooksOnlyWithOwnerDrawStyle)
{
    TSortListView view;
    view.resize(200, 100);
    view.SetShowColumnHeaders(false);
    Fill(view, {"a", "b"});
    int before = 0, after = 0;
    view.OnDrawItem = [&](TSortListView*, QPainter&, int, const QRect&, TOwnerDrawState,
                          bool& def) {
        ++before;
        def = before > 1; // the first row is drawn by the hook alone
    };
    view.OnAfterDefaultDrawItem = [&](TSortListView*, QPainter&, int, const QRect&,
                                      TOwnerDrawState) { ++after; };
    view.show();
    view.viewport()->grab();
    EXPECT_EQ(before, 0);
    view.SetStyle(lvOwnerDrawFixed);
    view.viewport()->grab();
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 1);
}

TEST(TSortListView, LabelEditingOnlyWhenNotReadOnly)
{
    TSortListView view;
    view.resize(200, 100);
    Fill(view, {"old"});
    view.show();
    view.SetSelected(view.Item(0));
    view.SetItemFocused(view.Item(0));
    view.SetReadOnly(true);
    QTest::keyClick(&view, Qt::Key_F2);
    EXPECT_EQ(view.viewport()->findChild<QWidget*>(), nullptr);

    view.SetReadOnly(false);
    QTest::keyClick(&view, Qt::Key_F2);
    QWidget* editor = view.viewport()->findChild<QWidget*>();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "new");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(view.Item(0)->Caption, "new");

    QTest::keyClick(&view, Qt::Key_F2);
    editor = view.viewport()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "lost");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(view.Item(0)->Caption, "new");
}

class ColumnSizesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
    }
    static void Columns(TSortListView& view, int a, int b, int c)
    {
        view.AddColumn("a", a);
        view.AddColumn("b", b);
        view.AddColumn("c", c);
    }
    static QSettings Store()
    {
        return QSettings(QSettings::IniFormat, QSettings::UserScope, "Zelmora", "ColumnSizes");
    }
    QTemporaryDir m_dir;
};

TEST_F(ColumnSizesTest, RoundTrip)
{
    {
        TSortListView view;
        view.SaveSettings().RegistryKey = "Software\\Test\\Docs";
        Columns(view, 120, 80, 33);
        EXPECT_TRUE(view.StoreColumnSizes());
    }
    EXPECT_EQ(Store().value("Software/Test/Docs/Columns/Sizes").toString(), "120,80,33");
    TSortListView view;
    view.SaveSettings().RegistryKey = "Software\\Test\\Docs";
    Columns(view, 50, 50, 50);
    EXPECT_TRUE(view.RestoreColumnSizes());
    EXPECT_EQ(view.ColumnWidth(0), 120);
    EXPECT_EQ(view.ColumnWidth(1), 80);
    EXPECT_EQ(view.ColumnWidth(2), 33);
}

TEST_F(ColumnSizesTest, BadNumbersGiveZeroAndMissingValuesChangeNothing)
{
    {
        QSettings store = Store();
        store.setValue("Bad/Columns/Sizes", "abc,77");
    }
    TSortListView view;
    Columns(view, 50, 60, 70);
    view.SaveSettings().RegistryKey = "Nowhere";
    EXPECT_TRUE(view.RestoreColumnSizes());
    EXPECT_EQ(view.ColumnWidth(0), 50);
    EXPECT_EQ(view.ColumnWidth(1), 60);
    view.SaveSettings().RegistryKey = "Bad";
    EXPECT_TRUE(view.RestoreColumnSizes());
    EXPECT_EQ(view.ColumnWidth(0), 0);
    EXPECT_EQ(view.ColumnWidth(1), 77);
    EXPECT_EQ(view.ColumnWidth(2), 70); // no stored width for it
}

TEST_F(ColumnSizesTest, AutoSaveWritesOnDestructionAndReadsWhenLoaded)
{
    {
        TSortListView view; // AutoSave off: nothing written
        view.SaveSettings().RegistryKey = "Auto";
        Columns(view, 11, 22, 33);
    }
    EXPECT_FALSE(Store().contains("Auto/Columns/Sizes"));
    {
        TSortListView view;
        view.SaveSettings().AutoSave = true;
        view.SaveSettings().SaveColumnSizes = false;
        view.SaveSettings().RegistryKey = "Auto";
        Columns(view, 11, 22, 33);
    }
    EXPECT_FALSE(Store().contains("Auto/Columns/Sizes"));
    {
        TSortListView view;
        view.SaveSettings().AutoSave = true;
        view.SaveSettings().RegistryKey = "Auto";
        Columns(view, 11, 22, 33);
    }
    EXPECT_EQ(Store().value("Auto/Columns/Sizes").toString(), "11,22,33");
    TSortListView view;
    view.SaveSettings().RegistryKey = "Auto";
    Columns(view, 1, 2, 3);
    view.Loaded(); // AutoSave off: not read
    EXPECT_EQ(view.ColumnWidth(0), 1);
    view.SaveSettings().AutoSave = true;
    view.Loaded();
    EXPECT_EQ(view.ColumnWidth(0), 11);
    EXPECT_EQ(view.ColumnWidth(2), 33);
    view.SaveSettings().AutoSave = false;
}
