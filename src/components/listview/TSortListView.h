#pragma once
#include "components/listview/TColumnSizeStore.h"
#include "components/listview/TListCaptionEditor.h"
#include "components/listview/TListGeometry.h"
#include "components/listview/TListItems.h"
#include "components/listview/TSortLVSaveSettings.h"
#include <QAbstractScrollArea>
#include <QImage>
#include <QList>
#include <functional>
#include <memory>

class QPainter;

// A list view that draws every visible row of its TListItems itself through an off-screen
// image and sorts them by a column (TListItems does the sorting). Report view shows the
// columns side by side; list view flows the captions top to bottom in columns; the icon
// views flow them left to right.
class TSortListView : public QAbstractScrollArea
{
    Q_OBJECT

    // First, so the sorting events below can name its members.
    TListItems m_items;

public:
    explicit TSortListView(QWidget* parent = nullptr);
    ~TSortListView() override;

    // --- columns ---
    int ColumnCount() const { return m_items.ColumnCount(); }
    TListColumn* Column(int index) const { return m_items.Column(index); }
    TListColumn* AddColumn(const QString& caption = QString(), int width = 50);
    void DeleteColumn(int index);
    void ClearColumns();
    // The pixel width of a column; a pending -1/-2 is measured now and stored.
    int ColumnWidth(int index);
    // -1 = fit the texts, -2 = fit the header and the texts; other negatives give 0.
    void SetColumnWidth(int index, int width);

    // --- rows ---
    int ItemCount() const { return m_items.Count(); }
    TListItem* Item(int index) const { return m_items.Item(index); }
    TListItem* AddItem(const QString& caption = QString());
    TListItem* InsertItem(int index, const QString& caption = QString());
    void DeleteItem(int index);
    void ClearItems();
    int IndexOf(const TListItem* item) const { return m_items.IndexOf(item); }
    // Bracket many additions so the view lays itself out once.
    void BeginUpdate();
    void EndUpdate();
    // Call after changing an item's texts directly.
    void ItemsChanged();

    TListItem* Selected() const { return m_selected; }
    void SetSelected(TListItem* item);
    int SelectedIndex() const { return IndexOf(m_selected); }
    TListItem* ItemFocused() const { return m_focused; }
    void SetItemFocused(TListItem* item);

    // Geometry, in viewport coordinates.
    QRect ItemRect(int index);
    int IndexAt(const QPoint& viewportPos);
    TListItem* ItemAt(const QPoint& viewportPos);
    void EnsureVisible(int index);
    int TopIndex();
    int HeaderHeight() const;
    int RowHeight() const { return m_rowHeight; }

