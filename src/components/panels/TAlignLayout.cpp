#include "components/panels/TAlignLayout.h"
#include <QChildEvent>
#include <QDynamicPropertyChangeEvent>
#include <QEvent>
#include <QPointer>
#include <QVariant>
#include <QWidget>
#include <QWidgetItem>
#include <algorithm>
#include <vector>

namespace {

// Restores a flag on scope exit, so a nested layout pass started from a child's resize
// handler does not end the outer pass's protection early.
class TFlagGuard
{
public:
    TFlagGuard(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
    ~TFlagGuard() { m_flag = m_old; }

private:
    bool& m_flag;
    bool m_old;
};

} // namespace

TAlignLayout::TAlignLayout(QWidget* container) : QLayout(container)
{
    setContentsMargins(0, 0, 0, 0);
    setSpacing(0);
    Attach();
}

TAlignLayout::~TAlignLayout()
{
    if (m_container)
        m_container->removeEventFilter(this);
    for (QLayoutItem* item : std::as_const(m_items)) {
        if (QWidget* w = item->widget())
            w->removeEventFilter(this);
        delete item;
    }
    m_items.clear();
}

TAlign TAlignLayout::AlignOf(const QWidget* widget)
{
    if (!widget)
        return alNone;
    bool ok = false;
    const int v = widget->property(AlignProperty).toInt(&ok);
    if (!ok || v < alNone || v > alClient)
        return alNone;
    return TAlign(v);
}

void TAlignLayout::SetAlign(QWidget* widget, TAlign align)
{
    if (!widget)
        return;
    widget->setProperty(AlignProperty, int(align));
    if (TAlignLayout* layout = Of(widget->parentWidget()))
        layout->invalidate();
}

TAlignLayout* TAlignLayout::Of(const QWidget* container)
{
    return container ? qobject_cast<TAlignLayout*>(container->layout()) : nullptr;
}

void TAlignLayout::RealignParentOf(const QWidget* widget)
{
    if (!widget)
        return;
    if (TAlignLayout* layout = Of(widget->parentWidget()))
        layout->Realign();
}

void TAlignLayout::Realign()
{
    Attach();
    invalidate();
    activate();
}

// Only a layout installed directly on its container manages the container's children; a
// layout nested in another layout, or refused because the container already had one,
// leaves them alone.
void TAlignLayout::Attach()
{
    QWidget* container = parentWidget();
    if (!container || container->layout() != this || container == m_container)
        return;
    if (m_container)
        m_container->removeEventFilter(this);
    m_container = container;
    m_container->installEventFilter(this);
    // Children already there, including those added through addWidget before the layout
    // was installed, dock in the container's child order.
    QList<QLayoutItem*> ordered;
    for (QObject* child : m_container->children()) {
        if (!child->isWidgetType() || static_cast<QWidget*>(child)->isWindow())
            continue;
        auto* w = static_cast<QWidget*>(child);
        const int at = indexOf(w);
        if (at >= 0) {
            ordered.append(m_items.takeAt(at));
        } else {
            ordered.append(new QWidgetItem(w));
            Track(w);
        }
    }
    ordered.append(m_items); // items that are no child widgets keep their order after them
    m_items = ordered;
    invalidate();
}

void TAlignLayout::Adopt(QWidget* child)
{
    if (child->isWindow() || indexOf(child) >= 0)
        return;
    m_items.append(new QWidgetItem(child));
    Track(child);
    if (AlignOf(child) != alNone)
        invalidate();
}

void TAlignLayout::Track(QWidget* widget) { widget->installEventFilter(this); }

void TAlignLayout::insertWidget(int index, QWidget* widget)
{
    if (!widget)
        return;
    Attach();
    if (widget->parentWidget() != parentWidget())
        addChildWidget(widget); // adopts it at the end when the container is watched
    QLayoutItem* item = nullptr;
    const int at = indexOf(widget);
    if (at >= 0) {
        item = m_items.takeAt(at);
    } else {
        item = new QWidgetItem(widget);
        Track(widget);
    }
    if (index < 0 || index > m_items.size())
        index = int(m_items.size());
    m_items.insert(index, item);
    invalidate();
}

void TAlignLayout::addItem(QLayoutItem* item)
{
    if (!item)
        return;
    if (QWidget* w = item->widget()) {
        if (indexOf(w) >= 0) { // already adopted when it became the container's child
            delete item;
            invalidate();
            return;
        }
        Track(w);
    }
    m_items.append(item);
    invalidate();
}

QLayoutItem* TAlignLayout::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

QLayoutItem* TAlignLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    QLayoutItem* item = m_items.takeAt(index);
    if (QWidget* w = item->widget()) {
        w->removeEventFilter(this);
        m_placed.remove(w);
    }
    return item;
}

