#include "state/TStyleCopies.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TROutliner.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "state/TLookSection.h"
#include "state/TLookTables.h"
#include <exception>

namespace {

template <class Steps>
bool Guarded(Steps steps)
{
    try {
        steps();
        return true;
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
        TLookSection<TROutliner>::Copy(*target, *source, TLookTables::Outliner());
        target->Repaint();
    });
}

bool TStyleCopies::CopyListViewStyle(TClrListView* target, const TClrListView* source)
{
    if (!source)
        return true;
    if (!target)
        return false;
    return Guarded([&] {
        TLookSection<TClrListView>::Copy(*target, *source, TLookTables::ListView());
        // Passing through the list style makes the view lay its rows out again for the
        // new font.
        target->SetViewStyle(vsList);
        target->SetViewStyle(source->ViewStyle());
        target->Repaint();
    });
}

bool TStyleCopies::CopyPanelStyle(TKXPanelPage* target, const TKXPanelPage* source)
{
    if (!source || !target)
        return false;
    return Guarded([&] {
        TLookSection<TKXPanelPage>::Copy(*target, *source, TLookTables::Panel());
        target->setFont(source->font());
        target->update();
    });
}

bool TStyleCopies::CopySplitterStyle(TGraphicSplitBar* target, const TGraphicSplitBar* source)
{
    if (!source || !target)
        return false;
    return Guarded([&] {
        // The bar's thickness comes across (Width for a bar aligned left or right, else
        // Height); its length is its layout's, which differs between the preview and the
        // display.
        const bool vertical = target->Align() == alLeft || target->Align() == alRight;
        TLookSection<TGraphicSplitBar>::Copy(*target, *source, TLookTables::Splitter(vertical));
        target->SetLimitLeftOffset(source->LimitLeftOffset());
        target->SetLimitRightOffset(source->LimitRightOffset());
        target->update();
    });
}
