#pragma once
#include "browse/TStartUpOptions.h"
#include "platform/TPath.h"
#include <QString>

// The application ini file beside the executable: read once at start, written one key at a
// time by the layout editor's writer page. Nothing else reads or writes it.
class TAppIniFile
{
public:
    static inline const QString Token = TPath::ReaderBaseToken;
    // The longest idle time honoured, in seconds (one day); larger values are cut to it.
    static constexpr int MaxIdleReset = 86400;

    // The executable's path with its extension replaced by ".INI".
    static QString FileName();

    // Fills options from the file (defaults first); false when the file is missing or a
    // read failed (the fields read so far keep their values).
    static bool ReadIniFile(TStartUpOptions& options);

    // "READERBASE" rebasing and the existence test of one path value.
    static QString ResolveStartUpPath(const QString& value);

    // Resolves the five path fields in place, in the order the host keeps them, and
    // removes every trailing separator from AdvertsFolder.
    static void ResolvePaths(TStartUpOptions& options);

    // The only writers of the file. A missing file shows "Your default ini file has been
    // lost or corrupted, run setup again." and gives false; the file is never created.
    static bool WriteIniString(const QString& section, const QString& key, const QString& value);
    static bool WriteIniBool(const QString& section, const QString& key, bool value);
    static bool WriteIniInteger(const QString& section, const QString& key, int value);
};
