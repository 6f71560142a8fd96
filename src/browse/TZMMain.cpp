#include "TZMMain.h"
#include "browse/TFolderTests.h"
#include "browse/THostServices.h"
#include "browse/TLinkActivation.h"
#include "browse/TTouchScrolling.h"
#include "browse/TWebBuilders.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/paint/TAssets.h"
#include "components/panels/TAlignLayout.h"
#include "components/panels/TFlatButton.h"
#include "components/panels/TGapPlacer.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "components/panels/TTransparentPanel.h"
#include "html/THtmlPane.h"
#include "html/THtmlPath.h"
#include "platform/TColorRef.h"
#include "platform/TLauncher.h"
#include "platform/TMessageBox.h"
#include "platform/TNotSet.h"
#include "platform/TPath.h"
#include "platform/TRasterOp.h"
#include "platform/TUpdateLock.h"
#include "platform/TWaitCursor.h"
#include "state/TColumnSizeRegistry.h"
#include "state/TDefaultState.h"
#include "state/TDisplayState.h"
#include "state/TStyleCopies.h"
#include <QLabel>

namespace {

QFont SansFont(int points, bool bold = false)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

void Paint(QWidget* w, const QColor& colour)
{
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
}

} // namespace

TZMMain::TZMMain(THostServices* host, QWidget* parent) : QWidget(parent), m_host(host)
{
    TAssets::Ensure();
    setObjectName(QStringLiteral("ZMMain"));
    setWindowTitle(QStringLiteral("Outline and Viewer"));
    resize(573, 428);
    Paint(this, Qt::white);
    setFont(SansFont(8));
    CreateControls();
    EnableTouchScrolling();
    FormCreate();
}

