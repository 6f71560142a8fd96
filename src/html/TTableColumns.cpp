#include "html/TTableColumns.h"
#include <algorithm>

void TCellMeasure::AddText(const QString& text, bool preformatted)
{
    bool blank = false;
    for (QChar c : text) {
        if (preformatted && c == u'\n') {
            EndLine();
            blank = false;
            continue;
        }
        const bool space = c.isSpace() && c.unicode() != 0xA0;
        if (space) {
            if (!blank && !preformatted)
                ++line;
            if (preformatted)
                ++line;
            word = 0;
        } else {
            ++line;
            longestWord = std::max(longestWord, ++word);
        }
        blank = space;
    }
    longestLine = std::max(longestLine, line);
}

void TCellMeasure::AddUnbreakable(int chars)
{
    line += chars;
    word += chars;
    longestWord = std::max(longestWord, word);
    longestLine = std::max(longestLine, line);
}

void TCellMeasure::EndLine()
{
    line = 0;
    word = 0;
}

void TTableColumns::AddCell(const TCellMeasure& measure, bool hasWidth, bool spans,
                            qsizetype openEnd)
{
    if (m_rows - 1 != m_row) {
        m_row = m_rows - 1;
        m_column = 0;
    }
    if (hasWidth || spans || measure.unknown)
        m_leftToEngine = true;
    if (m_leftToEngine)
        return;
    if (m_column >= int(m_columns.size())) {
        // A column the first row does not have cannot carry a width.
        if (m_row > 0) {
            m_leftToEngine = true;
            return;
        }
        m_columns.push_back({});
        m_firstRowCells.push_back(openEnd);
    }
    TColumn& column = m_columns[size_t(m_column++)];
    column.least = std::max(column.least, measure.longestWord);
    column.wanted = std::max({column.wanted, measure.longestLine, column.least});
}

void TTableColumns::Shift(qsizetype by)
{
    for (qsizetype& p : m_firstRowCells)
        p += by;
}

std::vector<std::pair<qsizetype, QString>> TTableColumns::Widths() const
{
    std::vector<std::pair<qsizetype, QString>> out;
    if (m_leftToEngine || m_available <= 0 || m_columns.size() < 2)
        return out;
    double least = 0, wanted = 0;
    for (const TColumn& c : m_columns) {
        least += c.least;
        wanted += c.wanted;
    }
    const double rest = std::max(0.0, m_available - least);
    std::vector<double> widths;
    double total = 0;
    for (const TColumn& c : m_columns) {
        widths.push_back(c.least + rest * c.wanted / wanted);
        total += widths.back();
    }
    for (size_t i = m_columns.size(); i-- > 0;) {
        const int percent = std::max(1, int(100.0 * widths[i] / total + 0.5));
        out.emplace_back(m_firstRowCells[i], QStringLiteral(" width=\"%1%\"").arg(percent));
    }
    return out;
}
