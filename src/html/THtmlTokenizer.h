#pragma once
#include "html/THtmlToken.h"
#include <QString>
#include <QVarLengthArray>

// Splits a document into text runs and tags, forgiving whatever a hand-written page of the
// nineties contains: unclosed quotes and tags, stray "<", unterminated comments. Every
// search that may fail remembers where it failed, so no input makes the work quadratic.
class THtmlTokenizer
{
public:
    explicit THtmlTokenizer(const QString& source);

    // The next token; false at the end of the source.
    bool Next(THtmlToken& token);

private:
    bool ReadTag(THtmlToken& token);
    bool ReadRawText(THtmlToken& token);
    void ReadText(THtmlToken& token);
    qsizetype Find(QStringView needle, qsizetype from, Qt::CaseSensitivity cs = Qt::CaseSensitive);
    void SkipMarkupDeclaration();

    QString m_source;
    qsizetype m_pos = 0;
    QString m_rawEnd; // the element whose content is read as raw text, or empty
    bool m_rawDecode = false;
    struct TFailedSearch
    {
        QString needle;
        Qt::CaseSensitivity cs;
        qsizetype from; // the search failed from here, so it fails from anywhere later
    };
    QVarLengthArray<TFailedSearch, 8> m_failed;
};