void TZMMain::CreateControls()
{
    new TAlignLayout(this);

    LeftPanel = new QWidget(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    Paint(LeftPanel, Qt::black);
    LeftPanel->resize(231, height());
    TAlignLayout::SetAlign(LeftPanel, alLeft);
    new TAlignLayout(LeftPanel);

    PanelPage = new TKXPanelPage(LeftPanel);
    PanelPage->setObjectName(QStringLiteral("PanelPage"));
    TAlignLayout::SetAlign(PanelPage, alClient);
    PanelPage->SetBuiltInBitmap(QImage(QStringLiteral(":/assets/tile.bmp")));
    PanelPage->SetTileBitmap(PanelPage->BuiltInBitmap());
    PanelPage->SetBackGroundStyle(rbsBitmap);
    PanelPage->SetGradientHiLight(TColours::clBlack);
    PanelPage->SetGradientLoLight(TColours::clWhite);
    PanelPage->resize(231, 428);
    PanelPage->SetAlignLeftGap(20);
    PanelPage->SetAlignTopGap(20);
    PanelPage->SetAlignRightGap(20);
    PanelPage->SetAlignBottomGap(20);
    PanelPage->SetLeaveSpaceAtTitle(15);
    PanelPage->OnPosition = [this](QObject*, const QList<QWidget*>&, const TRect& rect,
                                   QPainter* canvas) {
        // Both content panels sit inside the page's gaps, ten pixels further from the top
        // and bottom edges, framed by the page's outline style.
        const int l = PanelPage->AlignLeftGap(), t = PanelPage->AlignTopGap() + 10,
                  r = PanelPage->AlignRightGap(), b = PanelPage->AlignBottomGap() + 10;
        TGapPlacer::PlaceInGaps(HomePanel, canvas, l, t, r, b, rect, PanelPage->ControlOutline());
        TGapPlacer::PlaceInGaps(ReadPanel, canvas, l, t, r, b, rect, PanelPage->ControlOutline());
    };

    ReadPanel = new QWidget(PanelPage);
    ReadPanel->setObjectName(QStringLiteral("ReadPanel"));
    new TAlignLayout(ReadPanel);
    ReadOutliner = new TMDIOutline(ReadPanel);
    ReadOutliner->setObjectName(QStringLiteral("ReadOutliner"));
    TAlignLayout::SetAlign(ReadOutliner, alClient);
    ReadOutliner->SetItemHeight(30);
    ReadOutliner->setFont(SansFont(10, true));
    ReadOutliner->SetItemSeparator(QStringLiteral("\\"));
    ReadOutliner->SetScrollBars(ssVertical);
    ReadPanel->hide();

    HomePanel = new TTransparentPanel(PanelPage);
    HomePanel->setObjectName(QStringLiteral("HomePanel"));
    HomePanel->SetDrawAsTransparent(true);
    new TAlignLayout(HomePanel);

    Home_TitlePanel = new QWidget(HomePanel);
    Home_TitlePanel->setObjectName(QStringLiteral("Home_TitlePanel"));
    Paint(Home_TitlePanel, Qt::black);
    Home_TitlePanel->resize(Home_TitlePanel->width(), 22);
    TAlignLayout::SetAlign(Home_TitlePanel, alTop);
    new TAlignLayout(Home_TitlePanel);
    Home_TitleCaption = new QLabel(QStringLiteral("Titles "), Home_TitlePanel);
    Home_TitleCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Home_TitleCaption->setFont(SansFont(8, true));
    QPalette white = Home_TitleCaption->palette();
    white.setColor(QPalette::WindowText, Qt::white);
    Home_TitleCaption->setPalette(white);
    TAlignLayout::SetAlign(Home_TitleCaption, alClient);
    FlatButton1 = new TFlatButton(Home_TitlePanel);
    FlatButton1->setObjectName(QStringLiteral("FlatButton1"));
    TAlignLayout::SetAlign(FlatButton1, alNone);
    FlatButton1->setGeometry(4, 2, 53, 17);
    FlatButton1->SetCaption(QStringLiteral("Sort List"));
    FlatButton1->setFont(SansFont(8));
    FlatButton1->SetFontColour(TColours::clWhite);
    FlatButton1->raise();
    FlatButton1->OnClick = [this](QObject*) { FlatButton1Click(); };
    // The same flat button in the same strip, so it wears whatever look the strip has.
    SearchButton = new TFlatButton(Home_TitlePanel);
    SearchButton->setObjectName(QStringLiteral("SearchButton"));
    TAlignLayout::SetAlign(SearchButton, alNone);
    SearchButton->setGeometry(61, 2, 53, 17);
    SearchButton->SetCaption(QStringLiteral("Search"));
    SearchButton->setFont(SansFont(8));
    SearchButton->SetFontColour(TColours::clWhite);
    SearchButton->setToolTip(QStringLiteral("Search every document of the web (Ctrl+Shift+F)"));
    SearchButton->raise();
    SearchButton->OnClick = [this](QObject*) { SearchButtonClick(); };

    // Docked from the bottom up: the list first, then the bar above it.
    DocList = new TClrListView(HomePanel);
    DocList->setObjectName(QStringLiteral("DocList"));
    DocList->resize(DocList->width(), 177);
    TAlignLayout::SetAlign(DocList, alBottom);
    DocList->SetViewStyle(vsReport);
    DocList->AddColumn(QString(), 315);
    DocList->SetReadOnly(true);
    DocList->SetAutoColumnSort(acsSortToggle);
    DocList->OnClick = [this](QObject*) { DocListClick(); };
    DocList->SetCellHiLightColour(TSysColour::clWindow);
    // Column widths persist only with SaveSettings.AutoSave, which stays off.
    DocList->SetColumnSizeStore(std::make_unique<TColumnSizeRegistry>());
    DocList->Loaded();

    GraphicSplit2 = new TGraphicSplitBar(HomePanel);
    GraphicSplit2->setObjectName(QStringLiteral("GraphicSplit2"));
    GraphicSplit2->BeginLoading();
    GraphicSplit2->SetAlign(alBottom);
    GraphicSplit2->SetHeight(7);
    GraphicSplit2->SetControlFirst(DocList);
    GraphicSplit2->SetShadowStyle(ssShadBottom);
    GraphicSplit2->SetColor(TColours::clWhite);
    GraphicSplit2->EndLoading();

    FolderList = new TMDIOutline(HomePanel);
    FolderList->setObjectName(QStringLiteral("FolderList"));
    TAlignLayout::SetAlign(FolderList, alClient);
    FolderList->SetItemHeight(30);
    FolderList->SetItemSeparator(QStringLiteral("\\"));
    FolderList->OnClick = [this](QObject*) { FolderListClick(); };
    // The design look of the window: the built-in background bitmap with the cells laid
    // on it so they brighten it; a state file may change all of it.
    const QImage background(QStringLiteral(":/assets/outline_bg.bmp"));
    for (TMDIOutline* outline : {FolderList, ReadOutliner}) {
        outline->SetBuiltInBitmap(background);
        outline->SetBitmap(background);
        outline->SetBackGroundStyle(rbsBitmap);
        outline->SetBackgroundCopyMode(TCopyMode::cmSrcCopy);
        outline->SetBackgroundCellCopyMode(TCopyMode::cmSrcPaint);
        outline->SetCellHiLightColour(TColours::clSilver);
        outline->SetCellOutlineWidth(1);
        outline->SetCellPaint(true);
    }

    GraphicSplit1 = new TGraphicSplitBar(this);
    GraphicSplit1->setObjectName(QStringLiteral("GraphicSplit1"));
    GraphicSplit1->BeginLoading();
    GraphicSplit1->SetAlign(alLeft);
    GraphicSplit1->SetWidth(6);
    GraphicSplit1->SetControlFirst(LeftPanel);
    GraphicSplit1->SetLimitLeftOffset(50);
    GraphicSplit1->SetLimitRightOffset(50);
    GraphicSplit1->SetShadowStyle(ssShadLeft);
    GraphicSplit1->SetColor(TColours::clWhite);
    GraphicSplit1->EndLoading();

    Viewer = new THtmlPane(this);
    Viewer->setObjectName(QStringLiteral("Viewer"));
    TAlignLayout::SetAlign(Viewer, alClient);
    Viewer->SetDefBackground(TColours::clWhite);
    Viewer->SetBorderStyle(htNone);
    Viewer->SetHistoryMaxCount(0);
    Viewer->SetDefFontName(QStringLiteral("Times New Roman"));
    Viewer->SetDefPreFontName(QStringLiteral("Courier New"));
    Viewer->SetViewImages(true);
    Viewer->SetNoSelect(false);
    Viewer->setCursor(Qt::IBeamCursor);
    Viewer->SetPrintMarginLeft(2.0);
    Viewer->SetPrintMarginRight(2.0);
    Viewer->SetPrintMarginTop(2.0);
    Viewer->SetPrintMarginBottom(2.0);
    Viewer->OnHotSpotClick = [this](QObject* sender, const QString& src, bool& handled) {
        ViewerHotSpotClick(sender, src, handled);
    };
}

void TZMMain::EnableTouchScrolling()
{
    // The view's pages scroll by touch by themselves (frames come and go with them).
    for (TMDIOutline* outline : {FolderList, ReadOutliner})
        TTouchScrolling::Enable(outline, [outline] { return outline->DefaultRowHeight(); });
    TTouchScrolling::Enable(DocList, [this] { return DocList->RowHeight(); });
}

void TZMMain::FormCreate()
{
    // The controls take their design sizes before a state file is read, so gaps are
    // clamped against the sizes they will have, not against a widget's default size.
    if (auto* layout = TAlignLayout::Of(this))
        layout->Realign();
    if (auto* layout = TAlignLayout::Of(LeftPanel))
        layout->Realign();
    const TRect page = TRect::FromQRect(PanelPage->rect());
    const int l = PanelPage->AlignLeftGap(), t = PanelPage->AlignTopGap() + 10,
              r = PanelPage->AlignRightGap(), b = PanelPage->AlignBottomGap() + 10;
    TGapPlacer::PlaceInGaps(HomePanel, nullptr, l, t, r, b, page, kxNoDraw);
    TGapPlacer::PlaceInGaps(ReadPanel, nullptr, l, t, r, b, page, kxNoDraw);
    if (auto* layout = TAlignLayout::Of(HomePanel))
        layout->Realign();
    if (auto* layout = TAlignLayout::Of(ReadPanel))
        layout->Realign();
    ApplyStartState();
    PrepareControls();
    BuildSite();
    OpenIntroduction();
}

void TZMMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    RelayoutDocList();
}

