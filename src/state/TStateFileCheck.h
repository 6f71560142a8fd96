#pragma once
#include <QString>

// Whether a file a state file operation is about to read can be read at all: a regular
// file (letter case resolved) that may be opened. Reading a state file that is not there
// gives every key as missing, a display all black with zero sizes, so every load asks this
// first and fails instead. Bitmaps named in state files are checked too: a pipe or a device
// named there could block the reader or never end.
class TStateFileCheck
{
public:
    static bool IsReadable(const QString& path);
};
