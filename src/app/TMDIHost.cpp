#include "TMDIHost.h"
#include "TAttractLoop.h"
#include "TFindDialog.h"
#include "TIdleReset.h"
#include "TSplashForm.h"
#include "TTitlePanel.h"
#include "TWebSearchWindow.h"
#include "browse/TAppIniFile.h"
#include "browse/TZMMain.h"
#include "components/listview/TClrListView.h"
#include "components/media/TKXImage.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TAlignLayout.h"
#include "components/panels/TFlatButton.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "editor/TZMEditor.h"
#include "html/THtmlPane.h"
#include "platform/TBitmapFile.h"
#include "platform/TColorRef.h"
#include "platform/TMessageBox.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include "platform/TScreen.h"
#include "platform/TUpdateLock.h"
#include "search/TWebSearch.h"
#include "state/TDisplayControls.h"
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <climits>

namespace {
const QString kLogoMessage = QStringLiteral(
    "The file specified in the YourLogoHereBitmap section of your ini file is either missing "
    "or corrupted. It wasnt loaded properly");
const QString kIniMessage = QStringLiteral(
    "Your .ini file is missing or corrupted. Zelmora may not run succesfully. Reinstall "
    "recommended");
} // namespace

TMDIHost::TMDIHost(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("MDIHost"));
    setWindowTitle(Caption);
    resize(674, 365);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    setFont(f);
    TUpdateLock::SetDesktopWindow(this);

    auto* layout = new TAlignLayout(this);
    (void)layout;
    // Created bottom-up, as the docking order places them: title panel, splitter, client.
    m_titlePanel = new TTitlePanel(this);
    m_titlePanel->setObjectName(QStringLiteral("TitlePanel"));
    TAlignLayout::SetAlign(m_titlePanel, alBottom);

    m_split = new TGraphicSplitBar(this);
    m_split->setObjectName(QStringLiteral("Split_ToolBarRest"));
    m_split->BeginLoading();
    m_split->SetAlign(alBottom);
    m_split->SetHeight(7);
    m_split->SetColor(TColours::clWhite);
    m_split->SetControlFirst(m_titlePanel);
    m_split->SetLimitLeftOffset(430);
    m_split->SetLimitRightOffset(10);
    m_split->SetDrawEdge(false);
    m_split->SetShadowStyle(ssShadBottom);
    m_split->EndLoading();

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("ClientArea"));
    new TAlignLayout(m_client);
    TAlignLayout::SetAlign(m_client, alClient);

    TTitlePanel* t = m_titlePanel;
    m_attractLoop = new TAttractLoop(
        t->Advert, [t] { t->TB_PageControl->setCurrentWidget(t->TB_TabSheet_Advert); }, this);
    t->Advert->OnClick = [this](QObject*) { AdvertClick(); };

    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setSingleShot(true);
    m_noticeTimer->setInterval(NoticeMilliseconds);
    connect(m_noticeTimer, &QTimer::timeout, this, [this] { ShowAdvertPage(); });

    m_idleReset = new TIdleReset(this);
    m_idleReset->Blocked = [this] { return !m_editor.isNull(); };
    m_idleReset->OnReset = [this] { IdleReset(); };

    m_findDialog = new TFindDialog(this);
    m_findDialog->OnFind = [this] { FindDialogFind(); };
    m_webSearch = new TWebSearchWindow(this);
    m_webSearch->OnOpenDocument = [this](const QString& file, const QStringList& terms) {
        OpenSearchResult(file, terms);
    };
    // The reads of start-up (folders, the introduction) have the disc to themselves first:
    // a kit on a slow disc would otherwise seek between them and the walk of the web.
    m_startIndexTimer = new QTimer(this);
    m_startIndexTimer->setSingleShot(true);
    m_startIndexTimer->setInterval(StartIndexMilliseconds);
    connect(m_startIndexTimer, &QTimer::timeout, this, [this] { IndexWebIfSmall(); });
    // The search reports only what the reader asked for: a quiet update shows nothing here.
    TWebSearch* search = m_webSearch->Search();
    connect(search, &TWebSearch::Progress, this, [this](qint64 done, qint64 total) {
        if (total == 0)
            return;
        m_indexingShown = true;
        QString text = TWebSearch::ProgressText(done, total);
        if (!m_searchNote.isEmpty())
            text += QStringLiteral(" (") + m_searchNote + u')';
        ShowProgressText(text);
    });
    connect(search, &TWebSearch::Note, this, [this](const QString& note) {
        m_searchNote = note;
        m_indexingShown = true;
        ShowProgressText(note);
    });
    connect(search, &TWebSearch::Updated, this, [this] {
        if (!m_indexingShown)
            return;
        m_indexingShown = false;
        if (m_searchNote.isEmpty())
            return ShowAdvertPage();
        // The note stays a while where it is read, then the advert comes back.
        ShowProgressText(m_searchNote);
        QTimer::singleShot(5000, this, [this] { ShowAdvertPage(); });
    });
    t->HomeButton->OnClick = [this](QObject*) { HomeButtonClick(); };
    t->Read->OnClick = [this](QObject*) { ReadClick(); };
    t->findButton->OnClick = [this](QObject*) { findButtonClick(); };
    t->ExitButton->OnClick = [this](QObject*) { ExitButtonClick(); };
    t->about_button->OnClick = [this](QObject*) { about_buttonClick(); };
    t->SettingsEditor->OnClick = [this](QObject*) { SettingsEditorClick(); };
    t->openwebbutton->OnClick = [this](QObject*) { openwebbuttonClick(); };
    t->ToolBarButton_Read->OnClick = [this](QObject*) { ToolBarButton_ReadClick(); };
    t->EditorButton_Save->OnClick = [this](QObject*) { EditorButton_SaveClick(); };
    // Key preview: the host sees key presses before the focused control; and mouse
    // movement anywhere over the host, its child controls included, which cover every
    // pixel of it, restarts the advert countdown.
    qApp->installEventFilter(this);
    setMouseTracking(true);

    FormCreate();
}

