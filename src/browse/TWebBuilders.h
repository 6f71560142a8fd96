#pragma once
#include <QString>

class TColdmereCustomOutline;
class TSortListView;

// What the left panel shows of a web: the folder outline and the document list of one
// folder. Both scan webFolder + subPath (subPath "0" = none; webFolder ends with a
// separator) and return that folder, or "0" when the build failed; a failure keeps what
// was added before it and shows no message.
class TWebBuilders
{
public:
    static QString BuildFolderOutline(const QString& webFolder, const QString& subPath,
                                      bool foldersMode, TColdmereCustomOutline* outline);
    static QString FillDocumentList(const QString& webFolder, const QString& subPath,
                                    bool foldersMode, TSortListView* listView);
};

inline QString BuildFolderOutline(const QString& webFolder, const QString& subPath,
                                  bool foldersMode, TColdmereCustomOutline* outline)
{
    return TWebBuilders::BuildFolderOutline(webFolder, subPath, foldersMode, outline);
}

inline QString FillDocumentList(const QString& webFolder, const QString& subPath, bool foldersMode,
                                TSortListView* listView)
{
    return TWebBuilders::FillDocumentList(webFolder, subPath, foldersMode, listView);
}
