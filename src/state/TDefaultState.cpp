#include "state/TDefaultState.h"
#include "platform/TPath.h"
#include "state/TKXIniFile.h"
#include "state/TListViewState.h"
#include "state/TOutlinerState.h"
#include "state/TPanelState.h"
#include "state/TSplitterState.h"
#include "state/TStateFileCheck.h"
#include <exception>

namespace {

template <class Control, class Reader>
bool Restore(Control* control, Reader read)
{
    if (!control)
        return false;
    const QString path = TDefaultState::DefaultStateFileName();
    if (!TStateFileCheck::IsReadable(path))
        return false;
    try {
        TKXIniFile ini(path);
        return read(ini, control, QString());
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

QString TDefaultState::DefaultStateFileName()
{
    return TPath::ChangeExtension(TPath::ExecutablePath(), QStringLiteral(".STA"));
}

bool TDefaultState::RestoreOutlinerFromDefault(TROutliner* outliner)
{
    return Restore(outliner, &TOutlinerState::ReadOutlinerState);
}

bool TDefaultState::RestoreListViewFromDefault(TClrListView* listView)
{
    return Restore(listView, &TListViewState::ReadListViewState);
}

bool TDefaultState::RestorePanelFromDefault(TKXPanelPage* panel)
{
    return Restore(panel, &TPanelState::ReadPanelState);
}

bool TDefaultState::RestoreSplitterFromDefault(TGraphicSplitBar* splitter)
{
    return Restore(splitter, &TSplitterState::ReadSplitterState);
}
