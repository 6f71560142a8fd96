#include "components/panels/TGraphicSplitBar.h"
#include "platform/TColorRef.h"
#include <QPainter>
#include <algorithm>

TGraphicSplitBar::TGraphicSplitBar(QWidget* parent)
    : TSplitBar(parent), m_color(TSysColour::clBtnFace)
{
    // Every pixel is composed off-screen and copied at once: no erase, no flicker.
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGraphicSplitBar::SetColor(qint32 colour)
{
    m_color = colour;
    update();
}

void TGraphicSplitBar::SetPicture(const QImage& picture)
{
    StorePicture(picture);
    m_shadowStyle = ssNoShad;
    update();
}

void TGraphicSplitBar::StorePicture(const QImage& picture)
{
    // Bitmaps carry no transparency; the bar paints what a bitmap would show.
    if (picture.isNull()) {
        m_picture = QImage();
    } else {
        QImage copy = picture.convertToFormat(QImage::Format_RGB32);
        if (!copy.isNull()) // a copy that failed (out of memory) leaves the old picture
            m_picture = copy;
    }
    update();
}

void TGraphicSplitBar::SetShadowStyle(TShadowStyle style)
{
    m_shadowStyle = style;
    update();
}

void TGraphicSplitBar::SetShThickness(int thickness)
{
    m_shThickness = std::clamp(thickness, 2, 16);
    update();
}

void TGraphicSplitBar::SetDrawEdge(bool draw)
{
    m_drawEdge = draw;
    update();
}

void TGraphicSplitBar::SetBorderStyle(int style)
{
    m_borderStyle = style == 1 ? 1 : 0;
    update();
}

QImage TGraphicSplitBar::Compose() const
{
    // Composed no larger than its parent can show: a width or height read from a damaged
    // state file must not make the picture grow with the number.
    QSize composed = size();
    if (const QWidget* parent = parentWidget())
        composed = composed.boundedTo(parent->size());
    QImage image(composed.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter painter(&image);
    const QRect outer(QPoint(0, 0), size().expandedTo(QSize(1, 1)));
    const QRect c = m_borderStyle == 1 ? outer.adjusted(1, 1, -1, -1) : outer;
    // Exclusive right and bottom, as the band positions are reckoned.
    const int cl = c.x(), ct = c.y(), cr = c.x() + c.width(), cb = c.y() + c.height();
    painter.setClipRect(c);

    if (m_picture.isNull()) {
        painter.fillRect(c, TColorRef::ToQColor(m_color));
    } else {
        const int w = m_picture.width(), h = m_picture.height();
        for (int y = 0; y < c.height(); y += h)
            for (int x = 0; x < c.width(); x += w)
                painter.drawImage(cl + x, ct + y, m_picture);
    }

    const int n = m_shThickness;
    const int step = 255 / n;
    auto grey = [step](int i) {
        const int g = std::max(0, 255 - (i * step) / 2);
        return QColor(g, g, g);
    };
    int el = cl, et = ct, er = cr, eb = cb; // the part the shadow bands leave
    const bool left = m_shadowStyle == ssLeftRight || m_shadowStyle == ssShadLeft;
    const bool right = m_shadowStyle == ssLeftRight || m_shadowStyle == ssShadRight;
    const bool top = m_shadowStyle == ssTopBottom || m_shadowStyle == ssShadTop;
    const bool bottom = m_shadowStyle == ssTopBottom || m_shadowStyle == ssShadBottom;
    // Each band starts white at its outer edge; the right and bottom bands start on the
    // coordinate just past the bar, so their white line is clipped away.
    if (left) {
        for (int i = 0; i < n; ++i)
            painter.fillRect(QRect(cl + i, ct, 1, c.height()), grey(i));
        el = cl + n;
    }
    if (right) {
        for (int i = 0; i < n; ++i)
            painter.fillRect(QRect(cr - i, ct, 1, c.height()), grey(i));
        er = cr - n;
    }
    if (top) {
        for (int i = 0; i < n; ++i)
            painter.fillRect(QRect(cl, ct + i, c.width(), 1), grey(i));
        et = ct + n;
    }
    if (bottom) {
        for (int i = 0; i < n; ++i)
            painter.fillRect(QRect(cl, cb - i, c.width(), 1), grey(i));
        eb = cb - n;
    }

    // Bands wider than the bar leave no room for an edge.
    if (m_drawEdge && er > el && eb > et) {
        const QColor light = TColorRef::ToQColor(TSysColour::clBtnHighlight);
        const QColor dark = TColorRef::ToQColor(TSysColour::clBtnShadow);
        painter.fillRect(QRect(el, et, er - el, 1), light);
        painter.fillRect(QRect(el, et, 1, eb - et), light);
        painter.fillRect(QRect(el, eb - 1, er - el, 1), dark);
        painter.fillRect(QRect(er - 1, et, 1, eb - et), dark);
    }

    if (m_borderStyle == 1) {
        painter.setClipping(false);
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
    }
    return image;
}

void TGraphicSplitBar::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, Compose());
}
