#include "components/panels/TTransparentPanel.h"
#include "components/paint/TFramePainter.h"
#include "platform/TColorRef.h"
#include <QPainter>

TTransparentPanel::TTransparentPanel(QWidget* parent)
    : QWidget(parent), m_color(TSysColour::clBtnFace), m_fontColour(TSysColour::clBtnText)
{
    setAutoFillBackground(false);
}

void TTransparentPanel::SetDrawAsTransparent(bool v)
{
    m_drawAsTransparent = v;
    update();
}

void TTransparentPanel::SetCaption(const QString& v)
{
    m_caption = v;
    update();
}

void TTransparentPanel::SetColor(qint32 v)
{
    m_color = v;
    update();
}

void TTransparentPanel::SetFontColour(qint32 v)
{
    m_fontColour = v;
    update();
}

void TTransparentPanel::paintEvent(QPaintEvent*)
{
    if (m_drawAsTransparent)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), TColorRef::ToQColor(m_color));
    TFramePainter::Bevel(painter, rect(), false, 1);
    if (!m_caption.isEmpty()) {
        painter.setPen(TColorRef::ToQColor(m_fontColour));
        painter.setFont(font());
        painter.drawText(rect().adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine,
                         m_caption);
    }
}
