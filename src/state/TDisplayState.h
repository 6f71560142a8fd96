#pragma once
#include "state/TDisplayControls.h"
#include <QString>

// The whole-file operations on state files: saving and loading the look of the browsing
// window's six styled controls, and the start-up load.
class TDisplayState
{
public:
    static inline const QString SaveErrorText = QStringLiteral("Could not save the State file");
    static inline const QString SaveErrorCaption = QStringLiteral("Save Error");
    static inline const QString LoadErrorText = QStringLiteral(
        "Could not load the State file. If you cannot locate the default file, run setup again.");
    static inline const QString LoadErrorCaption = QStringLiteral("Load Error");

    // Writes FolderList, then ReadOutliner (both to "Outliners", so the section ends with
    // ReadOutliner's look), DocList, PanelPage, GraphicSplit1 and GraphicSplit2 to their
    // sections. Keys and sections already in the file stay where they are. The file is
    // replaced (or, under a new name, created) once, and only when every key was written:
    // a save that fails leaves an existing file byte for byte, and no new file. A failure
    // says "Could not save the State file" ("Save Error").
    static bool SaveDisplayState(const TDisplayControls& controls, const QString& path);

    // Reads the six controls from the same sections. A section the file does not hold
    // leaves its controls as they are. A file that is missing, cannot be read or holds
    // none of the five sections changes nothing and fails. A failure says "Could not load the State file. If you cannot
    // locate the default file, run setup again." ("Load Error").
    static bool LoadDisplayState(const TDisplayControls& controls, const QString& path);

    // The start-up load: each control from its kind's default section (a splitter's by its
    // alignment), in the order folder outline, reader outline, document list, panel page,
    // vertical splitter, horizontal splitter. False, with nothing applied, when no readable
    // file is at the path or the file holds none of the five sections; false also when
    // any of the six reads fails. Shows no message.
    static bool LoadStateFile(const QString& path, TROutliner* folderOutline,
                              TROutliner* readerOutline, TGraphicSplitBar* horzSplitter,
                              TGraphicSplitBar* vertSplitter, TKXPanelPage* panelPage,
                              TClrListView* docList);

private:
    static bool HoldsALook(const class TKXIniFile& ini);
    static bool WriteAll(const TDisplayControls& controls, const QString& path, bool create);
    static bool ReadAll(const TDisplayControls& controls, const QString& path, bool bySectionName);
};
