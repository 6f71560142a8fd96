#include "TZMEditor.h"
#include "browse/THostServices.h"
#include "components/listview/TClrListView.h"
#include "components/outline/TMDIOutline.h"
#include "components/panels/TAlignLayout.h"
#include "components/panels/TFlatButton.h"
#include "components/panels/TGapPlacer.h"
#include "components/panels/TGraphicSplitBar.h"
#include "components/panels/TKXPanelPage.h"
#include "components/panels/TTransparentPanel.h"
#include "editor/TEditorContext.h"
#include "editor/TListStylePage.h"
#include "editor/TOutlineStylePage.h"
#include "editor/TPanelStylePage.h"
#include "editor/TQtEditorDialogs.h"
#include "editor/TSplitterStylePage.h"
#include "editor/TWriterPage.h"
#include "platform/TColorRef.h"
#include "platform/TMessageBox.h"
#include "state/TColumnSizeRegistry.h"
#include "state/TDefaultState.h"
#include "state/TStyleCopies.h"
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyle>
#include <algorithm>
#include <array>
#include <exception>

const QString TZMEditor::RestoreFailedText =
    QStringLiteral("Some elements could not be restored from the system backups. Re-install "
                   "strongly recommended.");
const QString TZMEditor::SystemErrorCaption = QStringLiteral("System Error");
const QString TZMEditor::AlterFailedText = QStringLiteral("Could not alter screen elements");
const QString TZMEditor::EditErrorCaption = QStringLiteral("Edit Error");
const QString TZMEditor::ComposingText = QStringLiteral("Composing Screen");

namespace {

constexpr qint32 kSilver = TColours::clSilver;
constexpr qint32 kPreviewGradientEnd = 9856410;
constexpr qint32 kStyleAreaGradientStart = 4042;
// The page control's own size; it grows when a page needs more room.
constexpr QSize kStylePageSize(470, 380);

void Paint(QWidget* widget, qint32 colour)
{
    widget->setAutoFillBackground(true);
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, TColorRef::ToQColor(colour));
    widget->setPalette(p);
}

} // namespace

TZMEditor::TZMEditor(THostServices* host, const TDisplayControls& live, QWidget* parent)
    : QWidget(parent), m_live(live)
{
    setObjectName(QStringLiteral("ZMEditor"));
    m_context = std::make_unique<TEditorContext>(host, std::make_unique<TQtEditorDialogs>(this));
    new TAlignLayout(this);
    BuildToolBar();
    BuildPreview();
    BuildStyleArea();
    FormCreate();
    // The preview keeps its gaps within the live controls' sizes, so what it shows is what
    // "Close" gives the display, and the fields show the values that will be in force.
    DummyFolderList->SetClampReference(m_live.FolderList);
    DummyDocList->SetClampReference(m_live.DocList);
    DummyPanelPage->SetClampReference(m_live.PanelPage);
}

TZMEditor::~TZMEditor() = default;

TEditorDialogs& TZMEditor::Dialogs() { return m_context->Dialogs(); }

void TZMEditor::SetDialogs(std::unique_ptr<TEditorDialogs> dialogs)
{
    m_context->SetDialogs(std::move(dialogs));
}

TEditorTargets& TZMEditor::Targets() { return m_context->Targets(); }

QString TZMEditor::ToolBarCaption() const { return ModeCaption->text(); }

