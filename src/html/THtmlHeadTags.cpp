#include "html/THtmlHeadTags.h"
#include "html/THtmlColour.h"
#include "html/THtmlRewriteContext.h"
#include "html/THtmlStyleSheet.h"

namespace {

void MergeColour(QColor& colour, const THtmlToken& t, const char* name)
{
    if (!colour.isValid())
        colour = THtmlColour::Parse(t.Attr(QLatin1String(name)));
}

// Sheets for print or speech only would restyle the screen.
bool ForScreen(const THtmlToken& t)
{
    const QString media = t.Attr(QStringLiteral("media")).toLower();
    return media.trimmed().isEmpty() || media.contains(QLatin1String("screen")) ||
           media.contains(QLatin1String("all"));
}

} // namespace

void THtmlHeadTags::StartBody(THtmlRewriteContext& c, const THtmlToken& t)
{
    // Some generators write a second BODY: what the first left out, it adds.
    THtmlPage& page = c.Page();
    MergeColour(page.background, t, "bgcolor");
    MergeColour(page.text, t, "text");
    MergeColour(page.link, t, "link");
    if (page.backgroundImage.isEmpty())
        page.backgroundImage = t.Attr(QStringLiteral("background")).trimmed();
}

void THtmlHeadTags::AddStyleSheet(THtmlRewriteContext& c, const QString& sheet)
{
    if (sheet.isEmpty())
        return;
    c.Page().styleSheet += sheet + u'\n';
    c.Boxes().Add(sheet);
}

void THtmlHeadTags::StartLink(THtmlRewriteContext& c, const THtmlToken& t)
{
    const QStringList rel = t.Attr(QStringLiteral("rel")).toLower().split(u' ', Qt::SkipEmptyParts);
    const QString href = t.Attr(QStringLiteral("href")).trimmed();
    if (rel.contains(QLatin1String("stylesheet")) && !rel.contains(QLatin1String("alternate")) &&
        !href.isEmpty() && ForScreen(t) && c.Options().linkedStyleSheet)
        AddStyleSheet(c, c.Options().linkedStyleSheet(href));
}

void THtmlHeadTags::StartStyle(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.SetStyleForScreen(ForScreen(t));
}

void THtmlHeadTags::StyleText(THtmlRewriteContext& c, const QString& text)
{
    if (!c.StyleForScreen())
        return;
    QString css = text;
    // Old pages hide their rules from older browsers in a comment.
    css.replace(QLatin1String("<!--"), QLatin1String(" "));
    css.replace(QLatin1String("-->"), QLatin1String(" "));
    AddStyleSheet(c, THtmlStyleSheet::ForEngine(css, THtmlRewriter::CssBase(c.Options())));
}

void THtmlHeadTags::StartBase(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.Page().baseTarget = t.Attr(QStringLiteral("target")).trimmed();
}

void THtmlHeadTags::TitleText(THtmlRewriteContext& c, const QString& text)
{
    // The first TITLE names the page.
    if (c.Page().title.isEmpty())
        c.Page().title = text.simplified();
}
