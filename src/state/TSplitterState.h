#pragma once
#include "state/TKXIniFile.h"
#include <QString>

class TGraphicSplitBar;

// The sections of a state file that keep the look of a graphic splitter: 6 keys, the last
// being the bar's thickness, then PictureFile (the bar's picture; absent in older files,
// which read as no picture). A splitter aligned left or right belongs by default to
// "Vertical Splitter" and keeps its Width; any other belongs to "Horizontal Splitter" and
// keeps its Height. Every value that is not a number reads as 0.
class TSplitterState
{
public:
    static const QStringList& Keys(); // the first five; Width or Height, PictureFile follow

    // The section a splitter uses when none is given: by its alignment.
    static QString DefaultSection(const TGraphicSplitBar& splitter);

    // Writes Width when the splitter is aligned left or right, else Height, whatever the
    // section is called.
    static bool WriteSplitterState(TKXIniFile& ini, const TGraphicSplitBar* splitter,
                                   const QString& section = QString());
    // Sets Width when the section is exactly "Vertical Splitter" (letter case counts), else
    // Height, whatever the splitter's alignment. The splitter repaints through its setters.
    static bool ReadSplitterState(TKXIniFile& ini, TGraphicSplitBar* splitter,
                                  const QString& section = QString());

private:
    static bool IsVertical(const TGraphicSplitBar& splitter);
};
