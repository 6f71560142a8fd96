#pragma once
#include "state/TKXIniFile.h"
#include <QString>

class TKXPanelPage;

// The section of a state file that keeps the look of a background panel page: 12 keys,
// "Panel" by default, the tile bitmap's file last. Every value that is not a number reads
// as 0. Neither operation shows a message.
class TPanelState
{
public:
    static const QStringList& Keys();

    static bool WritePanelState(TKXIniFile& ini, const TKXPanelPage* panel,
                                const QString& section = QString());
    // Stops at the first failing key; the values before it stay applied. Repaints once.
    static bool ReadPanelState(TKXIniFile& ini, TKXPanelPage* panel,
                               const QString& section = QString());

    // Loads the tile bitmap BitmapFile names. A file that is missing or is no picture
    // leaves the panel's bitmap and BitmapFileName; BackGroundStyle keeps the value it had
    // before (the one read from the file), whatever loading did to it.
    static bool ReadPanelBitmap(TKXIniFile& ini, TKXPanelPage* panel,
                                const QString& section = QString());

private:
    static QString SectionOf(const QString& section);
    static bool ReadKeys(TKXIniFile& ini, TKXPanelPage& panel, const QString& section);
};
