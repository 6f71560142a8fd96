#include "TTouchScrolling.h"
#include <QAbstractScrollArea>
#include <QEvent>
#include <QInputDevice>
#include <QMouseEvent>
#include <QScrollBar>
#include <QScrollEvent>
#include <QScroller>
#include <algorithm>
#include <utility>

namespace {

// Sits on the list's viewport, where the scroller sends its events, and translates between
// the scroller's pixels and the scroll bar's rows.
class TRowScrollFilter : public QObject
{
public:
    TRowScrollFilter(QAbstractScrollArea* area, TTouchScrolling::RowHeight rowHeight)
        : QObject(area), m_area(area), m_rowHeight(std::move(rowHeight))
    {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The viewport also receives events while the list is being destroyed (its children
        // leave it then): only the two scroll events below reach into the list.
        if (event->type() == QEvent::ScrollPrepare) {
            const qreal row = std::max(1, m_rowHeight());
            QScrollBar* v = m_area->verticalScrollBar();
            QScrollBar* h = m_area->horizontalScrollBar();
            auto* prepare = static_cast<QScrollPrepareEvent*>(event);
            prepare->setViewportSize(m_area->viewport()->size());
            prepare->setContentPosRange(QRectF(h->minimum(), v->minimum() * row,
                                               h->maximum() - h->minimum(),
                                               (v->maximum() - v->minimum()) * row));
            prepare->setContentPos(QPointF(h->value(), v->value() * row));
            prepare->accept();
            return true;
        }
        // A finger that dragged the rows has not chosen one: its release is no click. The
        // press may have selected the row under it, as a mouse press does.
        // A finger moves the rows, not the current row.
        if (event->type() == QEvent::MouseMove) {
            const QInputDevice* device = static_cast<QMouseEvent*>(event)->device();
            return device && device->type() == QInputDevice::DeviceType::TouchScreen;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            m_pressed = true;
            m_dragged = false;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            m_pressed = false;
            return std::exchange(m_dragged, false);
        }
        if (event->type() == QEvent::Scroll) {
            const qreal row = std::max(1, m_rowHeight());
            m_dragged = m_dragged || m_pressed;
            const QPointF pos = static_cast<QScrollEvent*>(event)->contentPos();
            m_area->horizontalScrollBar()->setValue(qRound(pos.x()));
            m_area->verticalScrollBar()->setValue(qRound(pos.y() / row));
            return true;
        }
        return false;
    }

private:
    QAbstractScrollArea* m_area;
    TTouchScrolling::RowHeight m_rowHeight;
    bool m_pressed = false;
    bool m_dragged = false;
};

} // namespace

void TTouchScrolling::Enable(QAbstractScrollArea* area, RowHeight rowHeight)
{
    area->viewport()->installEventFilter(new TRowScrollFilter(area, std::move(rowHeight)));
    QScroller::grabGesture(area->viewport(), QScroller::TouchGesture);
}
