#include "components/listview/TListDefaultPainter.h"
#include "components/listview/TSortListView.h"
#include "platform/TColorRef.h"
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int kHeaderTextGap = 6; // header caption inset
constexpr int kTextGap = 5;       // before a cell's text

} // namespace

void TListDefaultPainter::DrawItem(QPainter& canvas, TSortListView& view, int index,
                                   const QRect& rect, TOwnerDrawState state)
{
    const TListItem* item = view.Item(index);
    if (!item)
        return;
    const QList<QImage>& images = view.SmallImages();
    const TViewStyle style = view.ViewStyle();
    const bool selected = state & odSelected;
    const QPalette& pal = view.palette();
    canvas.fillRect(rect,
                    selected ? pal.color(QPalette::Highlight) : TColorRef::ToQColor(view.Color()));
    canvas.setPen(selected ? pal.color(QPalette::HighlightedText)
                           : TColorRef::ToQColor(view.FontColour()));
    const QFontMetrics metrics(canvas.font());
    const int flags = Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine;

    int x = rect.left();
    const QImage* image = nullptr;
    if (item->ImageIndex >= 0 && item->ImageIndex < images.size())
        image = &images.at(item->ImageIndex);
    if (style != vsReport) {
        QRect text = rect.adjusted(2, 0, -2, 0);
        if (style == vsIcon) {
            if (image)
                canvas.drawImage(rect.left() + (rect.width() - image->width()) / 2, rect.top() + 2,
                                 *image);
            text.setTop(rect.top() + IconSpace);
            canvas.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                            metrics.elidedText(item->Caption, Qt::ElideRight, text.width()));
        } else {
            if (image) {
                canvas.drawImage(rect.left() + 2, rect.top(), *image);
                text.setLeft(text.left() + ImageGap);
            }
            canvas.drawText(text, flags,
                            metrics.elidedText(item->Caption, Qt::ElideRight, text.width()));
        }
    } else {
        for (int c = 0; c < std::max(1, view.ColumnCount()); ++c) {
            const int width = view.ColumnCount() == 0 ? rect.width() : view.ColumnWidth(c);
            QRect cell(x, rect.top(), width, rect.height());
            x += width;
            QRect text = cell.adjusted(kTextGap, 0, -kTextGap, 0);
            if (c == 0 && !images.isEmpty()) {
                if (image)
                    canvas.drawImage(cell.left() + 2, cell.top(), *image);
                text.setLeft(cell.left() + ImageGap + kTextGap);
            }
            if (text.width() <= 0)
                continue;
            canvas.drawText(text, flags,
                            metrics.elidedText(item->ColumnText(c), Qt::ElideRight, text.width()));
        }
    }
    if (state & odFocused) {
        QPen pen(selected ? pal.color(QPalette::HighlightedText)
                          : TColorRef::ToQColor(view.FontColour()));
        pen.setStyle(Qt::DotLine);
        canvas.setPen(pen);
        canvas.setBrush(Qt::NoBrush);
        canvas.drawRect(rect.adjusted(0, 0, -1, -1));
    }
}

void TListDefaultPainter::DrawHeader(QPainter& canvas, TSortListView& view, int width)
{
    const int height = view.HeaderHeight();
    const QPalette& pal = view.palette();
    const int scroll = view.horizontalScrollBar()->value();
    canvas.fillRect(QRect(0, 0, width, height), pal.color(QPalette::Button));
    const QFontMetrics metrics(canvas.font());
    int x = -scroll;
    for (int c = 0; c < view.ColumnCount(); ++c) {
        const int columnWidth = view.ColumnWidth(c);
        const QRect cell(x, 0, columnWidth, height);
        canvas.setPen(pal.color(QPalette::Light));
        canvas.drawLine(cell.topLeft(), cell.topRight());
        canvas.drawLine(cell.topLeft(), cell.bottomLeft());
        canvas.setPen(pal.color(QPalette::Dark));
        canvas.drawLine(cell.bottomLeft(), cell.bottomRight());
        canvas.drawLine(cell.topRight(), cell.bottomRight());
        canvas.setPen(pal.color(QPalette::ButtonText));
        const QRect text = cell.adjusted(kHeaderTextGap, 0, -kHeaderTextGap, 0);
        if (text.width() > 0)
            canvas.drawText(
                text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                metrics.elidedText(view.Column(c)->Caption, Qt::ElideRight, text.width()));
        x += columnWidth;
    }
}
