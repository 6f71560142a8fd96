#pragma once
#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QString>
#include <optional>

// The comparison a sorting list view uses for two column texts: dates in the locale's short
// date format by whole days, then decimal numbers, then locale-aware case-sensitive text.
// For sorting many rows each text is classified once into a Key; comparing two keys gives
// exactly what Compare gives for the two texts.
class TSortCompare
{
public:
    struct Key
    {
        std::optional<qint64> day;    // Julian day, when the text is a short-format date
        std::optional<double> number; // when the text is a complete decimal number
        std::optional<QCollatorSortKey> text;
        QString raw;         // used when no sort key could be made
        bool failed = false; // classifying raised an error: equal to anything
    };

    // Uses QLocale() as it is when constructed.
    TSortCompare();

    Key MakeKey(const QString& text) const;
    int CompareKeys(const Key& a, const Key& b) const;

    // <0, 0, >0; for dates the whole number of days of a - b.
    int Compare(const QString& a, const QString& b) const;

    // Building blocks, public for their own tests.
    static QChar DateSeparator(const QLocale& locale);
    static std::optional<qint64> ParseShortDate(const QString& text, const QLocale& locale);
    static std::optional<double> ParseDecimal(const QString& text);

private:
    int CompareText(const Key& a, const Key& b) const;

    QLocale m_locale;
    QChar m_dateSeparator;
    QCollator m_collator;
};
