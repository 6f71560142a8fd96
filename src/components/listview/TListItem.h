#pragma once
#include <QString>
#include <QStringList>

// One row of a list view: its caption (column 0), the texts of the further columns and a
// pointer the owner may hang anything on. The list view owns its items.
class TListItem
{
public:
    QString Caption;
    QStringList SubItems;
    void* Data = nullptr;
    int ImageIndex = -1; // into the list view's small images; -1 = none

    // The text shown in a column: the caption for column 0, a sub-item otherwise, empty
    // when the row has no text for that column.
    QString ColumnText(int column) const
    {
        if (column == 0)
            return Caption;
        if (column < 0 || column - 1 >= SubItems.size())
            return {};
        return SubItems.at(column - 1);
    }
};
