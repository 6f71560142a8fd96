#include "components/panels/TSizingLineOverlay.h"
#include <QPainter>

TSizingLineOverlay::TSizingLineOverlay(QWidget* window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
    if (window)
        setGeometry(window->rect());
    raise();
}

void TSizingLineOverlay::SetLine(const QRect& line)
{
    if (line == m_line)
        return;
    // The old place is painted afresh by the windows beneath, which erases the old line.
    update(m_line);
    m_line = line;
    update(m_line);
}

void TSizingLineOverlay::paintEvent(QPaintEvent*)
{
    if (m_line.isEmpty())
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(m_line, Qt::white);
}
