#include "html/THtmlPane.h"
#include "html/TFrameDocuments.h"
#include "html/TFramePane.h"
#include "html/THtmlDocument.h"
#include "html/THtmlFrame.h"
#include "html/THtmlLoadWait.h"
#include "html/THtmlPageLoader.h"
#include "html/THtmlPath.h"
#include "html/THtmlView.h"
#include "platform/EError.h"
#include "platform/TFailureReport.h"
#include "platform/TFolderListings.h"
#include "platform/TPath.h"
#include "platform/TWaitCursor.h"
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <memory>

namespace {

// Frames one document may open, counting those of frame sets inside frames.
constexpr int kFrameBudget = 128;

} // namespace

THtmlPane::THtmlPane(QWidget* parent) : QWidget(parent)
{
    m_root = new THtmlFrame(this, nullptr, QString(), 0, this);
    ShowEmptyPage();
    m_focusWatch = connect(qApp, &QApplication::focusChanged, this, [this] {
        if (m_borderStyle == htFocused)
            update();
    });
    setFocusProxy(m_root);
}

// The application reports focus changes while the QWidget part is still closing, after
// this part is gone; the watch must not outlive it.
THtmlPane::~THtmlPane() { disconnect(m_focusWatch); }

// ---------------------------------------------------------------------------------------
// Properties

void THtmlPane::SetDefBackground(qint32 colour)
{
    m_settings.defBackground = colour;
    // Before the first document the view shows an empty page, which takes the colour now.
    if (m_currentFile.isEmpty())
        ShowEmptyPage();
}

void THtmlPane::Clear()
{
    ++m_loadGeneration; // a load still running is not shown over the blank page
    m_currentFile.clear();
    m_activeView = nullptr;
    m_headingFrame = nullptr;
    ShowEmptyPage();
}

void THtmlPane::ShowEmptyPage()
{
    m_root->Show(THtmlPageLoader::FromText(QString(), m_settings), QString());
}
void THtmlPane::SetDefFontName(const QString& name) { m_settings.defFontName = name; }
void THtmlPane::SetDefPreFontName(const QString& name) { m_settings.defPreFontName = name; }
void THtmlPane::SetDefFontSize(int size) { m_settings.defFontSize = std::clamp(size, 1, 200); }
void THtmlPane::SetDefFontColor(qint32 colour) { m_settings.defFontColor = colour; }
void THtmlPane::SetDefHotSpotColor(qint32 colour) { m_settings.defHotSpotColor = colour; }
void THtmlPane::SetViewImages(bool view) { m_settings.viewImages = view; }
void THtmlPane::SetImageCacheCount(int count) { m_images.SetCapacity(count); }

void THtmlPane::SetNoSelect(bool noSelect)
{
    m_settings.noSelect = noSelect;
    ApplySettingsToViews();
}

void THtmlPane::SetScrollBars(TScrollStyle style)
{
    m_settings.scrollBars = style;
    ApplySettingsToViews();
}

void THtmlPane::SetBorderStyle(THTMLBorderStyle style)
{
    m_borderStyle = style;
    resizeEvent(nullptr);
    update();
}

void THtmlPane::SetHistoryMaxCount(int count)
{
    m_historyMaxCount = std::max(count, 0);
    while (m_history.size() > m_historyMaxCount)
        m_history.removeFirst();
}

void THtmlPane::ApplySettingsToViews() { m_root->ApplySettings(); }

int THtmlPane::BorderWidth() const { return m_borderStyle == htNone ? 0 : 1; }

void THtmlPane::resizeEvent(QResizeEvent*)
{
    const int b = BorderWidth();
    m_root->setGeometry(rect().adjusted(b, b, -b, -b));
}

