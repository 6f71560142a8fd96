#include "html/TFramePane.h"
#include "html/TFrameLayout.h"
#include "html/THtmlFrame.h"
#include "html/THtmlPane.h"
#include <QMouseEvent>
#include <QPainter>
#include <numeric>

TFramePane::TFramePane(THtmlPane* pane, THtmlFrame* context, const TFrameSetInfo& info,
                       const QString& baseFile, QWidget* parent)
    : QWidget(parent), m_info(info)
{
    setMouseTracking(true);
    m_border = info.border >= 0 ? info.border : (info.frameBorder ? kDefaultBorder : 0);
    const int rows = TFrameLayout::Count(info.rows);
    const int cols = TFrameLayout::Count(info.cols);
    const int wanted = rows * cols;
    for (int i = 0; i < int(info.frames.size()) && i < wanted; ++i) {
        const TFrameInfo& f = info.frames[i];
        if (f.frameSet) {
            m_cells << new TFramePane(pane, context, *f.frameSet, baseFile, this);
            m_noResize << false;
            continue;
        }
        auto* frame = new THtmlFrame(pane, context, f.name, context->Depth() + 1, this);
        frame->SetScrolling(f.scrolling);
        frame->SetMargins(f.marginWidth, f.marginHeight);
        m_cells << frame;
        m_noResize << f.noResize;
        pane->LoadIntoFrame(frame, f.src, baseFile);
    }
    Relayout();
}

QVector<THtmlFrame*> TFramePane::Frames() const
{
    QVector<THtmlFrame*> frames;
    for (QWidget* cell : m_cells) {
        if (auto* f = qobject_cast<THtmlFrame*>(cell))
            frames << f;
        else if (auto* set = qobject_cast<TFramePane*>(cell))
            frames << set->Frames();
    }
    return frames;
}

namespace {

// Sizes for a list, or the reader's dragged sizes scaled to the room there is now.
QVector<int> SizesFor(const QString& list, const QVector<int>& dragged, int total)
{
    if (dragged.isEmpty())
        return TFrameLayout::Sizes(list, total);
    QStringList weights;
    for (int d : dragged)
        weights << QString::number(std::max(d, 0) + 0.001) + u'*';
    return TFrameLayout::Sizes(weights.join(u','), total);
}

} // namespace

void TFramePane::Relayout()
{
    const int rows = TFrameLayout::Count(m_info.rows);
    const int cols = TFrameLayout::Count(m_info.cols);
    m_rowSizes = SizesFor(m_info.rows, m_rowOverride, height() - (rows - 1) * m_border);
    m_colSizes = SizesFor(m_info.cols, m_colOverride, width() - (cols - 1) * m_border);
    int y = 0;
    for (int r = 0; r < rows; ++r) {
        int x = 0;
        for (int c = 0; c < cols; ++c) {
            const int index = r * cols + c;
            if (index < m_cells.size())
                m_cells[index]->setGeometry(x, y, m_colSizes[c], m_rowSizes[r]);
            x += m_colSizes[c] + m_border;
        }
        y += m_rowSizes[r] + m_border;
    }
    update();
}

void TFramePane::resizeEvent(QResizeEvent*) { Relayout(); }

void TFramePane::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
}

int TFramePane::BorderAt(QPoint p) const
{
    if (m_border <= 0)
        return 0;
    int y = 0;
    for (int r = 0; r + 1 < m_rowSizes.size(); ++r) {
        y += m_rowSizes[r];
        if (p.y() >= y && p.y() < y + m_border)
            return r + 1;
        y += m_border;
    }
    int x = 0;
    for (int c = 0; c + 1 < m_colSizes.size(); ++c) {
        x += m_colSizes[c];
        if (p.x() >= x && p.x() < x + m_border)
            return -(c + 1);
        x += m_border;
    }
    return 0;
}

bool TFramePane::Resizable(int border) const
{
    const int cols = int(m_colSizes.size());
    for (int i = 0; i < m_cells.size(); ++i) {
        if (!m_noResize[i])
            continue;
        const int r = i / cols, c = i % cols;
        if (border > 0 && (r == border - 1 || r == border))
            return false;
        if (border < 0 && (c == -border - 1 || c == -border))
            return false;
    }
    return true;
}

void TFramePane::mousePressEvent(QMouseEvent* e)
{
    const int border = BorderAt(e->position().toPoint());
    m_dragging = border != 0 && Resizable(border) ? border : 0;
}

void TFramePane::mouseMoveEvent(QMouseEvent* e)
{
    const QPoint p = e->position().toPoint();
    if (m_dragging == 0) {
        const int border = BorderAt(p);
        if (border != 0 && Resizable(border))
            setCursor(border > 0 ? Qt::SplitVCursor : Qt::SplitHCursor);
        else
            unsetCursor();
        return;
    }
    const bool row = m_dragging > 0;
    const int i = (row ? m_dragging : -m_dragging) - 1;
    QVector<int> sizes = row ? m_rowSizes : m_colSizes;
    int start = 0;
    for (int k = 0; k < i; ++k)
        start += sizes[k] + m_border;
    const int pair = sizes[i] + sizes[i + 1];
    sizes[i] = std::clamp((row ? p.y() : p.x()) - start, 0, pair);
    sizes[i + 1] = pair - sizes[i];
    (row ? m_rowOverride : m_colOverride) = sizes;
    Relayout();
}

void TFramePane::mouseReleaseEvent(QMouseEvent*) { m_dragging = 0; }
