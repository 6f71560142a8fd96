#pragma once
#include "components/outline/TOutlineNode.h"
#include <QString>
#include <memory>
#include <vector>

class QIODevice;
class TOutlineStrings;
class TOutlineTreeObserver;

// The tree behind an outline: the nodes, their numbers, lookups, the rows they show in,
// the selection, and loading and saving as tab-indented text. It shows nothing itself; its
// observer (the view) hears what changed.
//
// Items are numbered 1.. in pre-order over the whole tree, expanded or not; 0 is the
// hidden root. Numbers are kept lazily: the tree remembers the last node whose number is
// known right, a change moves that mark back, and a question about a later node renumbers
// forward from the mark. A lookup by number descends from the root with a halving search
// over the children at each level; a lookup by row skips collapsed subtrees by their
// ExpandCount, through a running row count kept per child list.
//
// Rows are 0-based and count the visible nodes; the view's cursor row is handed in where
// the selection follows it. Every failure raises EOutlineError; nothing is shown here.
class TOutlineTree
{
public:
    static constexpr int MaxLevel = 256;

    TOutlineTree();
    ~TOutlineTree();
    TOutlineTree(const TOutlineTree&) = delete;
    TOutlineTree& operator=(const TOutlineTree&) = delete;

    // Who hears about changes; null for nobody. The observer must outlive the tree or be
    // replaced first.
    void SetObserver(TOutlineTreeObserver* observer);

    // --- items ----------------------------------------------------------------------
    // Appends a child to the item at index (0: a top-level item); the new item's index.
    // Raises "Invalid outline index" for a negative index, "Outline index not found" and
    // "Maximum outline depth exceeded"; the tree is then unchanged.
    int AddChild(int index, const QString& text);
    int AddChildObject(int index, const QString& text, void* data);
    // Inserts a sibling just before the item at index (0: appends a top-level item).
    int Insert(int index, const QString& text);
    int InsertObject(int index, const QString& text, void* data);
    // Removes the item with its subtree.
    void Delete(int index);
    // Removes every item and ends any batch; the tree is as new.
    void Clear();
    TOutlineNode* Items(int index);
    int ItemCount() const { return m_itemCount; }
    // The first item in pre-order whose text is exactly text; 0 when there is none.
    int GetTextItem(const QString& text);
    void FullExpand();
    // A nestable batch: adds do not renumber and selecting is ignored until it ends.
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_updating; }
    TOutlineNode* RootNode() const { return m_root; }

    // The lookup cache: the position last looked up. Setting it looks the index up.
    int CurItem();
    void SetCurItem(int index);

    QString ItemSeparator() const { return m_itemSeparator; }
    void SetItemSeparator(const QString& separator) { m_itemSeparator = separator; }

    // One string per item: (Level - 1) tabs and the text.
    TOutlineStrings& Lines() { return *m_lines; }

    // --- node operations (the nodes forward to these) --------------------------------
    // The node's 1-based pre-order number (0 for the root).
    int IndexOf(TOutlineNode* node);
    // The node's place among its parent's children.
    int PositionOf(TOutlineNode* child);
    // Expanding needs every ancestor expanded ("Parent must be expanded"); collapsing
    // collapses every descendant first.
    void SetExpanded(TOutlineNode* node, bool expanded);
    void SetText(TOutlineNode* node, const QString& text);

    // --- rows -------------------------------------------------------------------------
    // The visible nodes (the root's ExpandCount); may be 0.
    int VisibleNodeCount() const { return m_root->ExpandCount(); }
    // The node shown in a 0-based row, or null.
    TOutlineNode* GetVisibleNode(int row);
    // The row that shows node, or -1 when it is hidden (or the root, or not of this tree).
    int GetNodeRow(TOutlineNode* node);

    // --- selection --------------------------------------------------------------------
    // The selected node (the root when there is none). Until something is selected the
    // selection follows the node in currentRow; a hidden selection gives way to its
    // nearest visible ancestor.
    TOutlineNode* SelectedNode(int currentRow);
    // The selected node's index, or 0 when the tree is empty.
    int SelectedItem(int currentRow);
    // Selects the item (or its nearest visible ancestor) and moves the current row to
    // it; ignored while updating. "Invalid selection" for a value at most 0 while empty.
    void SetSelectedItem(int index);
    void SelectNode(TOutlineNode* node);
    // From now on the selection follows the current row again.
    void SelectionFollowsRow() { m_selected = m_root; }

    // --- indented text ----------------------------------------------------------------
    // Replaces the tree by tab-indented text, lines ending in carriage returns; every item
    // collapsed and the first one selected. On an error the lines read before it stay.
    void LoadFromStream(QIODevice& stream);
    // Writes every item as (Level - 1) tabs, its text (UTF-8) and CR LF; false when the
    // stream did not take all of it.
    bool SaveToStream(QIODevice& stream) const;

private:
    TOutlineNode* NewRoot();
    int AddNode(int index, const QString& text, void* data, bool insert);
    TOutlineNode* Lookup(int index);
    TOutlineNode* LookupOrRaise(int index);
    bool IndexKnown(TOutlineNode* node);
    void SetMark(TOutlineNode* node, int index);
    void RenumberForward(const TOutlineNode* target, int targetIndex);
    void MoveMarkBack(TOutlineNode* predecessor);
    TOutlineNode* NextPreOrder(TOutlineNode* node);
    TOutlineNode* PreOrderPredecessor(TOutlineNode* node);
    TOutlineNode* LastDescendant(TOutlineNode* node);
    void ExtendTable(TOutlineNode* parent, int upTo);
    void InvalidateTableAt(TOutlineNode* child);
    void AttachChild(TOutlineNode* parent, std::unique_ptr<TOutlineNode> node, int position);
    void AdjustExpandCount(TOutlineNode* node, int delta);
    void PlaceLoadedLine(int indent, const QString& text, TOutlineNode*& previous,
                         int& previousIndent);
    void FinishLoad();

    TOutlineNode* m_root = nullptr;
    TOutlineNode* m_selected = nullptr; // the root: the selection follows the current row
    TOutlineNode* m_cache = nullptr;    // the node last looked up by index
    int m_cacheIndex = 0;               // without m_cache: the index it stood at (after a delete)
    TOutlineNode* m_mark = nullptr;     // every node up to here has its right Index
    int m_goodIndex = 0;                // the mark's Index
    std::vector<TOutlineNode*> m_markPath; // the root .. the mark, one node per level
    int m_itemCount = 0;
    int m_updateCount = 0;
    bool m_updating = false;
    QString m_itemSeparator = QStringLiteral("\\");
    TOutlineTreeObserver* m_observer;
    std::unique_ptr<TOutlineStrings> m_lines;
};
