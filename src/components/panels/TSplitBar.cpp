#include "components/panels/TSplitBar.h"
#include "components/panels/TAlignLayout.h"
#include "components/panels/TSizingLineOverlay.h"
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace {

bool IsSide(TAlign align)
{
    return align == alTop || align == alBottom || align == alLeft || align == alRight;
}

// The limit is the container's size less the bar's: a control may not swallow the bar.
int NewSize(int size, int limit)
{
    if (size >= limit)
        size = limit - 3;
    if (size <= 0) // also when the container is too small for the limit to leave room
        size = 1;
    return size;
}

} // namespace

TSplitBar::TSplitBar(QWidget* parent) : QWidget(parent)
{
    resize(185, 3);
    setAutoFillBackground(true);
    UpdateCursor();
}

TSplitBar::~TSplitBar()
{
    if (m_dragging) {
        releaseMouse();
        qApp->removeEventFilter(this);
        delete m_overlay.data();
    }
}

QWidget* TSplitBar::Acceptable(QWidget* control) const
{
    if (control == this || (control && control->isWindow()))
        return nullptr;
    return control;
}

void TSplitBar::Link(QPointer<QWidget>& slot, QMetaObject::Connection& connection, QWidget* control)
{
    QObject::disconnect(connection);
    connection = {};
    slot = control;
    if (control) {
        connection = connect(control, &QObject::destroyed, this, [this](QObject* gone) {
            if (m_first.data() == gone)
                m_first = nullptr;
            if (m_second.data() == gone)
                m_second = nullptr;
            if (!m_dragging)
                UpdateCursor();
        });
    }
}

void TSplitBar::SetControlFirst(QWidget* control)
{
    Link(m_first, m_firstGone, Acceptable(control));
    if (!m_dragging)
        UpdateCursor();
}

void TSplitBar::SetControlSecond(QWidget* control)
{
    Link(m_second, m_secondGone, Acceptable(control));
    if (!m_dragging)
        UpdateCursor();
}

TAlign TSplitBar::Align() const { return TAlignLayout::AlignOf(this); }

void TSplitBar::SetAlign(TAlign align)
{
    const TAlign old = Align();
    if (align != old) {
        TAlignLayout::SetAlign(this, align);
        if (!m_loading && (align == alTop || align == alBottom))
            resize(width(), 3);
        else if (!m_loading && (align == alLeft || align == alRight))
            resize(3, height());
        TAlignLayout::RealignParentOf(this);
    }
    if (!m_first && !m_second && IsSide(align))
        PickControlFirst();
    if (!m_dragging)
        UpdateCursor();
}

// The neighbour a bar docked on one side naturally resizes is the one right outside that
// side of it.
void TSplitBar::PickControlFirst()
{
    QWidget* container = parentWidget();
    if (!container)
        return;
    const QRect g = geometry();
    QPoint probe;
    switch (Align()) {
    case alTop: probe = QPoint(g.x(), g.y() - 1); break;
    case alBottom: probe = QPoint(g.x(), g.y() + g.height()); break;
    case alLeft: probe = QPoint(g.x() - 1, g.y()); break;
    case alRight: probe = QPoint(g.x() + g.width(), g.y()); break;
    default: return;
    }
    const QObjectList& children = container->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) { // topmost first
        if (!(*it)->isWidgetType() || *it == this)
            continue;
        auto* sibling = static_cast<QWidget*>(*it);
        if (sibling->isWindow() || sibling->isHidden() ||
            qobject_cast<TSizingLineOverlay*>(sibling))
            continue;
        if (sibling->geometry().contains(probe)) {
            Link(m_first, m_firstGone, sibling);
            return;
        }
    }
}

void TSplitBar::SetWidth(int w)
{
    resize(std::max(0, w), height());
    TAlignLayout::RealignParentOf(this);
}

void TSplitBar::SetHeight(int h)
{
    resize(width(), std::max(0, h));
    TAlignLayout::RealignParentOf(this);
}

void TSplitBar::EndLoading()
{
    m_loading = false;
    if (!m_dragging)
        UpdateCursor();
}

int TSplitBar::SplitType() const
{
    if (!m_first)
        return 0;
    int type = 0;
    QWidget* resized = nullptr;
    const TAlign first = TAlignLayout::AlignOf(m_first);
    if (first == alTop || first == alBottom) {
        type = 1;
        resized = m_first;
    } else if (first == alLeft || first == alRight) {
        type = 3;
        resized = m_first;
    } else if (first == alClient && m_second) {
        const TAlign second = TAlignLayout::AlignOf(m_second);
        if (second == alTop || second == alBottom)
            type = 2;
        else if (second == alLeft || second == alRight)
            type = 4;
        resized = m_second;
    }
    if (type == 0 || TAlignLayout::AlignOf(resized) != Align())
        return 0;
    return type;
}

QWidget* TSplitBar::ResizedControl() const
{
    switch (SplitType()) {
    case 1:
    case 3: return m_first;
    case 2:
    case 4: return m_second;
    default: return nullptr;
    }
}

void TSplitBar::UpdateCursor()
{
    if (m_dragging && m_noDrop) {
        setCursor(Qt::ForbiddenCursor);
        return;
    }
    switch (m_dragging ? m_type : SplitType()) {
    case 1:
    case 2: setCursor(Qt::SplitVCursor); break;
    case 3:
    case 4: setCursor(Qt::SplitHCursor); break;
    default: unsetCursor(); break;
    }
}

QPoint TSplitBar::DragPoint(const QMouseEvent* event) const
{
    // Measured from where the bar was gripped, so a click without a move changes nothing
    // however thick the bar is.
    return event->position().toPoint() - m_pressOffset;
}

