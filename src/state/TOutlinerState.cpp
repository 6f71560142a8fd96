#include "state/TOutlinerState.h"
#include "components/outline/TROutliner.h"
#include "state/TBitmapFileKey.h"
#include "state/TIniBatch.h"
#include "state/TSectionReader.h"
#include "state/TSectionWriter.h"
#include "state/TStateFileCheck.h"
#include "state/TStateFont.h"
#include "state/TStateValue.h"

const QStringList& TOutlinerState::Keys()
{
    static const QStringList keys = {"BackgroundCellCopyMode",
                                     "BackgroundCopyMode",
                                     "BackGroundStyle",
                                     "BitmapFile",
                                     "CellHiLightColour",
                                     "CellOutlineWidth",
                                     "CellPaint",
                                     "CellPaintColour",
                                     "Color",
                                     "ControlOutline",
                                     "DoCellOutline",
                                     "DrawCellOutline",
                                     "FontName",
                                     "FontSize",
                                     "FontColour",
                                     "GradientHiLight",
                                     "GradientLoLight",
                                     "HitGap",
                                     "ItemHeight",
                                     "LeftGap",
                                     "TextAsThreeD",
                                     "TextHiLight",
                                     "TextNormalCol"};
    return keys;
}

QString TOutlinerState::SectionOf(const QString& section)
{
    return section.isEmpty() ? TKXIniFile::OutlinerSection : section;
}

bool TOutlinerState::WriteOutlinerState(TKXIniFile& ini, const TROutliner* outliner,
                                        const QString& section)
{
    if (!outliner)
        return false;
    const TROutliner& o = *outliner;
    TIniBatch batch(ini);
    TSectionWriter w(ini, SectionOf(section));
    const bool written =
        w.Integer("BackgroundCellCopyMode", qint32(o.BackgroundCellCopyMode())) &&
        w.Integer("BackgroundCopyMode", qint32(o.BackgroundCopyMode())) &&
        w.Integer("BackGroundStyle", o.BackGroundStyle()) &&
        TBitmapFileKey::WriteBitmapFileKey(ini, o.BitmapFileName(), w.Section()) &&
        w.Integer("CellHiLightColour", o.CellHiLightColour()) &&
        w.Integer("CellOutlineWidth", o.CellOutlineWidth()) &&
        w.Boolean("CellPaint", o.CellPaint()) &&
        w.Integer("CellPaintColour", o.CellPaintColour()) && w.Integer("Color", o.Color()) &&
        w.Integer("ControlOutline", o.ControlOutline()) &&
        w.Integer("DoCellOutline", o.DoCellOutline()) &&
        w.Integer("DrawCellOutline", o.DrawCellOutline()) &&
        TStateFont::Write(w, o.font(), o.FontColour()) &&
        w.Integer("GradientHiLight", o.GradientHiLight()) &&
        w.Integer("GradientLoLight", o.GradientLoLight()) && w.Integer("HitGap", o.HitGap()) &&
        w.Integer("ItemHeight", o.ItemHeight()) && w.Integer("LeftGap", o.LeftGap()) &&
        w.Boolean("TextAsThreeD", o.TextAsThreeD()) && w.Integer("TextHiLight", o.TextHiLight()) &&
        w.Integer("TextNormalCol", o.TextNormalCol());
    const bool committed = batch.End();
    return written && committed;
}

bool TOutlinerState::ReadOutlinerState(TKXIniFile& ini, TROutliner* outliner,
                                       const QString& section)
{
    if (!outliner)
        return false;
    TIniBatch batch(ini);
    const bool read = ReadKeys(ini, *outliner, SectionOf(section));
    batch.End();
    outliner->Repaint();
    return read;
}

bool TOutlinerState::ReadKeys(TKXIniFile& ini, TROutliner& o, const QString& section)
{
    const TSectionReader r(ini, section);
    qint32 colour = 0;
    o.SetBackgroundCellCopyMode(quint32(r.Lenient("BackgroundCellCopyMode")));
    o.SetBackgroundCopyMode(quint32(r.Lenient("BackgroundCopyMode")));
    o.SetBackGroundStyle(TStateValue::Ordinal(r.Lenient("BackGroundStyle"), rbsGradient));
    if (!ReadOutlinerBitmap(ini, &o, section))
        return false;
    if (!r.Strict("CellHiLightColour", &colour))
        return false;
    o.SetCellHiLightColour(colour);
    o.SetCellOutlineWidth(r.Lenient("CellOutlineWidth"));
    o.SetCellPaint(r.Boolean("CellPaint"));
    if (!r.Strict("CellPaintColour", &colour))
        return false;
    o.SetCellPaintColour(colour);
    if (!r.Strict("Color", &colour))
        return false;
    o.SetColor(colour);
    o.SetControlOutline(TStateValue::Ordinal(r.Lenient("ControlOutline"), kxNoDraw));
    o.SetDoCellOutline(TStateValue::Ordinal(r.Lenient("DoCellOutline"), rlsUnderline));
    o.SetDrawCellOutline(TStateValue::Ordinal(r.Lenient("DrawCellOutline"), rcsRoundLeft));
    if (!TStateFont::Read(r, o, [&o](qint32 c) { o.SetFontColour(c); }))
        return false;
    if (!r.Strict("GradientHiLight", &colour))
        return false;
    o.SetGradientHiLight(colour);
    if (!r.Strict("GradientLoLight", &colour))
        return false;
    o.SetGradientLoLight(colour);
    o.SetHitGap(r.Lenient("HitGap"));
    o.SetItemHeight(r.Lenient("ItemHeight"));
    o.SetLeftGap(r.Lenient("LeftGap"));
    o.SetTextAsThreeD(r.Boolean("TextAsThreeD"));
    if (!r.Strict("TextHiLight", &colour))
        return false;
    o.SetTextHiLight(colour);
    if (!r.Strict("TextNormalCol", &colour))
        return false;
    o.SetTextNormalCol(colour);
    return true;
}

bool TOutlinerState::ReadOutlinerBitmap(TKXIniFile& ini, TROutliner* outliner,
                                        const QString& section)
{
    if (!outliner)
        return false;
    const TKXBackStyle stored = outliner->BackGroundStyle();
    const QString path = TBitmapFileKey::PathToLoad(ini, SectionOf(section));
    if (!path.isEmpty() && TStateFileCheck::IsReadable(path))
        outliner->LoadBackgroundBitmap(path);
    outliner->SetBackGroundStyle(stored);
    return true;
}
