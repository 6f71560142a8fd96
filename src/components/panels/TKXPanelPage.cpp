#include "components/panels/TKXPanelPage.h"
#include "components/paint/TBackgroundPainter.h"
#include "platform/TBitmapFile.h"
#include "platform/TColorRef.h"
#include <QPaintEvent>
#include <algorithm>

TKXPanelPage::TKXPanelPage(QWidget* parent) : QWidget(parent), m_color(TSysColour::clBtnFace)
{
    // The page paints every pixel itself; the background is never erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TKXPanelPage::SetTileBitmap(const QImage& v)
{
    m_tileBitmap = v.isNull() ? QImage() : v.convertToFormat(QImage::Format_RGB32);
}

void TKXPanelPage::SetGradientHiLight(qint32 v)
{
    m_gradientHiLight = v;
    m_color = v;
    update();
}

void TKXPanelPage::StoreGradientHiLight(qint32 v)
{
    m_gradientHiLight = v;
    update();
}

void TKXPanelPage::SetGradientLoLight(qint32 v)
{
    m_gradientLoLight = v;
    update();
}

int TKXPanelPage::ClampWidth(int gap) const
{
    const QWidget* sized = m_clampReference ? m_clampReference.data() : this;
    return std::clamp(gap, 0, std::max(0, sized->width() / 4));
}

int TKXPanelPage::ClampHeight(int gap) const
{
    const QWidget* sized = m_clampReference ? m_clampReference.data() : this;
    return std::clamp(gap, 0, std::max(0, sized->height() / 4));
}

void TKXPanelPage::SetColor(qint32 v)
{
    m_color = v;
    update();
}

bool TKXPanelPage::LoadTileBitmap(const QString& fileName)
{
    QImage loaded;
    if (!TBitmapFile::Load(fileName, &loaded) || loaded.isNull())
        return false;
    SetTileBitmap(loaded);
    m_bitmapFileName = fileName;
    m_backGroundStyle = rbsBitmap;
    update();
    return true;
}

QList<QWidget*> TKXPanelPage::VisibleChildren() const
{
    QList<QWidget*> list;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        // "Visible" is the child's own flag, so a page not yet on screen still lays out.
        if (widget && !widget->isWindow() && !widget->isHidden())
            list.append(widget);
    }
    return list;
}

void TKXPanelPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setBrush(TColorRef::ToQColor(m_color));
    painter.setPen(Qt::NoPen);
    TBackgroundPainter::Paint(painter, rect(), m_backGroundStyle, m_tileBitmap, m_gradientHiLight,
                              m_gradientLoLight);
    m_pageRect = TRect::FromQRect(rect());
    if (!OnPosition || m_positioning)
        return;
    // The children are placed without suspending the page's updates: moving them only
    // schedules repaints, and Qt draws the page and its children in one pass and shows them
    // in one flush, so the user sees one redraw anyway. Suspending updates here would not
    // help and would hurt: turning them back on asks for a new paint of the page, whose
    // paint would suspend and resume again, and the page would repaint itself forever.
    m_positioning = true;
    try {
        m_itemsVisible = VisibleChildren();
        if (!m_itemsVisible.isEmpty())
            OnPosition(this, m_itemsVisible, m_pageRect, &painter);
    } catch (...) {
        // A paint cannot report; the page keeps its background and the next paint retries.
    }
    m_positioning = false;
}
