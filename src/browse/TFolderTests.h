#pragma once
#include <QString>

// Whether a configured folder can be trusted before anything is built from it. These
// look at one directory entry at most; they never walk a folder. Linux has a single
// drive, the root: a path "has a drive" when it is absolute.
class TFolderTests
{
public:
    // True for an absolute path; false for an empty, relative or drive-letter path.
    static bool DriveExists(const QString& path);
    // The path, less one trailing separator, names an existing folder (letter case
    // resolved); the bare root counts as an existing drive.
    static bool FolderExists(const QString& path);
    // As FolderExists after every trailing separator is removed, so a path made only of
    // separators is refused.
    static bool WebFolderExists(const QString& path);
};

inline bool DriveExists(const QString& path) { return TFolderTests::DriveExists(path); }
inline bool FolderExists(const QString& path) { return TFolderTests::FolderExists(path); }
inline bool WebFolderExists(const QString& path) { return TFolderTests::WebFolderExists(path); }
