#pragma once

class TOutlineNode;

// What an outline tree tells the view that shows it, so the view can resize and repaint.
// Every call comes after the tree has changed, except Expanding and Collapsing: the node
// still has its old Expanded state then. The defaults ignore the news.
class TOutlineTreeObserver
{
public:
    virtual ~TOutlineTreeObserver() = default;

    // The number of visible rows (the root's ExpandCount) may have changed.
    virtual void RowCountChanged() {}
    // The sibling rows first .. last have just become visible; the widest row can only
    // have grown.
    virtual void RowsAdded(TOutlineNode* /*first*/, TOutlineNode* /*last*/) {}
    // Rows were removed, hidden or reshaped: the widest row is no longer known.
    virtual void RowWidthsChanged() {}
    // The visible rows must be painted again.
    virtual void RepaintNeeded() {}
    // The node's text changed; its row, when it shows, must be painted again.
    virtual void TextChanged(TOutlineNode* /*node*/) {}
    virtual void Expanding(TOutlineNode* /*node*/) {}
    virtual void Collapsing(TOutlineNode* /*node*/) {}
    // The view's current row should move to the node's row (when that row shows).
    virtual void CurrentItemChanged(TOutlineNode* /*node*/) {}
    // The tree was cleared or loaded anew: the view starts again at its first row.
    virtual void TreeReset() {}
};
