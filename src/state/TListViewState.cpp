#include "state/TListViewState.h"
#include "components/listview/TClrListView.h"
#include "state/TIniBatch.h"
#include "state/TLookSection.h"
#include "state/TLookTables.h"

const QStringList& TListViewState::Keys()
{
    static const QStringList keys = TLookTables::Keys(TLookTables::ListView());
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
    TIniBatch batch(ini);
    const bool written = TLookSection<TClrListView>::Write(ini, *listView, TLookTables::ListView(),
                                                           SectionOf(section));
    const bool committed = batch.End();
    return written && committed;
}

bool TListViewState::ReadListViewState(TKXIniFile& ini, TClrListView* listView,
                                       const QString& section)
{
    if (!listView)
        return false;
    TIniBatch batch(ini);
    const bool read = TLookSection<TClrListView>::Read(ini, *listView, TLookTables::ListView(),
                                                       SectionOf(section));
    batch.End();
    listView->Repaint();
    return read;
}
