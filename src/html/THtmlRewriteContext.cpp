#include "html/THtmlRewriteContext.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlListTags.h"
#include "html/THtmlTableTags.h"

namespace {

const QString kAnonymous = QStringLiteral("#text");

constexpr QChar kNoBreakSpace(0xA0);

// Each run of blanks as one no-break space.
QString NoBreak(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool blank = false;
    for (QChar c : text) {
        const bool space = c.isSpace() && c != kNoBreakSpace;
        if (!space)
            out += c;
        else if (!blank)
            out += kNoBreakSpace;
        blank = space;
    }
    return out;
}

bool IsBlank(const QString& text)
{
    for (QChar c : text)
        if (!c.isSpace() || c.unicode() == 0xA0)
            return false;
    return true;
}

} // namespace

THtmlRewriteContext::THtmlRewriteContext(const THtmlRewriter::TOptions& options)
    : m_options(options)
    , m_css(THtmlRewriter::CssBase(options))
    , m_preFontStyleNoSize(
          THtmlAttributes::Escape(THtmlAttributes::FontFamilyCss(options.preFontName)))
    , m_forms(*this)
    , m_maps(*this)
    , m_frames(*this)
{
    m_preFontStyle = m_preFontStyleNoSize +
                     QStringLiteral("font-size:%1pt;").arg(options.fontSize * 13.0 / 16.0);
}

void THtmlRewriteContext::PushBlock(const QString& tag, const QString& open, const QString& close)
{
    if (m_writer.Full()) {
        m_writer.Ignore(tag);
        return;
    }
    const TTagKind kind = THtmlTagTable::Find(tag).kind;
    if (!THtmlTagTable::IsTablePart(kind))
        THtmlTableTags::EnsureCell(*this);
    m_writer.OpenBlock(tag, kind, open, close);
}

void THtmlRewriteContext::CloseParagraph()
{
    const QString& top = m_writer.Top().tag;
    if (top == QLatin1String("p") || top == kAnonymous)
        m_writer.PopBlock();
}

void THtmlRewriteContext::EnsureTextContext()
{
    THtmlTableTags::EnsureCell(*this);
    if (m_writer.TopIs(TTagKind::List))
        THtmlListTags::StartItem(*this, THtmlToken::Implied("li"));
    if (m_writer.TopIs(TTagKind::DefinitionList))
        THtmlListTags::StartDefinitionItem(*this, THtmlToken::Implied("dd"));
    // Text after a block inside the same parent gets a block of its own: the engine
    // would otherwise run it on at the end of the block before.
    if (m_writer.Top().hadChildBlock && !m_writer.InlineContent())
        PushBlock(kAnonymous, QStringLiteral("<div>"), QStringLiteral("</div>"));
    m_writer.EmitAnchors();
    m_writer.EmitInlines();
    m_writer.EmitLeadText();
    m_writer.SetInlineContent(true);
}

const QString& THtmlRewriteContext::FontSizeCss(int size)
{
    QString& css = m_fontSizeCss[std::clamp(size, 1, 7) - 1];
    if (css.isEmpty())
        css = QStringLiteral("font-size:%1pt;")
                  .arg(THtmlRewriter::FontPoints(size, m_options.fontSize));
    return css;
}

void THtmlRewriteContext::Text(const QString& text)
{
    if (m_writer.InPre()) {
        PreformattedText(text);
        return;
    }
    if (IsBlank(text)) {
        // Blanks between blocks are no text; between words and tags they are one space,
        // which has the formatting that misnested tags ended early, as in browsers.
        if (m_writer.InlineContent()) {
            if (m_writer.InlinesWaiting())
                m_writer.EmitInlines();
            m_writer.Emit(m_writer.InNoBreak() ? QString(kNoBreakSpace) : QStringLiteral(" "));
        }
        return;
    }
    m_state.MarkContent();
    EnsureTextContext();
    m_writer.EmitText(m_writer.InNoBreak() ? NoBreak(text) : text);
}

void THtmlRewriteContext::PreformattedText(const QString& text)
{
    QString t = text;
    if (m_writer.TakePreStart()) {
        if (t.startsWith(QLatin1String("\r\n")))
            t.remove(0, 2);
        else if (t.startsWith(u'\n') || t.startsWith(u'\r'))
            t.remove(0, 1);
    }
    if (t.isEmpty())
        return;
    m_state.MarkContent();
    EnsureTextContext();
    m_writer.EmitText(t);
}

int THtmlRewriteContext::AddObject(THtmlObjectInfo info, const QString& align)
{
    const int index = int(m_page.objects.size());
    const int width = std::max(0, info.width);
    m_page.objects.push_back(std::move(info));
    EnsureTextContext();
    m_writer.MeasureObject(width);
    QString img = QStringLiteral("<img src=\"zel:%1\"").arg(index);
    if (!align.isEmpty())
        img += QStringLiteral(" align=\"") + align + u'"';
    m_writer.Emit(img + u'>');
    return index;
}

int THtmlRewriteContext::AddLink(const QString& href, const QString& target)
{
    m_page.links.push_back({href.trimmed(), target.trimmed()});
    return int(m_page.links.size()) - 1;
}

bool THtmlRewriteContext::WorkLimitReached() const
{
    return m_writer.LayoutUnits() >= THtmlRewriter::kMaxLayoutUnits ||
           m_page.anchors.size() >= THtmlRewriter::kMaxAnchors ||
           m_page.objects.size() >= size_t(THtmlRewriter::kMaxObjects) ||
           m_page.links.size() >= size_t(THtmlRewriter::kMaxLinks);
}

THtmlPage THtmlRewriteContext::Finish()
{
    m_forms.EndSelect();
    QString body = m_writer.Finish();
    if (m_cut) {
        body += THtmlRewriter::ShortenedNote(QStringLiteral("has more parts than one page can "
                                                            "show"));
        m_page.shortened = true;
    }
    m_page.html = QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>");
    return std::move(m_page);
}
