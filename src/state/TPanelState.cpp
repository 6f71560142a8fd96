#include "state/TPanelState.h"
#include "components/panels/TKXPanelPage.h"
#include "state/TBitmapFileKey.h"
#include "state/TIniBatch.h"
#include "state/TSectionReader.h"
#include "state/TSectionWriter.h"
#include "state/TStateFileCheck.h"
#include "state/TStateValue.h"

const QStringList& TPanelState::Keys()
{
    static const QStringList keys = {"AlignTopGap",        "AlignLeftGap",      "AlignRightGap",
                                     "AlignBottomGap",     "BackGroundStyle",   "Color",
                                     "ControlOutline",     "GradientHiLight",   "GradientLoLight",
                                     "LeaveSpaceAtBottom", "LeaveSpaceAtTitle", "BitmapFile"};
    return keys;
}

QString TPanelState::SectionOf(const QString& section)
{
    return section.isEmpty() ? TKXIniFile::PanelSection : section;
}

bool TPanelState::WritePanelState(TKXIniFile& ini, const TKXPanelPage* panel,
                                  const QString& section)
{
    if (!panel)
        return false;
    const TKXPanelPage& p = *panel;
    TIniBatch batch(ini);
    TSectionWriter w(ini, SectionOf(section));
    const bool written =
        w.Integer("AlignTopGap", p.AlignTopGap()) && w.Integer("AlignLeftGap", p.AlignLeftGap()) &&
        w.Integer("AlignRightGap", p.AlignRightGap()) &&
        w.Integer("AlignBottomGap", p.AlignBottomGap()) &&
        w.Integer("BackGroundStyle", p.BackGroundStyle()) && w.Integer("Color", p.Color()) &&
        w.Integer("ControlOutline", p.ControlOutline()) &&
        w.Integer("GradientHiLight", p.GradientHiLight()) &&
        w.Integer("GradientLoLight", p.GradientLoLight()) &&
        w.Integer("LeaveSpaceAtBottom", p.LeaveSpaceAtBottom()) &&
        w.Integer("LeaveSpaceAtTitle", p.LeaveSpaceAtTitle()) &&
        TBitmapFileKey::WriteBitmapFileKey(ini, p.BitmapFileName(), w.Section());
    const bool committed = batch.End();
    return written && committed;
}

bool TPanelState::ReadPanelState(TKXIniFile& ini, TKXPanelPage* panel, const QString& section)
{
    if (!panel)
        return false;
    TIniBatch batch(ini);
    const bool read = ReadKeys(ini, *panel, SectionOf(section));
    batch.End();
    panel->update();
    return read;
}

bool TPanelState::ReadKeys(TKXIniFile& ini, TKXPanelPage& p, const QString& section)
{
    const TSectionReader r(ini, section);
    p.SetAlignTopGap(r.Lenient("AlignTopGap"));
    p.SetAlignLeftGap(r.Lenient("AlignLeftGap"));
    p.SetAlignRightGap(r.Lenient("AlignRightGap"));
    p.SetAlignBottomGap(r.Lenient("AlignBottomGap"));
    p.SetBackGroundStyle(TStateValue::Ordinal(r.Lenient("BackGroundStyle"), rbsGradient));
    p.SetColor(r.Lenient("Color"));
    p.SetControlOutline(TStateValue::Ordinal(r.Lenient("ControlOutline"), kxNoDraw));
    p.SetGradientHiLight(r.Lenient("GradientHiLight"));
    p.SetGradientLoLight(r.Lenient("GradientLoLight"));
    p.SetLeaveSpaceAtBottom(r.Lenient("LeaveSpaceAtBottom"));
    p.SetLeaveSpaceAtTitle(r.Lenient("LeaveSpaceAtTitle"));
    return ReadPanelBitmap(ini, &p, section);
}

bool TPanelState::ReadPanelBitmap(TKXIniFile& ini, TKXPanelPage* panel, const QString& section)
{
    if (!panel)
        return false;
    const TKXBackStyle stored = panel->BackGroundStyle();
    const QString path = TBitmapFileKey::PathToLoad(ini, SectionOf(section));
    if (!path.isEmpty() && TStateFileCheck::IsReadable(path))
        panel->LoadTileBitmap(path);
    panel->SetBackGroundStyle(stored);
    return true;
}
