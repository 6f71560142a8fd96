#include "components/listview/TClrListView.h"
#include "components/paint/TCellPainter.h"
#include "components/paint/TRect.h"
#include "components/paint/TTextPainter.h"
#include "platform/TColorRef.h"
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kTextOffset = 5;   // before each column's text
constexpr int kImageOffset = 20; // after a small image
constexpr int kImageLeft = 2;    // small image from the row's left edge
constexpr int kTextInset = 2;    // text rectangle inside its column

// A small image as the list shows it for a focused (a quarter) or selected (a half)
// row: blended with the system highlight colour.
QImage Tinted(const QImage& image, const QColor& highlight, qreal amount)
{
    QImage tinted = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&tinted);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.setOpacity(amount);
    painter.fillRect(tinted.rect(), highlight);
    return tinted;
}

} // namespace

TClrListView::TClrListView(QWidget* parent) : TSortListView(parent)
{
    m_cell.CellPaintColour = Color();
    SetViewStyle(vsReport);
    SetReadOnly(true);
    SetStyle(lvOwnerDrawFixed);
    SetShowColumnHeaders(false);
}

void TClrListView::SetCellPaintColour(qint32 colour)
{
    m_cell.CellPaintColour = colour;
    Repaint();
}

void TClrListView::SetCellHiLightColour(qint32 colour)
{
    m_cell.CellHiLightColour = colour;
    Repaint();
}

void TClrListView::SetDrawCellOutline(TCellStyle style)
{
    m_cell.DrawCellOutline = style;
    if (style == rcsRoundRight || style == rcsRoundLeft)
        m_cell.DoCellOutline = rlsNone;
    Repaint();
}

void TClrListView::SetDoCellOutline(TKXLineStyle style)
{
    m_cell.DoCellOutline = style;
    if (style == rlsUnderline) {
        m_cell.DrawCellOutline = rcsNone;
        m_cell.CellHiLightColour = m_cell.CellPaintColour;
    }
    Repaint();
}

void TClrListView::SetCellOutlineWidth(int width)
{
    m_cell.CellOutlineWidth = std::clamp(width, 0, TCellLook::MaxOutlineWidth);
    Repaint();
}

int TClrListView::ClampGap(int gap) const
{
    const QWidget* sized = m_clampReference ? m_clampReference.data() : this;
    return std::clamp(gap, 0, std::max(0, sized->width() / 4));
}

void TClrListView::SetHitGap(int gap)
{
    m_cell.HitGap = std::max(0, gap);
    Repaint();
}

void TClrListView::SetLeftGap(int gap)
{
    m_cell.LeftGap = std::max(0, gap);
    Repaint();
}

TCellLook TClrListView::CellLook() const { return m_cell; }

void TClrListView::SetCellLook(const TCellLook& look)
{
    m_cell = look.Usable();
    Repaint();
}

void TClrListView::SetTextNormalCol(qint32 colour)
{
    m_cell.TextNormalCol = colour;
    Repaint();
}

void TClrListView::SetTextHiLight(qint32 colour)
{
    m_cell.TextHiLight = colour;
    Repaint();
}

void TClrListView::SetTextAsThreeD(bool embossed)
{
    m_cell.TextAsThreeD = embossed;
    Repaint();
}

void TClrListView::BeforePaint()
{
    // The columns always share the client area equally, so the list never scrolls
    // sideways and one column is as wide as the list.
    const int count = ColumnCount();
    if (count == 0)
        return;
    const int width = viewport()->width() / count;
    for (int i = 0; i < count; ++i)
        StoreColumnWidth(i, width);
}

void TClrListView::DrawItem(QPainter& canvas, int index, const QRect& rect, TOwnerDrawState state)
{
    const TListItem* item = Item(index);
    if (index < 0 || !item)
        return;
    const TRect r = TRect::FromQRect(rect);
    canvas.setFont(font());
    canvas.setBrush(TColorRef::ToQColor(Color()));
    canvas.fillRect(rect, TColorRef::ToQColor(Color()));

    const bool highlighted = state & odSelected;
    const qint32 fontColour = highlighted ? m_cell.TextHiLight : m_cell.TextNormalCol;

    const TRect cell{r.Left + LeftGap(), r.Top, viewport()->width() - HitGap(), r.Bottom};
    int x = r.Left + LeftGap();

    TCellPainter::PaintCell(canvas, cell.ToQRect(), m_cell, highlighted);
    canvas.setBrush(Qt::NoBrush);

    if (!SmallImages().isEmpty()) {
        if (item->ImageIndex >= 0 && item->ImageIndex < SmallImages().size()) {
            const QImage& image = SmallImages().at(item->ImageIndex);
            const QColor hl = palette().color(QPalette::Highlight);
            if (state & odFocused)
                canvas.drawImage(r.Left + kImageLeft, r.Top, Tinted(image, hl, 0.25));
            else if (highlighted)
                canvas.drawImage(r.Left + kImageLeft, r.Top, Tinted(image, hl, 0.5));
            else
                canvas.drawImage(r.Left + kImageLeft, r.Top, image);
        }
        x += kImageOffset + LeftGap();
    } else {
        x += kTextOffset + LeftGap();
    }

    const QFont textFont = font();
    int edge = r.Left + ColumnWidth(0);
    const TRect caption{x + kTextInset, r.Top, std::min(edge, cell.Right - kTextInset), r.Bottom};
    TTextPainter::Draw(canvas, caption.ToQRect(), item->Caption, textFont, fontColour,
                       m_cell.TextAsThreeD);

    for (int i = 0; i < item->SubItems.size() && i + 1 < ColumnCount(); ++i) {
        x = edge;
        edge = x + ColumnWidth(i + 1);
        x += kTextOffset;
        const TRect text{x + kTextInset, r.Top, std::min(edge, cell.Right - kTextInset), r.Bottom};
        TTextPainter::Draw(canvas, text.ToQRect(), item->SubItems.at(i), textFont, fontColour,
                           m_cell.TextAsThreeD);
    }
}
