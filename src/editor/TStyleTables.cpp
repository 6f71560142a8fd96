#include "TStyleTables.h"
#include "platform/TRasterOp.h"
#include <array>

namespace {

constexpr std::array<quint32, 15> kCopyModes = {
    TCopyMode::cmBlackness,  TCopyMode::cmDstInvert,  TCopyMode::cmMergeCopy,
    TCopyMode::cmMergePaint, TCopyMode::cmNotSrcCopy, TCopyMode::cmNotSrcErase,
    TCopyMode::cmPatCopy,    TCopyMode::cmPatInvert,  TCopyMode::cmPatPaint,
    TCopyMode::cmSrcAnd,     TCopyMode::cmSrcCopy,    TCopyMode::cmSrcErase,
    TCopyMode::cmSrcInvert,  TCopyMode::cmSrcPaint,   TCopyMode::cmWhiteness,
};

// Items stand for the enumeration's ordinals in order; an index outside maps to the first.
template <class E>
E Ordinal(int index, int count)
{
    return E(index >= 0 && index < count ? index : 0);
}

int IndexOf(int ordinal, int count) { return ordinal >= 0 && ordinal < count ? ordinal : -1; }

} // namespace

QStringList TStyleTables::CellDrawItems(TPage page)
{
    if (page == TPage::Outline)
        return {"None", "Box", "Rounded - Right", "Rounded - Left"};
    return {"None", "Box ", "Rounded - Right", "Rounded - Left"};
}

TCellStyle TStyleTables::CellDrawValue(int index) { return Ordinal<TCellStyle>(index, 4); }
int TStyleTables::CellDrawIndex(TCellStyle style) { return IndexOf(style, 4); }

QStringList TStyleTables::CellOutlineItems(TPage page)
{
    if (page == TPage::Outline)
        return {"None", "Box Cell", "Underlined Cell"};
    return {"None", "Box Cell", "Underline Cell"};
}

TKXLineStyle TStyleTables::CellOutlineValue(int index) { return Ordinal<TKXLineStyle>(index, 3); }
int TStyleTables::CellOutlineIndex(TKXLineStyle style) { return IndexOf(style, 3); }

QStringList TStyleTables::BackStyleItems() { return {"None", "Bitmap", "Gradient"}; }
TKXBackStyle TStyleTables::BackStyleValue(int index) { return Ordinal<TKXBackStyle>(index, 3); }
int TStyleTables::BackStyleIndex(TKXBackStyle style) { return IndexOf(style, 3); }

QStringList TStyleTables::MergeBackgroundItems()
{
    return {"Paint Black",
            "Invert Background",
            "Merge - 1",
            "Merge - 2",
            "Ignore Foreground Colour",
            "Invert Combination",
            "Copy Foreground Pattern - 1",
            "Copy Foreground Pattern - Invert",
            "PatPaint",
            "Merge - 3",
            "Foreground Colour",
            "Invert Background, Merge",
            "Invert Foreground",
            "Merge - 4",
            "Paint White"};
}

QStringList TStyleTables::CellBackgroundItems()
{
    return {"Paint Black",
            "Invert Background",
            "Merge - 1",
            "Merge - 2",
            "Ignore Cell Colour",
            "Invert Combination",
            "Copy Cell Colour - 1",
            "Copy Cell Colour - Invert",
            "PatPaint",
            "Merge - 3",
            "Cell Colour",
            "Invert Background, Merge",
            "Invert Cell Colour",
            "Merge - 4",
            "Paint White"};
}

int TStyleTables::CopyModeCount() { return int(kCopyModes.size()); }

quint32 TStyleTables::CopyModeValue(int index)
{
    return index >= 0 && index < CopyModeCount() ? kCopyModes[size_t(index)] : TCopyMode::cmSrcCopy;
}

int TStyleTables::CopyModeIndex(quint32 code)
{
    for (int i = 0; i < CopyModeCount(); ++i)
        if (kCopyModes[size_t(i)] == code)
            return i;
    return -1;
}

QStringList TStyleTables::ShadowItems()
{
    return {"No Shadow",    "Left - Right", "Top - Bottom", "Left Shadow",
            "Right Shadow", "Top Shadow",   "Bottom Shadow"};
}

TShadowStyle TStyleTables::ShadowValue(int index) { return Ordinal<TShadowStyle>(index, 7); }
int TStyleTables::ShadowIndex(TShadowStyle style) { return IndexOf(style, 7); }
