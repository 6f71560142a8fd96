#pragma once
#include <QList>
#include <QPair>
#include <QString>

// One piece of a document as the tokenizer reads it: a run of text (references decoded)
// or a start or end tag with its attributes (names in lower case, values decoded).
struct THtmlToken
{
    enum Kind { Text, StartTag, EndTag };

    Kind kind = Text;
    QString name;
    QString text;
    QList<QPair<QString, QString>> attributes;

    // A start tag the document left out but its structure implies (a row around a cell).
    static THtmlToken Implied(const char* name)
    {
        THtmlToken t;
        t.kind = StartTag;
        t.name = QLatin1String(name);
        return t;
    }

    bool Has(const QString& attr) const
    {
        for (const auto& a : attributes)
            if (a.first == attr)
                return true;
        return false;
    }
    // The first attribute of that name; the first of duplicates wins, as in browsers.
    QString Attr(const QString& attr, const QString& fallback = QString()) const
    {
        for (const auto& a : attributes)
            if (a.first == attr)
                return a.second;
        return fallback;
    }
};
