#include "state/TDisplayState.h"
#include "platform/TMessageBox.h"
#include "platform/TPath.h"
#include "state/TIniBatch.h"
#include "state/TKXIniFile.h"
#include "state/TListViewState.h"
#include "state/TOutlinerState.h"
#include "state/TPanelState.h"
#include "state/TSplitterState.h"
#include "state/TStateFileCheck.h"
#include <QFile>
#include <algorithm>
#include <exception>

bool TDisplayState::SaveDisplayState(const TDisplayControls& controls, const QString& path)
{
    // A new file is never made empty first: it appears, complete, by the rename of a file
    // that holds every key, so a crash leaves either no file or the whole file.
    bool saved = false;
    if (TPath::FileExists(path))
        saved = WriteAll(controls, path, false);
    else if (!TPath::Exists(path))
        saved = WriteAll(controls, path, true);
    if (!saved)
        TMessageBox::Show(SaveErrorText, SaveErrorCaption, TMsgButtons::Ok, TMsgIcon::Warning);
    return saved;
}

bool TDisplayState::WriteAll(const TDisplayControls& c, const QString& path, bool create)
{
    try {
        TKXIniFile ini(path);
        ini.SetMayCreate(create);
        TIniBatch batch(ini);
        const bool written =
            TOutlinerState::WriteOutlinerState(ini, c.FolderList, TKXIniFile::OutlinerSection) &&
            TOutlinerState::WriteOutlinerState(ini, c.ReadOutliner, TKXIniFile::OutlinerSection) &&
            TListViewState::WriteListViewState(ini, c.DocList, TKXIniFile::ListViewSection) &&
            TPanelState::WritePanelState(ini, c.PanelPage, TKXIniFile::PanelSection) &&
            TSplitterState::WriteSplitterState(ini, c.GraphicSplit1,
                                               TKXIniFile::VerticalSplitterSection) &&
            TSplitterState::WriteSplitterState(ini, c.GraphicSplit2,
                                               TKXIniFile::HorizontalSplitterSection);
        if (!written) {
            batch.Cancel();
            return false;
        }
        return batch.End();
    } catch (const std::exception&) {
        return false;
    }
}

bool TDisplayState::LoadDisplayState(const TDisplayControls& controls, const QString& path)
{
    // The open dialog only offers existing files, but one can vanish before it is read;
    // reading it anyway would turn the whole display black and report success.
    const bool loaded = TStateFileCheck::IsReadable(path) && ReadAll(controls, path, true);
    if (!loaded)
        TMessageBox::Show(LoadErrorText, LoadErrorCaption, TMsgButtons::Ok, TMsgIcon::Warning);
    return loaded;
}

bool TDisplayState::LoadStateFile(const QString& path, TROutliner* folderOutline,
                                  TROutliner* readerOutline, TGraphicSplitBar* horzSplitter,
                                  TGraphicSplitBar* vertSplitter, TKXPanelPage* panelPage,
                                  TClrListView* docList)
{
    if (!TStateFileCheck::IsReadable(path))
        return false;
    TDisplayControls controls;
    controls.FolderList = folderOutline;
    controls.ReadOutliner = readerOutline;
    controls.DocList = docList;
    controls.PanelPage = panelPage;
    controls.GraphicSplit1 = vertSplitter;
    controls.GraphicSplit2 = horzSplitter;
    return ReadAll(controls, path, false);
}

bool TDisplayState::HoldsALook(const TKXIniFile& ini)
{
    const QStringList sections = ini.DefaultSections();
    return std::any_of(sections.begin(), sections.end(),
                       [&ini](const QString& name) { return ini.SectionExists(name); });
}

// Every section is read even after one fails, so the display takes as much of the look
// as the file gives.
bool TDisplayState::ReadAll(const TDisplayControls& c, const QString& path, bool bySectionName)
{
    const auto section = [bySectionName](const QString& name) {
        return bySectionName ? name : QString();
    };
    try {
        TKXIniFile ini(path);
        TIniBatch batch(ini);
        if (!HoldsALook(ini))
            return false;
        bool read = TOutlinerState::ReadOutlinerState(ini, c.FolderList,
                                                      section(TKXIniFile::OutlinerSection));
        read &= TOutlinerState::ReadOutlinerState(ini, c.ReadOutliner,
                                                  section(TKXIniFile::OutlinerSection));
        read &=
            TListViewState::ReadListViewState(ini, c.DocList, section(TKXIniFile::ListViewSection));
        read &= TPanelState::ReadPanelState(ini, c.PanelPage, section(TKXIniFile::PanelSection));
        read &= TSplitterState::ReadSplitterState(ini, c.GraphicSplit1,
                                                  section(TKXIniFile::VerticalSplitterSection));
        read &= TSplitterState::ReadSplitterState(ini, c.GraphicSplit2,
                                                  section(TKXIniFile::HorizontalSplitterSection));
        batch.End();
        return read;
    } catch (const std::exception&) {
        return false;
    }
}
