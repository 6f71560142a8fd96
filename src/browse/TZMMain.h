#pragma once
#include "platform/TNotSet.h"
#include <QString>
#include <QWidget>
#include <functional>

class THostServices;
class TKXPanelPage;
class TTransparentPanel;
class TMDIOutline;
class TClrListView;
class TGraphicSplitBar;
class TFlatButton;
class THtmlPane;
class THtmlFrame;
class QLabel;

// The browsing window: on the left a styled panel page showing either the site panel (the
// folder outline over the document list) or the page panel (the outline of the current
// document's headings); on the right the HTML view. The host embeds it above its title
// panel and drives it through the public operations.
class TZMMain : public QWidget
{
    Q_OBJECT
public:
    static inline const QString UnavailableLinkNotice =
        QStringLiteral("This link is not available here");
    static inline const QString MissingDocumentMessage =
        QStringLiteral("Could not find file. Please check the file is in the correct folder");

    explicit TZMMain(THostServices* host, QWidget* parent = nullptr);

    // Operations the host calls.
    void HomeButtonClick();
    void ShowPanel(QWidget* panel);
    void OpenDocument(const QString& fileName, const QString& message);
    void BuildSite();
    bool LoadDisplayState(const QString& fileName);
    bool SaveDisplayState(const QString& fileName);
    // What a visitor sees when the program starts: the web's root folder listed, the list
    // unsorted, and the introduction page from its top with its outline (without one, the
    // site panel and a blank view). Reads and writes no file but the web's.
    void ResetToStart();

    // Event handlers.
    void FolderListClick();
    void DocListClick();
    void FlatButton1Click();
    void SearchButtonClick();
    void ViewerHotSpotClick(QObject* sender, const QString& SRC, bool& Handled);

    // The web folder browsed: the configured one when it exists, else the program's folder.
    QString WebFolder() const;

    // The host's web search, which lives above this window.
    std::function<void()> OnWebSearch;

    // Window state.
    QString CurrentFolder = TNotSet::Value();
    int LastFolderIndex = -1;
    bool SortAscending = false;

    // Controls, by the names the state files and the layout editor use.
    QWidget* LeftPanel = nullptr;
    TKXPanelPage* PanelPage = nullptr;
    QWidget* ReadPanel = nullptr;
    TMDIOutline* ReadOutliner = nullptr;
    TTransparentPanel* HomePanel = nullptr;
    QWidget* Home_TitlePanel = nullptr;
    QLabel* Home_TitleCaption = nullptr;
    TFlatButton* FlatButton1 = nullptr;
    TFlatButton* SearchButton = nullptr; // opens the web search (OnWebSearch)
    TMDIOutline* FolderList = nullptr;
    TGraphicSplitBar* GraphicSplit2 = nullptr;
    TClrListView* DocList = nullptr;
    TGraphicSplitBar* GraphicSplit1 = nullptr;
    THtmlPane* Viewer = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void EnableTouchScrolling();
    void FormCreate();
    void ApplyStartState();
    void ApplyLowColourLook();
    void PrepareControls();
    void OpenIntroduction();
    QString BuildOutline(const QString& subPath, bool foldersMode, TMDIOutline* outline);
    QString FillDocuments(const QString& subPath, bool foldersMode);
    void LoadDocument(const QString& fileName, THtmlPane* view, TMDIOutline* outline);
    void FillPageOutline(THtmlPane* view, TMDIOutline* outline);
    // A document link followed inside a frame set: loads into frame like OpenDocument
    // into the whole view; the frame's own document only scrolls.
    void OpenDocumentInFrame(THtmlFrame* frame, const QString& fileName);
    void RelayoutDocList();

    THostServices* m_host;
};
