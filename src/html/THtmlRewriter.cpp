#include "html/THtmlRewriter.h"
#include "html/THtmlRewriteContext.h"
#include "html/THtmlTableTags.h"
#include "html/THtmlTagTable.h"
#include "html/THtmlTokenizer.h"
#include <algorithm>

THtmlRewriter::THtmlRewriter(const TOptions& options) : m_options(options) {}

double THtmlRewriter::FontPoints(int size, int basePt)
{
    static const double factors[7] = {0.625, 0.8125, 1.0, 1.125, 1.5, 2.0, 3.0};
    return basePt * factors[std::clamp(size, 1, 7) - 1];
}

TCssDeclarations::TBase THtmlRewriter::CssBase(const TOptions& options)
{
    TCssDeclarations::TBase base;
    base.fontPoints = std::max(1, options.fontSize);
    base.serif = options.fontName;
    base.monospace = options.preFontName;
    return base;
}

QString THtmlRewriter::ShortenedNote(const QString& reason)
{
    return QStringLiteral("<hr><p><i>This document ") + reason.toHtmlEscaped() +
           QStringLiteral("; only its beginning is shown.</i></p>");
}

THtmlPage THtmlRewriter::Rewrite(const QString& source)
{
    THtmlRewriteContext c(m_options);
    c.Writer().Reserve(source.size() + source.size() / 4);
    THtmlTokenizer tokenizer(source);
    THtmlToken t;
    const THtmlTagInfo* rawElement = nullptr; // the element whose raw text comes next
    while (tokenizer.Next(t)) {
        if (c.WorkLimitReached()) {
            c.Cut();
            break;
        }
        if (const THtmlTagInfo* raw = std::exchange(rawElement, nullptr)) {
            if (t.kind == THtmlToken::Text) {
                RawText(c, *raw, t.text);
                continue;
            }
        }
        switch (t.kind) {
        case THtmlToken::Text: Text(c, t.text); break;
        case THtmlToken::StartTag: {
            const THtmlTagInfo& tag = THtmlTagTable::Find(t.name);
            if (tag.rawText)
                rawElement = &tag;
            StartTag(c, tag, t);
            break;
        }
        case THtmlToken::EndTag: EndTag(c, THtmlTagTable::Find(t.name), t); break;
        }
    }
    return c.Finish();
}

void THtmlRewriter::StartTag(THtmlRewriteContext& c, const THtmlTagInfo& tag, const THtmlToken& t)
{
    if (StartPassesModes(c, tag, t) && tag.start)
        tag.start(c, t);
}

void THtmlRewriter::EndTag(THtmlRewriteContext& c, const THtmlTagInfo& tag, const THtmlToken& t)
{
    if (EndPassesModes(c, tag, t) && tag.end)
        tag.end(c, t);
}

bool THtmlRewriter::StartPassesModes(THtmlRewriteContext& c, const THtmlTagInfo& tag,
                                     const THtmlToken& t)
{
    THtmlRewriteState& state = c.State();
    const TRewriteMode mode = state.Mode();
    if (mode == TRewriteMode::Finished)
        return false;
    if (mode == TRewriteMode::FrameSet) {
        c.Frames().StartInside(tag.kind, t);
        return false;
    }
    if (tag.kind == TTagKind::NoFrames) {
        state.EnterNoFrames();
        return false;
    }
    if (mode == TRewriteMode::NoFrames)
        return false;
    // Whether the document is a frame set is settled before anything else is read.
    if (tag.kind == TTagKind::FrameSet) {
        c.Frames().StartInBody(t);
        return false;
    }
    if (tag.content)
        state.MarkContent();
    if (mode == TRewriteMode::Select && c.Forms().TakeStartInSelect(tag.kind, t))
        return false;
    if (state.Mode() == TRewriteMode::SuppressedTable &&
        THtmlTableTags::TakeStartWhileSuppressed(c, tag.kind))
        return false;
    return true;
}

bool THtmlRewriter::EndPassesModes(THtmlRewriteContext& c, const THtmlTagInfo& tag,
                                   const THtmlToken& t)
{
    THtmlRewriteState& state = c.State();
    const TRewriteMode mode = state.Mode();
    if (mode == TRewriteMode::Finished)
        return false;
    if (mode == TRewriteMode::FrameSet) {
        c.Frames().EndInside(tag.kind);
        return false;
    }
    if (tag.kind == TTagKind::NoFrames) {
        state.LeaveNoFrames();
        return false;
    }
    if (mode == TRewriteMode::NoFrames)
        return false;
    if (mode == TRewriteMode::Select && c.Forms().TakeEndInSelect(tag.kind))
        return false;
    if (state.Mode() == TRewriteMode::SuppressedTable &&
        THtmlTableTags::TakeEndWhileSuppressed(c, tag.kind))
        return false;
    return !c.Writer().TakeIgnoredEnd(t.name);
}

void THtmlRewriter::Text(THtmlRewriteContext& c, const QString& text)
{
    switch (c.State().Mode()) {
    case TRewriteMode::Finished:
    case TRewriteMode::FrameSet:
    case TRewriteMode::NoFrames: return;
    case TRewriteMode::Select: c.Forms().OptionText(text); return;
    case TRewriteMode::SuppressedTable:
    case TRewriteMode::Body: c.Text(text); return;
    }
}

void THtmlRewriter::RawText(THtmlRewriteContext& c, const THtmlTagInfo& tag, const QString& text)
{
    switch (c.State().Mode()) {
    case TRewriteMode::Finished:
    case TRewriteMode::FrameSet:
    case TRewriteMode::NoFrames: return;
    default: break;
    }
    if (tag.text)
        tag.text(c, text);
}
