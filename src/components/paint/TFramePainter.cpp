#include "components/paint/TFramePainter.h"
#include "platform/TColorRef.h"

void TFramePainter::Frame3D(QPainter& painter, const QRect& outer, const QColor& topLeft,
                            const QColor& bottomRight, int width)
{
    for (int k = 0; k < width; ++k) {
        const QRect r = outer.adjusted(k, k, -k, -k);
        if (r.width() <= 0 || r.height() <= 0)
            break;
        const int l = r.x(), t = r.y();
        const int rr = r.x() + r.width() - 1, b = r.y() + r.height() - 1;
        painter.fillRect(QRect(l, t, rr - l, 1), topLeft);
        painter.fillRect(QRect(l, t, 1, b - t), topLeft);
        painter.fillRect(QRect(rr, t, 1, b - t + 1), bottomRight);
        painter.fillRect(QRect(l, b, rr - l + 1, 1), bottomRight);
    }
}

void TFramePainter::Bevel(QPainter& painter, const QRect& outer, bool sunken, int width)
{
    const QColor shadow = TColorRef::ToQColor(TSysColour::clBtnShadow);
    const QColor light = TColorRef::ToQColor(TSysColour::clBtnHighlight);
    if (sunken)
        Frame3D(painter, outer, shadow, light, width);
    else
        Frame3D(painter, outer, light, shadow, width);
}

void TFramePainter::ControlFrame(QPainter& painter, const QRect& client, TKXCStyle style)
{
    if (style == kxNoDraw)
        return;
    const QColor shadow = TColorRef::ToQColor(TSysColour::clBtnShadow);
    const QColor light = TColorRef::ToQColor(TSysColour::clBtnHighlight);
    const QColor first = style == kxBoxIn ? shadow : light;
    const QColor second = style == kxBoxIn ? light : shadow;
    const int l = client.x(), t = client.y();
    const int r = client.x() + client.width(), b = client.y() + client.height();
    // (L,B) -> (L,T): rows B down to T+1; (L,T) -> (R,T): columns L to R-1.
    painter.fillRect(QRect(l, t + 1, 1, b - t), first);
    painter.fillRect(QRect(l, t, r - l, 1), first);
    // (R,T) -> (R,B): rows T to B-1; (R,B) -> (L,B): columns R down to L+1.
    painter.fillRect(QRect(r, t, 1, b - t), second);
    painter.fillRect(QRect(l + 1, b, r - l, 1), second);
}