void TZMMain::RelayoutDocList()
{
    DocList->SetViewStyle(vsList);
    DocList->SetViewStyle(vsReport);
}

void TZMMain::ApplyStartState()
{
    const QString& state = m_host->StartUpOptions().StateFileName;
    if (!TNotSet::IsOrNullWord(state)) {
        if (!TDisplayState::LoadStateFile(state, FolderList, ReadOutliner, GraphicSplit2,
                                          GraphicSplit1, PanelPage, DocList) &&
            !TDisplayState::LoadStateFile(TDefaultState::DefaultStateFileName(), FolderList,
                                          ReadOutliner, GraphicSplit2, GraphicSplit1, PanelPage,
                                          DocList)) {
            TMessageBox::Show(
                QStringLiteral(
                    "The default STA file is corrupted or missing (this is a backup file "
                    "used when the user specified STATE file cannot be loaded. You can "
                    "fix this by running Set-Up again, and this is recommended."),
                QStringLiteral("System Error"));
        }
    } else if (m_host->NumColours() <= 256) {
        ApplyLowColourLook();
    }
}

void TZMMain::ApplyLowColourLook()
{
    const qint32 silver = TColours::clSilver, navy = TColours::clNavy, white = TColours::clWhite;
    PanelPage->SetColor(silver);
    PanelPage->SetGradientHiLight(silver);
    PanelPage->SetGradientLoLight(silver);
    PanelPage->SetBackGroundStyle(rbsNone);

    FolderList->SetColor(silver);
    FolderList->SetCellPaintColour(silver);
    FolderList->SetGradientHiLight(silver);
    FolderList->SetGradientLoLight(silver);
    FolderList->SetCellHiLightColour(navy);
    FolderList->SetBackGroundStyle(rbsNone);
    FolderList->SetTextNormalCol(white);
    FolderList->SetTextHiLight(white);
    FolderList->SetBackgroundCellCopyMode(TCopyMode::cmMergeCopy);
    FolderList->SetBackgroundCopyMode(TCopyMode::cmMergeCopy);
    FolderList->SetHitGap(10);
    FolderList->SetLeftGap(10);
    FolderList->SetDrawCellOutline(rcsBox);
    FolderList->SetDoCellOutline(rlsBox);

    DocList->SetColor(silver);
    DocList->SetCellPaintColour(silver);
    DocList->SetCellHiLightColour(navy);
    DocList->SetTextNormalCol(white);
    DocList->SetTextHiLight(white);
    DocList->SetHitGap(10);
    DocList->SetLeftGap(10);
    DocList->SetDrawCellOutline(rcsBox);
    DocList->SetDoCellOutline(rlsBox);

    for (TGraphicSplitBar* bar : {GraphicSplit1, GraphicSplit2}) {
        bar->SetShadowStyle(ssNoShad);
        bar->SetColor(TColours::clBlack);
    }
    PanelPage->update();
    FolderList->update();
    DocList->update();
}

