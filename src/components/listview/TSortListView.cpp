#include "components/listview/TSortListView.h"
#include "components/listview/TSortCompare.h"
#include "platform/TColorRef.h"
#include <QEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>
#include <algorithm>
#include <numeric>

namespace {

constexpr int kTextPad = 12;      // room around a measured text in a fitted column
constexpr int kHeaderTextGap = 6; // header caption inset
constexpr int kTextGap = 5;       // before a cell's text in the standard drawing
constexpr int kImageGap = 20;     // a small image and the gap after it
constexpr int kIconSpace = 36;    // picture area of a large-icon cell

// The settings store of column widths: an ini file in the user's configuration folder,
// the registry key as group path.
QString ColumnsGroup(const QString& registryKey)
{
    QString group = registryKey;
    group.replace(u'\\', u'/');
    while (group.startsWith(u'/'))
        group.remove(0, 1);
    while (group.endsWith(u'/'))
        group.chop(1);
    return group.isEmpty() ? QStringLiteral("Columns") : group + QStringLiteral("/Columns");
}

int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

} // namespace

TSortListView::TSortListView(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_color(TSysColour::clWindow)
    , m_fontColour(TSysColour::clWindowText)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    UpdateRowHeight();
}

TSortListView::~TSortListView()
{
    if (m_saveSettings.AutoSave && m_saveSettings.SaveColumnSizes)
        StoreColumnSizes();
}

// ----------------------------------------------------------------------------- columns

TListColumn* TSortListView::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        return nullptr;
    return m_columns[size_t(index)].get();
}

TListColumn* TSortListView::AddColumn(const QString& caption, int width)
{
    m_columns.push_back(std::make_unique<TListColumn>());
    TListColumn* column = m_columns.back().get();
    column->Caption = caption;
    column->Width = width < TListColumn::AutoSizeUseHeader ? 0 : width;
    Relayout();
    return column;
}

void TSortListView::DeleteColumn(int index)
{
    if (index < 0 || index >= ColumnCount())
        return;
    m_columns.erase(m_columns.begin() + index);
    Relayout();
}

void TSortListView::ClearColumns()
{
    m_columns.clear();
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
    TListColumn* column = Column(index);
    if (!column)
        return;
    // The fitted widths are measured when next needed, so a builder that asks for them
    // after every added row does not measure every row every time.
    column->Width = width < TListColumn::AutoSizeUseHeader ? 0 : width;
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

int TSortListView::TextWidth(const QString& text) const
{
    return QFontMetrics(font()).horizontalAdvance(text);
}

int TSortListView::MeasureColumn(int index, bool withHeader)
{
    const QFontMetrics metrics(font());
    int widest = 0;
    for (const auto& item : m_items)
        widest = std::max(widest, metrics.horizontalAdvance(item->ColumnText(index)));
    if (index == 0 && !m_smallImages.isEmpty())
        widest += kImageGap;
    int width = widest + kTextPad;
    if (withHeader)
        width = std::max(width, metrics.horizontalAdvance(Column(index)->Caption) + kTextPad);
    return width;
}

// -------------------------------------------------------------------------------- rows

TListItem* TSortListView::Item(int index) const
{
    if (index < 0 || index >= ItemCount())
        return nullptr;
    return m_items[size_t(index)].get();
}

TListItem* TSortListView::AddItem(const QString& caption)
{
    return InsertItem(ItemCount(), caption);
}

TListItem* TSortListView::InsertItem(int index, const QString& caption)
{
    if (m_sorting)
        return nullptr; // rows are not added while a sort handler runs
    index = std::clamp(index, 0, ItemCount());
    auto item = std::make_unique<TListItem>();
    item->Caption = caption;
    TListItem* raw = item.get();
    m_items.insert(m_items.begin() + index, std::move(item));
    ItemsChanged();
    return raw;
}

void TSortListView::ItemRemoved(TListItem* item)
{
    if (m_selected == item)
        m_selected = nullptr;
    if (m_focused == item)
        m_focused = nullptr;
    if (m_editItem == item)
        FinishEdit(false);
}

void TSortListView::DeleteItem(int index)
{
    if (m_sorting || index < 0 || index >= ItemCount())
        return;
    ItemRemoved(m_items[size_t(index)].get());
    m_items.erase(m_items.begin() + index);
    ItemsChanged();
}

void TSortListView::ClearItems()
{
    if (m_sorting)
        return;
    if (m_editor)
        FinishEdit(false);
    m_selected = nullptr;
    m_focused = nullptr;
    m_items.clear();
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    ItemsChanged();
}

int TSortListView::IndexOf(const TListItem* item) const
{
    if (!item)
        return -1;
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].get() == item)
            return int(i);
    return -1;
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
        for (const auto& item : m_items)
            widest = std::max(widest, metrics.horizontalAdvance(item->Caption));
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

