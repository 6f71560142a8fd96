#include "components/panels/TGapPlacer.h"
#include "components/paint/TFramePainter.h"
#include <algorithm>

void TGapPlacer::PlaceInGaps(QWidget* control, QPainter* canvas, int leftGap, int topGap,
                             int rightGap, int bottomGap, const TRect& rect, TKXCStyle style)
{
    if (!control)
        return;
    const int left = rect.Left + leftGap;
    const int top = rect.Top + topGap;
    const int width = std::max(0, rect.Right - rightGap - leftGap);
    const int height = std::max(0, rect.Bottom - bottomGap - topGap);
    const QRect bounds(left, top, width, height);
    const bool paintingParent = canvas && canvas->isActive() && control->parentWidget() &&
                                canvas->device() == control->parentWidget();
    if (control->geometry() != bounds)
        control->setGeometry(bounds); // a move or resize repaints the control by itself
    else if (!paintingParent)
        control->update();
    if (style != kxNoDraw && canvas && canvas->isActive())
        TFramePainter::Bevel(*canvas, bounds.adjusted(-1, -1, 1, 1), style == kxBoxIn, 1);
}
