#pragma once
#include "components/outline/TColdmereCustomGrid.h"
#include "components/outline/TOutlineNode.h"
#include "components/outline/TOutlineTypes.h"
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QFontMetrics;
class QIODevice;
class TOutlineStrings;

// A tree of text items shown as a one-column grid, one row per visible node.
//
// Items are numbered 1.. in pre-order over the whole tree, expanded or not; 0 is the
// hidden root. Numbers are kept lazily: the outline remembers the last node whose number
// is known right, a change moves that mark back, and a question about a later node
// renumbers forward from the mark. A lookup by number descends from the root with a
// halving search over the children at each level; a lookup by row skips collapsed
// subtrees by their ExpandCount, through a running row count kept per child list.
//
// Errors are EOutlineError. AddChild/Insert report a failed lookup or the depth limit in
// a message box ("Error") and return 0 with the tree unchanged; the other operations
// raise to the caller.
class TColdmereCustomOutline : public TColdmereCustomGrid
{
    Q_OBJECT
public:
    using EOutlineChange = std::function<void(QObject* sender, int index)>;
    using TDrawItemEvent =
        std::function<void(QObject* control, int index, QRect rect, TOwnerDrawState state)>;

    static constexpr int MaxLevel = 256;

    explicit TColdmereCustomOutline(QWidget* parent = nullptr);
    ~TColdmereCustomOutline() override;

    // --- the tree -------------------------------------------------------------------
    // Appends a child to the item at index (0: a top-level item); the new item's index.
    int AddChild(int index, const QString& text);
    int AddChildObject(int index, const QString& text, void* data);
    // Inserts a sibling just before the item at index (0: appends a top-level item).
    int Insert(int index, const QString& text);
    int InsertObject(int index, const QString& text, void* data);
    // Removes the item with its subtree.
    void Delete(int index);
    // Removes every item; the outline is as new.
    void Clear();
    TOutlineNode* Items(int index);
    int ItemCount() const { return m_itemCount; }
    // The selected item, or 0 when the outline is empty.
    int SelectedItem();
    // Selects the item (or its nearest visible ancestor) and moves the current row to
    // it; ignored while updating.
    void SetSelectedItem(int index);
    // The first item in pre-order whose text is exactly text; 0 when there is none.
    int GetTextItem(const QString& text);
    void FullExpand();
    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return m_updating; }

    // Replaces the tree by tab-indented text, lines ending in carriage returns.
    void LoadFromStream(QIODevice& stream);
    // Writes every item as (Level - 1) tabs, its text (UTF-8) and CR LF; false when the
    // stream did not take all of it.
    bool SaveToStream(QIODevice& stream);

    // The node shown in a 0-based row, or null.
    TOutlineNode* GetVisibleNode(int row);
    // The row that shows node, or -1 when it is hidden (or the root).
    int GetNodeRow(TOutlineNode* node);
    TOutlineNode* RootNode() const { return m_root; }

    // The lookup cache: the position last looked up. Setting it looks the index up.
    int CurItem();
    void SetCurItem(int index);

    // --- look and geometry ----------------------------------------------------------
    QString ItemSeparator() const { return m_itemSeparator; }
    void SetItemSeparator(const QString& separator) { m_itemSeparator = separator; }
    TOutlineStyle OutlineStyle() const { return m_outlineStyle; }
    void SetOutlineStyle(TOutlineStyle style);
    TOutlineOptions Options() const { return m_options; }
    void SetOptions(TOutlineOptions options);
    TOutlineType Style() const { return m_style; }
    void SetStyle(TOutlineType style);
    // The row height. Follows the font with otStandard; set directly with otOwnerDraw.
    int ItemHeight() const { return DefaultRowHeight(); }
    void SetItemHeight(int height);
    // The font's pixel height used for vertical centring.
    int FontHeight() const { return m_fontHeight; }
    // The width of the widest visible row (text, indentation and 1 pixel), measured now.
    int HorizontalExtent();
    // The column's width for painting and scrolling. Up to MeasureAtOnceRows visible rows
    // it is HorizontalExtent; beyond that the rows are measured in slices between events
    // (each text costs a shaping pass), and meanwhile the column is as wide as the widest
    // row measured so far or on screen.
    int ColumnWidth() const override;
    static constexpr int MeasureAtOnceRows = 10000;
    // True while the slices are still measuring.
    bool MeasuringExtent() const { return m_walk.running; }

    const QImage& PicturePlus() const { return m_pictures[0]; }
    const QImage& PictureMinus() const { return m_pictures[1]; }
    const QImage& PictureOpen() const { return m_pictures[2]; }
    const QImage& PictureClosed() const { return m_pictures[3]; }
    const QImage& PictureLeaf() const { return m_pictures[4]; }
    void SetPicturePlus(const QImage& picture);
    void SetPictureMinus(const QImage& picture);
    void SetPictureOpen(const QImage& picture);
    void SetPictureClosed(const QImage& picture);
    void SetPictureLeaf(const QImage& picture);

    // One string per item: (Level - 1) tabs and the text.
    TOutlineStrings& Lines() { return *m_lines; }
    void SetLines(const QStringList& lines);

    EOutlineChange OnExpand;
    EOutlineChange OnCollapse;
    TDrawItemEvent OnDrawItem;