int TSortListView::FlowPerLine()
{
    if (m_viewStyle == vsList)
        return std::max(1, viewport()->height() / FlowCellHeight());
    return std::max(1, viewport()->width() / FlowCellWidth());
}

void TSortListView::Relayout(bool repaint)
{
    if (m_updateCount > 0)
        return;
    BeforePaint();
    m_widthsChanged = false;
    QScrollBar* vbar = verticalScrollBar();
    QScrollBar* hbar = horizontalScrollBar();
    const int n = ItemCount();
    const int vw = viewport()->width(), vh = viewport()->height();
    if (m_viewStyle == vsReport) {
        const int rows = std::max(1, (vh - HeaderHeight()) / m_rowHeight);
        vbar->setRange(0, std::max(0, n - rows));
        vbar->setPageStep(rows);
        vbar->setSingleStep(1);
        // A fitted width still pending is measured at the next paint, not here: this runs
        // after every added row.
        bool pending = false;
        for (const auto& column : m_columns)
            pending = pending || column->Width < 0;
        if (!pending) {
            const int total = TotalColumnWidth();
            hbar->setRange(0, std::max(0, total - vw));
            hbar->setPageStep(std::max(1, vw));
            hbar->setSingleStep(10);
        }
    } else if (m_viewStyle == vsList) {
        // Cell widths are measured lazily too: one column of the flow per scroll step.
        vbar->setRange(0, 0);
        const int per = FlowPerLine();
        const int lines = (n + per - 1) / per;
        const int visible = std::max(1, vw / (m_flowCellWidth > 0 ? m_flowCellWidth : 100));
        hbar->setRange(0, std::max(0, lines - visible));
        hbar->setPageStep(visible);
        hbar->setSingleStep(1);
    } else {
        hbar->setRange(0, 0);
        const int per = std::max(1, vw / (m_flowCellWidth > 0 ? m_flowCellWidth : 100));
        const int lines = (n + per - 1) / per;
        const int visible = std::max(1, vh / FlowCellHeight());
        vbar->setRange(0, std::max(0, lines - visible));
        vbar->setPageStep(visible);
        vbar->setSingleStep(1);
    }
    if (repaint)
        viewport()->update();
}

QRect TSortListView::ItemRect(int index)
{
    if (index < 0 || index >= ItemCount())
        return {};
    if (m_viewStyle == vsReport) {
        const int width = m_columns.empty() ? viewport()->width() : TotalColumnWidth();
        // Far rows of a tall font stay far without overflowing.
        constexpr qint64 kFar = 1 << 28;
        const qint64 top =
            HeaderHeight() + qint64(index - verticalScrollBar()->value()) * m_rowHeight;
        return QRect(-horizontalScrollBar()->value(), int(std::clamp(top, -kFar, kFar)), width,
                     m_rowHeight);
    }
    const int per = FlowPerLine();
    const int w = FlowCellWidth(), h = FlowCellHeight();
    if (m_viewStyle == vsList) {
        const int line = index / per, pos = index % per;
        return QRect((line - horizontalScrollBar()->value()) * w, pos * h, w, h);
    }
    const int line = index / per, pos = index % per;
    return QRect(pos * w, (line - verticalScrollBar()->value()) * h, w, h);
}

int TSortListView::IndexAt(const QPoint& p)
{
    if (p.x() < 0 || p.y() < 0 || p.x() >= viewport()->width() || p.y() >= viewport()->height())
        return -1;
    if (m_viewStyle == vsReport) {
        const int y = p.y() - HeaderHeight();
        if (y < 0)
            return -1;
        const int index = verticalScrollBar()->value() + y / m_rowHeight;
        return index < ItemCount() ? index : -1;
    }
    const int per = FlowPerLine();
    const int w = FlowCellWidth(), h = FlowCellHeight();
    int index;
    if (m_viewStyle == vsList) {
        if (p.y() / h >= per)
            return -1;
        index = (p.x() / w + horizontalScrollBar()->value()) * per + p.y() / h;
    } else {
        if (p.x() / w >= per)
            return -1;
        index = (p.y() / h + verticalScrollBar()->value()) * per + p.x() / w;
    }
    return index < ItemCount() ? index : -1;
}

TListItem* TSortListView::ItemAt(const QPoint& viewportPos) { return Item(IndexAt(viewportPos)); }