TMDIHost::~TMDIHost()
{
    qDeleteAll(m_splashes);
    if (TUpdateLock::DesktopWindow() == this)
        TUpdateLock::SetDesktopWindow(nullptr);
}

void TMDIHost::FormCreate()
{
    m_advertsAllowed = true;
    m_firstShow = true;
    m_options.ColourWarning = true;
    m_numColours = GetNumColours();
    LoadStartUpOptions();
    ApplyLowColourSteps();
    ApplyStartUpMode();
    LoadLogo();
    m_attractLoop->Start(m_options.AdvertsFolder);
    m_startUpWeb = m_options.StartUpWeb;
    m_idleReset->SetSeconds(m_options.IdleReset);
}

int TMDIHost::GetNumColours()
{
    const int bits = TScreen::Depth();
    if (bits >= 31)
        return INT_MAX;
    if (bits <= 0)
        return 1;
    return 1 << bits;
}

void TMDIHost::LoadStartUpOptions()
{
    if (!TAppIniFile::ReadIniFile(m_options)) {
        TMessageBox::Show(kIniMessage, QStringLiteral("Initialisation Error"));
        return;
    }
    TAppIniFile::ResolvePaths(m_options);
}

void TMDIHost::ApplyLowColourSteps()
{
    if (m_numColours > 256)
        return;
    m_split->SetShadowStyle(ssNoShad);
    m_split->SetColor(TColours::clSilver);
    m_advertsAllowed = !m_options.ColourWarning;
    m_attractLoop->SetAdvertsRunning(m_advertsAllowed);
    m_titlePanel->Advert->setEnabled(false);
}

TMDIHost::TMode TMDIHost::StartUpModeOfIni() const
{
    if (m_options.RuntimeLock || m_options.StartUpMode == 2)
        return TMode::Reader;
    return m_options.StartUpMode == 1 ? TMode::Display : TMode::Edit;
}

void TMDIHost::ApplyStartUpMode()
{
    switch (StartUpModeOfIni()) {
    case TMode::Display: SetDisplayMode(); break;
    case TMode::Reader: SetReaderMode(); break;
    case TMode::Edit: SetEditMode(); break;
    }
}

void TMDIHost::IdleReset()
{
    if (m_editor)
        return;
    // A file dialog runs its own event loop; cancelled, its command returns as on "Cancel"
    // once this handler is done.
    TFileDialog::CancelShown();
    m_findDialog->hide();
    m_findDialog->SetFindText(QString()); // the next visitor does not see the last search
    for (TSplashForm* splash : m_splashes)
        splash->hide();
    m_options.StartUpWeb = m_startUpWeb;
    IndexWebIfSmall();
    // Set again only when it changed: setting a mode places the window afresh.
    if (m_mode != StartUpModeOfIni())
        ApplyStartUpMode();
    if (m_viewer)
        m_viewer->ResetToStart();
}

