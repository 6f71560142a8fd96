#pragma once
#include <QString>

// Whether a state file can be read at all. Reading a file that is not there, or that cannot
// be opened, gives every key as missing: a display all black with zero sizes. Every load
// asks this first and fails instead.
class TStateFileCheck
{
public:
    static bool IsReadable(const QString& path);
};