int TSortListView::TopIndex()
{
    if (m_viewStyle == vsReport)
        return ItemCount() ? verticalScrollBar()->value() : -1;
    const int per = FlowPerLine();
    const int value =
        m_viewStyle == vsList ? horizontalScrollBar()->value() : verticalScrollBar()->value();
    const int index = value * per;
    return index < ItemCount() ? index : -1;
}

void TSortListView::EnsureVisible(int index)
{
    if (index < 0 || index >= ItemCount())
        return;
    Relayout();
    if (m_viewStyle == vsReport) {
        QScrollBar* bar = verticalScrollBar();
        const int rows = std::max(1, (viewport()->height() - HeaderHeight()) / m_rowHeight);
        if (index < bar->value())
            bar->setValue(index);
        else if (index >= bar->value() + rows)
            bar->setValue(index - rows + 1);
        return;
    }
    const int per = FlowPerLine();
    const int line = index / per;
    const bool list = m_viewStyle == vsList;
    QScrollBar* bar = list ? horizontalScrollBar() : verticalScrollBar();
    const int visible = list ? std::max(1, viewport()->width() / FlowCellWidth())
                             : std::max(1, viewport()->height() / FlowCellHeight());
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

// ---------------------------------------------------------------------------- sorting

void TSortListView::SetAutoSortAscending(bool ascending)
{
    m_autoSortAscending = ascending;
    m_currentSortAscending = ascending;
}

std::vector<int> TSortListView::SortedOrder(int column, bool ascending)
{
    const int sign = ascending ? 1 : -1;
    const size_t n = m_items.size();
    std::vector<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    m_sorting = true;
    struct SortingFlag
    {
        bool& flag;
        ~SortingFlag() { flag = false; }
    } sortingFlag{m_sorting};
    if (OnSortItems) {
        // A copy, so a handler that reassigns the event cannot pull it from under us.
        const auto handler = OnSortItems;
        std::vector<TListItem*> items(n);
        for (size_t i = 0; i < n; ++i)
            items[i] = m_items[i].get();
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            int result = 0;
            try {
                handler(this, items[size_t(a)], items[size_t(b)], column - 1, result);
            } catch (...) {
                result = 0; // a failing comparison counts as equal
            }
            return Sign(result) * sign < 0;
        });
        return order;
    }
    // Each text is classified once; comparing the keys gives what comparing the texts
    // gives, without parsing dates and numbers again at every comparison.
    const TSortCompare compare;
    std::vector<TSortCompare::Key> keys;
    keys.reserve(n);
    for (const auto& item : m_items)
        keys.push_back(compare.MakeKey(item->ColumnText(column)));
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return Sign(compare.CompareKeys(keys[size_t(a)], keys[size_t(b)])) * sign < 0;
    });
    return order;
}

void TSortListView::SortByColumn(int column, bool ascending)
{
    if (OnSortBegin)
        OnSortBegin(this);
    const std::vector<int> order = SortedOrder(column, ascending);
    std::vector<std::unique_ptr<TListItem>> sorted;
    sorted.reserve(order.size());
    for (int index : order)
        sorted.push_back(std::move(m_items[size_t(index)]));
    m_items = std::move(sorted);
    m_flowCellWidth = -1;
    Relayout();
    if (OnSortFinished)
        OnSortFinished(this);
}

void TSortListView::Resort()
{
    if (m_autoColumnSort != acsNoSort && m_lastSortedColumn >= 0 &&
        m_lastSortedColumn < ColumnCount())
        SortByColumn(m_lastSortedColumn, m_currentSortAscending);
}

void TSortListView::ColumnClick(int column)
{
    if (m_autoColumnSort == acsSortToggle) {
        if (column == m_lastSortedColumn)
            m_currentSortAscending = !m_currentSortAscending;
        else
            m_currentSortAscending = m_autoSortAscending;
    }
    if (OnColumnClick)
        OnColumnClick(this, column);
    if (m_autoColumnSort != acsNoSort) {
        SortByColumn(column, m_currentSortAscending);
        m_lastSortedColumn = column;
    }
}

// ---------------------------------------------------------------------- persistence

void TSortListView::Loaded()
{
    if (m_saveSettings.AutoSave)
        RestoreColumnSizes();
}

bool TSortListView::StoreColumnSizes()
{
    QStringList widths;
    for (int i = 0; i < ColumnCount(); ++i)
        widths << QString::number(ColumnWidth(i));
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zelmora"),
                       QStringLiteral("ColumnSizes"));
    settings.beginGroup(ColumnsGroup(m_saveSettings.RegistryKey));
    settings.setValue(QStringLiteral("Sizes"), widths.join(u','));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

