#pragma once
#include "state/TKXIniFile.h"
#include <QString>

class TClrListView;

// The section of a state file that keeps the look of a coloured list view: 15 keys,
// "FilesList" by default. Only FontColour is parsed strictly; every other value that is
// not a number reads as 0. Neither operation shows a message.
class TListViewState
{
public:
    // The keys in the order they are written and read.
    static const QStringList& Keys();

    // Stops at the first key that cannot be written; the keys before it stay written.
    static bool WriteListViewState(TKXIniFile& ini, const TClrListView* listView,
                                   const QString& section = QString());
    // Stops at the first failing key; the values before it stay applied. Repaints once.
    static bool ReadListViewState(TKXIniFile& ini, TClrListView* listView,
                                  const QString& section = QString());

private:
    static QString SectionOf(const QString& section);
    static bool ReadKeys(TKXIniFile& ini, TClrListView& listView, const QString& section);
};
