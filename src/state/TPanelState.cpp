#include "state/TPanelState.h"
#include "components/panels/TKXPanelPage.h"
#include "state/TIniBatch.h"
#include "state/TLookSection.h"
#include "state/TLookTables.h"

const QStringList& TPanelState::Keys()
{
    static const QStringList keys = TLookTables::Keys(TLookTables::Panel());
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
    TIniBatch batch(ini);
    const bool written =
        TLookSection<TKXPanelPage>::Write(ini, *panel, TLookTables::Panel(), SectionOf(section));
    const bool committed = batch.End();
    return written && committed;
}

bool TPanelState::ReadPanelState(TKXIniFile& ini, TKXPanelPage* panel, const QString& section)
{
    if (!panel)
        return false;
    TIniBatch batch(ini);
    const bool read =
        TLookSection<TKXPanelPage>::Read(ini, *panel, TLookTables::Panel(), SectionOf(section));
    batch.End();
    panel->update();
    return read;
}

bool TPanelState::ReadPanelBitmap(TKXIniFile& ini, TKXPanelPage* panel, const QString& section)
{
    if (!panel)
        return false;
    const auto* row = TLookSection<TKXPanelPage>::Find(TLookTables::Panel(), "BitmapFile");
    const QString value = ini.ReadString(SectionOf(section), row->Key, QString());
    if (!value.isEmpty())
        row->SetText(*panel, TBitmapFileKey::Resolve(value, ini.FileName()));
    return true;
}
