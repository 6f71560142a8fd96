#include "components/listview/TSortListView.h"
#include "components/listview/TListDefaultPainter.h"
#include "platform/TColorRef.h"
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int kTextPad = 12; // room around a measured text in a fitted column
constexpr int kImageGap = TListDefaultPainter::ImageGap;
constexpr int kIconSpace = TListDefaultPainter::IconSpace;

} // namespace

TSortListView::TSortListView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_items(this)
    , OnColumnClick(m_items.OnColumnClick)
    , OnSortItems(m_items.OnSortItems)
    , OnSortBegin(m_items.OnSortBegin)
    , OnSortFinished(m_items.OnSortFinished)
    , m_color(TSysColour::clWindow)
    , m_fontColour(TSysColour::clWindowText)
    , m_captionEditor(this)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    UpdateRowHeight();
    m_captionEditor.OnAccepted = [this](TListItem* item, const QString& text) {
        if (IndexOf(item) < 0)
            return;
        item->Caption = text;
        ItemsChanged();
    };
    m_items.OnReordered = [this] {
        m_flowCellWidth = -1;
        Relayout();
    };
}

TSortListView::~TSortListView()
{
    if (m_saveSettings.AutoSave && m_saveSettings.SaveColumnSizes)
        StoreColumnSizes();
}

// ----------------------------------------------------------------------------- columns

TListColumn* TSortListView::AddColumn(const QString& caption, int width)
{
    TListColumn* column = m_items.AddColumn(caption, width);
    Relayout();
    return column;
}

void TSortListView::DeleteColumn(int index)
{
    if (m_items.DeleteColumn(index))
        Relayout();
}

void TSortListView::ClearColumns()
{
    m_items.ClearColumns();
    Relayout();
}

int TSortListView::ColumnWidth(int index)
{
    TListColumn* column = Column(index);
    if (!column)
        return 0;
    if (column->Width == TListColumn::AutoSize || column->Width == TListColumn::AutoSizeUseHeader)
        column->Width = MeasureColumn(index, column->Width == TListColumn::AutoSizeUseHeader);
    return std::max(0, column->Width);
}

void TSortListView::SetColumnWidth(int index, int width)
{
    // The fitted widths are measured when next needed, so a builder that asks for them
    // after every added row does not measure every row every time.
    if (m_items.SetColumnWidth(index, width))
        Relayout();
}

void TSortListView::StoreColumnWidth(int index, int width)
{
    TListColumn* column = Column(index);
    if (column && column->Width != std::max(0, width)) {
        column->Width = std::max(0, width);
        m_widthsChanged = true;
    }
}

int TSortListView::ColumnLeft(int index)
{
    int x = 0;
    for (int i = 0; i < index && i < ColumnCount(); ++i)
        x += ColumnWidth(i);
    return x;
}

int TSortListView::TotalColumnWidth() { return ColumnLeft(ColumnCount()); }

int TSortListView::MeasureColumn(int index, bool withHeader)
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (int i = 0; i < ItemCount(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(Item(i)->ColumnText(index)));
    if (index == 0 && !m_smallImages.isEmpty())
        widest += kImageGap;
    int width = widest + kTextPad;
    if (withHeader)
        width = std::max(width, metrics.horizontalAdvance(Column(index)->Caption) + kTextPad);
    return width;
}

// -------------------------------------------------------------------------------- rows

TListItem* TSortListView::AddItem(const QString& caption)
{
    return InsertItem(ItemCount(), caption);
}

TListItem* TSortListView::InsertItem(int index, const QString& caption)
{
    TListItem* item = m_items.Insert(index, caption);
    if (item)
        ItemsChanged();
    return item;
}

void TSortListView::ItemRemoved(TListItem* item)
{
    if (m_selected == item)
        m_selected = nullptr;
    if (m_focused == item)
        m_focused = nullptr;
    if (m_captionEditor.Item() == item)
        FinishEdit(false);
}

void TSortListView::DeleteItem(int index)
{
    TListItem* item = m_items.Sorting() ? nullptr : Item(index);
    if (!item)
        return;
    ItemRemoved(item);
    m_items.Delete(index);
    ItemsChanged();
}

void TSortListView::ClearItems()
{
    if (m_items.Sorting())
        return;
    FinishEdit(false);
    m_selected = nullptr;
    m_focused = nullptr;
    m_items.Clear();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    ItemsChanged();
}

void TSortListView::BeginUpdate() { ++m_updateCount; }

void TSortListView::EndUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0)
        ItemsChanged();
}

void TSortListView::ItemsChanged()
{
    m_flowCellWidth = -1;
    Relayout();
}