void THtmlPane::paintEvent(QPaintEvent*)
{
    if (m_borderStyle == htNone)
        return;
    QPainter p(this);
    QColor colour = palette().color(QPalette::Dark);
    if (m_borderStyle == htFocused) {
        const QWidget* focus = QApplication::focusWidget();
        if (!focus || !isAncestorOf(focus))
            colour = palette().color(QPalette::Window);
        else
            colour = palette().color(QPalette::Highlight);
    }
    p.setPen(colour);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---------------------------------------------------------------------------------------
// The document

void THtmlPane::SetActiveView(THtmlView* view) { m_activeView = view; }

THtmlView* THtmlPane::View() const { return m_root->View(); }
TFramePane* THtmlPane::FrameSet() const { return m_root->FrameSet(); }

THtmlView* THtmlPane::ActiveView() const
{
    if (THtmlView* v = m_root->View())
        return v;
    if (m_activeView && isAncestorOf(m_activeView))
        return m_activeView;
    if (TFramePane* set = m_root->FrameSet()) {
        for (THtmlFrame* f : set->Frames())
            if (f->View())
                return f->View();
    }
    return nullptr;
}

void THtmlPane::LoadFile(const QString& fileName)
{
    // One listing per folder for every lookup of this load (pictures, frames), read afresh
    // by the next load.
    TFolderListings listings;
    const TFolderListings::TUse useListings(listings);
    QString file, destination;
    THtmlPath::SplitDestination(fileName, &file, &destination);
    if (file.isEmpty() || !TPath::FileExists(file))
        throw EInOutError(QStringLiteral("Can't locate file: ") + file);
    TWaitCursor wait;
    const QString path = THtmlPath::Resolved(file);
    // Read first: a document that cannot be read leaves the one shown in place.
    THtmlPage page;
    std::unique_ptr<THtmlDocument> built;
    if (!ReadOffThread(path, file, m_root, &page, &built))
        return;
    m_images.BeginDocument();
    m_frameBudget = kFrameBudget;
    if (m_historyMaxCount > 0 && !m_currentFile.isEmpty() && m_currentFile != path) {
        m_history << m_currentFile;
        while (m_history.size() > m_historyMaxCount)
            m_history.removeFirst();
    }
    m_currentFile = path;
    m_activeView = nullptr;
    m_headingFrame = nullptr;
    m_root->Show(std::move(page), path, built.release());
    m_frameDocuments.Clear();
    if (!destination.isEmpty())
        PositionTo(destination);
}

bool THtmlPane::ReadOffThread(const QString& path, const QString& file, THtmlFrame* into,
                              THtmlPage* page, std::unique_ptr<THtmlDocument>* built)
{
    const int generation = ++m_loadGeneration;
    const QPointer<THtmlPane> alive(this);
    const QPointer<QWidget> place(into);
    // A frame set's frames are read on the worker too, with the checks the frames make:
    // what encloses them, how deep frame sets go, how many documents one load may open.
    QStringList enclosing{path};
    for (const THtmlFrame* f = into->ParentContext(); f; f = f->ParentContext())
        enclosing << f->FileName();
    const int depth = into->Depth();
    TFrameDocuments frames;
    THtmlLoadWait::Run(
        [&, settings = m_settings, gui = thread()] {
            TFolderListings workerListings;
            const TFolderListings::TUse useWorkerListings(workerListings);
            *page = THtmlPageLoader::Load(path, file, settings);
            if (page->frameSet) {
                if (depth < THtmlFrame::kMaxDepth) {
                    int budget = kFrameBudget;
                    frames.Read(*page->frameSet, path, enclosing, depth, &budget, settings, gui);
                }
                return;
            }
            built->reset(THtmlDocument::Build(*page, settings));
            page->html.clear();
            (*built)->moveToThread(gui);
        },
        into);
    // Deleted outright meanwhile (a deletion asked for later waits for the load): nothing
    // is left to show the page in, and no member may be touched.
    if (!alive)
        return false;
    // A load asked for meanwhile (by a timer) or a Clear has the view now.
    if (!place || generation != m_loadGeneration)
        return false;
    m_frameDocuments = std::move(frames);
    return true;
}

THtmlFrame* THtmlPane::HeadingFrame() const
{
    // A frame whose frame set was replaced since is on its way out, hidden.
    if (m_headingFrame && m_headingFrame->View() && m_headingFrame->isVisibleTo(this))
        return m_headingFrame;
    return nullptr;
}

THtmlView* THtmlPane::HeadingView() const
{
    if (THtmlFrame* frame = HeadingFrame())
        return frame->View();
    return m_root->View();
}

QStringList THtmlPane::HeadingList() const
{
    // A frame set document has no anchors of its own.
    if (THtmlView* v = HeadingView())
        return v->HeadingList();
    return QStringList();
}

bool THtmlPane::ShowHeading(int index)
{
    THtmlView* v = HeadingView();
    return v && v->ShowHeading(index);
}

bool THtmlPane::PositionTo(const QString& name)
{
    THtmlView* v = HeadingView();
    return v && v->PositionTo(name);
}

int THtmlPane::Position() const
{
    THtmlView* v = ActiveView();
    return v ? v->Position() : 0;
}

void THtmlPane::SetPosition(int position)
{
    if (THtmlView* v = ActiveView())
        v->SetPosition(position);
}

int THtmlPane::HorzPosition() const
{
    THtmlView* v = ActiveView();
    return v ? v->HorzPosition() : 0;
}

void THtmlPane::SetHorzPosition(int position)
{
    if (THtmlView* v = ActiveView())
        v->SetHorzPosition(position);
}

bool THtmlPane::FindText(const QString& text, bool matchCase)
{
    THtmlView* v = ActiveView();
    return v && v->FindText(text, matchCase);
}

bool THtmlPane::FindWords(const QString& text)
{
    THtmlView* v = ActiveView();
    return v && v->FindWords(text);
}

QString THtmlPane::HTMLExpandFilename(const QString& target) const
{
    return THtmlPath::Expand(target, m_linkBase.isEmpty() ? m_currentFile : m_linkBase);
}

// ---------------------------------------------------------------------------------------
// Links

void THtmlPane::FollowLink(THtmlFrame* frame, THtmlView* view, int linkIndex)
{
    if (linkIndex < 0 || linkIndex >= int(view->Page().links.size()))
        return;
    const THtmlLink link = view->Page().links[linkIndex];
    const QString target = link.target.isEmpty() ? view->Page().baseTarget : link.target;
    // Relative targets of a frame's link are relative to the frame's own document.
    const QString previousBase = m_linkBase;
    const QPointer<THtmlFrame> previousFrame = m_hotSpotFrame;
    const QString previousTarget = m_hotSpotTarget;
    m_linkBase = view->FileName();
    m_hotSpotFrame = frame;
    m_hotSpotTarget = target;
    QPointer<THtmlView> guard(view);
    const QPointer<THtmlPane> alive(this);
    try {
        bool handled = false;
        if (OnHotSpotClick)
            OnHotSpotClick(this, link.href, handled);
        if (!handled && guard && alive)
            FollowLinkItself(frame, view, link.href, target);
    } catch (const EError& e) {
        // Nothing above the view catches what goes wrong while it follows a link itself.
        TFailureReport::Show(e);
    }
    if (!alive)
        return; // deleted outright while the document loaded
    m_linkBase = previousBase;
    m_hotSpotFrame = previousFrame;
    m_hotSpotTarget = previousTarget;
}

THtmlFrame* THtmlPane::HotSpotFrame() const
{
    return m_hotSpotFrame && m_hotSpotFrame != m_root ? m_hotSpotFrame.data() : nullptr;
}

THtmlFrame* THtmlPane::HotSpotTarget() const
{
    if (!HotSpotFrame())
        return nullptr;
    THtmlFrame* target = TargetFrame(m_hotSpotFrame, m_hotSpotTarget);
    return target == m_root ? nullptr : target;
}

bool THtmlPane::FrameShows(THtmlFrame* frame, const QString& fileName) const
{
    QString file, destination;
    THtmlPath::SplitDestination(fileName, &file, &destination);
    // A picture link always shows the picture, even over the picture itself.
    if (THtmlPath::IsImageExtension(THtmlPath::UpperExtension(file)))
        return false;
    THtmlFrame* target = frame && isAncestorOf(frame) ? frame : m_root;
    const QString shown = target == m_root ? m_currentFile : target->FileName();
    return !shown.isEmpty() && THtmlPath::Resolved(file) == shown;
}

bool THtmlPane::LoadFileInFrame(THtmlFrame* frame, const QString& fileName)
{
    QString file, destination;
    THtmlPath::SplitDestination(fileName, &file, &destination);
    THtmlFrame* target = frame && isAncestorOf(frame) ? frame : m_root;
    const QPointer<THtmlPane> alive(this);
    const QPointer<THtmlFrame> place(target);
    if (!LoadIntoTarget(target, file, destination) || !alive || !place)
        return false;
    if (target != m_root) {
        m_headingFrame = target;
        if (target->View())
            m_activeView = target->View(); // finding goes on in what was just opened
    }
    return true;
}

THtmlFrame* THtmlPane::TargetFrame(THtmlFrame* frame, const QString& target) const
{
    const QString t = target.trimmed();
    if (t.isEmpty() || t.compare(QLatin1String("_self"), Qt::CaseInsensitive) == 0)
        return frame;
    if (t.compare(QLatin1String("_parent"), Qt::CaseInsensitive) == 0)
        return frame->ParentContext() ? frame->ParentContext() : m_root;
    if (t.compare(QLatin1String("_top"), Qt::CaseInsensitive) == 0 ||
        t.compare(QLatin1String("_blank"), Qt::CaseInsensitive) == 0)
        return m_root; // one window only: a new one would hide the kiosk
    if (THtmlFrame* named = m_root->Find(t))
        return named;
    return m_root;
}

void THtmlPane::FollowLinkItself(THtmlFrame* frame, THtmlView* view, const QString& src,
                                 const QString& target)
{
    if (src.isEmpty())
        return;
    if (src.startsWith(u'#')) {
        view->PositionTo(src.mid(1));
        return;
    }
    QString file, destination;
    THtmlPath::SplitDestination(src, &file, &destination);
    const QString expanded = THtmlPath::Expand(file, view->FileName());
    const QString ext = THtmlPath::UpperExtension(expanded);
    if (THtmlPath::IsHtmlExtension(ext) || THtmlPath::IsImageExtension(ext))
        LoadIntoTarget(TargetFrame(frame, target), expanded, destination);
}

bool THtmlPane::LoadIntoTarget(THtmlFrame* target, const QString& file, const QString& destination)
{
    if (FrameShows(target, file)) {
        if (THtmlView* v = target->View())
            v->PositionTo(destination);
        return false;
    }
    const QString withDestination = destination.isEmpty() ? file : file + u'#' + destination;
    if (target == m_root) {
        LoadFile(withDestination);
        return true;
    }
    TFolderListings listings;
    const TFolderListings::TUse useListings(listings);
    if (!TPath::FileExists(file))
        throw EInOutError(QStringLiteral("Can't locate file: ") + file);
    TWaitCursor wait;
    const QString path = THtmlPath::Resolved(file);
    THtmlPage page;
    std::unique_ptr<THtmlDocument> built;
    if (!ReadOffThread(path, file, target, &page, &built))
        return true;
    m_images.BeginDocument();
    m_frameBudget = kFrameBudget;
    target->Show(std::move(page), path, built.release());
    m_frameDocuments.Clear();
    if (!destination.isEmpty() && target->View())
        target->View()->PositionTo(destination);
    return true;
}

void THtmlPane::LoadIntoFrame(THtmlFrame* frame, const QString& src, const QString& baseFile)
{
    QString file, destination;
    THtmlPath::SplitDestination(THtmlPath::Expand(src, baseFile), &file, &destination);
    if (src.trimmed().isEmpty() || --m_frameBudget < 0) {
        frame->Show(THtmlPageLoader::FromText(QString(), m_settings), QString());
        return;
    }
    if (!TPath::FileExists(file)) {
        frame->Show(
            THtmlPageLoader::MessagePage(QStringLiteral("Can't locate file: ") + file, m_settings),
            file);
        return;
    }
    const QString path = THtmlPath::Resolved(file);
    if (frame->ParentContext() && frame->ParentContext()->ShowsOrEncloses(path)) {
        frame->Show(THtmlPageLoader::FromText(QString(), m_settings), QString());
        return;
    }
    THtmlPage page;
    std::unique_ptr<THtmlDocument> built;
    if (m_frameDocuments.Take(path, &page, &built)) {
        frame->Show(std::move(page), path, built.release());
        if (!destination.isEmpty() && frame->View())
            frame->View()->PositionTo(destination);
        return;
    }
    try {
        frame->Load(path, destination, file);
    } catch (const EError& e) {
        frame->Show(THtmlPageLoader::MessagePage(e.Message(), m_settings), path);
    }
}