void TZMMain::PrepareControls()
{
    TStyleCopies::CopyOutlinerStyle(ReadOutliner, FolderList);
    RelayoutDocList();
    ReadOutliner->SetViewer(Viewer);
    ReadOutliner->Clear();
    FolderList->Clear();
}

QString TZMMain::WebFolder() const
{
    const QString& web = m_host->StartUpOptions().StartUpWeb;
    if (!TNotSet::Is(web) && WebFolderExists(web))
        return TPath::WithTrailingSeparator(web);
    return TPath::ProgramDirectory();
}

QString TZMMain::BuildOutline(const QString& subPath, bool foldersMode, TMDIOutline* outline)
{
    CurrentFolder = TWebBuilders::BuildFolderOutline(WebFolder(), subPath, foldersMode, outline);
    return CurrentFolder;
}

QString TZMMain::FillDocuments(const QString& subPath, bool foldersMode)
{
    CurrentFolder = TWebBuilders::FillDocumentList(WebFolder(), subPath, foldersMode, DocList);
    return CurrentFolder;
}

void TZMMain::BuildSite()
{
    FolderList->Clear();
    BuildOutline(TNotSet::Value(), true, FolderList);
    if (FolderList->ItemCount() > 0)
        FolderList->Items(1)->FullExpand();
    LastFolderIndex = -1;
    FolderListClick();
    ShowPanel(HomePanel);
}