int TAlignLayout::count() const { return int(m_items.size()); }

int TAlignLayout::indexOf(const QWidget* widget) const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items.at(i)->widget() == widget)
            return i;
    return -1;
}

bool TAlignLayout::TakesPart(QLayoutItem* item)
{
    return item->widget() && !item->isEmpty() && AlignOf(item->widget()) != alNone;
}

QSize TAlignLayout::sizeHint() const
{
    int dockW = 0, dockH = 0, clientW = 0, clientH = 0;
    for (QLayoutItem* item : m_items) {
        if (!TakesPart(item))
            continue;
        const QWidget* w = item->widget();
        switch (AlignOf(w)) {
        case alTop:
        case alBottom: dockH += w->height(); break;
        case alLeft:
        case alRight: dockW += w->width(); break;
        case alClient: {
            const QSize s = item->sizeHint();
            clientW = std::max(clientW, s.width());
            clientH = std::max(clientH, s.height());
            break;
        }
        default: break;
        }
    }
    const QMargins m = contentsMargins();
    return QSize(dockW + clientW + m.left() + m.right(), dockH + clientH + m.top() + m.bottom());
}

// A docked container may be shrunk freely; the docked children then overlap or vanish,
// but keep their own sizes for when there is room again.
QSize TAlignLayout::minimumSize() const
{
    const QMargins m = contentsMargins();
    return QSize(m.left() + m.right(), m.top() + m.bottom());
}

Qt::Orientations TAlignLayout::expandingDirections() const { return Qt::Horizontal | Qt::Vertical; }

void TAlignLayout::Place(QWidget* widget, const QRect& rect)
{
    m_placed.insert(widget, rect);
    widget->setGeometry(rect);
    m_placed.insert(widget, widget->geometry()); // the widget's own limits may have changed it
}

void TAlignLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    Attach();
    if (m_container) // a window made a child may have been a window still when it arrived
        for (QObject* child : m_container->children())
            if (child->isWidgetType())
                Adopt(static_cast<QWidget*>(child));
    const QRect r = rect.marginsRemoved(contentsMargins());
    int left = r.left(), top = r.top();
    int right = r.left() + r.width(), bottom = r.top() + r.height(); // exclusive

    // Taken up front: a child's resize handler may add or delete children meanwhile.
    std::vector<std::pair<QPointer<QWidget>, TAlign>> docked;
    docked.reserve(size_t(m_items.size()));
    for (QLayoutItem* item : std::as_const(m_items))
        if (TakesPart(item))
            docked.emplace_back(item->widget(), AlignOf(item->widget()));

    TFlagGuard placing(m_placing);
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (const auto& [w, align] : docked) {
            if (!w || align != pass)
                continue;
            const int width = std::max(0, right - left);
            const int height = std::max(0, bottom - top);
            switch (pass) {
            case alTop: {
                const int h = w->height();
                Place(w, QRect(left, top, width, h));
                top += h;
                break;
            }
            case alBottom: {
                const int h = w->height();
                Place(w, QRect(left, bottom - h, width, h));
                bottom -= h;
                break;
            }
            case alLeft: {
                const int wd = w->width();
                Place(w, QRect(left, top, wd, height));
                left += wd;
                break;
            }
            case alRight: {
                const int wd = w->width();
                Place(w, QRect(right - wd, top, wd, height));
                right -= wd;
                break;
            }
            case alClient: Place(w, QRect(left, top, width, height)); break;
            default: break;
            }
        }
    }
}

bool TAlignLayout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_container) {
        if (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished) {
            QObject* child = static_cast<QChildEvent*>(event)->child();
            if (child->isWidgetType() && child->parent() == m_container)
                Adopt(static_cast<QWidget*>(child));
        }
        return false;
    }
    if (!watched->isWidgetType())
        return false;
    auto* w = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
        // Someone other than the layout resized or moved a docked child: dock again, so
        // the neighbours follow its new size.
        if (!m_placing && AlignOf(w) != alNone && !w->isHidden() &&
            m_placed.value(w) != w->geometry())
            invalidate();
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (AlignOf(w) != alNone)
            invalidate();
        break;
    case QEvent::DynamicPropertyChange:
        if (static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == AlignProperty)
            invalidate();
        break;
    default: break;
    }
    return false;
}
