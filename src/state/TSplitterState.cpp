#include "state/TSplitterState.h"
#include "components/panels/TGraphicSplitBar.h"
#include "state/TIniBatch.h"
#include "state/TLookSection.h"
#include "state/TLookTables.h"

const QStringList& TSplitterState::Keys()
{
    static const QStringList keys = TLookTables::Keys(TLookTables::Splitter(true)).mid(0, 5);
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
    const bool written =
        TLookSection<TGraphicSplitBar>::Write(ini, s, TLookTables::Splitter(IsVertical(s)),
                                              section.isEmpty() ? DefaultSection(s) : section);
    const bool committed = batch.End();
    return written && committed;
}

bool TSplitterState::ReadSplitterState(TKXIniFile& ini, TGraphicSplitBar* splitter,
                                       const QString& section)
{
    if (!splitter)
        return false;
    const QString name = section.isEmpty() ? DefaultSection(*splitter) : section;
    TIniBatch batch(ini);
    const bool read = TLookSection<TGraphicSplitBar>::Read(
        ini, *splitter, TLookTables::Splitter(name == TKXIniFile::VerticalSplitterSection), name);
    batch.End();
    return read;
}