void TZMEditor::BuildToolBar()
{
    Editor_ToolBar = new QWidget(this);
    Editor_ToolBar->setObjectName(QStringLiteral("Editor_ToolBar"));
    Editor_ToolBar->setFixedHeight(ToolBarHeight);
    Paint(Editor_ToolBar, TColours::clWhite);
    TAlignLayout::SetAlign(Editor_ToolBar, alTop);

    auto* row = new QHBoxLayout(Editor_ToolBar);
    row->setContentsMargins(2, 2, 4, 2);
    row->setSpacing(2);
    auto button = [&](const char* name, const QString& caption, const QString& hint,
                      void (TZMEditor::*click)()) {
        auto* b = new TFlatButton(Editor_ToolBar);
        b->setObjectName(QLatin1String(name));
        b->SetCaption(caption);
        b->setToolTip(hint);
        QFont bold = b->font();
        bold.setBold(true);
        const int text = QFontMetrics(bold).horizontalAdvance(caption) + 14;
        b->setFixedSize(std::max(66, text), ToolBarHeight - 4);
        b->OnClick = [this, click](QObject*) { (this->*click)(); };
        row->addWidget(b);
        return b;
    };
    EditorButton_Close =
        button("EditorButton_Close", QStringLiteral("Close"),
               QStringLiteral("Close and apply changes"), &TZMEditor::EditorButton_CloseClick);
    EditorButton_Cancel =
        button("EditorButton_Cancel", QStringLiteral("Cancel"),
               QStringLiteral("Close without changes"), &TZMEditor::EditorButton_CancelClick);
    QFont bold = EditorButton_Cancel->font();
    bold.setBold(true);
    EditorButton_Cancel->setFont(bold);
    EditorButton_Cancel->SetFontColour(TColours::clRed);
    Toolbutton_panelStyle =
        button("Toolbutton_panelStyle", QStringLiteral("Panel"),
               QStringLiteral("Change background panel"), &TZMEditor::Toolbutton_panelStyleClick);
    Toolbutton_outlinerStyle =
        button("Toolbutton_outlinerStyle", QStringLiteral("Folders"),
               QStringLiteral("Change Folder List"), &TZMEditor::Toolbutton_outlinerStyleClick);
    Toolbutton_listStyle =
        button("Toolbutton_listStyle", QStringLiteral("Documents"),
               QStringLiteral("Change Document List"), &TZMEditor::Toolbutton_listStyleClick);
    Toolbutton_splitterStyle =
        button("Toolbutton_splitterStyle", QStringLiteral("Splitters"),
               QStringLiteral("Change Splitters"), &TZMEditor::Toolbutton_splitterStyleClick);
    Toolbutton_writer =
        button("Toolbutton_writer", QStringLiteral("Writer"),
               QStringLiteral("Save Changes to File"), &TZMEditor::Toolbutton_writerClick);
    row->addStretch();
    ModeCaption = new QLabel(QStringLiteral("Editor  "), Editor_ToolBar);
    ModeCaption->setObjectName(QStringLiteral("ModeCaption"));
    ModeCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(ModeCaption);

    // A bar that only draws a shadow line under the toolbar.
    TopSplitter = new TGraphicSplitBar(this);
    TopSplitter->setObjectName(QStringLiteral("TopSplitter"));
    TopSplitter->BeginLoading();
    TopSplitter->SetAlign(alTop);
    TopSplitter->SetHeight(8);
    TopSplitter->SetColor(TColours::clWhite);
    TopSplitter->SetShadowStyle(ssShadTop);
    TopSplitter->EndLoading();
    TopSplitter->setEnabled(false);
}