void TSortListView::SetSelected(TListItem* item)
{
    if (item && IndexOf(item) < 0)
        item = nullptr;
    if (item == m_selected)
        return;
    m_selected = item;
    viewport()->update();
}

void TSortListView::SetItemFocused(TListItem* item)
{
    if (item && IndexOf(item) < 0)
        item = nullptr;
    if (item == m_focused)
        return;
    m_focused = item;
    viewport()->update();
}

// ---------------------------------------------------------------------------- geometry

int TSortListView::HeaderHeight() const
{
    if (m_viewStyle != vsReport || !m_showHeaders)
        return 0;
    return QFontMetrics(font()).height() + 8;
}

void TSortListView::UpdateRowHeight()
{
    int height = QFontMetrics(font()).height() + 4;
    for (const QImage& image : m_smallImages)
        height = std::max(height, image.height() + 1);
    m_rowHeight = std::max(1, height);
}

int TSortListView::FlowCellWidth()
{
    if (m_flowCellWidth < 0) {
        const QFontMetrics metrics(font());
        int widest = 0;
        for (int i = 0; i < ItemCount(); ++i)
            widest = std::max(widest, metrics.horizontalAdvance(Item(i)->Caption));
        if (!m_smallImages.isEmpty() && m_viewStyle != vsIcon)
            widest += kImageGap;
        m_flowCellWidth = std::max(20, widest + 16);
        if (m_viewStyle == vsIcon)
            m_flowCellWidth = std::max(m_flowCellWidth, 75);
    }
    return m_flowCellWidth;
}

int TSortListView::FlowCellHeight() const
{
    return m_viewStyle == vsIcon ? m_rowHeight + kIconSpace : m_rowHeight;
}

TListGeometry TSortListView::Geometry(bool measure)
{
    TListGeometry geometry;
    geometry.Style = m_viewStyle;
    geometry.Count = ItemCount();
    geometry.Viewport = viewport()->size();
    geometry.HeaderHeight = HeaderHeight();
    geometry.RowHeight = m_rowHeight;
    geometry.HorzScroll = horizontalScrollBar()->value();
    geometry.VertScroll = verticalScrollBar()->value();
    if (m_viewStyle == vsReport) {
        if (measure)
            geometry.ReportWidth =
                ColumnCount() == 0 ? geometry.Viewport.width() : TotalColumnWidth();
    } else {
        geometry.CellWidth =
            measure ? FlowCellWidth() : (m_flowCellWidth > 0 ? m_flowCellWidth : 100);
        geometry.CellHeight = FlowCellHeight();
    }
    return geometry;
}

void TSortListView::Relayout(bool repaint)
{
    if (m_updateCount > 0)
        return;
    BeforePaint();
    m_widthsChanged = false;
    QScrollBar* vbar = verticalScrollBar();
    QScrollBar* hbar = horizontalScrollBar();
    // Cell widths of the flowing styles are measured lazily: this runs after every added row.
    const TListGeometry geometry = Geometry(false);
    if (m_viewStyle == vsReport) {
        const int rows = geometry.ReportRows();
        vbar->setRange(0, std::max(0, geometry.Count - rows));
        vbar->setPageStep(rows);
        vbar->setSingleStep(1);
        // A fitted width still pending is measured at the next paint, not here.
        bool pending = false;
        for (int i = 0; i < ColumnCount(); ++i)
            pending = pending || Column(i)->Width < 0;
        if (!pending) {
            const int vw = geometry.Viewport.width();
            hbar->setRange(0, std::max(0, TotalColumnWidth() - vw));
            hbar->setPageStep(std::max(1, vw));
            hbar->setSingleStep(10);
        }
    } else {
        // List view scrolls by columns of the flow sideways, the icon views by lines down.
        const bool list = m_viewStyle == vsList;
        QScrollBar* bar = list ? hbar : vbar;
        (list ? vbar : hbar)->setRange(0, 0);
        const int visible = geometry.VisibleLines();
        bar->setRange(0, std::max(0, geometry.Lines() - visible));
        bar->setPageStep(visible);
        bar->setSingleStep(1);
    }
    if (repaint)
        viewport()->update();
}

QRect TSortListView::ItemRect(int index)
{
    if (index < 0 || index >= ItemCount())
        return {};
    return Geometry().ItemRect(index);
}

int TSortListView::IndexAt(const QPoint& p) { return Geometry().IndexAt(p); }

TListItem* TSortListView::ItemAt(const QPoint& viewportPos) { return Item(IndexAt(viewportPos)); }

int TSortListView::TopIndex() { return Geometry().TopIndex(); }

