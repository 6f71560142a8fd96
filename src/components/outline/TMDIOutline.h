#pragma once
#include "components/outline/TROutliner.h"
#include <QString>

// The outliner placed on the windows (the folder outline, the page outline and their
// previews in the layout editor). It looks and behaves as TROutliner and adds a bookmark
// of its view: a document, its two scroll positions and the outline entry selected then.
class TMDIOutline : public TROutliner
{
    Q_OBJECT
public:
    static const char* const MissingFileText; // "File not in its usual location"

    explicit TMDIOutline(QWidget* parent = nullptr);
    ~TMDIOutline() override;

    // Remembers the view's current document, its vertical and horizontal positions and
    // the selected entry. False (and nothing remembered) without a view.
    bool SaveBookmark();
    // Opens the remembered document in the view again, restores both positions and
    // selects the remembered entry. When the file is gone, says "File not in its usual
    // location" (caption "Error") and returns false; also false without a view or when
    // the view cannot load the file.
    bool RestoreBookmark();

    const QString& BookmarkFile() const { return m_bookmarkFile; }
    void SetBookmarkFile(const QString& fileName) { m_bookmarkFile = fileName; }
    int BookmarkPosition() const { return m_bookmarkPosition; }
    void SetBookmarkPosition(int position) { m_bookmarkPosition = position; }
    int BookmarkHorzPosition() const { return m_bookmarkHorzPosition; }
    void SetBookmarkHorzPosition(int position) { m_bookmarkHorzPosition = position; }
    int BookmarkItem() const { return m_bookmarkItem; }
    void SetBookmarkItem(int item) { m_bookmarkItem = item; }

private:
    QString m_bookmarkFile;
    int m_bookmarkPosition = 0;
    int m_bookmarkHorzPosition = 0;
    int m_bookmarkItem = 0;
};
