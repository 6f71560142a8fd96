#pragma once
#include "components/paint/TRect.h"
#include "state/TDisplayControls.h"
#include <QList>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPainter;
class QScrollArea;
class QStackedWidget;
class TClrListView;
class TEditorContext;
class TEditorDialogs;
class TFlatButton;
class TGraphicSplitBar;
class THostServices;
class TKXPanelPage;
class TListStylePage;
class TMDIOutline;
class TOutlineStylePage;
class TPanelStylePage;
class TSplitterStylePage;
class TTransparentPanel;
class TWriterPage;
struct TEditorTargets;

// How the editor was left: "Close" applies the preview, "Cancel" throws it away.
enum class TEditorResult { None, Ok, Cancel };

// The layout editor. It restyles the browsing window's six styled controls through
// preview copies of them: when shown it copies the live styles onto the previews, its
// style pages change only the previews, and "Close" copies them back ("Cancel" does not).
// Its writer page writes start-up options to the application ini file at once.
//
// The host creates a new editor for every opening, with its client area as parent (the
// editor then fills it), disables its title panel and shows it. The editor copies the
// styles in when it becomes visible. "Close" or "Cancel" hides it, enables the host's
// title panel again and reports the result through OnEditorClosed; the host may then
// delete it (deleteLater) or keep it hidden.
class TZMEditor : public QWidget
{
    Q_OBJECT
public:
    static const QString RestoreFailedText;  // a control could not be restored either
    static const QString SystemErrorCaption; // "System Error"
    static const QString AlterFailedText;    // "Could not alter screen elements"
    static const QString EditErrorCaption;   // "Edit Error"
    static const QString ComposingText;      // "Composing Screen"

    static constexpr int LeftPanelWidth = 289;
    static constexpr int ToolBarHeight = 27;

    TZMEditor(THostServices* host, const TDisplayControls& live, QWidget* parent = nullptr);
    ~TZMEditor() override;

    // Raised after "Close" or "Cancel", once the editor is hidden.
    std::function<void(TZMEditor*, TEditorResult)> OnEditorClosed;
    TEditorResult ModalResult() const { return m_result; }

    // The dialogs every page shares; tests replace them.
    TEditorDialogs& Dialogs();
    void SetDialogs(std::unique_ptr<TEditorDialogs> dialogs);
    // The working references: the controls the style pages act on.
    TEditorTargets& Targets();

    // The caption of the toolbar, naming the mode.
    QString ToolBarCaption() const;

    // Window events.
    void FormCreate();
    void FormShow();
    void FormResize();
    void DummyPanelPagePosition(QObject* sender, const QList<QWidget*>& itemsVisible,
                                const TRect& parentRectArea, QPainter* drawCanvas);

    // Toolbar.
    void EditorButton_CloseClick();
    void EditorButton_CancelClick();
    void Toolbutton_panelStyleClick();
    void Toolbutton_outlinerStyleClick();
    void Toolbutton_listStyleClick();
    void Toolbutton_splitterStyleClick();
    void Toolbutton_writerClick();

    // Fills every page from the previews and the host's start-up options.
    void ComposePages();

    QWidget* Editor_ToolBar = nullptr;
    QLabel* ModeCaption = nullptr;
    TFlatButton* EditorButton_Close = nullptr;
    TFlatButton* EditorButton_Cancel = nullptr;
    TFlatButton* Toolbutton_panelStyle = nullptr;
    TFlatButton* Toolbutton_outlinerStyle = nullptr;
    TFlatButton* Toolbutton_listStyle = nullptr;
    TFlatButton* Toolbutton_splitterStyle = nullptr;
    TFlatButton* Toolbutton_writer = nullptr;
    TGraphicSplitBar* TopSplitter = nullptr;

    QWidget* LeftPanel = nullptr;
    TKXPanelPage* DummyPanelPage = nullptr;
    TTransparentPanel* HomePanel = nullptr;
    QLabel* DummyTitlePanel = nullptr;
    TMDIOutline* DummyFolderList = nullptr;
    TGraphicSplitBar* DummyHorzSplitter = nullptr;
    TClrListView* DummyDocList = nullptr;
    TGraphicSplitBar* DummyVertSplitter = nullptr;

    TKXPanelPage* Right_Panel = nullptr;
    QScrollArea* StyleScroll = nullptr; // holds the page control; scrolls when small
    QStackedWidget* ComponentStylePage = nullptr;
    TPanelStylePage* PanelSheet = nullptr;
    TOutlineStylePage* ControlSheet = nullptr;
    TListStylePage* ListViewPage = nullptr;
    TSplitterStylePage* ReadOther = nullptr;
    TWriterPage* ReadWriter = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildToolBar();
    void BuildPreview();
    void BuildStyleArea();
    void ApplyLowColourLook();
    // The six copies between the live controls and the previews, in their fixed order;
    // false when an error escaped them (the remaining steps are then skipped).
    bool CopyStyles(bool toLive);
    void ShowMode(QWidget* page, const QString& caption);
    void Finish(TEditorResult result);
    void LayOutNow();

    std::unique_ptr<TEditorContext> m_context;
    TDisplayControls m_live;
    TEditorResult m_result = TEditorResult::None;
    bool m_showing = false;
};
