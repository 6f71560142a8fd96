#pragma once
#include <QString>
#include <QVector>

// The sizes of the rows or columns of a frame set from a ROWS or COLS list: pixels
// ("120"), percentages of the whole ("25%") and shares of what is left ("*", "2*").
// Pixels and percentages are met first, shrunk in proportion when they do not fit;
// the rest goes to the shares by weight, or, without shares, to every entry in
// proportion. The sizes always add up to the total.
class TFrameLayout
{
public:
    static QVector<int> Sizes(const QString& list, int total);
    // How many entries the list has (at least 1).
    static int Count(const QString& list);
};
