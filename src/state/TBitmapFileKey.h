#pragma once
#include "state/TKXIniFile.h"
#include <QString>

// The keys that name a picture file (BitmapFile of the outliners and the panel page,
// PictureFile of the splitters): a state file never holds a picture, only the path of the
// file the control loaded it from, or "Empty" when the control's picture came from no
// file. A picture inside the program's folder (the kit) is written as "READERBASE\..." so
// the look travels with the kit; on reading, that token and paths relative to the state
// file's folder are accepted too.
class TBitmapFileKey
{
public:
    static inline const QString Key = QStringLiteral("BitmapFile");

    static bool WriteBitmapFileKey(TKXIniFile& ini, const QString& bitmapFileName,
                                   const QString& section, const QString& key = Key);

    // What a key holds for a file name: "Empty" for none, "READERBASE\..." for a file
    // inside the program's folder, else the name as it is.
    static QString Encode(const QString& fileName);
    // The path a value names, as a path of this system: the token expanded, a relative
    // path taken from the state file's folder. Empty for an empty value or "Empty".
    static QString Resolve(const QString& value, const QString& stateFile);
    static bool IsEmptyWord(const QString& value);

    // The path the key names, or an empty text when the key is missing, empty or "Empty"
    // (nothing is to be loaded).
    static QString PathToLoad(const TKXIniFile& ini, const QString& section);
};