protected:
    // otOwnerDraw with OnDrawItem hands the row to the handler (and draws the focus
    // rectangle after it with ooDrawFocusRect); otherwise the row is drawn plainly.
    void DrawCell(int row, const QRect& rect, TGridDrawState state) override;
    void Click() override;
    void DblClick() override;
    void KeyDown(int& key, Qt::KeyboardModifiers shift) override;
    void KeyPress(QChar& key) override;
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, const QPoint& pos) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The system's default beep.
    virtual void Beep();
    // Pixels before a row's text for the width of a row, by OutlineStyle.
    int Indentation(int level) const;
    // The selected node after the selection rules (the root when there is none).
    TOutlineNode* SelectedNode();
    void SelectNode(TOutlineNode* node);

private:
    friend class TOutlineNode;
    friend class TOutlineStrings;

    TOutlineNode* NewRoot();
    int AddNode(int index, const QString& text, void* data, bool insert);
    TOutlineNode* Lookup(int index);
    TOutlineNode* LookupOrRaise(int index);
    bool IndexKnown(TOutlineNode* node);
    void SetMark(TOutlineNode* node, int index);
    int IndexOf(TOutlineNode* node);
    void RenumberForward(const TOutlineNode* target, int targetIndex);
    void MoveMarkBack(TOutlineNode* predecessor);
    TOutlineNode* NextPreOrder(TOutlineNode* node);
    TOutlineNode* PreOrderPredecessor(TOutlineNode* node);
    TOutlineNode* LastDescendant(TOutlineNode* node);
    int PositionOf(TOutlineNode* child);
    void ExtendTable(TOutlineNode* parent, int upTo);
    void InvalidateTableAt(TOutlineNode* child);
    void AttachChild(TOutlineNode* parent, TOutlineNode* node, int position);
    void AdjustExpandCount(TOutlineNode* node, int delta);
    void SetNodeExpanded(TOutlineNode* node, bool expanded);
    void NodeTextChanged(TOutlineNode* node);
    void UpdateRowCount();
    bool ColumnFollowsClient() const;
    void InvalidateExtent();
    void ExtentAddsRows(TOutlineNode* first, TOutlineNode* last);
    void ScheduleScrollRange();
    void ApplyExtent();
    void StartExtentWalk();
    // Measures rows of the walk for at most budgetMs (all of them when negative); true
    // when the walk is complete and m_extent holds its result.
    bool StepExtentWalk(qint64 budgetMs);
    void ContinueExtentWalk(int generation);
    int ShownExtent();
    int RowWidth(TOutlineNode* node, const QFontMetrics& metrics);
    void RecalcRowGeometry();
    void FinishLoad();
    void PlaceLoadedLine(int indent, const QString& text, TOutlineNode*& previous,
                         int& previousIndent);

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
    TOutlineStyle m_outlineStyle = osTreePictureText;
    TOutlineOptions m_options{ooDrawTreeRoot, ooDrawFocusRect};
    TOutlineType m_style = otStandard;
    int m_fontHeight = 0;
    int m_extent = 0;
    bool m_extentDirty = true;
    // The pre-order walk over the visible rows that measures the extent.
    struct TExtentWalk
    {
        std::vector<std::pair<TOutlineNode*, int>> stack;
        int widest = 0;
        bool running = false;
        int generation = 0; // tells the slices of an abandoned walk to stop
    };
    TExtentWalk m_walk;
    int m_onScreenWidest = 0; // during a walk: the widest row shown so far
    int m_onScreenTop = -1;   // the top row m_onScreenWidest last looked at
    bool m_extentPending = false;
    QImage m_pictures[5];
    std::unique_ptr<TOutlineStrings> m_lines;
};
