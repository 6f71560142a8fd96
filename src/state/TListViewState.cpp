#include "state/TListViewState.h"
#include "components/listview/TClrListView.h"
#include "state/TIniBatch.h"
#include "state/TSectionReader.h"
#include "state/TSectionWriter.h"
#include "state/TStateFont.h"
#include "state/TStateValue.h"

const QStringList& TListViewState::Keys()
{
    static const QStringList keys = {"CellHiLightColour",
                                     "CellOutlineWidth",
                                     "CellPaint",
                                     "CellPaintColour",
                                     "Color",
                                     "DoCellOutline",
                                     "DrawCellOutline",
                                     "FontName",
                                     "FontSize",
                                     "FontColour",
                                     "HitGap",
                                     "LeftGap",
                                     "TextAsThreeD",
                                     "TextHiLight",
                                     "TextNormalCol"};
    return keys;
}

QString TListViewState::SectionOf(const QString& section)
{
    return section.isEmpty() ? TKXIniFile::ListViewSection : section;
}

bool TListViewState::WriteListViewState(TKXIniFile& ini, const TClrListView* listView,
                                        const QString& section)
{
    if (!listView)
        return false;
    const TClrListView& v = *listView;
    TIniBatch batch(ini);
    TSectionWriter w(ini, SectionOf(section));
    const bool written =
        w.Integer("CellHiLightColour", v.CellHiLightColour()) &&
        w.Integer("CellOutlineWidth", v.CellOutlineWidth()) &&
        w.Boolean("CellPaint", v.CellPaint()) &&
        w.Integer("CellPaintColour", v.CellPaintColour()) && w.Integer("Color", v.Color()) &&
        w.Integer("DoCellOutline", v.DoCellOutline()) &&
        w.Integer("DrawCellOutline", v.DrawCellOutline()) &&
        TStateFont::Write(w, v.font(), v.FontColour()) && w.Integer("HitGap", v.HitGap()) &&
        w.Integer("LeftGap", v.LeftGap()) && w.Boolean("TextAsThreeD", v.TextAsThreeD()) &&
        w.Integer("TextHiLight", v.TextHiLight()) && w.Integer("TextNormalCol", v.TextNormalCol());
    const bool committed = batch.End();
    return written && committed;
}

bool TListViewState::ReadListViewState(TKXIniFile& ini, TClrListView* listView,
                                       const QString& section)
{
    if (!listView)
        return false;
    TIniBatch batch(ini);
    const bool read = ReadKeys(ini, *listView, SectionOf(section));
    batch.End();
    listView->Repaint();
    return read;
}

bool TListViewState::ReadKeys(TKXIniFile& ini, TClrListView& v, const QString& section)
{
    const TSectionReader r(ini, section);
    v.SetCellHiLightColour(r.Lenient("CellHiLightColour"));
    v.SetCellOutlineWidth(r.Lenient("CellOutlineWidth"));
    v.SetCellPaint(r.Boolean("CellPaint"));
    v.SetCellPaintColour(r.Lenient("CellPaintColour"));
    v.SetColor(r.Lenient("Color"));
    v.SetDoCellOutline(TStateValue::Ordinal(r.Lenient("DoCellOutline"), rlsUnderline));
    v.SetDrawCellOutline(TStateValue::Ordinal(r.Lenient("DrawCellOutline"), rcsRoundLeft));
    if (!TStateFont::Read(r, v, [&v](qint32 colour) { v.SetFontColour(colour); }))
        return false;
    v.SetHitGap(r.Lenient("HitGap"));
    v.SetLeftGap(r.Lenient("LeftGap"));
    v.SetTextAsThreeD(r.Boolean("TextAsThreeD"));
    v.SetTextHiLight(r.Lenient("TextHiLight"));
    v.SetTextNormalCol(r.Lenient("TextNormalCol"));
    return true;
}
