#pragma once
#include "components/outline/TColdmereCustomGrid.h"
#include "components/outline/TOutlineNode.h"
#include "components/outline/TOutlineTree.h"
#include "components/outline/TOutlineTreeObserver.h"
#include "components/outline/TOutlineTypes.h"
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class QFontMetrics;
class QIODevice;
class TOutlineStrings;

// An outline tree shown as a one-column grid, one row per visible node.
//
// The tree (numbering, lookups, loading and saving, the selection) is a TOutlineTree the
// control owns and watches; the tree operations here hand over to it. The control adds
// the rows' look and geometry, the horizontal extent, the pictures, and the mouse and
// keyboard.
//
// Errors are EOutlineError. AddChild/Insert show a failed lookup or the depth limit in a
// message box ("Error") and return 0 with the tree unchanged; a negative index and the
// other operations' errors go to the caller.
class TColdmereCustomOutline : public TColdmereCustomGrid, private TOutlineTreeObserver
{
    Q_OBJECT
public:
    using EOutlineChange = std::function<void(QObject* sender, int index)>;
    using TDrawItemEvent =
        std::function<void(QObject* control, int index, QRect rect, TOwnerDrawState state)>;

    static constexpr int MaxLevel = TOutlineTree::MaxLevel;

    explicit TColdmereCustomOutline(QWidget* parent = nullptr);
    ~TColdmereCustomOutline() override;

    // The tree this control shows.
    TOutlineTree& Tree() { return m_tree; }
    const TOutlineTree& Tree() const { return m_tree; }

    // --- the tree -------------------------------------------------------------------
    // Appends a child to the item at index (0: a top-level item); the new item's index.
    int AddChild(int index, const QString& text);
    int AddChildObject(int index, const QString& text, void* data);
    // Inserts a sibling just before the item at index (0: appends a top-level item).
    int Insert(int index, const QString& text);
    int InsertObject(int index, const QString& text, void* data);
    // Removes the item with its subtree.
    void Delete(int index) { m_tree.Delete(index); }
    // Removes every item; the outline is as new.
    void Clear() { m_tree.Clear(); }
    TOutlineNode* Items(int index) { return m_tree.Items(index); }
    int ItemCount() const { return m_tree.ItemCount(); }
    // The selected item, or 0 when the outline is empty.
    int SelectedItem() { return m_tree.SelectedItem(Row()); }
    // Selects the item (or its nearest visible ancestor) and moves the current row to
    // it; ignored while updating.
    void SetSelectedItem(int index) { m_tree.SetSelectedItem(index); }
    // The first item in pre-order whose text is exactly text; 0 when there is none.
    int GetTextItem(const QString& text) { return m_tree.GetTextItem(text); }
    void FullExpand() { m_tree.FullExpand(); }
    void BeginUpdate() { m_tree.BeginUpdate(); }
    void EndUpdate() { m_tree.EndUpdate(); }
    bool Updating() const { return m_tree.Updating(); }

    // Replaces the tree by tab-indented text, lines ending in carriage returns.
    void LoadFromStream(QIODevice& stream) { m_tree.LoadFromStream(stream); }
    // Writes every item as (Level - 1) tabs, its text (UTF-8) and CR LF; false when the
    // stream did not take all of it.
    bool SaveToStream(QIODevice& stream) { return m_tree.SaveToStream(stream); }

    // The node shown in a 0-based row, or null.
    TOutlineNode* GetVisibleNode(int row) { return m_tree.GetVisibleNode(row); }
    // The row that shows node, or -1 when it is hidden (or the root).
    int GetNodeRow(TOutlineNode* node) { return m_tree.GetNodeRow(node); }
    TOutlineNode* RootNode() const { return m_tree.RootNode(); }

    // The lookup cache: the position last looked up. Setting it looks the index up.
    int CurItem() { return m_tree.CurItem(); }
    void SetCurItem(int index) { m_tree.SetCurItem(index); }

    // --- look and geometry ----------------------------------------------------------
    QString ItemSeparator() const { return m_tree.ItemSeparator(); }
    void SetItemSeparator(const QString& separator) { m_tree.SetItemSeparator(separator); }
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
    TOutlineStrings& Lines() { return m_tree.Lines(); }
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
    TOutlineNode* SelectedNode() { return m_tree.SelectedNode(Row()); }
    void SelectNode(TOutlineNode* node) { m_tree.SelectNode(node); }

private:
    // What the tree reports.
    void RowCountChanged() override;
    void RowsAdded(TOutlineNode* first, TOutlineNode* last) override;
    void RowWidthsChanged() override;
    void RepaintNeeded() override;
    void TextChanged(TOutlineNode* node) override;
    void Expanding(TOutlineNode* node) override;
    void Collapsing(TOutlineNode* node) override;
    void CurrentItemChanged(TOutlineNode* node) override;
    void TreeReset() override;

    int AddNode(int index, const QString& text, void* data, bool insert);
    bool ColumnFollowsClient() const;
    void InvalidateExtent();
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

    TOutlineTree m_tree;
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
};
