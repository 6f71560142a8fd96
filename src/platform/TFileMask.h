#pragma once
#include <QString>

// File masks such as "*.htm" or "*.*", matched ignoring case with "*" and "?". A mask
// whose extension has exactly three characters also matches names whose extension begins
// with those three ("*.htm" matches "page.html"), as the original's short names did; a
// mask ending in ".*" also matches names without an extension.
class TFileMask
{
public:
    static bool Matches(const QString& mask, const QString& name);
};
