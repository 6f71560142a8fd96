#pragma once
#include <QString>

class TClrListView;
class TGraphicSplitBar;
class TKXPanelPage;
class TROutliner;

// The default state file: the executable's path with the extension ".STA", installed with
// the program and only read. The layout editor restores a control from it when a style
// copy fails. A restore fails when the file is missing, rather than painting the control
// black from keys that are not there.
class TDefaultState
{
public:
    static QString DefaultStateFileName();

    // Each reads the kind's default section (a splitter's by its alignment) into the
    // control; false when the file is missing or the reader fails.
    static bool RestoreOutlinerFromDefault(TROutliner* outliner);
    static bool RestoreListViewFromDefault(TClrListView* listView);
    static bool RestorePanelFromDefault(TKXPanelPage* panel);
    static bool RestoreSplitterFromDefault(TGraphicSplitBar* splitter);
};
