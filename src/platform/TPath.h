#pragma once
#include <QString>

// File-system paths as the program sees them: "/" separates, but "\" counts as a
// separator too when stripping or searching, because kits written for the original
// desktop name paths with backslashes. Every existence test and open resolves letter
// case the way the original file system ignored it.
class TPath
{
public:
    static bool IsSeparator(QChar c) { return c == u'/' || c == u'\\'; }
    // Position of the last "/" or "\", -1 when there is none.
    static int LastSeparator(const QString& path)
    {
        for (int i = int(path.size()) - 1; i >= 0; --i)
            if (IsSeparator(path[i]))
                return i;
        return -1;
    }

    // Every "\" turned into "/": used on path values read from ini and state files.
    static QString FromNative(const QString& path);

    // The path of an existing entry whose name matches ignoring case: an exact match wins,
    // otherwise each component is matched without regard to case (first in name order).
    // When nothing matches, the path is returned unchanged.
    static QString Resolve(const QString& path);

    static bool Exists(const QString& path);          // anything, case resolved
    static bool FileExists(const QString& path);      // an existing non-folder
    static bool DirectoryExists(const QString& path); // an existing folder

    // False for the text of a name that is not valid UTF-8: its undecodable bytes became
    // U+FFFD, so the text names nothing on the disk and writing it down would name
    // something else at the next start. Any other text is faithful, existing or not.
    static bool IsFaithfulName(const QString& path);

    // The running executable's full path; tests may pretend another one.
    static QString ExecutablePath();
    static void SetExecutablePathOverride(const QString& path); // empty restores the real one
    // The executable's folder with a trailing "/".
    static QString ProgramDirectory();
    // Ini values may name a path inside the program's folder (the kit) by starting with
    // this token, so a kit copied elsewhere keeps working.
    static inline const QString ReaderBaseToken = QStringLiteral("READERBASE");
    // The value with "\" turned into "/" and a leading token (letter case counts) with the
    // separators after it replaced by the program's folder.
    static QString ExpandReaderBase(const QString& value);

    // The path with its extension (from the last "." of the name part) replaced by ext,
    // or ext appended when the name has no extension: "zelmora" -> "zelmora.INI".
    static QString ChangeExtension(const QString& path, const QString& ext);
    // Up to and including the last separator ("" when there is none).
    static QString ExtractFilePath(const QString& path);
    // After the last separator.
    static QString ExtractFileName(const QString& path);
    // From the last "." of the name part, with the dot; "" when there is none.
    static QString ExtractFileExt(const QString& path);
    // Every trailing separator removed ("/" and "\").
    static QString StripTrailingSeparators(const QString& path);
    // The path with exactly one trailing "/" (unless empty).
    static QString WithTrailingSeparator(const QString& path);

    // Creates an empty file when none exists; true when a file exists afterwards.
    static bool CreateEmptyFile(const QString& path);
    // Replaces the file through a temporary file in the same folder, flushed and renamed
    // (TAtomicFile); on any failure the old file stays as it was and false is returned. A read-only file
    // (no write permission bit for its owner, group or others) is never replaced.
    static bool WriteFileAtomically(const QString& path, const QByteArray& bytes);
};