void TZMMain::FolderListClick()
{
    const int sel = FolderList->SelectedItem();
    if (sel < 1 || sel == LastFolderIndex)
        return;
    const QString fullPath = FolderList->Items(sel)->FullPath();
    const QString separator = FolderList->ItemSeparator();
    const int first = fullPath.indexOf(separator);
    // The outline joins node texts with its separator; below the web folder they name
    // the folder's path.
    QString subPath = TNotSet::Value();
    if (first >= 0)
        subPath = TPath::FromNative(fullPath.mid(first + separator.size())) + u'/';
    {
        TUpdateLock lock(this);
        FillDocuments(subPath, false);
    }
    LastFolderIndex = sel;
}

void TZMMain::DocListClick()
{
    TListItem* row = DocList->Selected();
    if (!row)
        return;
    QString file = CurrentFolder + row->Caption + QStringLiteral(".htm");
    if (!TPath::FileExists(file))
        file = CurrentFolder + row->Caption + QStringLiteral(".html");
    OpenDocument(file, MissingDocumentMessage);
}

void TZMMain::OpenDocument(const QString& fileName, const QString& message)
{
    const QString shown = TNotSet::Is(message) ? QStringLiteral("Error") : message;
    try {
        m_host->ShowProgressText(QStringLiteral("Opening File"));
        LoadDocument(fileName, Viewer, ReadOutliner);
        m_host->ShowAdvertPage();
        if (ReadOutliner->ItemCount() > 0)
            ShowPanel(ReadPanel);
    } catch (...) {
        m_host->ShowAdvertPage();
        if (shown != QLatin1String("No Message"))
            TMessageBox::Show(shown, QStringLiteral("Load Error"));
    }
}

void TZMMain::LoadDocument(const QString& fileName, THtmlPane* view, TMDIOutline* outline)
{
    TWaitCursor wait;
    view->LoadFile(fileName);
    view->SetPosition(0);
    // A link to a heading of another page lands on it; an unknown name leaves the top.
    QString file, destination;
    THtmlPath::SplitDestination(fileName, &file, &destination);
    if (!destination.isEmpty())
        view->PositionTo(destination);
    FillPageOutline(view, outline);
}

void TZMMain::FillPageOutline(THtmlPane* view, TMDIOutline* outline)
{
    const QStringList headings = view->HeadingList();
    if (headings.isEmpty()) {
        outline->Clear();
        return;
    }
    outline->FillFromHeadings(headings);
    // Open, so the reader sees at once everything the page holds.
    outline->FullExpand();
}

void TZMMain::OpenDocumentInFrame(THtmlFrame* frame, const QString& fileName)
{
    try {
        if (Viewer->FrameShows(frame, fileName)) {
            // The frame's own document: the link is an anchor of that frame.
            Viewer->LoadFileInFrame(frame, fileName);
            return;
        }
        m_host->ShowProgressText(QStringLiteral("Opening File"));
        {
            TWaitCursor wait;
            Viewer->LoadFileInFrame(frame, fileName);
            FillPageOutline(Viewer, ReadOutliner);
        }
        m_host->ShowAdvertPage();
        if (ReadOutliner->ItemCount() > 0)
            ShowPanel(ReadPanel);
    } catch (...) {
        m_host->ShowAdvertPage();
        TMessageBox::Show(QStringLiteral("Error"), QStringLiteral("Load Error"));
    }
}

