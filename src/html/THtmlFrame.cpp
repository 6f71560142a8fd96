#include "html/THtmlFrame.h"
#include "html/TFramePane.h"
#include "html/THtmlDocument.h"
#include "html/THtmlPageLoader.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"

THtmlFrame::THtmlFrame(THtmlPane* pane, THtmlFrame* parentContext, const QString& name, int depth,
                       QWidget* parent)
    : QWidget(parent), m_pane(pane), m_parentContext(parentContext), m_name(name), m_depth(depth)
{}

THtmlView* THtmlFrame::View() const { return m_view; }
TFramePane* THtmlFrame::FrameSet() const { return m_frameSet; }

void THtmlFrame::Load(const QString& path, const QString& destination,
                      const QString& nameForMessage)
{
    THtmlPage page = THtmlPageLoader::Load(path, nameForMessage, m_pane->Settings());
    Show(std::move(page), path);
    if (!destination.isEmpty() && m_view)
        m_view->PositionTo(destination);
}

void THtmlFrame::Show(THtmlPage page, const QString& path, THtmlDocument* built)
{
    m_fileName = path;
    if (page.frameSet && m_depth < kMaxDepth) {
        delete built;
        const TFrameSetInfo info = *page.frameSet;
        auto* frameSet = new TFramePane(m_pane, this, info, path, this);
        SetContent(frameSet);
        m_frameSet = frameSet;
        const QVector<THtmlFrame*> frames = frameSet->Frames();
        setFocusProxy(frames.isEmpty() ? nullptr : frames.front());
        return;
    }
    EnsureView()->ShowPage(std::move(page), path, built);
}

THtmlView* THtmlFrame::EnsureView()
{
    if (m_view)
        return m_view;
    auto* view = new THtmlView(&m_pane->Settings(), &m_pane->Images(), this);
    view->SetScrolling(m_scrolling);
    if (m_marginWidth >= 0 || m_marginHeight >= 0)
        view->SetMargins(m_marginWidth, m_marginHeight);
    view->OnLink = [this](THtmlView* v, int link) { m_pane->FollowLink(this, v, link); };
    view->OnFocus = [this](THtmlView* v) { m_pane->SetActiveView(v); };
    SetContent(view);
    m_view = view;
    setFocusProxy(view);
    return view;
}

void THtmlFrame::SetContent(QWidget* content)
{
    for (QWidget* old :
         {static_cast<QWidget*>(m_view.data()), static_cast<QWidget*>(m_frameSet.data())}) {
        if (old && old != content) {
            old->hide();
            old->deleteLater(); // it may be the view whose click brought us here
        }
    }
    m_view = nullptr;
    m_frameSet = nullptr;
    content->setGeometry(rect());
    content->show();
}

void THtmlFrame::resizeEvent(QResizeEvent*)
{
    if (m_view)
        m_view->setGeometry(rect());
    if (m_frameSet)
        m_frameSet->setGeometry(rect());
}

THtmlFrame* THtmlFrame::Find(const QString& name)
{
    if (!name.isEmpty() && m_name.compare(name, Qt::CaseInsensitive) == 0)
        return this;
    if (m_frameSet)
        for (THtmlFrame* f : m_frameSet->Frames())
            if (THtmlFrame* found = f->Find(name))
                return found;
    return nullptr;
}

bool THtmlFrame::ShowsOrEncloses(const QString& path) const
{
    for (const THtmlFrame* f = this; f; f = f->m_parentContext)
        if (f->m_fileName == path)
            return true;
    return false;
}

void THtmlFrame::SetScrolling(const QString& mode)
{
    m_scrolling = mode;
    if (m_view)
        m_view->SetScrolling(mode);
}

void THtmlFrame::SetMargins(int width, int height)
{
    m_marginWidth = width;
    m_marginHeight = height;
    if (m_view && (width >= 0 || height >= 0))
        m_view->SetMargins(width, height);
}

void THtmlFrame::ApplySettings()
{
    if (m_view)
        m_view->ApplySettings();
    if (m_frameSet)
        for (THtmlFrame* f : m_frameSet->Frames())
            f->ApplySettings();
}
