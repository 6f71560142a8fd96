#pragma once
#include <QString>

// Link targets as authors of the time wrote them, turned into file names: relative to the
// document that holds the link, with "FILE:" prefixes, "%20"-style escapes, backslashes
// and drive letters, and letter case the original file system ignored.
class THtmlPath
{
public:
    // The full file name for target, relative targets resolved against the folder of
    // baseFile. A "#destination" is kept at the end; a bare "#destination" names baseFile.
    // Targets with a scheme other than "file:" (http:, mailto:) come back unchanged.
    static QString Expand(const QString& target, const QString& baseFile);

    // Splits "file#destination" at its first "#".
    static void SplitDestination(const QString& target, QString* file, QString* destination);

    // The extension in upper case with its dot, from the last "." of the name (".HTM").
    static QString UpperExtension(const QString& path);
    // An existing file named in any letter case, as the view keeps it: its real letter
    // case, absolute, with "/", cleaned.
    static QString Resolved(const QString& file);

    static bool IsHtmlExtension(const QString& upperExt);
    static bool IsImageExtension(const QString& upperExt);
};
