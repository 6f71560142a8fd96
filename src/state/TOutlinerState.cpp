#include "state/TOutlinerState.h"
#include "components/outline/TROutliner.h"
#include "state/TIniBatch.h"
#include "state/TLookSection.h"
#include "state/TLookTables.h"

const QStringList& TOutlinerState::Keys()
{
    static const QStringList keys = TLookTables::Keys(TLookTables::Outliner());
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
    TIniBatch batch(ini);
    const bool written = TLookSection<TROutliner>::Write(ini, *outliner, TLookTables::Outliner(),
                                                         SectionOf(section));
    const bool committed = batch.End();
    return written && committed;
}

bool TOutlinerState::ReadOutlinerState(TKXIniFile& ini, TROutliner* outliner,
                                       const QString& section)
{
    if (!outliner)
        return false;
    TIniBatch batch(ini);
    const bool read =
        TLookSection<TROutliner>::Read(ini, *outliner, TLookTables::Outliner(), SectionOf(section));
    batch.End();
    outliner->Repaint();
    return read;
}

bool TOutlinerState::ReadOutlinerBitmap(TKXIniFile& ini, TROutliner* outliner,
                                        const QString& section)
{
    if (!outliner)
        return false;
    const auto* row = TLookSection<TROutliner>::Find(TLookTables::Outliner(), "BitmapFile");
    const QString value = ini.ReadString(SectionOf(section), row->Key, QString());
    if (!value.isEmpty())
        row->SetText(*outliner, TBitmapFileKey::Resolve(value, ini.FileName()));
    return true;
}
