#pragma once

class TClrListView;
class TGraphicSplitBar;
class TKXPanelPage;
class TROutliner;

// The controls the style pages act on: the editor points them at its preview controls when
// it is created, and every handler goes through them.
struct TEditorTargets
{
    TROutliner* Outline = nullptr;
    TKXPanelPage* Panel = nullptr;
    TGraphicSplitBar* VertSplitter = nullptr;
    TGraphicSplitBar* HorzSplitter = nullptr;
    TClrListView* ListView = nullptr;
};
