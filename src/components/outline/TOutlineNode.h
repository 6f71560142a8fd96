#pragma once
#include <QString>
#include <memory>
#include <vector>

class TColdmereCustomOutline;

// One node of an outline. Nodes are made and destroyed only by their outline; the outline
// owns a hidden root (Level 0, Index 0) whose descendants are the items.
class TOutlineNode
{
public:
    ~TOutlineNode();
    TOutlineNode(const TOutlineNode&) = delete;
    TOutlineNode& operator=(const TOutlineNode&) = delete;

    const QString& Text() const { return m_text; }
    // Repaints the node's row when it shows and recomputes the outline's width.
    void SetText(const QString& text);
    void* Data() const { return m_data; }
    void SetData(void* data) { m_data = data; }

    TOutlineNode* Parent() const { return m_parent; }
    TColdmereCustomOutline* Owner() const { return m_owner; }

    // The 1-based pre-order number among all items (0 for the root).
    int Index() const;
    int Level() const { return m_level; }
    bool HasItems() const { return ChildCount() > 0; }
    int ChildCount() const;
    TOutlineNode* Child(int position) const; // null outside 0..ChildCount()-1
    // The Index of the last child, or -1 without children.
    int GetLastChild() const;
    // The texts from the top-level ancestor down to this node, joined by the outline's
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

private:
    friend class TColdmereCustomOutline;

    // The children in order, with the running count of visible rows before each child.
    // Entries below valid are known right: rowsBefore[j] for j <= valid, and the cached
    // m_position of the children before valid. Changes move valid back; reads extend it.
    struct TChildTable
    {
        std::vector<TOutlineNode*> nodes;
        std::vector<int> rowsBefore{0};
        int valid = 0;
    };

    TOutlineNode(TColdmereCustomOutline* owner, const QString& text, void* data);

    QString m_text;
    void* m_data = nullptr;
    TOutlineNode* m_parent = nullptr;
    TColdmereCustomOutline* m_owner = nullptr;
    std::unique_ptr<TChildTable> m_children; // created with the first child
    int m_index = -1; // pre-order number, right only up to the outline's mark
    int m_expandCount = 0;
    int m_position = 0;   // place among the parent's children, checked before use
    int m_textWidth = -1; // cached pixel width of the text, -1 until measured
    int m_level = 0;
    bool m_expanded = false;
};
