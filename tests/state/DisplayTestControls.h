#pragma once
// The six styled controls of the browsing window, as the state file tests build them.
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "state/TDisplayControls.h"
#include <QFont>
#include <QImage>

namespace statetest {

struct TTestDisplay
{
    TMDIOutline FolderList;
    TMDIOutline ReadOutliner;
    TClrListView DocList;
    TKXPanelPage PanelPage;
    TGraphicSplitBar GraphicSplit1;
    TGraphicSplitBar GraphicSplit2;

    TTestDisplay()
    {
        FolderList.resize(231, 250);
        ReadOutliner.resize(231, 250);
        DocList.resize(231, 177);
        PanelPage.resize(231, 428);
        GraphicSplit1.SetAlign(alLeft);
        GraphicSplit2.SetAlign(alBottom);
    }

    TDisplayControls Controls()
    {
        TDisplayControls c;
        c.FolderList = &FolderList;
        c.ReadOutliner = &ReadOutliner;
        c.DocList = &DocList;
        c.PanelPage = &PanelPage;
        c.GraphicSplit1 = &GraphicSplit1;
        c.GraphicSplit2 = &GraphicSplit2;
        return c;
    }

    static void StyleOutliner(TROutliner& o)
    {
        QImage tile(8, 8, QImage::Format_RGB32); // built into the window, from no file
        tile.fill(QColor(90, 90, 120));
        o.SetBitmap(tile);
        o.SetBackgroundCellCopyMode(15597702);
        o.SetBackgroundCopyMode(13369376);
        o.SetBackGroundStyle(rbsBitmap);
        o.SetCellHiLightColour(12632256);
        o.SetCellOutlineWidth(1);
        o.SetCellPaint(true);
        o.SetCellPaintColour(12615744);
        o.SetColor(16777215);
        o.SetControlOutline(kxNoDraw);
        o.SetDoCellOutline(rlsUnderline);
        o.SetDrawCellOutline(rcsBox);
        QFont font("MS Sans Serif");
        font.setPointSize(10);
        font.setBold(true);
        o.setFont(font);
        o.SetFontColour(0);
        o.SetGradientHiLight(8388608);
        o.SetGradientLoLight(16777215);
        o.SetHitGap(10);
        o.SetItemHeight(30);
        o.SetLeftGap(10);
        o.SetTextAsThreeD(false);
        o.SetTextHiLight(128);
        o.SetTextNormalCol(16777215);
    }

