#pragma once
#include "state/TKXIniFile.h"
#include <QString>

// The key BitmapFile: a state file never holds a picture, only the path of the file the
// control loaded it from, or "Empty" when the control's picture came from no file.
class TBitmapFileKey
{
public:
    static inline const QString Key = QStringLiteral("BitmapFile");

    static bool WriteBitmapFileKey(TKXIniFile& ini, const QString& bitmapFileName,
                                   const QString& section);

    // The path the key names, with "\" turned into "/", or an empty text when the key is
    // missing, empty or "Empty" (nothing is to be loaded).
    static QString PathToLoad(const TKXIniFile& ini, const QString& section);
};