void TZMEditor::BuildPreview()
{
    LeftPanel = new QWidget(this);
    LeftPanel->setObjectName(QStringLiteral("LeftPanel"));
    LeftPanel->resize(LeftPanelWidth, LeftPanel->height());
    Paint(LeftPanel, TColours::clBlack);
    new TAlignLayout(LeftPanel);
    TAlignLayout::SetAlign(LeftPanel, alLeft);

    DummyPanelPage = new TKXPanelPage(LeftPanel);
    DummyPanelPage->setObjectName(QStringLiteral("DummyPanelPage"));
    DummyPanelPage->setToolTip(QStringLiteral("Shows a preview of your changes"));
    DummyPanelPage->SetGradientHiLight(TColours::clBlack);
    DummyPanelPage->SetGradientLoLight(kPreviewGradientEnd);
    DummyPanelPage->SetBackGroundStyle(rbsGradient);
    DummyPanelPage->SetLeaveSpaceAtTitle(15);
    DummyPanelPage->OnPosition = [this](QObject* sender, const QList<QWidget*>& items,
                                        const TRect& rect, QPainter* canvas) {
        DummyPanelPagePosition(sender, items, rect, canvas);
    };
    TAlignLayout::SetAlign(DummyPanelPage, alClient);

    HomePanel = new TTransparentPanel(DummyPanelPage);
    HomePanel->setObjectName(QStringLiteral("HomePanel"));
    HomePanel->SetColor(TColours::clWhite);
    new TAlignLayout(HomePanel);

    DummyTitlePanel = new QLabel(QStringLiteral("Titles "), HomePanel);
    DummyTitlePanel->setObjectName(QStringLiteral("DummyTitlePanel"));
    DummyTitlePanel->setFixedHeight(22);
    DummyTitlePanel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Paint(DummyTitlePanel, TColours::clBlack);
    QPalette titlePalette = DummyTitlePanel->palette();
    titlePalette.setColor(QPalette::WindowText, Qt::white);
    DummyTitlePanel->setPalette(titlePalette);
    QFont titleFont = DummyTitlePanel->font();
    titleFont.setBold(true);
    DummyTitlePanel->setFont(titleFont);
    TAlignLayout::SetAlign(DummyTitlePanel, alTop);

    // The list docks at the bottom first, then its splitter above it.
    DummyDocList = new TClrListView(HomePanel);
    DummyDocList->setObjectName(QStringLiteral("DummyDocList"));
    DummyDocList->resize(DummyDocList->width(), 110);
    DummyDocList->SetViewStyle(vsReport);
    DummyDocList->AddColumn(QString(), 315);
    for (const char* item : {"Contents", "Chapter One", "Chapter Two", "Index"})
        DummyDocList->AddItem(QLatin1String(item));
    // Column widths persist only with SaveSettings.AutoSave, which stays off.
    DummyDocList->SetColumnSizeStore(std::make_unique<TColumnSizeRegistry>());
    DummyDocList->Loaded();
    // A selected row shows the highlight colours being chosen.
    DummyDocList->SetSelected(DummyDocList->Item(0));
    TAlignLayout::SetAlign(DummyDocList, alBottom);

    DummyHorzSplitter = new TGraphicSplitBar(HomePanel);
    DummyHorzSplitter->setObjectName(QStringLiteral("DummyHorzSplitter"));
    DummyHorzSplitter->BeginLoading();
    DummyHorzSplitter->SetAlign(alBottom);
    DummyHorzSplitter->SetHeight(8);
    DummyHorzSplitter->SetControlFirst(DummyDocList);
    DummyHorzSplitter->SetShadowStyle(ssShadBottom);
    DummyHorzSplitter->EndLoading();

    DummyFolderList = new TMDIOutline(HomePanel);
    DummyFolderList->setObjectName(QStringLiteral("DummyFolderList"));
    DummyFolderList->SetItemHeight(20);
    const int web = DummyFolderList->AddChild(0, QStringLiteral("Sample Web"));
    for (const char* folder : {"Introduction", "Chapter One", "Chapter Two", "Pictures"})
        DummyFolderList->AddChild(web, QLatin1String(folder));
    DummyFolderList->FullExpand();
    TAlignLayout::SetAlign(DummyFolderList, alClient);

    // Beside the preview, standing for the live vertical splitter; it cannot be dragged.
    DummyVertSplitter = new TGraphicSplitBar(this);
    DummyVertSplitter->setObjectName(QStringLiteral("DummyVertSplitter"));
    DummyVertSplitter->BeginLoading();
    DummyVertSplitter->SetAlign(alLeft);
    DummyVertSplitter->SetWidth(6);
    DummyVertSplitter->SetShadowStyle(ssShadLeft);
    DummyVertSplitter->EndLoading();
    DummyVertSplitter->setEnabled(false);
}

void TZMEditor::BuildStyleArea()
{
    Right_Panel = new TKXPanelPage(this);
    Right_Panel->setObjectName(QStringLiteral("Right_Panel"));
    Right_Panel->SetGradientHiLight(kStyleAreaGradientStart);
    Right_Panel->SetGradientLoLight(TColours::clWhite);
    Right_Panel->SetBackGroundStyle(rbsGradient);
    Right_Panel->SetLeaveSpaceAtTitle(40);
    Right_Panel->installEventFilter(this);
    TAlignLayout::SetAlign(Right_Panel, alClient);

    // In a small window the page scrolls instead of being cut off; the scroll area is
    // see-through, so the style area's own background shows around the page.
    StyleScroll = new QScrollArea(Right_Panel);
    StyleScroll->setObjectName(QStringLiteral("StyleScroll"));
    StyleScroll->setFrameShape(QFrame::NoFrame);
    StyleScroll->setWidgetResizable(false);
    auto* holder = new QWidget;
    StyleScroll->setWidget(holder);
    holder->setAutoFillBackground(false);
    StyleScroll->viewport()->setAutoFillBackground(false);
    StyleScroll->setAutoFillBackground(false);

    // The tabs are hidden: the toolbar is the only way between the pages.
    ComponentStylePage = new QStackedWidget(holder);
    ComponentStylePage->setObjectName(QStringLiteral("ComponentStylePage"));
    ComponentStylePage->setAutoFillBackground(true);
    PanelSheet = new TPanelStylePage(*m_context, ComponentStylePage);
    ControlSheet = new TOutlineStylePage(*m_context, ComponentStylePage);
    ListViewPage = new TListStylePage(*m_context, ComponentStylePage);
    ReadOther = new TSplitterStylePage(*m_context, ComponentStylePage);
    ReadWriter = new TWriterPage(*m_context, ComponentStylePage);
    for (QWidget* page :
         std::array<QWidget*, 5>{PanelSheet, ControlSheet, ListViewPage, ReadOther, ReadWriter})
        ComponentStylePage->addWidget(page);
    ComponentStylePage->setFixedSize(kStylePageSize.expandedTo(ComponentStylePage->sizeHint()));
}