    // The look the browsing window is designed with.
    void StyleAsDesign()
    {
        StyleOutliner(FolderList);
        StyleOutliner(ReadOutliner);

        DocList.SetDoCellOutline(rlsUnderline);
        DocList.SetDrawCellOutline(rcsBox);
        DocList.SetCellHiLightColour(-2147483643);
        DocList.SetCellOutlineWidth(1);
        DocList.SetCellPaint(true);
        DocList.SetCellPaintColour(16777215);
        DocList.SetColor(16777215);
        QFont font("MS Sans Serif");
        font.setPointSize(8);
        DocList.setFont(font);
        DocList.SetFontColour(0);
        DocList.SetHitGap(10);
        DocList.SetLeftGap(10);
        DocList.SetTextAsThreeD(false);
        DocList.SetTextHiLight(255);
        DocList.SetTextNormalCol(0);
        DocList.SetViewStyle(vsReport);

        QImage tile(16, 16, QImage::Format_RGB32);
        tile.fill(QColor(40, 60, 40));
        PanelPage.SetTileBitmap(tile);
        PanelPage.SetBackGroundStyle(rbsBitmap);
        PanelPage.SetAlignTopGap(20);
        PanelPage.SetAlignLeftGap(20);
        PanelPage.SetAlignRightGap(20);
        PanelPage.SetAlignBottomGap(20);
        PanelPage.SetControlOutline(kxBoxIn);
        PanelPage.SetGradientHiLight(0);
        PanelPage.SetGradientLoLight(16777215);
        PanelPage.SetLeaveSpaceAtBottom(50);
        PanelPage.SetLeaveSpaceAtTitle(15);

        for (TGraphicSplitBar* bar : {&GraphicSplit1, &GraphicSplit2}) {
            bar->SetBorderStyle(0);
            bar->SetColor(16777215);
            bar->SetDrawEdge(false);
            bar->SetShThickness(8);
        }
        GraphicSplit1.SetShadowStyle(ssShadLeft);
        GraphicSplit1.SetWidth(6);
        GraphicSplit1.SetLimitLeftOffset(50);
        GraphicSplit1.SetLimitRightOffset(50);
        GraphicSplit2.SetShadowStyle(ssShadBottom);
        GraphicSplit2.SetHeight(7);
    }
};

// The file SaveDisplayState writes for the design look into a new file.
inline const QByteArray kDesignStateFile = "[Outliners]\r\n"
                                           "BackgroundCellCopyMode=15597702\r\n"
                                           "BackgroundCopyMode=13369376\r\n"
                                           "BackGroundStyle=1\r\n"
                                           "BitmapFile=Empty\r\n"
                                           "CellHiLightColour=12632256\r\n"
                                           "CellOutlineWidth=1\r\n"
                                           "CellPaint=1\r\n"
                                           "CellPaintColour=12615744\r\n"
                                           "Color=16777215\r\n"
                                           "ControlOutline=2\r\n"
                                           "DoCellOutline=2\r\n"
                                           "DrawCellOutline=1\r\n"
                                           "FontName=MS Sans Serif\r\n"
                                           "FontSize=10\r\n"
                                           "FontColour=0\r\n"
                                           "GradientHiLight=8388608\r\n"
                                           "GradientLoLight=16777215\r\n"
                                           "HitGap=10\r\n"
                                           "ItemHeight=30\r\n"
                                           "LeftGap=10\r\n"
                                           "TextAsThreeD=0\r\n"
                                           "TextHiLight=128\r\n"
                                           "TextNormalCol=16777215\r\n"
                                           "FontStyle=1\r\n"
                                           "[FilesList]\r\n"
                                           "CellHiLightColour=-2147483643\r\n"
                                           "CellOutlineWidth=1\r\n"
                                           "CellPaint=1\r\n"
                                           "CellPaintColour=16777215\r\n"
                                           "Color=16777215\r\n"
                                           "DoCellOutline=2\r\n"
                                           "DrawCellOutline=1\r\n"
                                           "FontName=MS Sans Serif\r\n"
                                           "FontSize=8\r\n"
                                           "FontColour=0\r\n"
                                           "HitGap=10\r\n"
                                           "LeftGap=10\r\n"
                                           "TextAsThreeD=0\r\n"
                                           "TextHiLight=255\r\n"
                                           "TextNormalCol=0\r\n"
                                           "FontStyle=0\r\n"
                                           "[Panel]\r\n"
                                           "AlignTopGap=20\r\n"
                                           "AlignLeftGap=20\r\n"
                                           "AlignRightGap=20\r\n"
                                           "AlignBottomGap=20\r\n"
                                           "BackGroundStyle=1\r\n"
                                           "Color=0\r\n"
                                           "ControlOutline=0\r\n"
                                           "GradientHiLight=0\r\n"
                                           "GradientLoLight=16777215\r\n"
                                           "LeaveSpaceAtBottom=50\r\n"
                                           "LeaveSpaceAtTitle=15\r\n"
                                           "BitmapFile=Empty\r\n"
                                           "[Vertical Splitter]\r\n"
                                           "BorderStyle=0\r\n"
                                           "Color=16777215\r\n"
                                           "DrawEdge=0\r\n"
                                           "ShadowStyle=3\r\n"
                                           "ShThickness=8\r\n"
                                           "Width=6\r\n"
                                           "PictureFile=Empty\r\n"
                                           "[Horizontal Splitter]\r\n"
                                           "BorderStyle=0\r\n"
                                           "Color=16777215\r\n"
                                           "DrawEdge=0\r\n"
                                           "ShadowStyle=6\r\n"
                                           "ShThickness=8\r\n"
                                           "Height=7\r\n"
                                           "PictureFile=Empty\r\n";

} // namespace statetest
