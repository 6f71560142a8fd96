#include "state/TSplitterState.h"
#include "components/panels/TGraphicSplitBar.h"
#include "state/TIniBatch.h"
#include "state/TSectionReader.h"
#include "state/TSectionWriter.h"
#include "state/TStateValue.h"

const QStringList& TSplitterState::Keys()
{
    static const QStringList keys = {"BorderStyle", "Color", "DrawEdge", "ShadowStyle",
                                     "ShThickness"};
    return keys;
}

bool TSplitterState::IsVertical(const TGraphicSplitBar& splitter)
{
    return splitter.Align() == alLeft || splitter.Align() == alRight;
}

QString TSplitterState::DefaultSection(const TGraphicSplitBar& splitter)
{
    return IsVertical(splitter) ? TKXIniFile::VerticalSplitterSection
                                : TKXIniFile::HorizontalSplitterSection;
}

bool TSplitterState::WriteSplitterState(TKXIniFile& ini, const TGraphicSplitBar* splitter,
                                        const QString& section)
{
    if (!splitter)
        return false;
    const TGraphicSplitBar& s = *splitter;
    TIniBatch batch(ini);
    TSectionWriter w(ini, section.isEmpty() ? DefaultSection(s) : section);
    const bool written =
        w.Integer("BorderStyle", s.BorderStyle()) && w.Integer("Color", s.Color()) &&
        w.Boolean("DrawEdge", s.DrawEdge()) && w.Integer("ShadowStyle", s.ShadowStyle()) &&
        w.Integer("ShThickness", s.ShThickness()) &&
        (IsVertical(s) ? w.Integer("Width", s.Width()) : w.Integer("Height", s.Height()));
    const bool committed = batch.End();
    return written && committed;
}

bool TSplitterState::ReadSplitterState(TKXIniFile& ini, TGraphicSplitBar* splitter,
                                       const QString& section)
{
    if (!splitter)
        return false;
    TGraphicSplitBar& s = *splitter;
    const QString name = section.isEmpty() ? DefaultSection(s) : section;
    TIniBatch batch(ini);
    const TSectionReader r(ini, name);
    s.SetBorderStyle(r.Lenient("BorderStyle"));
    s.SetColor(r.Lenient("Color"));
    s.SetDrawEdge(r.Boolean("DrawEdge"));
    s.SetShadowStyle(TStateValue::Ordinal(r.Lenient("ShadowStyle"), ssShadBottom));
    s.SetShThickness(r.Lenient("ShThickness"));
    if (name == TKXIniFile::VerticalSplitterSection)
        s.SetWidth(r.Lenient("Width"));
    else
        s.SetHeight(r.Lenient("Height"));
    batch.End();
    return true;
}
