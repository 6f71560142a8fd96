#pragma once
#include "state/TKXIniFile.h"
#include <QString>

class TROutliner;

// The section of a state file that keeps the look of an outliner: 23 keys, "Outliners" by
// default (both outliners of the browsing window share it). The eight colour keys are
// parsed strictly: a value that is not a number stops the reading there. Every other value
// that is not a number reads as 0. Neither operation shows a message.
class TOutlinerState
{
public:
    static const QStringList& Keys();

    // Stops at the first key that cannot be written; the keys before it stay written.
    static bool WriteOutlinerState(TKXIniFile& ini, const TROutliner* outliner,
                                   const QString& section = QString());
    // Stops at the first failing key; the values before it stay applied. Repaints once.
    static bool ReadOutlinerState(TKXIniFile& ini, TROutliner* outliner,
                                  const QString& section = QString());

    // Loads the background bitmap BitmapFile names. A file that is missing or is no
    // picture leaves the outliner's bitmap and BitmapFileName; BackGroundStyle keeps the
    // value it had before (the one read from the file), whatever loading did to it.
    static bool ReadOutlinerBitmap(TKXIniFile& ini, TROutliner* outliner,
                                   const QString& section = QString());

private:
    static QString SectionOf(const QString& section);
    static bool ReadKeys(TKXIniFile& ini, TROutliner& outliner, const QString& section);
};
