#include "html/THtmlObjectHandler.h"
#include <QFontMetrics>
#include <QPainter>
#include <QTextImageFormat>

namespace {
constexpr int kAltPadding = 4;
constexpr int kEmptyAltSide = 20;
} // namespace

THtmlObjectHandler::THtmlObjectHandler(std::vector<THtmlObject>* objects, QObject* parent)
    : QObject(parent), m_objects(objects)
{}

int THtmlObjectHandler::ObjectIndex(const QTextFormat& format)
{
    const QString name = format.toImageFormat().name();
    if (!name.startsWith(QLatin1String("zel:")))
        return -1;
    bool ok = false;
    const int index = QStringView(name).mid(4).toInt(&ok);
    return ok ? index : -1;
}

THtmlObject* THtmlObjectHandler::Object(const QTextFormat& format) const
{
    const int index = ObjectIndex(format);
    if (index < 0 || index >= int(m_objects->size()))
        return nullptr;
    return &(*m_objects)[index];
}

QSize THtmlObjectHandler::PictureSize(const THtmlObject& object, const QFont& altFont)
{
    const THtmlObjectInfo& s = object.info;
    int w = s.width, h = s.height;
    if (!object.image.isNull()) {
        const QSize natural = object.image.size();
        if (w < 0 && h < 0) {
            w = natural.width();
            h = natural.height();
        } else if (w < 0) {
            w = natural.height() > 0 ? int(qint64(natural.width()) * h / natural.height())
                                     : natural.width();
        } else if (h < 0) {
            h = natural.width() > 0 ? int(qint64(natural.height()) * w / natural.width())
                                    : natural.height();
        }
    } else {
        const QFontMetrics fm(altFont);
        if (w < 0)
            w = s.alt.isEmpty() ? kEmptyAltSide
                                : std::min(fm.horizontalAdvance(s.alt) + 2 * kAltPadding, 4000);
        if (h < 0)
            h = s.alt.isEmpty() ? kEmptyAltSide : fm.height() + 2 * kAltPadding;
    }
    const int b = s.border > 0 ? s.border : 0;
    return QSize(w + 2 * (b + s.hspace), h + 2 * (b + s.vspace));
}

QSizeF THtmlObjectHandler::intrinsicSize(QTextDocument*, int, const QTextFormat& format)
{
    const THtmlObject* o = Object(format);
    return o ? QSizeF(o->size) : QSizeF(0, 0);
}

void THtmlObjectHandler::DrawAltFrame(QPainter* p, const QRectF& r, const THtmlObject& o) const
{
    if (r.width() < 2 || r.height() < 2)
        return;
    const QRectF frame = r.adjusted(0.5, 0.5, -0.5, -0.5);
    p->setPen(QColor(128, 128, 128));
    p->drawLine(frame.topLeft(), frame.topRight());
    p->drawLine(frame.topLeft(), frame.bottomLeft());
    p->setPen(QColor(255, 255, 255));
    p->drawLine(frame.bottomLeft(), frame.bottomRight());
    p->drawLine(frame.topRight(), frame.bottomRight());
    if (o.info.alt.isEmpty())
        return;
    p->save();
    p->setClipRect(r.adjusted(1, 1, -1, -1));
    p->setFont(m_font);
    p->setPen(m_text);
    p->drawText(r.adjusted(kAltPadding, kAltPadding, -kAltPadding, -kAltPadding),
                Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, o.info.alt);
    p->restore();
}

void THtmlObjectHandler::drawObject(QPainter* p, const QRectF& rect, QTextDocument*, int,
                                    const QTextFormat& format)
{
    THtmlObject* o = Object(format);
    if (!o)
        return;
    const bool moved = !o->wasDrawn || o->drawn != rect;
    o->drawn = rect;
    o->wasDrawn = true;
    if (!o->IsPicture()) {
        // A real control is placed over this room; only drawing tells where a cell's
        // vertical alignment has put it.
        if (moved && OnControlMoved)
            OnControlMoved();
        return;
    }
    const QRectF content = o->ContentRect(rect);
    const int b = o->info.border > 0 ? o->info.border : 0;
    if (b > 0) {
        const QRectF outer = content.adjusted(-b, -b, b, b);
        const QColor colour = o->info.linkIndex >= 0 ? m_link : m_text;
        p->fillRect(QRectF(outer.left(), outer.top(), outer.width(), b), colour);
        p->fillRect(QRectF(outer.left(), outer.bottom() - b, outer.width(), b), colour);
        p->fillRect(QRectF(outer.left(), outer.top(), b, outer.height()), colour);
        p->fillRect(QRectF(outer.right() - b, outer.top(), b, outer.height()), colour);
    }
    if (o->image.isNull()) {
        DrawAltFrame(p, content, *o);
        return;
    }
    p->save();
    p->setRenderHint(QPainter::SmoothPixmapTransform, content.size() != QSizeF(o->image.size()));
    p->drawImage(content, o->image);
    p->restore();
}
