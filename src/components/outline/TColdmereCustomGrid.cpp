#include "components/outline/TColdmereCustomGrid.h"
#include "platform/TColorRef.h"
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

// Keeps Canvas() pointing at the paint in progress, also when a row painter throws.
class TCanvasScope
{
public:
    TCanvasScope(QPainter*& slot, QPainter* painter) : m_slot(slot), m_previous(slot)
    {
        m_slot = painter;
    }
    ~TCanvasScope() { m_slot = m_previous; }

private:
    QPainter*& m_slot;
    QPainter* m_previous;
};

} // namespace

TColdmereCustomGrid::TColdmereCustomGrid(QWidget* parent)
    : QAbstractScrollArea(parent)
    , m_color(TSysColour::clWindow)
    , m_fontColour(TSysColour::clWindowText)
{
    setFocusPolicy(Qt::StrongFocus);
    // The viewport is painted completely by paintEvent; nothing needs erasing first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    ApplyScrollBarPolicy();
    SetBorderStyle(bsSingle);
    UpdateScrollBars();
}

TColdmereCustomGrid::~TColdmereCustomGrid() = default;

bool TColdmereCustomGrid::SetRowCount(int count)
{
    count = std::max(1, count);
    if (count == m_rowCount)
        return false;
    m_rowCount = count;
    if (m_row >= m_rowCount)
        m_row = m_rowCount - 1;
    m_topRow = std::min(m_topRow, MaxTopRow());
    UpdateScrollBars();
    InvalidateGrid();
    return true;
}

void TColdmereCustomGrid::SetDefaultRowHeight(int height)
{
    height = std::max(1, height);
    if (height == m_rowHeight)
        return;
    m_rowHeight = height;
    m_topRow = std::min(m_topRow, MaxTopRow());
    UpdateScrollBars();
    ScrollIntoView(m_row);
    InvalidateGrid();
}

void TColdmereCustomGrid::SetDefaultColWidth(int width)
{
    width = std::max(0, width);
    if (width == m_colWidth)
        return;
    m_colWidth = width;
    UpdateScrollBars();
    InvalidateGrid();
}

void TColdmereCustomGrid::SetRow(int row)
{
    row = std::clamp(row, 0, m_rowCount - 1);
    if (row != m_row) {
        InvalidateCell(m_row);
        m_row = row;
        InvalidateCell(m_row);
    }
    ScrollIntoView(m_row);
}

void TColdmereCustomGrid::SetTopRow(int row)
{
    row = std::clamp(row, 0, MaxTopRow());
    if (row == m_topRow)
        return;
    m_topRow = row;
    UpdateScrollBars();
    InvalidateGrid();
}

void TColdmereCustomGrid::SetLeftPos(int pixels)
{
    pixels = std::clamp(pixels, 0, std::max(0, ColumnWidth() - viewport()->width()));
    if (pixels == m_leftPos)
        return;
    m_leftPos = pixels;
    UpdateScrollBars();
    InvalidateGrid();
}

int TColdmereCustomGrid::VisibleRowCount() const
{
    return std::max(0, viewport()->height() / m_rowHeight);
}

int TColdmereCustomGrid::MaxTopRow() const
{
    return std::max(0, m_rowCount - std::max(1, VisibleRowCount()));
}

QRect TColdmereCustomGrid::RowRect(int row) const
{
    if (row < m_topRow || row >= m_rowCount)
        return {};
    // Rows as high as a damaged state file may ask for overflow an int within a few rows.
    const qint64 y = qint64(row - m_topRow) * m_rowHeight;
    if (y >= viewport()->height())
        return {};
    return QRect(-m_leftPos, int(y), ColumnWidth(), m_rowHeight);
}

int TColdmereCustomGrid::RowAt(int y) const
{
    if (y < 0)
        return -1;
    const int row = m_topRow + y / m_rowHeight;
    return row < m_rowCount ? row : -1;
}

void TColdmereCustomGrid::ScrollIntoView(int row)
{
    if (row < m_topRow) {
        SetTopRow(row);
        return;
    }
    const int visible = std::max(1, VisibleRowCount());
    if (row >= m_topRow + visible)
        SetTopRow(row - visible + 1);
}

void TColdmereCustomGrid::SetScrollBars(TScrollStyle style)
{
    if (style == m_scrollBars)
        return;
    m_scrollBars = style;
    ApplyScrollBarPolicy();
    UpdateScrollBars();
    InvalidateGrid();
}

