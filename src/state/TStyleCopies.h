#pragma once

class TClrListView;
class TGraphicSplitBar;
class TKXPanelPage;
class TROutliner;

// Carry a look between two controls of one kind in memory: between the live controls and
// the layout editor's previews, and from the folder outline to the page outline. A copy
// carries more than a state file (the whole font, the list's view style, a splitter's
// picture and limits) and reads no file. Properties are set in a fixed order, and the
// target repaints. A copy that fails stops there and returns false; what it set stays set.
// A bitmap is copied as a picture of its own; an empty source bitmap leaves the target's
// bitmap and BitmapFileName alone.
class TStyleCopies
{
public:
    // An absent source copies nothing and succeeds; an absent target fails.
    static bool CopyOutlinerStyle(TROutliner* target, const TROutliner* source);
    static bool CopyListViewStyle(TClrListView* target, const TClrListView* source);
    // An absent source or target fails, so the caller restores the control instead.
    static bool CopyPanelStyle(TKXPanelPage* target, const TKXPanelPage* source);
    static bool CopySplitterStyle(TGraphicSplitBar* target, const TGraphicSplitBar* source);
};