bool TSortListView::RestoreColumnSizes()
{
    QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Zelmora"),
                       QStringLiteral("ColumnSizes"));
    settings.beginGroup(ColumnsGroup(m_saveSettings.RegistryKey));
    if (!settings.contains(QStringLiteral("Sizes")))
        return settings.status() == QSettings::NoError;
    const QVariant value = settings.value(QStringLiteral("Sizes"));
    // An ini value written by hand without quotes comes back as a list.
    const QString text = value.typeId() == QMetaType::QStringList ? value.toStringList().join(u',')
                                                                  : value.toString();
    const QStringList parts = text.split(u',');
    for (int i = 0; i < ColumnCount() && i < parts.size(); ++i) {
        bool ok = false;
        const int width = parts.at(i).trimmed().toInt(&ok);
        SetColumnWidth(i, ok ? width : 0);
    }
    return settings.status() == QSettings::NoError;
}

// --------------------------------------------------------------------------- painting

void TSortListView::paintEvent(QPaintEvent* event)
{
    BeforePaint();
    bool pending = false;
    for (int i = 0; i < ColumnCount(); ++i)
        pending = pending || m_columns[size_t(i)]->Width < 0;
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
    const int n = ItemCount();
    int first = 0, last = -1;
    if (m_viewStyle == vsReport) {
        first = verticalScrollBar()->value();
        last = first + (size.height() - HeaderHeight()) / m_rowHeight + 1;
    } else {
        const int per = FlowPerLine();
        if (m_viewStyle == vsList) {
            first = horizontalScrollBar()->value() * per;
            last = first + (size.width() / FlowCellWidth() + 2) * per;
        } else {
            first = verticalScrollBar()->value() * per;
            last = first + (size.height() / FlowCellHeight() + 2) * per;
        }
    }
    first = std::max(0, first);
    last = std::min(last, n - 1);
    for (int i = first; i <= last; ++i) {
        const QRect rect = ItemRect(i);
        if (!rect.intersects(dirty) && !(rect.width() == 0 && dirty.contains(rect.topLeft())))
            continue;
        TOwnerDrawState state = 0;
        const TListItem* item = m_items[size_t(i)].get();
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
    const TListItem* item = Item(index);
    if (!item)
        return;
    const bool selected = state & odSelected;
    const QPalette& pal = palette();
    canvas.fillRect(rect, selected ? pal.color(QPalette::Highlight) : TColorRef::ToQColor(m_color));
    canvas.setPen(selected ? pal.color(QPalette::HighlightedText)
                           : TColorRef::ToQColor(m_fontColour));
    const QFontMetrics metrics(canvas.font());
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;

    int x = rect.left();
    const QImage* image = nullptr;
    if (item->ImageIndex >= 0 && item->ImageIndex < m_smallImages.size())
        image = &m_smallImages.at(item->ImageIndex);
    if (m_viewStyle != vsReport) {
        QRect text = rect.adjusted(2, 0, -2, 0);
        if (m_viewStyle == vsIcon) {
            if (image)
                canvas.drawImage(rect.left() + (rect.width() - image->width()) / 2, rect.top() + 2,
                                 *image);
            text.setTop(rect.top() + kIconSpace);
            canvas.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                            metrics.elidedText(item->Caption, Qt::ElideRight, text.width()));
        } else {
            if (image) {
                canvas.drawImage(rect.left() + 2, rect.top(), *image);
                text.setLeft(text.left() + kImageGap);
            }
            canvas.drawText(text, flags,
                            metrics.elidedText(item->Caption, Qt::ElideRight, text.width()));
        }
    } else {
        for (int c = 0; c < std::max(1, ColumnCount()); ++c) {
            const int width = m_columns.empty() ? rect.width() : ColumnWidth(c);
            QRect cell(x, rect.top(), width, rect.height());
            x += width;
            QRect text = cell.adjusted(kTextGap, 0, -kTextGap, 0);
            if (c == 0 && !m_smallImages.isEmpty()) {
                if (image)
                    canvas.drawImage(cell.left() + 2, cell.top(), *image);
                text.setLeft(cell.left() + kImageGap + kTextGap);
            }
            if (text.width() <= 0)
                continue;
            canvas.drawText(text, flags,
                            metrics.elidedText(item->ColumnText(c), Qt::ElideRight, text.width()));
        }
    }
    if (state & odFocused) {
        QPen pen(selected ? pal.color(QPalette::HighlightedText)
                          : TColorRef::ToQColor(m_fontColour));
        pen.setStyle(Qt::DotLine);
        canvas.setPen(pen);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void TSortListView::DrawHeader(QPainter& canvas)
{
    const int height = HeaderHeight();
    const QPalette& pal = palette();
    const int scroll = horizontalScrollBar()->value();
    canvas.fillRect(QRect(0, 0, m_buffer.width(), height), pal.color(QPalette::Button));
    const QFontMetrics metrics(canvas.font());
    int x = -scroll;
    for (int c = 0; c < ColumnCount(); ++c) {
        const int width = ColumnWidth(c);
        const QRect cell(x, 0, width, height);
        canvas.setPen(pal.color(QPalette::Light));
        canvas.drawLine(cell.topLeft(), cell.topRight());
        canvas.drawLine(cell.topLeft(), cell.bottomLeft());
        canvas.setPen(pal.color(QPalette::Dark));
        canvas.drawLine(cell.bottomLeft(), cell.bottomRight());
        canvas.drawLine(cell.topRight(), cell.bottomRight());
        canvas.setPen(pal.color(QPalette::ButtonText));
        const QRect text = cell.adjusted(kHeaderTextGap, 0, -kHeaderTextGap, 0);
        if (text.width() > 0)
            canvas.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                            metrics.elidedText(Column(c)->Caption, Qt::ElideRight, text.width()));
        x += width;
    }
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
    int page;
    int across = 0; // steps of the arrows that cross lines in the flowing styles
    if (m_viewStyle == vsReport) {
        page = std::max(1, (viewport()->height() - HeaderHeight()) / m_rowHeight);
    } else if (m_viewStyle == vsList) {
        page = FlowPerLine();
        across = FlowPerLine();
    } else {
        page = std::max(1, viewport()->height() / FlowCellHeight()) * FlowPerLine();
        across = FlowPerLine();
    }
    int target;
    switch (event->key()) {
    case Qt::Key_Up:
        target =
            caret < 0 ? 0 : caret - (m_viewStyle == vsList || m_viewStyle == vsReport ? 1 : across);
        break;
    case Qt::Key_Down:
        target =
            caret < 0 ? 0 : caret + (m_viewStyle == vsList || m_viewStyle == vsReport ? 1 : across);
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (m_viewStyle == vsReport) {
            QScrollBar* bar = horizontalScrollBar();
            bar->setValue(bar->value() +
                          (event->key() == Qt::Key_Left ? -1 : 1) * bar->singleStep());
            return;
        }
        {
            const int step = m_viewStyle == vsList ? across : 1;
            target = caret < 0 ? 0 : caret + (event->key() == Qt::Key_Left ? -step : step);
        }
        break;
    case Qt::Key_Home: target = 0; break;
    case Qt::Key_End: target = n - 1; break;
    case Qt::Key_PageUp: target = caret < 0 ? 0 : caret - page; break;
    case Qt::Key_PageDown: target = caret < 0 ? 0 : caret + page; break;
    case Qt::Key_F2:
        if (caret >= 0 && !m_readOnly)
            StartEdit(caret);
        return;
    default: QAbstractScrollArea::keyPressEvent(event); return;
    }
    if (n == 0)
        return;
    MoveCaret(target);
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
    if (m_editor)
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
    if (m_viewStyle == vsReport && !m_columns.empty())
        rect.setWidth(ColumnWidth(0));
    m_editItem = item;
    m_editor = new QLineEdit(viewport());
    m_editor->setFont(font());
    m_editor->setText(item->Caption);
    m_editor->selectAll();
    m_editor->setGeometry(rect);
    m_editor->installEventFilter(this);
    m_editor->show();
    m_editor->setFocus();
}

void TSortListView::FinishEdit(bool accept)
{
    if (!m_editor)
        return;
    QLineEdit* editor = m_editor;
    TListItem* item = m_editItem;
    m_editor = nullptr;
    m_editItem = nullptr;
    editor->removeEventFilter(this);
    if (accept && item && IndexOf(item) >= 0) {
        item->Caption = editor->text();
        ItemsChanged();
    }
    const bool hadFocus = editor->hasFocus();
    editor->hide();
    editor->deleteLater();
    if (hadFocus)
        setFocus();
}

bool TSortListView::eventFilter(QObject* watched, QEvent* event)
{
    if (m_editor && watched == m_editor) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                FinishEdit(true);
                return true;
            }
            if (key == Qt::Key_Escape) {
                FinishEdit(false);
                return true;
            }
        } else if (event->type() == QEvent::FocusOut) {
            FinishEdit(true);
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}