void TColdmereCustomGrid::ApplyScrollBarPolicy()
{
    const bool vertical = m_scrollBars == ssVertical || m_scrollBars == ssBoth;
    const bool horizontal = m_scrollBars == ssHorizontal || m_scrollBars == ssBoth;
    setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

void TColdmereCustomGrid::SetBorderStyle(TBorderStyle style)
{
    m_borderStyle = style;
    if (style == bsNone) {
        setFrameShape(QFrame::NoFrame);
    } else {
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
    }
}

void TColdmereCustomGrid::SetColor(qint32 colour)
{
    if (colour == m_color)
        return;
    m_color = colour;
    InvalidateGrid();
}

void TColdmereCustomGrid::SetFontColour(qint32 colour)
{
    if (colour == m_fontColour)
        return;
    m_fontColour = colour;
    InvalidateGrid();
}

void TColdmereCustomGrid::InvalidateCell(int row)
{
    const QRect r = RowRect(row);
    if (!r.isEmpty())
        viewport()->update(QRect(0, r.top(), viewport()->width(), r.height()));
}

void TColdmereCustomGrid::InvalidateGrid() { viewport()->update(); }

void TColdmereCustomGrid::UpdateScrollBars()
{
    if (m_syncingBars)
        return;
    m_syncingBars = true;
    const int visible = std::max(1, VisibleRowCount());
    m_topRow = std::clamp(m_topRow, 0, MaxTopRow());
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, MaxTopRow());
    v->setPageStep(visible);
    v->setValue(m_topRow);

    const int maxLeft = std::max(0, ColumnWidth() - viewport()->width());
    m_leftPos = std::clamp(m_leftPos, 0, maxLeft);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, maxLeft);
    h->setPageStep(std::max(1, viewport()->width()));
    h->setSingleStep(std::max(1, m_rowHeight / 2));
    h->setValue(m_leftPos);
    m_syncingBars = false;
}

void TColdmereCustomGrid::PaintVisibleRows(QPainter& painter)
{
    TCanvasScope scope(m_canvas, &painter);
    const int height = viewport()->height();
    const qint64 rowsShown = (qint64(height) + m_rowHeight - 1) / m_rowHeight;
    const int last = int(std::min<qint64>(m_rowCount - 1, m_topRow + rowsShown - 1));
    const bool focused = hasFocus();
    for (int row = m_topRow; row <= last; ++row) {
        TGridDrawState state;
        if (row == m_row) {
            state |= gdSelected;
            if (focused)
                state |= gdFocused;
        }
        DrawCell(row, RowRect(row), state);
    }
}

void TColdmereCustomGrid::DrawCell(int, const QRect& rect, TGridDrawState)
{
    if (m_canvas)
        m_canvas->fillRect(rect, TColorRef::ToQColor(m_color));
}

void TColdmereCustomGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TColdmereCustomGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

void TColdmereCustomGrid::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    if (OnKeyDown)
        OnKeyDown(this, key, shift);
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    const int page = std::max(1, VisibleRowCount());
    switch (key) {
    case Qt::Key_Up:
        if (!ctrl)
            SetRow(m_row - 1);
        break;
    case Qt::Key_Down:
        if (!ctrl)
            SetRow(m_row + 1);
        break;
    case Qt::Key_PageUp:
        SetTopRow(m_topRow - page);
        SetRow(m_row - page);
        break;
    case Qt::Key_PageDown:
        SetTopRow(m_topRow + page);
        SetRow(m_row + page);
        break;
    case Qt::Key_Home: SetRow(0); break;
    case Qt::Key_End: SetRow(m_rowCount - 1); break;
    default: break;
    }
}

void TColdmereCustomGrid::KeyPress(QChar& key)
{
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TColdmereCustomGrid::MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers,
                                    const QPoint& pos)
{
    if (button != Qt::LeftButton)
        return;
    const int row = RowAt(pos.y());
    m_pressedOnRow = row >= 0;
    if (m_pressedOnRow)
        SetRow(row);
}

void TColdmereCustomGrid::paintEvent(QPaintEvent*)
{
    const qreal ratio = viewport()->devicePixelRatioF();
    QImage surface(viewport()->size() * ratio, QImage::Format_RGB32);
    if (surface.isNull())
        return;
    surface.setDevicePixelRatio(ratio);
    {
        QPainter p(&surface);
        p.fillRect(QRect(QPoint(0, 0), viewport()->size()), TColorRef::ToQColor(m_color));
        p.setFont(font());
        PaintVisibleRows(p);
    }
    QPainter screen(viewport());
    screen.drawImage(0, 0, surface);
}

void TColdmereCustomGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void TColdmereCustomGrid::scrollContentsBy(int, int)
{
    if (m_syncingBars)
        return;
    m_topRow = verticalScrollBar()->value();
    m_leftPos = horizontalScrollBar()->value();
    InvalidateGrid();
}

void TColdmereCustomGrid::mousePressEvent(QMouseEvent* event)
{
    if (focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
    MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    event->accept();
}

void TColdmereCustomGrid::mouseMoveEvent(QMouseEvent* event)
{
    // Dragging with the left button held carries the current row along.
    if (m_pressedOnRow && event->buttons().testFlag(Qt::LeftButton)) {
        const int row = RowAt(event->position().toPoint().y());
        if (row >= 0)
            SetRow(row);
    }
    event->accept();
}

void TColdmereCustomGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && m_pressedOnRow) {
        m_pressedOnRow = false;
        Click();
    }
    event->accept();
}

void TColdmereCustomGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    MouseDown(event->button(), event->modifiers(), event->position().toPoint());
    // The release that ends a double click is no further click.
    const bool onRow = m_pressedOnRow;
    m_pressedOnRow = false;
    if (event->button() == Qt::LeftButton && onRow)
        DblClick();
    event->accept();
}

void TColdmereCustomGrid::keyPressEvent(QKeyEvent* event)
{
    int key = event->key();
    KeyDown(key, event->modifiers());
    const QString text = event->text();
    if (!text.isEmpty()) {
        QChar ch = text.at(0);
        KeyPress(ch);
    }
    event->accept();
}

void TColdmereCustomGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    InvalidateCell(m_row);
}

void TColdmereCustomGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    InvalidateCell(m_row);
}