void TMDIHost::ApplyBorder(bool sizeable)
{
    const bool frameless = !sizeable;
    if (bool(windowFlags() & Qt::FramelessWindowHint) == frameless)
        return;
    const bool visible = isVisible();
    setWindowFlag(Qt::FramelessWindowHint, frameless);
    if (visible)
        show(); // changing the flags hides a shown window
}

void TMDIHost::SetEditMode()
{
    {
        TDesktopUpdateLock lock;
        m_mode = TMode::Edit;
        ApplyBorder(true);
        // Sized to the screen as well, so it fills it where no window manager maximises.
        setGeometry(TScreen::AvailableGeometry());
        setWindowState(Qt::WindowMaximized);
        m_titlePanel->ProgramTitleImage->hide();
        m_titlePanel->TB_Edit_Panel->show();
        m_titlePanel->ExitButton->show();
        m_attractLoop->SetAdvertsRunning(false);
    }
    m_split->setEnabled(true);
    m_split->SetLimitLeftOffset(height() - 150);
}

void TMDIHost::SetDisplayMode()
{
    {
        TDesktopUpdateLock lock;
        m_mode = TMode::Display;
        ApplyBorder(false);
        setGeometry(TScreen::Geometry());
        setWindowState(Qt::WindowMaximized);
        m_titlePanel->ProgramTitleImage->show();
        m_titlePanel->TB_Edit_Panel->hide();
        m_titlePanel->ExitButton->hide();
        m_attractLoop->SetAdvertsRunning(m_advertsAllowed);
        ShowAdvertPage();
    }
    m_split->setEnabled(false);
}

void TMDIHost::SetReaderMode()
{
    {
        TDesktopUpdateLock lock;
        m_mode = TMode::Reader;
        ApplyBorder(true);
        setWindowState(Qt::WindowMaximized);
        setGeometry(TScreen::Geometry());
        m_titlePanel->ProgramTitleImage->show();
        m_titlePanel->TB_Edit_Panel->hide();
        m_titlePanel->ExitButton->show();
        m_attractLoop->SetAdvertsRunning(m_advertsAllowed);
        ShowAdvertPage();
    }
    m_split->setEnabled(false);
}

