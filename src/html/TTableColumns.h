#pragma once
#include <QString>
#include <QtGlobal>
#include <utility>
#include <vector>

// What a table cell holds, in characters: its longest line and its longest word (or
// unbreakable run), the least width it can be drawn in.
struct TCellMeasure
{
    int line = 0;
    int longestLine = 0;
    int word = 0;
    int longestWord = 0;
    bool unknown = false; // holds something of a width the rewriter cannot tell (a table)

    void AddText(const QString& text, bool preformatted);
    void AddUnbreakable(int chars); // a picture of a known width
    void EndLine();
};

// The column widths browsers give a table whose width is set and whose columns are not:
// every column at least its least width, the rest shared in proportion to the widths the
// columns would like. The engine instead shares the rest evenly and measures a cell's
// lines as if its line breaks were blanks, so a list of links beside running text takes
// half the table. The shares go to the cells of the first row as percentages, which the
// engine honours down to each column's least width.
class TTableColumns
{
public:
    // The table's width in characters, when it sets one; without it nothing is shared.
    void SetAvailable(int chars) { m_available = chars; }
    void StartRow() { ++m_rows; }
    // A cell closed; openEnd is where the end of its start tag is in the output.
    void AddCell(const TCellMeasure& measure, bool hasWidth, bool spans, qsizetype openEnd);
    // A caption moved above the table shifts the cells written before it moved.
    void Shift(qsizetype by);
    // The width attributes to insert, each at its place, last place first; empty when the
    // table is left to the engine.
    std::vector<std::pair<qsizetype, QString>> Widths() const;

private:
    struct TColumn
    {
        int least = 1;
        int wanted = 1;
    };
    std::vector<TColumn> m_columns;
    std::vector<qsizetype> m_firstRowCells;
    int m_available = 0;
    int m_rows = 0;
    int m_column = 0;
    int m_row = -1;
    bool m_leftToEngine = false;
};