    // --- look ---
    TViewStyle ViewStyle() const { return m_viewStyle; }
    void SetViewStyle(TViewStyle style);
    bool ShowColumnHeaders() const { return m_showHeaders; }
    void SetShowColumnHeaders(bool show);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly);
    TLVStyle Style() const { return m_style; }
    void SetStyle(TLVStyle style);
    qint32 Color() const { return m_color; }
    void SetColor(qint32 colour);
    qint32 FontColour() const { return m_fontColour; }
    void SetFontColour(qint32 colour);
    // Pictures for the rows' ImageIndex; empty = no small-image list.
    const QList<QImage>& SmallImages() const { return m_smallImages; }
    void SetSmallImages(const QList<QImage>& images);

    // --- sorting ---
    TAutoColumnSort AutoColumnSort() const { return m_items.AutoColumnSort(); }
    void SetAutoColumnSort(TAutoColumnSort value) { m_items.SetAutoColumnSort(value); }
    bool AutoSortAscending() const { return m_items.AutoSortAscending(); }
    void SetAutoSortAscending(bool ascending) { m_items.SetAutoSortAscending(ascending); }
    bool CurrentSortAscending() const { return m_items.CurrentSortAscending(); }
    int LastSortedColumn() const { return m_items.LastSortedColumn(); }
    // Sorts all rows by the texts of one column (0 = captions); stable.
    void SortByColumn(int column, bool ascending) { m_items.SortByColumn(column, ascending); }
    // Sorts again by the last sorted column when automatic column sorting is on.
    void Resort() { m_items.Resort(); }
    // What a click on a column header does; public so a form can trigger it.
    void ColumnClick(int column) { m_items.ColumnClick(column); }

    // --- column-width persistence ---
    TSortLVSaveSettings& SaveSettings() { return m_saveSettings; }
    const TSortLVSaveSettings& SaveSettings() const { return m_saveSettings; }
    // Where the widths are kept; none (the default) keeps nothing.
    void SetColumnSizeStore(std::unique_ptr<TColumnSizeStore> store);
    TColumnSizeStore* ColumnSizeStore() const { return m_columnSizeStore.get(); }
    // Call once the columns are set up; with AutoSave it reads the stored widths back.
    void Loaded();
    // Writes or reads the widths through the store regardless of AutoSave. Return false
    // when the store reports an error or there is no store.
    bool StoreColumnSizes();
    bool RestoreColumnSizes();

    // --- events ---
    std::function<void(QObject*)> OnClick;
    // The sorting events are the rows' own (TListItems), with this view as sender.
    std::function<void(QObject*, int column)>& OnColumnClick;
    std::function<void(QObject* sender, TListItem* item1, TListItem* item2, int sortColumn,
                       int& compResult)>& OnSortItems;
    std::function<void(QObject*)>& OnSortBegin;
    std::function<void(QObject*)>& OnSortFinished;
    // Owner-draw hooks of the default row drawing with lvOwnerDrawFixed.
    std::function<void(TSortListView* control, QPainter& canvas, int index, const QRect& rect,
                       TOwnerDrawState state, bool& defaultDrawing)>
        OnDrawItem;
    std::function<void(TSortListView* control, QPainter& canvas, int index, const QRect& rect,
                       TOwnerDrawState state)>
        OnAfterDefaultDrawItem;

protected:
    // Runs at the start of every paint and every layout, before any geometry is used; a
    // view that sizes its own columns does it here.
    virtual void BeforePaint() {}
    // Draws one visible row; rect is the row's rectangle on the off-screen image.
    virtual void DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state);
    // The standard look: background, system highlight for the selected row, texts, focus.
    void DefaultDrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state);
    // Sets a column's pixel width without a relayout; for BeforePaint.
    void StoreColumnWidth(int index, int width);
    // Left edge of a column in a report row starting at x = 0.
    int ColumnLeft(int index);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int MeasureColumn(int index, bool withHeader);
    int TotalColumnWidth();
    // Layout of the non-report styles.
    int FlowCellWidth();
    int FlowCellHeight() const;
    // Without measure, a flowing style's cell width not measured yet counts as 100 and a
    // report row's width is left 0.
    TListGeometry Geometry(bool measure = true);
    void Relayout(bool repaint = true);
    void UpdateRowHeight();
    void MoveCaret(int index);
    void DrawHeader(QPainter& canvas);
    int HeaderColumnAt(const QPoint& viewportPos);
    void StartEdit(int index);
    void FinishEdit(bool accept);
    void ItemRemoved(TListItem* item);

    TListItem* m_selected = nullptr;
    TListItem* m_focused = nullptr;

    TViewStyle m_viewStyle = vsIcon;
    bool m_showHeaders = true;
    bool m_readOnly = false;
    TLVStyle m_style = lvStandard;
    qint32 m_color;
    qint32 m_fontColour;
    QList<QImage> m_smallImages;
    int m_rowHeight = 17;
    int m_flowCellWidth = -1; // -1 = measure again
    int m_updateCount = 0;
    bool m_widthsChanged = false; // by StoreColumnWidth since the last layout

    TSortLVSaveSettings m_saveSettings;
    std::unique_ptr<TColumnSizeStore> m_columnSizeStore;

    QImage m_buffer;
    bool m_pressed = false;
    int m_pressedHeaderColumn = -1;
    TListCaptionEditor m_captionEditor;
};
