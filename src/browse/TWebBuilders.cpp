#include "TWebBuilders.h"
#include "TOutlineList.h"
#include "components/listview/TSortListView.h"
#include "components/outline/TColdmereCustomOutline.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include "platform/TUpdateLock.h"

namespace {

QString ScannedFolder(const QString& webFolder, const QString& subPath)
{
    return TNotSet::Is(subPath) ? webFolder : webFolder + subPath;
}

// Keeps a control's own batch bracket balanced when a build fails half-way.
template <typename TControl>
class TBatch
{
public:
    explicit TBatch(TControl* control) : m_control(control) { m_control->BeginUpdate(); }
    ~TBatch() { m_control->EndUpdate(); }
    TBatch(const TBatch&) = delete;
    TBatch& operator=(const TBatch&) = delete;

private:
    TControl* m_control;
};

} // namespace

QString TWebBuilders::BuildFolderOutline(const QString& webFolder, const QString& subPath,
                                         bool foldersMode, TColdmereCustomOutline* outline)
{
    if (!outline)
        return TNotSet::Value();
    TUpdateLock lock(outline);
    const QString folder = ScannedFolder(webFolder, subPath);
    try {
        // Where the web folder's own name begins (1-based), trailing separators ignored.
        const QString trimmed = TPath::StripTrailingSeparators(folder);
        int lastSeparator = -1;
        for (int i = trimmed.size() - 1; i >= 0 && lastSeparator < 0; --i)
            if (TPath::IsSeparator(trimmed[i]))
                lastSeparator = i;
        const int nameStart = lastSeparator + 2;

        if (outline->ItemCount() > 0)
            outline->Clear();
        outline->AddChild(0, trimmed.mid(nameStart - 1));

        // One bracket around the whole walk: the outline renumbers once, not per folder.
        TBatch<TColdmereCustomOutline> batch(outline);
        TOutlineList search(outline);
        search.SetSearch(QStringLiteral("*.*"), folder, true, true);
        search.SetFindFolders(foldersMode);
        search.ClearFound();
        search.SetFoldersMode(foldersMode);
        search.SetNameStart(nameStart);
        search.Search();
    } catch (...) {
        // Reported by the result; what was added before the failure stays on show.
        return TNotSet::Value();
    }
    return folder;
}

QString TWebBuilders::FillDocumentList(const QString& webFolder, const QString& subPath,
                                       bool foldersMode, TSortListView* listView)
{
    if (!listView)
        return TNotSet::Value();
    TUpdateLock lock(listView);
    const QString folder = ScannedFolder(webFolder, subPath);
    try {
        // Passing through the list style lays the report out afresh.
        listView->SetViewStyle(vsList);
        listView->SetViewStyle(vsReport);
        listView->ClearItems();

        TBatch<TSortListView> batch(listView);
        TOutlineList search(listView);
        search.SetSearch(QStringLiteral("*.htm"), folder, true, false);
        search.SetFindFolders(foldersMode);
        search.ClearFound();
        search.SetFoldersMode(foldersMode);
        search.Search();
    } catch (...) {
        // Reported by the result; what was added before the failure stays on show.
        return TNotSet::Value();
    }
    return folder;
}
