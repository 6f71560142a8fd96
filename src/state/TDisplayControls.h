#pragma once

class TClrListView;
class TGraphicSplitBar;
class TKXPanelPage;
class TROutliner;

// The six styled controls of the browsing window whose look a state file keeps. The
// window lives in a higher layer, so it hands its controls over in this form.
struct TDisplayControls
{
    TROutliner* FolderList = nullptr;
    TROutliner* ReadOutliner = nullptr;
    TClrListView* DocList = nullptr;
    TKXPanelPage* PanelPage = nullptr;
    TGraphicSplitBar* GraphicSplit1 = nullptr; // vertical, aligned left
    TGraphicSplitBar* GraphicSplit2 = nullptr; // horizontal, aligned bottom
};
