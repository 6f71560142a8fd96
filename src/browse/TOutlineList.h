#pragma once
#include "TContentsSearch.h"
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class TColdmereCustomOutline;
class TOutlineNode;
class TSortListView;

// The scanner that fills the left panel: in folder mode every folder entry becomes an
// outline node under the node of its parent folder; in file mode every document becomes
// a list row with its size. While a search runs, only this object adds to the outline.
class TOutlineList : public TContentsSearch
{
public:
    explicit TOutlineList(TColdmereCustomOutline* outline); // folder mode
    explicit TOutlineList(TSortListView* listView);         // file mode

    void FolderFound(std::unique_ptr<TFoundFile> record) override;
    void FileFound(std::unique_ptr<TFoundFile> record) override;

    // Adds a node for the folder name found while scanning the folder path, under the
    // node standing for that folder; returns the new node's index, or 0 when the folder
    // lies deeper than an outline can go.
    int AddFolderNode(const QString& name, const QString& path);

    TColdmereCustomOutline* Outline() const { return m_outline; }
    TSortListView* ListView() const { return m_listView; }
    bool FoldersMode() const { return m_foldersMode; }
    void SetFoldersMode(bool value) { m_foldersMode = value; }
    // 1-based position in the web folder's path where the web folder's own name begins.
    int NameStart() const { return m_nameStart; }
    void SetNameStart(int value)
    {
        m_nameStart = value;
        m_parentCache.valid = false;
    }

    // A folder's node text: the name with its first letter upper case (ASCII only).
    static QString NodeText(const QString& name);
    // A document's row caption: the name lower case, cut at its last ".".
    static QString Caption(QString fileName);
    // The size column: bytes up to 1000, whole thousands above, with "KB" when asked.
    static QString SizeText(quint64 size, bool withUnit);

private:
    // The parent node of the folders found in one scanned folder.
    struct TParentCache
    {
        bool valid = false;
        QString path; // the scanned folder
        TOutlineNode* parent = nullptr;
        bool refused = false; // the folder itself was refused for depth
        QString keyPrefix;    // the parent's key and a separator, or empty
    };

    static QString PathKey(const QString& outlinePath);
    void LookUpParent(const QString& path);
    TOutlineNode* FindParent(const QString& rel, const QString& parentName);
    void Remember(TOutlineNode* node, const QString& key);
    void IndexExistingNodes();

    TColdmereCustomOutline* m_outline = nullptr;
    TSortListView* m_listView = nullptr;
    // Size texts made so far: the rows of a large folder share them instead of each
    // holding a copy of "0" or "12KB".
    QHash<quint64, QStringList> m_sizeTexts;
    bool m_foldersMode = false;
    int m_nameStart = 1;

    // The parent lookup would otherwise scan the whole outline for every folder added:
    // nodes by their full path (case-folded), the first in outline order for each path.
    QHash<QString, TOutlineNode*> m_nodesByPath;
    bool m_indexed = false;
    // Folders refused for depth: their sub-folders are refused as well, not misplaced.
    QSet<QString> m_refused;
    TParentCache m_parentCache;
};
