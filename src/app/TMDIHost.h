#pragma once
#include "app/TFileDialog.h"
#include "browse/THostServices.h"
#include "browse/TStartUpOptions.h"
#include "browse/TZMMain.h"
#include <QPointer>
#include <QTimer>
#include <QWidget>

class TTitlePanel;
class TSplashForm;
class TFindDialog;
class TRandDirListBox;
class TGraphicSplitBar;
class TAttractLoop;
class TWebSearchWindow;
class TIdleReset;

// The application's main window: the title panel with the toolbar and the advert along
// the bottom, the browsing window (or the layout editor) above it. It reads the
// application ini file once, at creation, and owns what it read for the whole run.
class TMDIHost : public QWidget, public THostServices
{
    Q_OBJECT
public:
    static inline const QString Caption = QStringLiteral("Zelmora 1.0");

    explicit TMDIHost(QWidget* parent = nullptr);
    ~TMDIHost() override;

    // THostServices
    void ShowProgressText(const QString& text) override;
    void ShowAdvertPage() override;
    void ShowNotice(const QString& text) override;
    // Brings the advert back after a notice; stopped by any other page change.
    QTimer* NoticeTimer() const { return m_noticeTimer; }
    static constexpr int NoticeMilliseconds = 2000;
    const TStartUpOptions& StartUpOptions() const override { return m_options; }
    int NumColours() const override { return m_numColours; }
    void SetYourLogoHereBitmap(const QString& path) override
    {
        m_options.YourLogoHereBitmap = path;
    }
    bool LoadLogo() override;
    void SetTitlePanelEnabled(bool enabled) override;

    // The three screen modes; the mode keys use them too.
    void SetEditMode();
    void SetDisplayMode();
    void SetReaderMode();
    bool ModeChangeAllowed() const { return !m_options.RuntimeLock; }
    // Another start of this kit asked for the window: shown, not minimised, in front.
    void BringToFront();

    // Colours of the screen: 2 to the power of its depth, the largest 32-bit integer from
    // 31 bits on.
    static int GetNumColours();

    // The browsing window, embedded above the title panel at the first showing.
    void SetViewerWindow(TZMMain* window);
    TZMMain* ViewerWindow() const { return m_viewer; }

    // Toolbar commands and keys.
    void HomeButtonClick();
    void ReadClick();
    void findButtonClick();
    void ExitButtonClick();
    void about_buttonClick() { ShowAbout(); }
    void SettingsEditorClick();
    void OpenEditor();
    void openwebbuttonClick();
    void ToolBarButton_ReadClick();
    void EditorButton_SaveClick();
    void FindDialogFind();
    // The search of the whole web (Ctrl+Shift+F, the site panel's "Search"); a result opens
    // like a document of the list, its first match selected.
    void WebSearchClick();
    void OpenSearchResult(const QString& file, const QStringList& terms);
    TWebSearchWindow* WebSearchWindow() const { return m_webSearch; }
    // A small web is indexed quietly once the window is up (this timer, from the first
    // showing) and whenever another web is chosen, so the first search answers at once.
    QTimer* StartIndexTimer() const { return m_startIndexTimer; }
    static constexpr int StartIndexMilliseconds = 2000;
    void IndexWebIfSmall();
    // The mode keys and Ctrl+Shift+F; the key press is never consumed.
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    TFindDialog* FindDialog() const { return m_findDialog; }
    TFileDialog OpenDialog1{TFileDialog::Open};
    TFileDialog SaveDialog1{TFileDialog::Save};
    // The layout editor window made by the last "editor" command, while it is open.
    QWidget* EditorWindow() const { return m_editor; }
    // The area above the title panel and its splitter where child windows go.
    QWidget* ClientArea() const { return m_client; }

    // Fields of the run, read by the other windows and the tests.
    bool AdvertsAllowed() const { return m_advertsAllowed; }
    bool AdvertsRunning() const;
    bool AdvertShowing() const;
    bool FirstShow() const { return m_firstShow; }
    QString AdvertsDir() const;
    TTitlePanel* TitlePanel() const { return m_titlePanel; }
    TGraphicSplitBar* Split_ToolBarRest() const { return m_split; }
    QTimer* Timer1() const;
    enum class TMode { Edit, Display, Reader };
    TMode Mode() const { return m_mode; }

    // The attract loop (a random advert every 10 seconds without mouse movement), whose
    // events the host receives.
    TAttractLoop* AttractLoop() const { return m_attractLoop; }
    void NextAdvert();
    void Timer1Timer() { NextAdvert(); }
    void AppIdle();
    void FormMouseMove();
    void AdvertClick();
    TRandDirListBox* RandomFiles() const;

    // After the ini file's IdleReset seconds without input (never while the layout editor
    // is open): closes what a visitor opened and shows the display as at start, in the
    // start-up mode. Only the display changes; no file is written.
    TIdleReset* IdleResetWatch() const { return m_idleReset; }
    void IdleReset();
    // The mode the ini file starts in (the runtime lock included).
    TMode StartUpModeOfIni() const;

    // The low-colour warning (first showing only) and the about window ("i").
    void ShowStartSplash();
    void ShowAbout();
    // Every splash window made in this run, newest last; they live until the host goes.
    const QList<TSplashForm*>& SplashWindows() const { return m_splashes; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void LoadStartUpOptions();
    void ApplyLowColourSteps();
    void ApplyStartUpMode();
    void ShowViewerWindow();
    void ApplyBorder(bool sizeable);

    TStartUpOptions m_options;
    int m_numColours = 0;
    bool m_advertsAllowed = true;
    bool m_firstShow = true;
    TMode m_mode = TMode::Edit;

    QWidget* m_client = nullptr;
    TGraphicSplitBar* m_split = nullptr;
    TTitlePanel* m_titlePanel = nullptr;
    TAttractLoop* m_attractLoop = nullptr;
    TIdleReset* m_idleReset = nullptr;
    QString m_startUpWeb; // the web of the ini file, which the "web" command may replace
    QPointer<TZMMain> m_viewer;
    QPointer<QWidget> m_editor;
    TFindDialog* m_findDialog = nullptr;
    TWebSearchWindow* m_webSearch = nullptr;
    QString m_searchNote; // why the index is kept in memory, when it is
    bool m_indexingShown = false;
    QTimer* m_noticeTimer = nullptr;
    QTimer* m_startIndexTimer = nullptr;
    bool m_dispatchingKey = false;
    QList<TSplashForm*> m_splashes;
};
