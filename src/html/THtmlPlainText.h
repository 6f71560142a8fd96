#pragma once
#include <QString>

// The words of a document as a reader sees them, for searching: decoded as the view decodes
// it (byte-order mark, META charset, UTF-8 else Windows-1252, references, the size limit),
// tags dropped, scripts and style sheets left out. A frame-set page offers the text of its
// NOFRAMES part, the only text it holds of its own.
class THtmlPlainText
{
public:
    struct TResult
    {
        QString title; // TITLE, else the first heading, else the file name
        QString text;  // white space collapsed to single blanks
    };

    // False when path is not a regular file that can be read.
    static bool FromFile(const QString& path, TResult* out);
    // The same for a decoded document; fileName is the title of last resort.
    static TResult FromSource(const QString& source, const QString& fileName);
};
