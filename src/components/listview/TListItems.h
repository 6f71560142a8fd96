#pragma once
#include "components/listview/TListColumn.h"
#include "components/listview/TListItem.h"
#include "components/listview/TListViewTypes.h"
#include <functional>
#include <memory>
#include <vector>

class QObject;

// The rows and columns of a sorting list view and their sorting, apart from any window: the
// rows in their order, the columns' captions and widths, what a click on a column header
// does, and the sort by a column with a comparison that recognises dates and numbers
// (TSortCompare) or the owner's OnSortItems.
class TListItems
{
public:
    // sender is what the events name as their sender: the list view that owns the rows.
    explicit TListItems(QObject* sender = nullptr);
    ~TListItems();
    TListItems(const TListItems&) = delete;
    TListItems& operator=(const TListItems&) = delete;

    // --- columns ---
    int ColumnCount() const { return int(m_columns.size()); }
    TListColumn* Column(int index) const;
    TListColumn* AddColumn(const QString& caption, int width);
    bool DeleteColumn(int index);
    void ClearColumns();
    // TListColumn::AutoSize and AutoSizeUseHeader stay pending for the view to measure;
    // other negative widths give 0. False when there is no such column.
    bool SetColumnWidth(int index, int width);

    // --- rows ---
    int Count() const { return int(m_items.size()); }
    TListItem* Item(int index) const;
    // index is clamped to 0..Count(). nullptr while a sort runs.
    TListItem* Insert(int index, const QString& caption);
    TListItem* Append(const QString& caption) { return Insert(Count(), caption); }
    // False while a sort runs or when there is no such row.
    bool Delete(int index);
    bool Clear();
    int IndexOf(const TListItem* item) const;
    // Rows cannot be added or removed while a sort runs (from OnSortItems).
    bool Sorting() const { return m_sorting; }

    // --- sorting ---
    TAutoColumnSort AutoColumnSort() const { return m_autoColumnSort; }
    void SetAutoColumnSort(TAutoColumnSort value) { m_autoColumnSort = value; }
    bool AutoSortAscending() const { return m_autoSortAscending; }
    // Also sets CurrentSortAscending.
    void SetAutoSortAscending(bool ascending);
    bool CurrentSortAscending() const { return m_currentSortAscending; }
    int LastSortedColumn() const { return m_lastSortedColumn; }
    // Sorts all rows by the texts of one column (0 = captions); stable.
    void SortByColumn(int column, bool ascending);
    // Sorts again by the last sorted column when automatic column sorting is on.
    void Resort();
    // What a click on a column header does.
    void ColumnClick(int column);

    // --- events ---
    std::function<void(QObject*, int column)> OnColumnClick;
    std::function<void(QObject* sender, TListItem* item1, TListItem* item2, int sortColumn,
                       int& compResult)>
        OnSortItems;
    std::function<void(QObject*)> OnSortBegin;
    std::function<void(QObject*)> OnSortFinished;
    // For the owning view: the rows are in their new order (before OnSortFinished).
    std::function<void()> OnReordered;

private:
    // The rows' new order.
    std::vector<int> SortedOrder(int column, bool ascending);

    QObject* m_sender;
    std::vector<std::unique_ptr<TListColumn>> m_columns;
    std::vector<std::unique_ptr<TListItem>> m_items;
    bool m_sorting = false;

    TAutoColumnSort m_autoColumnSort = acsNoSort;
    bool m_autoSortAscending = true;
    bool m_currentSortAscending = true;
    int m_lastSortedColumn = -1;
};
