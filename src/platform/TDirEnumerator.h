#pragma once
#include "TDirEntry.h"
#include <QString>

// Find-first/find-next over a pattern "folder/mask": the entries of the folder whose names
// match the mask (TFileMask), "." and ".." first when they match, then the rest sorted by
// name ignoring case (ties in byte order), a stable order as the original file system gave.
// The folder part is resolved ignoring letter case. A missing or unreadable folder lists
// nothing.
class TDirEnumerator
{
public:
    enum Detail { NamesAndKinds, Full }; // Full also reads sizes and times (one stat each)

    static TDirEntries List(const QString& pattern, Detail detail = Full);

    // Device and inode of a file or folder: a walk refuses to enter a folder twice, and a
    // picture reached by several names is decoded once.
    static bool Identity(const QString& folder, quint64* device, quint64* inode);
};