void TZMMain::OpenIntroduction()
{
    const QString& intro = m_host->StartUpOptions().IntroductionFile;
    if (!TNotSet::Is(intro) && TPath::FileExists(intro) && Viewer->CurrentFile() != intro)
        OpenDocument(intro, QStringLiteral("No Message"));
}

void TZMMain::ResetToStart()
{
    SortAscending = false;
    BuildSite();
    const QString& intro = m_host->StartUpOptions().IntroductionFile;
    if (!TNotSet::Is(intro) && TPath::FileExists(intro)) {
        OpenDocument(intro, QStringLiteral("No Message"));
        return;
    }
    Viewer->Clear();
    ReadOutliner->Clear();
}

void TZMMain::ShowPanel(QWidget* panel)
{
    QWidget* other = panel == HomePanel ? ReadPanel : HomePanel;
    const bool site = panel == HomePanel;
    if (site)
        RelayoutDocList();
    {
        TUpdateLock lock(PanelPage);
        other->hide();
        panel->show();
    }
    if (site)
        RelayoutDocList();
    PanelPage->update();
}

void TZMMain::HomeButtonClick()
{
    if (FolderList->ItemCount() > 0)
        ShowPanel(HomePanel);
    else
        BuildSite();
}

void TZMMain::SearchButtonClick()
{
    if (OnWebSearch)
        OnWebSearch();
}

void TZMMain::FlatButton1Click()
{
    SortAscending = !SortAscending;
    DocList->SortByColumn(0, SortAscending);
}

bool TZMMain::LoadDisplayState(const QString& fileName)
{
    return TDisplayState::LoadDisplayState(
        {FolderList, ReadOutliner, DocList, PanelPage, GraphicSplit1, GraphicSplit2}, fileName);
}

bool TZMMain::SaveDisplayState(const QString& fileName)
{
    return TDisplayState::SaveDisplayState(
        {FolderList, ReadOutliner, DocList, PanelPage, GraphicSplit1, GraphicSplit2}, fileName);
}

void TZMMain::ViewerHotSpotClick(QObject*, const QString& SRC, bool& Handled)
{
    const TLinkAction action = TLinkActivation::Decide(
        SRC, [this](const QString& target) { return Viewer->HTMLExpandFilename(target); },
        [](const QString& file) { return TPath::FileExists(file); });
    switch (action.kind) {
    case TLinkAction::None: return;
    case TLinkAction::Heading:
        // The page outline may show another frame's headings; an anchor scrolls the frame
        // of its link, which the view does itself.
        if (Viewer->HotSpotFrame() && Viewer->HotSpotFrame() != Viewer->HeadingFrame())
            return;
        Handled = ReadOutliner->GoToHeading(action.heading);
        return;
    case TLinkAction::Document:
        // Inside a frame set a document goes where the link's target sends it; the whole
        // view only for "_top" and what stands for it.
        if (THtmlFrame* frame = Viewer->HotSpotTarget())
            OpenDocumentInFrame(frame, action.document);
        else
            OpenDocument(action.document, TNotSet::Value());
        break;
    case TLinkAction::Sound: TLauncher::PlaySound(action.file); break;
    case TLinkAction::Program:
        // A kiosk's operator may forbid them: the visitor learns why nothing happens, and
        // no dialog waits for an answer nobody at a public screen will give.
        if (!m_host->StartUpOptions().AllowPrograms)
            m_host->ShowNotice(UnavailableLinkNotice);
        else // only the web's own programs and the kit's: never a link that leads elsewhere
            TLauncher::StartWebProgram(action.file, action.arguments,
                                       {WebFolder(), TPath::ProgramDirectory()});
        break;
    case TLinkAction::MediaPlayer:
        if (!m_host->StartUpOptions().AllowMedia)
            m_host->ShowNotice(UnavailableLinkNotice);
        else
            TLauncher::OpenInMediaPlayer(action.file);
        break;
    }
    Handled = true;
}
