#pragma once
#include <QString>
#include <memory>
#include <vector>

class TOutlineTree;

// One node of an outline tree. Nodes are made and destroyed only by their tree, which
// owns a hidden root (Level 0, Index 0) whose descendants are the items. What changes a
// node's place or state goes through the tree, which keeps numbers and rows right.
class TOutlineNode
{
public:
    ~TOutlineNode();
    TOutlineNode(const TOutlineNode&) = delete;
    TOutlineNode& operator=(const TOutlineNode&) = delete;

    const QString& Text() const { return m_text; }
    // Tells the tree's view, which repaints the node's row when it shows.
    void SetText(const QString& text);
    void* Data() const { return m_data; }
    void SetData(void* data) { m_data = data; }

    TOutlineNode* Parent() const { return m_parent; }
    TOutlineTree* Tree() const { return m_tree; }

    // The 1-based pre-order number among all items (0 for the root).
    int Index() const;
    int Level() const { return m_level; }
    bool HasItems() const { return ChildCount() > 0; }
    int ChildCount() const { return m_children ? int(m_children->nodes.size()) : 0; }
    TOutlineNode* Child(int position) const; // null outside 0..ChildCount()-1
    // The Index of the last child, or -1 without children.
    int GetLastChild() const;
    // The texts from the top-level ancestor down to this node, joined by the tree's
    // ItemSeparator; empty for the root.
    QString FullPath() const;

    bool Expanded() const { return m_expanded; }
    // Expanding needs every ancestor expanded ("Parent must be expanded"); collapsing
    // collapses every descendant first.
    void SetExpanded(bool expanded);
    void Expand() { SetExpanded(true); }
    void Collapse() { SetExpanded(false); }
    // Expands this node when it has items, then every descendant.
    void FullExpand();
    // Collapses every descendant, then this node.
    void FullCollapse();
    // Visible rows below this node inside its subtree (0 while collapsed).
    int ExpandCount() const { return m_expandCount; }
    // The node's row exists: its parent is expanded (never for the root).
    bool IsVisible() const { return m_parent && m_parent->m_expanded; }

    // The pixel width of Text as the view last measured it, -1 until measured; a new
    // text forgets it. Kept here so a view of a million rows measures each text once.
    int MeasuredWidth() const { return m_textWidth; }
    void SetMeasuredWidth(int width) { m_textWidth = width; }

private:
    friend class TOutlineTree;

    // The children in order, with the running count of visible rows before each child.
    // Entries below valid are known right: rowsBefore[j] for j <= valid, and the cached
    // m_position of the children before valid. Changes move valid back; reads extend it.
    struct TChildTable
    {
        std::vector<TOutlineNode*> nodes;
        std::vector<int> rowsBefore{0};
        int valid = 0;
    };

    TOutlineNode(TOutlineTree* tree, const QString& text, void* data);

    QString m_text;
    void* m_data = nullptr;
    TOutlineNode* m_parent = nullptr;
    TOutlineTree* m_tree = nullptr;
    std::unique_ptr<TChildTable> m_children; // created with the first child
    int m_index = -1;                        // pre-order number, right only up to the tree's mark
    int m_expandCount = 0;
    int m_position = 0;   // place among the parent's children, checked before use
    int m_textWidth = -1; // the view's measurement of the text
    int m_level = 0;
    bool m_expanded = false;
};
