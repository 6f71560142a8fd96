#pragma once
#include <QString>
#include <QStringList>

// What a reader types, turned into terms: "quoted phrases" stay together, the rest splits
// at blanks. Every term must occur; none is read as an operator, so AND, OR, NEAR, "*" or a
// stray quote are only words.
class TSearchQuery
{
public:
    static QStringList Terms(const QString& typed);
    // The FTS5 match expression for the terms: each a quoted string, all required. Empty
    // when no term holds a letter or digit.
    static QString MatchExpression(const QStringList& terms);
};
