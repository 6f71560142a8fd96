#include "html/THtmlHeadTags.h"
#include "html/THtmlColour.h"
#include "html/THtmlRewriteContext.h"

void THtmlHeadTags::StartBody(THtmlRewriteContext& c, const THtmlToken& t)
{
    if (!c.TakeFirstBody())
        return;
    THtmlPage& page = c.Page();
    page.background = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    page.text = THtmlColour::Parse(t.Attr(QStringLiteral("text")));
    page.link = THtmlColour::Parse(t.Attr(QStringLiteral("link")));
    page.backgroundImage = t.Attr(QStringLiteral("background")).trimmed();
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
