#pragma once
#include <QHash>
#include <QString>

// Case-folded listings of folders for the lookups that ignore letter case, each folder read
// once and reused until the listings are cleared. A page that names a thousand missing
// pictures beside fifty thousand documents then reads that folder once, not a thousand
// times. The owner installs the listings for one load with TUse and clears them when the
// next load begins, so a load never sees a listing older than itself.
class TFolderListings
{
public:
    // Installs the listings for the lookups of this thread while it lives.
    class TUse
    {
    public:
        explicit TUse(TFolderListings& listings);
        ~TUse();
        TUse(const TUse&) = delete;
        TUse& operator=(const TUse&) = delete;

    private:
        TFolderListings* m_previous;
    };

    // The listings installed on this thread, or nullptr.
    static TFolderListings* Current();

    // The entry of the folder whose name matches ignoring case, first in name order; false
    // when none does or the folder cannot be read. An empty folder is the current one.
    bool Find(const QString& folder, const QString& name, QString* found);
    void Clear() { m_folders.clear(); }
    int FolderCount() const { return int(m_folders.size()); }

    // Reads a folder once, without any cache: the case-folded name of each entry with the
    // entry that wins it. False when the folder cannot be read.
    static bool ReadFolder(const QString& folder, QHash<QString, QString>* entries);

private:
    struct TListing
    {
        bool readable = false;
        QHash<QString, QString> entries;
    };
    QHash<QString, TListing> m_folders;
};
