#include "html/TFrameSetCollector.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlRewriteContext.h"

using A = THtmlAttributes;

namespace {

constexpr size_t kMaxNesting = 8;
constexpr int kMaxFrames = 64;

} // namespace

TFrameSetCollector::TFrameSetCollector(THtmlRewriteContext& context) : m_context(context) {}

void TFrameSetCollector::StartInBody(const THtmlToken& t)
{
    if (m_context.State().SawContent())
        return;
    m_context.State().EnterFrameSet();
    OpenFrameSet(t);
}

void TFrameSetCollector::StartInside(TTagKind kind, const THtmlToken& t)
{
    if (kind == TTagKind::FrameSet)
        OpenFrameSet(t);
    else if (kind == TTagKind::Frame)
        AddFrame(t);
}

void TFrameSetCollector::EndInside(TTagKind kind)
{
    if (kind != TTagKind::FrameSet)
        return;
    m_open.pop_back();
    if (m_open.empty())
        m_context.State().FinishFrameSet();
}

void TFrameSetCollector::OpenFrameSet(const THtmlToken& t)
{
    if (m_open.size() >= kMaxNesting || m_frames >= kMaxFrames) {
        m_open.push_back(nullptr);
        return;
    }
    auto info = std::make_shared<TFrameSetInfo>();
    info->rows = t.Attr(QStringLiteral("rows")).trimmed();
    info->cols = t.Attr(QStringLiteral("cols")).trimmed();
    if (t.Has(QStringLiteral("border")))
        info->border = A::Int(t, QStringLiteral("border"), 0, 0, 50);
    else if (t.Has(QStringLiteral("framespacing")))
        info->border = A::Int(t, QStringLiteral("framespacing"), 0, 0, 50);
    const QString fb = t.Attr(QStringLiteral("frameborder")).trimmed().toLower();
    info->frameBorder = !(fb == QLatin1String("0") || fb == QLatin1String("no"));
    if (m_open.empty()) {
        m_context.Page().frameSet = info;
    } else if (m_open.back()) {
        TFrameInfo cell;
        cell.frameSet = info;
        m_open.back()->frames.push_back(cell);
        ++m_frames;
    }
    m_open.push_back(info);
}

void TFrameSetCollector::AddFrame(const THtmlToken& t)
{
    if (m_open.empty() || !m_open.back() || m_frames >= kMaxFrames)
        return;
    TFrameInfo f;
    f.src = t.Attr(QStringLiteral("src")).trimmed();
    f.name = t.Attr(QStringLiteral("name")).trimmed();
    f.scrolling = t.Attr(QStringLiteral("scrolling"), QStringLiteral("auto")).trimmed().toLower();
    f.noResize = t.Has(QStringLiteral("noresize"));
    f.marginWidth = A::Int(t, QStringLiteral("marginwidth"), -1, 0, 200);
    f.marginHeight = A::Int(t, QStringLiteral("marginheight"), -1, 0, 200);
    m_open.back()->frames.push_back(f);
    ++m_frames;
}
