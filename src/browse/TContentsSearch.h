#pragma once
#include "TFoundFile.h"
#include "platform/TDirEntry.h"
#include <QString>
#include <memory>
#include <unordered_set>
#include <vector>

// Walks a folder of the web and hands every entry that matches the mask to one of the
// virtual operations below; subclasses turn matches into outline nodes or list rows.
// Entries come in the enumeration's order, depth-first, all matches of a folder before
// any of its sub-folders is entered. Only directory entries are read, never contents.
//
// A folder reached a second time in one walk (through a symbolic link, say) is not
// entered again, so a link that points back up the tree cannot make the walk endless.
class TContentsSearch
{
public:
    using TFoundList = std::vector<std::unique_ptr<TFoundFile>>;

    TContentsSearch();
    virtual ~TContentsSearch();
    TContentsSearch(const TContentsSearch&) = delete;
    TContentsSearch& operator=(const TContentsSearch&) = delete;

    // The receivers, in slot order. Each record passed in belongs to the receiver.
    virtual void SearchFinished();
    virtual void SearchStarting();
    virtual void SubFolderFound(std::unique_ptr<TFoundFile> record); // frees it
    virtual void EnteringFolder(const QString& folder);
    virtual void FolderFound(std::unique_ptr<TFoundFile> record); // keeps it in FoundList
    virtual void FileFound(std::unique_ptr<TFoundFile> record);   // keeps it in FoundList
    virtual void Idle();

    // folder must end with a separator: the mask is appended to it as it is.
    void SetSearch(const QString& mask, const QString& folder, bool lowerCaseNames, bool recursive);
    // Folder entries (true) or everything else (false) are reported; returns the old value.
    bool SetFindFolders(bool value);
    // Folder records carry names and kinds only unless asked for their times as well;
    // leaving them out saves one status call per entry on large webs.
    void SetFolderDetails(bool value) { m_folderDetails = value; }
    void ClearFound();

    bool Search();    // the whole walk; true when anything matched
    bool SearchAny(); // stops at the first match anywhere
    void Cancel() { m_cancelled = true; }
    bool IsBusy() const { return m_busy; }

    // The walking steps, for subclasses that drive a walk themselves.
    bool SearchFolder(const QString& folder, bool stopAtFirst);
    bool SearchSubFolders(const QString& folder, bool stopAtFirst);
    bool ListSubFolders(const QString& folder, bool stopAtFirst);

    const QString& Mask() const { return m_mask; }
    const QString& StartFolder() const { return m_startFolder; }
    bool Recursive() const { return m_recursive; }
    bool LowerCaseNames() const { return m_lowerCaseNames; }
    bool Cancelled() const { return m_cancelled; }
    bool FindFolders() const { return m_findFolders; }
    const TFoundList& FoundList() const { return m_foundList; }

private:
    struct TFolderId
    {
        quint64 device;
        quint64 inode;
        bool operator==(const TFolderId& o) const { return device == o.device && inode == o.inode; }
    };
    struct TFolderIdHash
    {
        size_t operator()(const TFolderId& id) const
        {
            return std::hash<quint64>()(id.inode * 1000003u ^ id.device);
        }
    };
    class TWalkLevel;

    bool RunSearch(bool stopAtFirst);
    bool FirstVisit(const QString& pattern);
    bool WalkSubFolders(const QString& folder, bool stopAtFirst, const TDirEntries& entries);

    QString m_mask;
    QString m_startFolder;
    bool m_recursive = false;
    bool m_lowerCaseNames = false;
    bool m_cancelled = false;
    bool m_busy = false;
    TFoundList m_foundList;
    size_t m_largestListing = 0; // entries of the longest listing of this walk
    bool m_findFolders = false;
    bool m_folderDetails = false;

    int m_walkDepth = 0; // nesting of the walking steps; 0 outside any walk
    std::unordered_set<TFolderId, TFolderIdHash> m_visited;
};
