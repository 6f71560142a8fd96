#include "components/panels/TFlatButton.h"
#include "components/paint/TFramePainter.h"
#include "platform/TColorRef.h"
#include <QEnterEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kEdgeGap = 3;    // left/right-aligned captions keep this far from the edge
constexpr int kPictureGap = 2; // between the bitmap and the caption under it
} // namespace

TFlatButton::TFlatButton(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAutoFillBackground(false);
    resize(50, 40);
}

void TFlatButton::SetCaption(const QString& v)
{
    m_caption = v;
    update();
}

void TFlatButton::SetAlignment(TFlatAlignment v)
{
    m_alignment = v;
    update();
}

void TFlatButton::SetBitmap(const QImage& v)
{
    m_bitmap = v;
    update();
}

void TFlatButton::SetDropDownMenu(QMenu* v) { m_dropDownMenu = v; }

void TFlatButton::SetFontColour(qint32 v)
{
    m_fontColour = v;
    update();
}

void TFlatButton::Click()
{
    if (OnClick)
        OnClick(this);
    emit clicked();
}

void TFlatButton::SetMouseInside(bool inside)
{
    if (inside == m_mouseInside)
        return;
    m_mouseInside = inside;
    update();
}

void TFlatButton::enterEvent(QEnterEvent* event)
{
    SetMouseInside(true);
    QWidget::enterEvent(event);
}

void TFlatButton::leaveEvent(QEvent* event)
{
    SetMouseInside(false);
    QWidget::leaveEvent(event);
}

void TFlatButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_mouseInside = rect().contains(event->position().toPoint());
    if (m_dropDownMenu) {
        // The menu takes the mouse from here on; the press opens it instead of a click.
        m_pressed = false;
        update();
        m_dropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    m_pressed = true;
    update();
}

void TFlatButton::mouseMoveEvent(QMouseEvent* event)
{
    SetMouseInside(rect().contains(event->position().toPoint()));
    QWidget::mouseMoveEvent(event);
}

void TFlatButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    m_pressed = false;
    const bool over = rect().contains(event->position().toPoint());
    m_mouseInside = over;
    update();
    if (over && isEnabled())
        Click();
}

void TFlatButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            m_pressed = false;
        update();
    }
    QWidget::changeEvent(event);
}

void TFlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool down = m_pressed && m_mouseInside;
    const bool hot = m_mouseInside && isEnabled() && window()->isActiveWindow();
    if (down)
        TFramePainter::Bevel(painter, rect(), true, 1);
    else if (hot)
        TFramePainter::Bevel(painter, rect(), false, 1);

    const int shift = down ? 1 : 0;
    const QRect area = rect().adjusted(1, 1, -1, -1).translated(shift, shift);
    const QFontMetrics metrics(font());
    const int textHeight = m_caption.isEmpty() ? 0 : metrics.height();
    const int pictureHeight = m_bitmap.isNull() ? 0 : m_bitmap.height();
    const int gap = textHeight > 0 && pictureHeight > 0 ? kPictureGap : 0;
    const int top = area.y() + (area.height() - (pictureHeight + gap + textHeight)) / 2;

    if (!m_bitmap.isNull()) {
        const bool grey = !m_mouseInside || !isEnabled();
        const QImage picture =
            grey ? m_bitmap.convertToFormat(QImage::Format_Grayscale8) : m_bitmap;
        painter.drawImage(QPoint(area.x() + (area.width() - m_bitmap.width()) / 2, top), picture);
    }
    if (textHeight > 0) {
        const QRect textArea =
            pictureHeight > 0 ? QRect(area.x(), top + pictureHeight + gap, area.width(), textHeight)
                              : area;
        DrawCaption(painter, textArea);
    }
}

void TFlatButton::DrawCaption(QPainter& painter, const QRect& area)
{
    QRect r = area;
    Qt::Alignment align = Qt::AlignVCenter;
    const int shift = area.x() - 1; // 1 when the caption is pressed down, else 0
    switch (m_alignment) {
    case TFlatAlignment::taLeftJustify:
        r.setLeft(kEdgeGap + shift);
        align |= Qt::AlignLeft;
        break;
    case TFlatAlignment::taRightJustify:
        r.setRight(width() - 1 - kEdgeGap + shift);
        align |= Qt::AlignRight;
        break;
    case TFlatAlignment::taCenter: align |= Qt::AlignHCenter; break;
    }
    const int flags = int(align) | Qt::TextSingleLine;
    painter.setFont(font());
    if (!isEnabled()) {
        painter.setPen(TColorRef::ToQColor(TSysColour::clBtnHighlight));
        painter.drawText(r.translated(1, 1), flags, m_caption);
        painter.setPen(TColorRef::ToQColor(TSysColour::clBtnShadow));
        painter.drawText(r, flags, m_caption);
        return;
    }
    painter.setPen(TColorRef::ToQColor(m_fontColour));
    painter.drawText(r, flags, m_caption);
}