bool TSplitBar::AskPosChanging(QPoint point)
{
    bool allow = true;
    if (OnPosChanging)
        OnPosChanging(this, point.x(), point.y(), allow);
    return allow;
}

void TSplitBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_dragging) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int type = SplitType();
    if (type == 0 || !parentWidget()) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_type = type;
    m_dragging = true;
    m_noDrop = false;
    m_pressOffset = event->position().toPoint();
    grabMouse();
    // Escape must reach the bar wherever the keyboard focus is.
    qApp->installEventFilter(this);
    StartSizing();
    event->accept();
}

void TSplitBar::StartSizing()
{
    QWidget* container = parentWidget();
    const QRect c = container->rect();
    const int l = c.left(), t = c.top();
    const int r = c.left() + c.width(), b = c.top() + c.height();
    m_minPoint = mapFromParent(QPoint(l + m_limitLeft, t + m_limitLeft));
    m_maxPoint = mapFromParent(QPoint(r - l - m_limitRight, b - t - m_limitRight));
    m_overlay = new TSizingLineOverlay(window());
    m_overlay->show();
    m_lineDrawn = false;
    MoveLine(QPoint(0, 0));
}

QPoint TSplitBar::Clamp(QPoint point) const
{
    // Limits that cross (a container too small for them) pin the line to the minimum.
    point.setX(std::max(m_minPoint.x(), std::min(point.x(), m_maxPoint.x())));
    point.setY(std::max(m_minPoint.y(), std::min(point.y(), m_maxPoint.y())));
    return point;
}

void TSplitBar::MoveLine(QPoint point)
{
    QWidget* container = parentWidget();
    if (!container)
        return;
    // The line never leaves the container, whatever the limits say.
    QPoint inParent = mapToParent(point);
    if (IsVertical())
        inParent.setY(std::clamp(inParent.y(), 0, std::max(0, container->height() - 1)));
    else
        inParent.setX(std::clamp(inParent.x(), 0, std::max(0, container->width() - 1)));
    point = mapFromParent(inParent);

    if (m_lineDrawn && (IsVertical() ? point.y() == m_linePoint.y() : point.x() == m_linePoint.x()))
        return;
    m_linePoint = point;
    m_lineDrawn = true;
    if (!m_overlay)
        return;
    QWidget* win = m_overlay->parentWidget();
    const QPoint origin = container->mapTo(win, inParent);
    if (IsVertical())
        m_overlay->SetLine(QRect(container->mapTo(win, pos()).x(), origin.y() - 1, width(), 2));
    else
        m_overlay->SetLine(QRect(origin.x() - 1, container->mapTo(win, pos()).y(), 2, height()));
}

void TSplitBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint mouse = DragPoint(event);
    QPointer<TSplitBar> self(this);
    const bool allow = AskPosChanging(mouse);
    if (!self || !m_dragging)
        return;
    const QPoint candidate = allow ? mouse : m_linePoint;
    const QPoint clamped = Clamp(candidate);
    const bool noDrop =
        !allow || (IsVertical() ? clamped.y() != candidate.y() : clamped.x() != candidate.x());
    if (noDrop != m_noDrop) {
        m_noDrop = noDrop;
        UpdateCursor();
    }
    MoveLine(clamped);
}

void TSplitBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!m_dragging || event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    releaseMouse();
    const QPoint mouse = DragPoint(event);
    QPointer<TSplitBar> self(this);
    const bool allow = AskPosChanging(mouse);
    if (!self || !m_dragging)
        return;
    const QPoint point = Clamp(allow ? mouse : m_linePoint);
    EndDrag();
    ApplyDrop(point);
    if (self && OnPosChanged)
        OnPosChanged(this);
}

void TSplitBar::EndDrag()
{
    delete m_overlay.data();
    m_dragging = false;
    m_lineDrawn = false;
    m_noDrop = false;
    qApp->removeEventFilter(this);
    UpdateCursor();
}

void TSplitBar::ApplyDrop(QPoint point)
{
    QWidget* target = (m_type == 1 || m_type == 3) ? m_first.data() : m_second.data();
    QWidget* container = parentWidget();
    if (!target || !container)
        return;
    // Moving a bar towards a control docked at the far side makes that control larger.
    const TAlign align = TAlignLayout::AlignOf(target);
    const int dx = align == alRight ? -point.x() : point.x();
    const int dy = align == alBottom ? -point.y() : point.y();
    if (m_type == 1 || m_type == 2)
        target->resize(target->width(),
                       NewSize(target->height() + dy, container->height() - height()));
    else
        target->resize(NewSize(target->width() + dx, container->width() - width()),
                       target->height());
    TAlignLayout::RealignParentOf(target);
    if (target->parentWidget() != container)
        TAlignLayout::RealignParentOf(this);
}

void TSplitBar::CancelDrag()
{
    releaseMouse();
    EndDrag();
}

bool TSplitBar::eventFilter(QObject* watched, QEvent* event)
{
    if (m_dragging &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::ShortcutOverride) {
                // Keep Escape from firing a shortcut, so the key press itself arrives.
                event->accept();
                return true;
            }
            CancelDrag();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSplitBar::enterEvent(QEnterEvent* event)
{
    // The linked controls' alignments may have changed since the cursor was last set.
    if (!m_dragging)
        UpdateCursor();
    QWidget::enterEvent(event);
}

void TSplitBar::hideEvent(QHideEvent* event)
{
    if (m_dragging)
        CancelDrag();
    QWidget::hideEvent(event);
}

void TSplitBar::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled() && m_dragging)
        CancelDrag();
    QWidget::changeEvent(event);
}
