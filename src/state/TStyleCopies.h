#pragma once

class TClrListView;
class TGraphicSplitBar;
class TKXPanelPage;
class TROutliner;

// Carry a look between two controls of one kind in memory: between the live controls and
// the layout editor's previews, and from the folder outline to the page outline. A copy
// carries more than a state file (the whole font, the list's view style, a splitter's
// limits) and reads no file; of a splitter's size it carries the thickness its alignment
// gives it (Width when aligned left or right, else Height), the length being its layout's. Every property is set exactly as the source has
// it, without the side effects the property setters have for the editor, so copying a
// look there and back leaves it as it was, pixel for pixel; the target repaints. A copy
// that fails stops there and returns false; what it set stays set. Pictures and their
// file names are copied as they are, an empty picture included.
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
