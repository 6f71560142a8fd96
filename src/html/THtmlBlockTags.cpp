#include "html/THtmlBlockTags.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlRewriteContext.h"

using A = THtmlAttributes;

void THtmlBlockTags::PushAligned(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.PushBlock(t.name,
                A::WithSelectors(u'<' + t.name + A::Align(t.Attr(QStringLiteral("align"))) + u'>',
                                 t, c.Css()),
                QStringLiteral("</") + t.name + u'>');
}

void THtmlBlockTags::StartAligned(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.CloseParagraph();
    PushAligned(c, t);
}

void THtmlBlockTags::StartCenter(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.CloseParagraph();
    c.PushBlock(t.name, A::WithSelectors(QStringLiteral("<div align=\"center\">"), t, c.Css()),
                QStringLiteral("</div>"));
}

void THtmlBlockTags::StartHeading(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.CloseParagraph();
    if (c.Writer().TopIs(TTagKind::Heading))
        c.Writer().PopBlock(); // headings do not nest
    PushAligned(c, t);
}

void THtmlBlockTags::StartQuotation(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.CloseParagraph();
    c.PushBlock(t.name, A::WithSelectors(QStringLiteral("<blockquote>"), t, c.Css()),
                QStringLiteral("</blockquote>"));
}

void THtmlBlockTags::StartAddress(THtmlRewriteContext& c, const THtmlToken& t)
{
    // The engine's own ADDRESS breaks its line at a link when a quotation precedes it.
    c.CloseParagraph();
    c.PushBlock(t.name,
                A::WithSelectors(QStringLiteral("<div style=\"font-style:italic\">"), t, c.Css()),
                QStringLiteral("</div>"));
}

void THtmlBlockTags::StartPreformatted(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.CloseParagraph();
    c.PushBlock(
        t.name,
        A::WithSelectors(QStringLiteral("<pre style=\"") + c.PreFontStyle() + QStringLiteral("\">"),
                         t, c.Css()),
        QStringLiteral("</pre>"));
}

void THtmlBlockTags::PreformattedText(THtmlRewriteContext& c, const QString& text) { c.Text(text); }

void THtmlBlockTags::StartRule(THtmlRewriteContext& c, const THtmlToken& t)
{
    THtmlMarkupWriter& w = c.Writer();
    c.CloseParagraph();
    if (w.TopIs(TTagKind::Table) || w.TopIs(TTagKind::TableRow))
        return;
    QString hr = QStringLiteral("<hr");
    const QString width = A::Length(t, QStringLiteral("width"));
    if (!width.isEmpty())
        hr += QStringLiteral(" width=\"") + width + u'"';
    w.Emit(hr + u'>');
    w.Top().hadChildBlock = true;
    w.SetInlineContent(false);
}

void THtmlBlockTags::StartBreak(THtmlRewriteContext& c, const THtmlToken&)
{
    if (c.Writer().TopIs(TTagKind::Table) || c.Writer().TopIs(TTagKind::TableRow))
        return;
    const bool afterText = c.Writer().InlineContent();
    c.EnsureTextContext();
    c.Writer().EmitBreak(afterText);
    c.Writer().CountLine();
}

void THtmlBlockTags::EndParagraph(THtmlRewriteContext& c, const THtmlToken&) { c.CloseParagraph(); }

void THtmlBlockTags::EndBlock(THtmlRewriteContext& c, const THtmlToken& t)
{
    const int block = c.Writer().FindBlock(t.name);
    if (block > 0)
        c.Writer().PopTo(block);
}

void THtmlBlockTags::EndHeading(THtmlRewriteContext& c, const THtmlToken&)
{
    const int heading = c.Writer().FindBlock(TTagKind::Heading);
    if (heading > 0)
        c.Writer().PopTo(heading);
}