void TMDIHost::BringToFront()
{
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool TMDIHost::LoadLogo()
{
    const QString& logo = m_options.YourLogoHereBitmap;
    if (TNotSet::IsOrNullOrEmptyWord(logo)) {
        m_titlePanel->ProgramTitleImage->setPixmap(TTitlePanel::BuiltInTitlePicture());
        return true;
    }
    QImage image;
    if (!TBitmapFile::Load(logo, &image)) {
        TMessageBox::Show(kLogoMessage, QStringLiteral("Initialisation Error"));
        return false;
    }
    m_titlePanel->ProgramTitleImage->setPixmap(QPixmap::fromImage(image));
    return true;
}

void TMDIHost::SetTitlePanelEnabled(bool enabled) { m_titlePanel->setEnabled(enabled); }

void TMDIHost::ShowProgressText(const QString& text)
{
    m_noticeTimer->stop();
    m_attractLoop->ProgressTextShown();
    m_titlePanel->Progress_TextLabel->setText(TNotSet::Is(text) ? QStringLiteral("Please Wait...")
                                                                : text);
    m_titlePanel->Progress_TextLabel->adjustSize();
    m_titlePanel->TB_PageControl->setCurrentWidget(m_titlePanel->TB_TabSheet_TextDisplay);
    // Painted now, so the text is seen before the long operation blocks the loop.
    m_titlePanel->TB_TabSheet_TextDisplay->repaint();
}

void TMDIHost::ShowNotice(const QString& text)
{
    ShowProgressText(text);
    m_noticeTimer->start();
}

void TMDIHost::ShowAdvertPage()
{
    m_noticeTimer->stop();
    m_titlePanel->TB_PageControl->setCurrentWidget(m_titlePanel->TB_TabSheet_Advert);
    m_attractLoop->AdvertPageShown();
}

bool TMDIHost::AdvertsRunning() const { return m_attractLoop->AdvertsRunning(); }

bool TMDIHost::AdvertShowing() const { return m_attractLoop->AdvertShowing(); }

QString TMDIHost::AdvertsDir() const { return m_attractLoop->AdvertsDir(); }

QTimer* TMDIHost::Timer1() const { return m_attractLoop->Timer1(); }

TRandDirListBox* TMDIHost::RandomFiles() const { return m_attractLoop->RandomFiles(); }

void TMDIHost::SetViewerWindow(TZMMain* window)
{
    m_viewer = window;
    if (window)
        window->OnWebSearch = [this] { WebSearchClick(); };
    m_attractLoop->OpenDocument = [this](const QString& file, const QString& message) {
        if (m_viewer)
            m_viewer->OpenDocument(file, message);
    };
}

void TMDIHost::HomeButtonClick()
{
    if (m_viewer)
        m_viewer->HomeButtonClick();
}

void TMDIHost::ReadClick()
{
    if (m_viewer)
        m_viewer->ShowPanel(m_viewer->ReadPanel);
}

void TMDIHost::findButtonClick() { m_findDialog->Execute(); }

void TMDIHost::ExitButtonClick() { close(); }

void TMDIHost::SettingsEditorClick()
{
    OpenEditor();
    // No toolbar command and no advert click while the editor is open; the editor
    // enables the panel again when it closes.
    if (m_editor)
        m_titlePanel->setEnabled(false);
}

void TMDIHost::OpenEditor()
{
    ShowProgressText(QStringLiteral("Loading Editor.. "));
    try {
        TDesktopUpdateLock lock;
        if (!m_viewer)
            throw std::runtime_error("no browsing window");
        const TDisplayControls live{m_viewer->FolderList,    m_viewer->ReadOutliner,
                                    m_viewer->DocList,       m_viewer->PanelPage,
                                    m_viewer->GraphicSplit1, m_viewer->GraphicSplit2};
        auto* editor = new TZMEditor(this, live, m_client);
        // A closed editor is released; every opening starts afresh from the live styles.
        editor->OnEditorClosed = [](TZMEditor* closed, TEditorResult) { closed->deleteLater(); };
        TAlignLayout::SetAlign(editor, alClient);
        editor->show();
        editor->raise();
        m_editor = editor;
    } catch (...) {
        ShowAdvertPage();
        TMessageBox::Show(QStringLiteral("Couldnt show the editor. System resources may be too low "
                                         "to generate window"),
                          QStringLiteral("Load Error"));
        m_editor = nullptr;
        return;
    }
    ShowAdvertPage();
}

void TMDIHost::openwebbuttonClick()
{
    OpenDialog1.Filter = QStringLiteral("All Files (*.*)|*.*");
    OpenDialog1.DefaultExt.clear();
    OpenDialog1.InitialDir = TPath::ProgramDirectory();
    OpenDialog1.Title =
        QStringLiteral("Please choose any file in the target directory and click Ok");
    const std::optional<QString> chosen = OpenDialog1.Execute();
    OpenDialog1.Title.clear();
    if (!chosen)
        return;
    m_options.StartUpWeb = TPath::ExtractFilePath(*chosen);
    if (m_viewer)
        m_viewer->BuildSite();
    IndexWebIfSmall();
}

void TMDIHost::ToolBarButton_ReadClick()
{
    OpenDialog1.Filter = QStringLiteral("State Files (*.sta)|*.sta");
    OpenDialog1.DefaultExt = QStringLiteral("STA");
    OpenDialog1.InitialDir = TPath::ProgramDirectory();
    if (const std::optional<QString> chosen = OpenDialog1.Execute(); chosen && m_viewer)
        m_viewer->LoadDisplayState(*chosen);
}

void TMDIHost::EditorButton_SaveClick()
{
    SaveDialog1.Filter = QStringLiteral("State Files (*.sta)|*.sta");
    SaveDialog1.DefaultExt = QStringLiteral("STA");
    SaveDialog1.InitialDir = TPath::ProgramDirectory();
    if (const std::optional<QString> chosen = SaveDialog1.Execute(); chosen && m_viewer)
        m_viewer->SaveDisplayState(*chosen);
}

void TMDIHost::FindDialogFind()
{
    if (!m_viewer)
        return;
    m_viewer->Viewer->setFocus();
    const QString text = m_findDialog->FindText();
    if (!m_viewer->Viewer->FindText(text, m_findDialog->MatchCase()))
        TMessageBox::Show(QStringLiteral("No further occurances of ") + text,
                          QStringLiteral("Information"));
}

void TMDIHost::WebSearchClick()
{
    if (m_viewer)
        m_webSearch->Execute(m_viewer->WebFolder());
}

void TMDIHost::IndexWebIfSmall()
{
    // Before the first showing the start-up timer does it, once the window is painted.
    if (m_viewer && !m_firstShow)
        m_webSearch->IndexIfSmall(m_viewer->WebFolder());
}

void TMDIHost::OpenSearchResult(const QString& file, const QStringList& terms)
{
    if (!m_viewer)
        return;
    m_viewer->OpenDocument(file, TZMMain::MissingDocumentMessage);
    activateWindow();
    m_viewer->Viewer->setFocus();
    // The first of the words the view finds, as the index matched it: case and accents aside.
    for (const QString& term : terms)
        if (m_viewer->Viewer->FindWords(term))
            break;
}

void TMDIHost::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    // Searching changes nothing, so it is there in every mode, under the runtime lock too.
    if (key == Qt::Key_F && (modifiers & Qt::ControlModifier) && (modifiers & Qt::ShiftModifier) &&
        !(modifiers & Qt::KeypadModifier))
        return WebSearchClick();
    if (!(modifiers & Qt::ControlModifier) || (modifiers & Qt::KeypadModifier) ||
        !ModeChangeAllowed())
        return;
    if (key == Qt::Key_E)
        SetEditMode();
    else if (key == Qt::Key_D)
        SetDisplayMode();
    else if (key == Qt::Key_R)
        SetReaderMode();
}

