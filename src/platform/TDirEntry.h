#pragma once
#include <QString>
#include <QtGlobal>
#include <deque>

// One directory entry as the enumeration reports it.
struct TDirEntry
{
    QString name; // as stored on disk (decoded from the file-name encoding)
    bool isDirectory = false;
    qint64 size = 0;         // bytes; 0 for folders and when details were not asked for
    qint64 creationTime = 0; // milliseconds since the epoch (status-change time on Linux)
    qint64 accessTime = 0;
    qint64 writeTime = 0;
};

// A listing: a caller that hands entries on may take them from the front, giving their
// memory back as it goes, so a huge folder is not held twice.
using TDirEntries = std::deque<TDirEntry>;
