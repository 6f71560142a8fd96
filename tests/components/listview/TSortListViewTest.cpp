#include "components/listview/TSortListView.h"
#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

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
    EXPECT_TRUE(view.CurrentSortAscending());
    EXPECT_EQ(view.LastSortedColumn(), -1);
    EXPECT_EQ(view.Style(), lvStandard);
    EXPECT_EQ(view.ColumnSizeStore(), nullptr);
    EXPECT_FALSE(view.SaveSettings().AutoSave);
    EXPECT_TRUE(view.SaveSettings().RegistryKey.isEmpty());
    EXPECT_TRUE(view.SaveSettings().SaveColumnSizes);
    EXPECT_EQ(view.Selected(), nullptr);
    EXPECT_EQ(view.ItemCount(), 0);
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

TEST(TSortListView, SortingEventsNameTheViewAndRowsStayWhileSorting)
{
    TSortListView view;
    Fill(view, {"b", "c", "a"});
    view.SetAutoColumnSort(acsSort);
    QList<QObject*> senders;
    view.OnColumnClick = [&](QObject* sender, int) { senders << sender; };
    view.OnSortBegin = [&](QObject* sender) { senders << sender; };
    view.OnSortFinished = [&](QObject* sender) { senders << sender; };
    QObject* comparedBy = nullptr;
    view.OnSortItems = [&](QObject* sender, TListItem* a, TListItem* b, int, int& result) {
        comparedBy = sender;
        view.DeleteItem(0);
        view.ClearItems();
        EXPECT_EQ(view.AddItem("new"), nullptr);
        result = QString::compare(a->Caption, b->Caption);
    };
    view.ColumnClick(0);
    EXPECT_EQ(senders, (QList<QObject*>{&view, &view, &view}));
    EXPECT_EQ(comparedBy, &view);
    EXPECT_EQ(Captions(view), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(view.LastSortedColumn(), 0);
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

namespace {

// Counts what a view asks of its column-size store.
class CountingStore : public TColumnSizeStore
{
public:
    CountingStore(int& stored, int& restored, bool result)
        : m_stored(stored), m_restored(restored), m_result(result)
    {}
    bool Store(TSortListView&) override
    {
        ++m_stored;
        return m_result;
    }
    bool Restore(TSortListView&) override
    {
        ++m_restored;
        return m_result;
    }

private:
    int& m_stored;
    int& m_restored;
    bool m_result;
};

} // namespace

TEST(TSortListView, ColumnSizesGoThroughTheStoreAutomaticallyOnlyWithAutoSave)
{
    TSortListView bare; // no store: nothing is kept
    EXPECT_FALSE(bare.StoreColumnSizes());
    EXPECT_FALSE(bare.RestoreColumnSizes());

    struct Case
    {
        bool autoSave, saveColumnSizes;
        int stored, restored; // by Loaded and the destruction
    };
    for (const Case c :
         {Case{false, true, 0, 0}, Case{true, false, 0, 1}, Case{true, true, 1, 1}}) {
        int stored = 0, restored = 0;
        {
            TSortListView view;
            view.SetColumnSizeStore(std::make_unique<CountingStore>(stored, restored, true));
            view.SaveSettings().AutoSave = c.autoSave;
            view.SaveSettings().SaveColumnSizes = c.saveColumnSizes;
            view.Loaded();
        }
        EXPECT_EQ(stored, c.stored) << c.autoSave << c.saveColumnSizes;
        EXPECT_EQ(restored, c.restored) << c.autoSave << c.saveColumnSizes;
    }

    int stored = 0, restored = 0; // explicit calls ignore AutoSave and pass failures on
    TSortListView view;
    view.SetColumnSizeStore(std::make_unique<CountingStore>(stored, restored, false));
    EXPECT_FALSE(view.StoreColumnSizes());
    EXPECT_FALSE(view.RestoreColumnSizes());
    EXPECT_EQ(stored + restored, 2);
}
