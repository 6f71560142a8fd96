#include "components/listview/TListItems.h"
#include "components/listview/TSortCompare.h"
#include <algorithm>
#include <numeric>

namespace {

int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

int StoredWidth(int width) { return width < TListColumn::AutoSizeUseHeader ? 0 : width; }

} // namespace

TListItems::TListItems(QObject* sender) : m_sender(sender) {}

TListItems::~TListItems() = default;

// ----------------------------------------------------------------------------- columns

TListColumn* TListItems::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        return nullptr;
    return m_columns[size_t(index)].get();
}

TListColumn* TListItems::AddColumn(const QString& caption, int width)
{
    m_columns.push_back(std::make_unique<TListColumn>());
    TListColumn* column = m_columns.back().get();
    column->Caption = caption;
    column->Width = StoredWidth(width);
    return column;
}

bool TListItems::DeleteColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + index);
    return true;
}

void TListItems::ClearColumns() { m_columns.clear(); }

bool TListItems::SetColumnWidth(int index, int width)
{
    TListColumn* column = Column(index);
    if (!column)
        return false;
    column->Width = StoredWidth(width);
    return true;
}

// -------------------------------------------------------------------------------- rows

TListItem* TListItems::Item(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[size_t(index)].get();
}

TListItem* TListItems::Insert(int index, const QString& caption)
{
    if (m_sorting)
        return nullptr;
    index = std::clamp(index, 0, Count());
    auto item = std::make_unique<TListItem>();
    item->Caption = caption;
    TListItem* raw = item.get();
    m_items.insert(m_items.begin() + index, std::move(item));
    return raw;
}

bool TListItems::Delete(int index)
{
    if (m_sorting || index < 0 || index >= Count())
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

bool TListItems::Clear()
{
    if (m_sorting)
        return false;
    m_items.clear();
    return true;
}

int TListItems::IndexOf(const TListItem* item) const
{
    if (!item)
        return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item)
            return int(i);
    return -1;
}

// ---------------------------------------------------------------------------- sorting

void TListItems::SetAutoSortAscending(bool ascending)
{
    m_autoSortAscending = ascending;
    m_currentSortAscending = ascending;
}

std::vector<int> TListItems::SortedOrder(int column, bool ascending)
{
    const int sign = ascending ? 1 : -1;
    const size_t n = m_items.size();
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    m_sorting = true;
    struct SortingFlag
    {
        bool& flag;
        ~SortingFlag() { flag = false; }
    } sortingFlag{m_sorting};
    if (OnSortItems) {
        // A copy, so a handler that reassigns the event cannot pull it from under us.
        const auto handler = OnSortItems;
        std::vector<TListItem*> items(n);
        for (size_t i = 0; i < n; ++i)
            items[i] = m_items[i].get();
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            int result = 0;
            try {
                handler(m_sender, items[size_t(a)], items[size_t(b)], column - 1, result);
            } catch (...) {
                // Whatever the owner's comparison throws, the two rows count as equal and
                // the sort goes on with nothing to show: it only permutes row indexes, so
                // no row is lost or changed by the failure.
                result = 0;
            }
            return Sign(result) * sign < 0;
        });
        return order;
    }
    // Each text is classified once; comparing the keys gives what comparing the texts
    // gives, without parsing dates and numbers again at every comparison.
    const TSortCompare compare;
    std::vector<TSortCompare::Key> keys;
    keys.reserve(n);
    for (const auto& item : m_items)
        keys.push_back(compare.MakeKey(item->ColumnText(column)));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return Sign(compare.CompareKeys(keys[size_t(a)], keys[size_t(b)])) * sign < 0;
    });
    return order;
}

void TListItems::SortByColumn(int column, bool ascending)
{
    if (OnSortBegin)
        OnSortBegin(m_sender);
    const std::vector<int> order = SortedOrder(column, ascending);
    std::vector<std::unique_ptr<TListItem>> sorted;
    sorted.reserve(order.size());
    for (int index : order)
        sorted.push_back(std::move(m_items[size_t(index)]));
    m_items = std::move(sorted);
    if (OnReordered)
        OnReordered();
    if (OnSortFinished)
        OnSortFinished(m_sender);
}

void TListItems::Resort()
{
    if (m_autoColumnSort != acsNoSort && m_lastSortedColumn >= 0 &&
        m_lastSortedColumn < ColumnCount())
        SortByColumn(m_lastSortedColumn, m_currentSortAscending);
}

void TListItems::ColumnClick(int column)
{
    if (m_autoColumnSort == acsSortToggle) {
        if (column == m_lastSortedColumn)
            m_currentSortAscending = !m_currentSortAscending;
        else
            m_currentSortAscending = m_autoSortAscending;
    }
    if (OnColumnClick)
        OnColumnClick(m_sender, column);
    if (m_autoColumnSort != acsNoSort) {
        SortByColumn(column, m_currentSortAscending);
        m_lastSortedColumn = column;
    }
}