void TSortListView::EnsureVisible(int index)
{
    if (index < 0 || index >= ItemCount())
        return;
    Relayout();
    const TListGeometry geometry = Geometry();
    if (m_viewStyle == vsReport) {
        QScrollBar* bar = verticalScrollBar();
        const int rows = geometry.ReportRows();
        if (index < bar->value())
            bar->setValue(index);
        else if (index >= bar->value() + rows)
            bar->setValue(index - rows + 1);
        return;
    }
    const int line = index / geometry.PerLine();
    const bool list = m_viewStyle == vsList;
    QScrollBar* bar = list ? horizontalScrollBar() : verticalScrollBar();
    const int visible = geometry.VisibleLines();
    if (list)
        bar->setRange(0, std::max(bar->maximum(), line));
    if (line < bar->value())
        bar->setValue(line);
    else if (line >= bar->value() + visible)
        bar->setValue(line - visible + 1);
}

// ------------------------------------------------------------------------------- look

void TSortListView::SetViewStyle(TViewStyle style)
{
    if (style == m_viewStyle)
        return;
    FinishEdit(true);
    m_viewStyle = style;
    // Entering another style lays the rows out afresh for the current font, from the top.
    UpdateRowHeight();
    m_flowCellWidth = -1;
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    Relayout();
}

void TSortListView::SetShowColumnHeaders(bool show)
{
    if (show == m_showHeaders)
        return;
    m_showHeaders = show;
    Relayout();
}

void TSortListView::SetReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (readOnly)
        FinishEdit(false);
}

void TSortListView::SetStyle(TLVStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Relayout();
}

void TSortListView::SetColor(qint32 colour)
{
    m_color = colour;
    viewport()->update();
}

void TSortListView::SetFontColour(qint32 colour)
{
    m_fontColour = colour;
    viewport()->update();
}

void TSortListView::SetSmallImages(const QList<QImage>& images)
{
    m_smallImages = images;
    UpdateRowHeight();
    ItemsChanged();
}

// ---------------------------------------------------------------------- persistence

void TSortListView::Loaded()
{
    if (m_saveSettings.AutoSave)
        RestoreColumnSizes();
}

void TSortListView::SetColumnSizeStore(std::unique_ptr<TColumnSizeStore> store)
{
    m_columnSizeStore = std::move(store);
}

bool TSortListView::StoreColumnSizes()
{
    return m_columnSizeStore && m_columnSizeStore->Store(*this);
}

bool TSortListView::RestoreColumnSizes()
{
    return m_columnSizeStore && m_columnSizeStore->Restore(*this);
}

// --------------------------------------------------------------------------- painting

void TSortListView::paintEvent(QPaintEvent* event)
{
    BeforePaint();
    bool pending = false;
    for (int i = 0; i < ColumnCount(); ++i)
        pending = pending || Column(i)->Width < 0;
    if (pending || m_widthsChanged || (m_viewStyle != vsReport && m_flowCellWidth < 0)) {
        for (int i = 0; i < ColumnCount(); ++i)
            ColumnWidth(i);
        if (m_viewStyle != vsReport)
            FlowCellWidth();
        Relayout(false);
    }
    const QSize size = viewport()->size();
    if (size.isEmpty())
        return;
    if (m_buffer.size() != size)
        m_buffer = QImage(size, QImage::Format_RGB32);

    QPainter canvas(&m_buffer);
    canvas.fillRect(m_buffer.rect(), TColorRef::ToQColor(m_color));
    canvas.setFont(font());

    const QRect dirty = event->rect();
    const TListGeometry geometry = Geometry();
    const int last = geometry.LastVisible();
    for (int i = geometry.FirstVisible(); i <= last; ++i) {
        const QRect rect = geometry.ItemRect(i);
        if (!rect.intersects(dirty) && !(rect.width() == 0 && dirty.contains(rect.topLeft())))
            continue;
        TOwnerDrawState state = 0;
        const TListItem* item = Item(i);
        if (item == m_selected)
            state |= odSelected;
        if (item == m_focused && hasFocus())
            state |= odFocused;
        if (!isEnabled())
            state |= odDisabled;
        canvas.save();
        DrawItem(canvas, i, rect, state);
        canvas.restore();
    }
    if (HeaderHeight() > 0)
        DrawHeader(canvas);
    canvas.end();

    QPainter screen(viewport());
    screen.drawImage(dirty, m_buffer, dirty);
}

void TSortListView::DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state)
{
    bool defaultDrawing = true;
    if (m_style == lvOwnerDrawFixed && OnDrawItem)
        OnDrawItem(this, canvas, index, rect, state, defaultDrawing);
    if (!defaultDrawing)
        return;
    DefaultDrawItem(canvas, index, rect, state);
    if (m_style == lvOwnerDrawFixed && OnAfterDefaultDrawItem)
        OnAfterDefaultDrawItem(this, canvas, index, rect, state);
}

