#include "state/TStyleCopies.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TROutliner.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include <exception>

namespace {

// A picture of its own for the target; false when the copy cannot be made (no memory).
bool OwnCopy(const QImage& source, QImage* copy)
{
    *copy = source.copy();
    return !copy->isNull();
}

template <class Steps>
bool Guarded(Steps steps)
{
    try {
        return steps();
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool TStyleCopies::CopyOutlinerStyle(TROutliner* target, const TROutliner* source)
{
    if (!source)
        return true;
    if (!target)
        return false;
    return Guarded([&] {
        TROutliner& t = *target;
        const TROutliner& s = *source;
        t.SetBackgroundCellCopyMode(s.BackgroundCellCopyMode());
        t.SetBackgroundCopyMode(s.BackgroundCopyMode());
        t.SetBackGroundStyle(s.BackGroundStyle());
        if (!s.Bitmap().isNull()) {
            QImage bitmap;
            if (!OwnCopy(s.Bitmap(), &bitmap))
                return false;
            t.SetBitmap(bitmap);
            t.SetBitmapFileName(s.BitmapFileName());
        }
        t.SetCellPaint(s.CellPaint());
        t.SetColor(s.Color());
        t.SetCellPaintColour(s.CellPaintColour());
        t.SetCellHiLightColour(s.CellHiLightColour());
        t.SetCellOutlineWidth(s.CellOutlineWidth());
        t.SetControlOutline(s.ControlOutline());
        t.SetDrawCellOutline(s.DrawCellOutline());
        t.SetDoCellOutline(s.DoCellOutline());
        t.SetGradientHiLight(s.GradientHiLight());
        t.SetGradientLoLight(s.GradientLoLight());
        t.SetHitGap(s.HitGap());
        t.SetLeftGap(s.LeftGap());
        t.SetTextNormalCol(s.TextNormalCol());
        t.SetTextHiLight(s.TextHiLight());
        t.SetTextAsThreeD(s.TextAsThreeD());
        t.setFont(s.font());
        t.SetFontColour(s.FontColour());
        t.SetItemHeight(s.ItemHeight());
        t.Repaint();
        return true;
    });
}

bool TStyleCopies::CopyListViewStyle(TClrListView* target, const TClrListView* source)
{
    if (!source)
        return true;
    if (!target)
        return false;
    return Guarded([&] {
        TClrListView& t = *target;
        const TClrListView& s = *source;
        t.SetCellHiLightColour(s.CellHiLightColour());
        t.SetCellOutlineWidth(s.CellOutlineWidth());
        t.SetCellPaint(s.CellPaint());
        t.SetCellPaintColour(s.CellPaintColour());
        t.SetColor(s.Color());
        t.SetDoCellOutline(s.DoCellOutline());
        t.SetDrawCellOutline(s.DrawCellOutline());
        t.setFont(s.font());
        t.SetFontColour(s.FontColour());
        // Passing through the list style makes the view lay its rows out again for the
        // new font.
        t.SetViewStyle(vsList);
        t.SetViewStyle(s.ViewStyle());
        t.SetHitGap(s.HitGap());
        t.SetLeftGap(s.LeftGap());
        t.SetTextAsThreeD(s.TextAsThreeD());
        t.SetTextHiLight(s.TextHiLight());
        t.SetTextNormalCol(s.TextNormalCol());
        t.Repaint();
        return true;
    });
}

bool TStyleCopies::CopyPanelStyle(TKXPanelPage* target, const TKXPanelPage* source)
{
    if (!source || !target)
        return false;
    return Guarded([&] {
        TKXPanelPage& t = *target;
        const TKXPanelPage& s = *source;
        t.SetAlignTopGap(s.AlignTopGap());
        t.SetAlignLeftGap(s.AlignLeftGap());
        t.SetAlignRightGap(s.AlignRightGap());
        t.SetAlignBottomGap(s.AlignBottomGap());
        t.SetBackGroundStyle(s.BackGroundStyle());
        t.SetColor(s.Color());
        t.SetControlOutline(s.ControlOutline());
        t.setFont(s.font());
        t.SetGradientHiLight(s.GradientHiLight());
        t.SetGradientLoLight(s.GradientLoLight());
        t.SetLeaveSpaceAtBottom(s.LeaveSpaceAtBottom());
        t.SetLeaveSpaceAtTitle(s.LeaveSpaceAtTitle());
        if (!s.TileBitmap().isNull()) {
            QImage tile;
            if (!OwnCopy(s.TileBitmap(), &tile))
                return false;
            t.SetTileBitmap(tile);
            t.SetBitmapFileName(s.BitmapFileName());
        }
        t.update();
        return true;
    });
}

bool TStyleCopies::CopySplitterStyle(TGraphicSplitBar* target, const TGraphicSplitBar* source)
{
    if (!source || !target)
        return false;
    return Guarded([&] {
        TGraphicSplitBar& t = *target;
        const TGraphicSplitBar& s = *source;
        t.SetBorderStyle(s.BorderStyle());
        t.SetColor(s.Color());
        t.SetDrawEdge(s.DrawEdge());
        t.SetLimitLeftOffset(s.LimitLeftOffset());
        t.SetLimitRightOffset(s.LimitRightOffset());
        t.SetShadowStyle(s.ShadowStyle());
        t.SetShThickness(s.ShThickness());
        if (!s.Picture().isNull()) {
            QImage picture;
            if (!OwnCopy(s.Picture(), &picture))
                return false;
            t.SetPicture(picture);
        }
        t.SetWidth(s.Width());
        t.SetHeight(s.Height());
        t.update();
        return true;
    });
}