void TZMEditor::FormCreate()
{
    TAlignLayout::SetAlign(this, alClient);
    TEditorTargets& t = Targets();
    t.Outline = DummyFolderList;
    t.Panel = DummyPanelPage;
    t.VertSplitter = DummyVertSplitter;
    t.HorzSplitter = DummyHorzSplitter;
    t.ListView = DummyDocList;
    ReadWriter->StartUpGroup->setVisible(true);
}

void TZMEditor::LayOutNow()
{
    // The preview's gaps are limited by its size, so it must have its size before the
    // live styles are copied onto it.
    TAlignLayout::RealignParentOf(this);
    for (QWidget* container :
         {static_cast<QWidget*>(this), LeftPanel, static_cast<QWidget*>(HomePanel)})
        if (TAlignLayout* layout = TAlignLayout::Of(container))
            layout->Realign();
    FormResize();
}

void TZMEditor::ApplyLowColourLook()
{
    Right_Panel->SetColor(kSilver);
    Right_Panel->SetGradientHiLight(kSilver);
    Right_Panel->SetGradientLoLight(kSilver);
    Right_Panel->SetBackGroundStyle(rbsNone);
    Right_Panel->update();
    TopSplitter->SetShadowStyle(ssNoShad);
    TopSplitter->SetColor(kSilver);
}

void TZMEditor::FormShow()
{
    THostServices* host = m_context->Host();
    LayOutNow();
    if (host && host->NumColours() <= 256)
        ApplyLowColourLook();
    CopyStyles(false);
    ComposePages();
    Toolbutton_outlinerStyleClick();
}

bool TZMEditor::CopyStyles(bool toLive)
{
    struct TStep
    {
        std::function<bool()> Copy;
        std::function<bool()> Restore;
    };
    const TDisplayControls& live = m_live;
    auto outline = [&](TROutliner* liveOutline) {
        if (toLive)
            return TStep{
                [=, this] { return TStyleCopies::CopyOutlinerStyle(liveOutline, DummyFolderList); },
                [=] { return TDefaultState::RestoreOutlinerFromDefault(liveOutline); }};
        return TStep{
            [=, this] { return TStyleCopies::CopyOutlinerStyle(DummyFolderList, liveOutline); },
            [this] { return TDefaultState::RestoreOutlinerFromDefault(DummyFolderList); }};
    };
    auto splitter = [&](TGraphicSplitBar* liveBar, TGraphicSplitBar* preview) {
        if (toLive)
            return TStep{[=] { return TStyleCopies::CopySplitterStyle(liveBar, preview); },
                         [=] { return TDefaultState::RestoreSplitterFromDefault(liveBar); }};
        return TStep{[=] { return TStyleCopies::CopySplitterStyle(preview, liveBar); },
                     [=] { return TDefaultState::RestoreSplitterFromDefault(preview); }};
    };
    TStep list, panel;
    if (toLive) {
        list = {[&] { return TStyleCopies::CopyListViewStyle(live.DocList, DummyDocList); },
                [&] { return TDefaultState::RestoreListViewFromDefault(live.DocList); }};
        panel = {[&] { return TStyleCopies::CopyPanelStyle(live.PanelPage, DummyPanelPage); },
                 [&] { return TDefaultState::RestorePanelFromDefault(live.PanelPage); }};
    } else {
        list = {[&] { return TStyleCopies::CopyListViewStyle(DummyDocList, live.DocList); },
                [&] { return TDefaultState::RestoreListViewFromDefault(DummyDocList); }};
        panel = {[&] { return TStyleCopies::CopyPanelStyle(DummyPanelPage, live.PanelPage); },
                 [&] { return TDefaultState::RestorePanelFromDefault(DummyPanelPage); }};
    }
    // The folder outline is copied after the page outline, so the preview shows the
    // folder outline's look, and on "Close" both outlines take the preview's look.
    const std::array<TStep, 6> steps = {
        outline(live.ReadOutliner),
        outline(live.FolderList),
        list,
        panel,
        splitter(live.GraphicSplit1, DummyVertSplitter),
        splitter(live.GraphicSplit2, DummyHorzSplitter),
    };
    try {
        for (const TStep& step : steps)
            if (!step.Copy() && !step.Restore())
                TMessageBox::Show(RestoreFailedText, SystemErrorCaption);
        return true;
    } catch (...) {
        TMessageBox::Show(AlterFailedText, EditErrorCaption);
        return false;
    }
}

