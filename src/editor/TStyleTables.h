#pragma once
#include "components/paint/TLookTypes.h"
#include <QStringList>
#include <QtGlobal>

// The choices the style pages offer in their combo boxes, by item index, with the value
// each item stands for. The outline page and the document list page word some items
// differently; the values are the same.
class TStyleTables
{
public:
    enum class TPage { Outline, DocumentList };

    // Cell draw style (DrawCellOutline).
    static QStringList CellDrawItems(TPage page);
    static TCellStyle CellDrawValue(int index);
    static int CellDrawIndex(TCellStyle style);

    // Cell outline (DoCellOutline).
    static QStringList CellOutlineItems(TPage page);
    static TKXLineStyle CellOutlineValue(int index);
    static int CellOutlineIndex(TKXLineStyle style);

    // Background style (BackGroundStyle) of the outline.
    static QStringList BackStyleItems();
    static TKXBackStyle BackStyleValue(int index);
    static int BackStyleIndex(TKXBackStyle style);

    // Raster copy modes: "Merge Background" (BackgroundCopyMode) and "Cell / Background"
    // (BackgroundCellCopyMode) name the same fifteen codes differently.
    static QStringList MergeBackgroundItems();
    static QStringList CellBackgroundItems();
    static int CopyModeCount();
    static quint32 CopyModeValue(int index);
    // -1 for a code the table does not hold.
    static int CopyModeIndex(quint32 code);

    // Splitter shadow style (ShadowStyle).
    static QStringList ShadowItems();
    static TShadowStyle ShadowValue(int index);
    static int ShadowIndex(TShadowStyle style);
};