void TSortListView::DefaultDrawItem(QPainter& canvas, int index, const QRect& rect,
                                    TOwnerDrawState state)
{
    TListDefaultPainter::DrawItem(canvas, *this, index, rect, state);
}

void TSortListView::DrawHeader(QPainter& canvas)
{
    TListDefaultPainter::DrawHeader(canvas, *this, m_buffer.width());
}

int TSortListView::HeaderColumnAt(const QPoint& p)
{
    if (HeaderHeight() <= 0 || p.y() < 0 || p.y() >= HeaderHeight())
        return -1;
    int x = -horizontalScrollBar()->value();
    for (int c = 0; c < ColumnCount(); ++c) {
        const int width = ColumnWidth(c);
        if (p.x() >= x && p.x() < x + width)
            return c;
        x += width;
    }
    return -1;
}

// ------------------------------------------------------------------------------ input

void TSortListView::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    FinishEdit(true);
    const QPoint pos = event->position().toPoint();
    m_pressedHeaderColumn = -1;
    m_pressed = false;
    if (event->button() == Qt::LeftButton) {
        const int column = HeaderColumnAt(pos);
        if (column >= 0) {
            m_pressedHeaderColumn = column;
            return;
        }
    } else if (event->button() != Qt::RightButton) {
        return;
    }
    if (HeaderHeight() > 0 && pos.y() < HeaderHeight())
        return;
    TListItem* item = ItemAt(pos);
    SetSelected(item);
    if (item)
        SetItemFocused(item);
    m_pressed = event->button() == Qt::LeftButton;
}

void TSortListView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    if (m_pressedHeaderColumn >= 0) {
        const int column = m_pressedHeaderColumn;
        m_pressedHeaderColumn = -1;
        if (HeaderColumnAt(pos) == column)
            ColumnClick(column);
        return;
    }
    if (m_pressed) {
        m_pressed = false;
        if (OnClick)
            OnClick(this);
    }
}

void TSortListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a double click selects but is no second click.
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && HeaderColumnAt(pos) < 0 &&
        !(HeaderHeight() > 0 && pos.y() < HeaderHeight())) {
        if (TListItem* item = ItemAt(pos)) {
            SetSelected(item);
            SetItemFocused(item);
        }
    }
    m_pressed = false;
}

void TSortListView::MoveCaret(int index)
{
    if (ItemCount() == 0)
        return;
    index = std::clamp(index, 0, ItemCount() - 1);
    TListItem* item = Item(index);
    SetSelected(item);
    SetItemFocused(item);
    EnsureVisible(index);
}

void TSortListView::keyPressEvent(QKeyEvent* event)
{
    const int n = ItemCount();
    const int caret = IndexOf(m_focused);
    const TListGeometry geometry = Geometry();
    int target;
    switch (event->key()) {
    case Qt::Key_Up: target = caret - geometry.VerticalStep(); break;
    case Qt::Key_Down: target = caret + geometry.VerticalStep(); break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (m_viewStyle == vsReport) {
            QScrollBar* bar = horizontalScrollBar();
            bar->setValue(bar->value() +
                          (event->key() == Qt::Key_Left ? -1 : 1) * bar->singleStep());
            return;
        }
        target = caret + (event->key() == Qt::Key_Left ? -1 : 1) * geometry.HorizontalStep();
        break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = n - 1; break;
    case Qt::Key_PageUp: target = caret - geometry.PageStep(); break;
    case Qt::Key_PageDown: target = caret + geometry.PageStep(); break;
    case Qt::Key_F2:
        if (caret >= 0 && !m_readOnly)
            StartEdit(caret);
        return;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    if (n == 0)
        return;
    // Without a caret every key but End starts at the first row.
    MoveCaret(caret < 0 && event->key() != Qt::Key_End ? 0 : target);
}

void TSortListView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TSortListView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void TSortListView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateRowHeight();
        ItemsChanged();
    } else if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange) {
        viewport()->update();
    }
}

void TSortListView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    Relayout();
}

void TSortListView::scrollContentsBy(int, int)
{
    FinishEdit(true);
    viewport()->update();
}

// ------------------------------------------------------------------------ label editing

void TSortListView::StartEdit(int index)
{
    TListItem* item = Item(index);
    if (!item || m_readOnly)
        return;
    FinishEdit(true);
    EnsureVisible(index);
    QRect rect = ItemRect(index);
    if (m_viewStyle == vsReport && ColumnCount() > 0)
        rect.setWidth(ColumnWidth(0));
    m_captionEditor.Start(item, rect, font());
}

void TSortListView::FinishEdit(bool accept) { m_captionEditor.Finish(accept); }