bool TMDIHost::eventFilter(QObject* watched, QEvent* event)
{
    // The application shows its filters every movement, also over controls that do not
    // track the mouse; a move passed on to the parents is seen again, which does no harm.
    if (event->type() == QEvent::MouseMove) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget)))
            FormMouseMove();
    }
    if (event->type() == QEvent::KeyPress && !m_dispatchingKey) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && (widget == this || isAncestorOf(widget))) {
            // Key preview: the host sees the press first, then it goes on to the control
            // (and up to its parents) exactly as it would have; it is never consumed.
            auto* key = static_cast<QKeyEvent*>(event);
            FormKeyDown(key->key(), key->modifiers());
            m_dispatchingKey = true;
            QCoreApplication::sendEvent(watched, event);
            m_dispatchingKey = false;
            return true; // delivered above, with its propagation
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMDIHost::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TMDIHost::FormShow()
{
    if (!m_firstShow)
        return;
    ShowViewerWindow();
    ShowStartSplash();
    m_firstShow = false;
    m_startIndexTimer->start();
}

void TMDIHost::ShowViewerWindow()
{
    if (!m_viewer)
        return;
    TDesktopUpdateLock lock;
    m_viewer->setParent(m_client);
    m_viewer->setWindowFlags(Qt::Widget);
    TAlignLayout::SetAlign(m_viewer, alClient);
    m_viewer->show();
    m_viewer->raise();
}

void TMDIHost::NextAdvert() { m_attractLoop->NextAdvert(); }

void TMDIHost::AppIdle() { m_attractLoop->AppIdle(); }

void TMDIHost::FormMouseMove() { m_attractLoop->RestartCountdown(); }

void TMDIHost::AdvertClick() { m_attractLoop->AdvertClick(); }

void TMDIHost::closeEvent(QCloseEvent* event)
{
    try {
        delete m_editor.data();
    } catch (...) {
        // The program is ending anyway; an editor that fails to go must not keep it open.
    }
    // Closing the main window ends the program, whatever other windows are still up.
    for (TSplashForm* splash : m_splashes)
        splash->hide();
    m_findDialog->hide();
    m_webSearch->hide();
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}

void TMDIHost::ShowStartSplash()
{
    if (m_numColours > 256 || !m_options.ColourWarning)
        return;
    TSplashForm* splash = nullptr;
    try {
        TDesktopUpdateLock lock;
        splash = new TSplashForm();
        splash->setGeometry(TScreen::Geometry());
        splash->setWindowState(Qt::WindowMaximized);
        splash->FillStartText(m_numColours, m_options.ColourWarning);
        splash->show();
        splash->CentrePanel();
        m_splashes.append(splash);
    } catch (...) {
        // The warning is a courtesy: start-up goes on without it, updates resumed by the lock.
        delete splash;
    }
}

void TMDIHost::ShowAbout()
{
    TSplashForm* about = nullptr;
    try {
        about = new TSplashForm();
        about->FillAboutText();
        const QRect screen = TScreen::Geometry();
        about->move(screen.center() - QPoint(about->width() / 2, about->height() / 2));
        about->show();
        about->raise();
        m_splashes.append(about);
    } catch (...) {
        // Nothing is lost without the about window; the reader simply sees none.
        delete about;
    }
}