void TZMEditor::ComposePages()
{
    THostServices* host = m_context->Host();
    if (host)
        host->ShowProgressText(ComposingText);
    try {
        // A page that cannot be filled keeps its fields; after the outline page the
        // others are filled anyway, after any other page the rest is left.
        if (PanelSheet->Fill()) {
            ControlSheet->Fill();
            if (ListViewPage->Fill() && ReadOther->Fill())
                ReadWriter->Fill();
        }
    } catch (...) {
        // A field that could not be filled keeps its design value; the editor still opens.
    }
    if (host)
        host->ShowAdvertPage();
}

void TZMEditor::FormResize()
{
    if (!Right_Panel || !ComponentStylePage || !StyleScroll)
        return;
    StyleScroll->setGeometry(Right_Panel->rect());
    // The room left for the page once the scroll bars it needs take theirs.
    const QSize page = ComponentStylePage->size();
    QSize room = StyleScroll->maximumViewportSize();
    const int bar = StyleScroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool tall = page.height() > room.height();
    const bool wide = page.width() > room.width() - (tall ? bar : 0);
    if (tall)
        room.rwidth() -= bar;
    if (wide)
        room.rheight() -= bar;
    StyleScroll->widget()->resize(room.expandedTo(page));
    const int left = (room.width() - page.width()) / 2;
    const int top = (room.height() - page.height()) / 2;
    ComponentStylePage->move(std::max(0, left), std::max(0, top));
}

void TZMEditor::DummyPanelPagePosition(QObject*, const QList<QWidget*>&,
                                       const TRect& parentRectArea, QPainter* drawCanvas)
{
    const TKXPanelPage* page = DummyPanelPage;
    TGapPlacer::PlaceInGaps(HomePanel, drawCanvas, page->AlignLeftGap(), page->AlignTopGap() + 10,
                            page->AlignRightGap(), page->AlignBottomGap() + 10, parentRectArea,
                            page->ControlOutline());
}

void TZMEditor::ShowMode(QWidget* page, const QString& caption)
{
    ComponentStylePage->setCurrentWidget(page);
    ModeCaption->setText(caption);
}

void TZMEditor::Toolbutton_panelStyleClick()
{
    PanelSheet->FillGaps();
    ShowMode(PanelSheet, QStringLiteral("Panel Mode"));
}

void TZMEditor::Toolbutton_outlinerStyleClick()
{
    ShowMode(ControlSheet, QStringLiteral("Folder List Mode"));
}

void TZMEditor::Toolbutton_listStyleClick()
{
    ShowMode(ListViewPage, QStringLiteral("Document List Mode"));
}

void TZMEditor::Toolbutton_splitterStyleClick()
{
    ShowMode(ReadOther, QStringLiteral("Splitters Mode"));
}

void TZMEditor::Toolbutton_writerClick() { ShowMode(ReadWriter, QStringLiteral("Writer Mode ")); }

void TZMEditor::EditorButton_CloseClick()
{
    CopyStyles(true);
    Finish(TEditorResult::Ok);
}

void TZMEditor::EditorButton_CancelClick()
{
    // The live controls were never touched, so they keep the look they had.
    Finish(TEditorResult::Cancel);
}

void TZMEditor::Finish(TEditorResult result)
{
    m_result = result;
    hide();
    if (THostServices* host = m_context->Host())
        host->SetTitlePanelEnabled(true);
    if (OnEditorClosed)
        OnEditorClosed(this, result);
}

void TZMEditor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Only when the editor itself is shown, not when its host window reappears.
    if (event->spontaneous() || m_showing)
        return;
    m_showing = true;
    FormShow();
}

void TZMEditor::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (isHidden())
        m_showing = false;
}

void TZMEditor::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

bool TZMEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Right_Panel && event->type() == QEvent::Resize)
        FormResize();
    return QWidget::eventFilter(watched, event);
}
