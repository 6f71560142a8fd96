#include "html/THtmlListTags.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlRewriteContext.h"
#include <algorithm>

void THtmlListTags::LeaveText(THtmlRewriteContext& c)
{
    c.CloseParagraph();
    if (c.Writer().TopIs(TTagKind::Table) || c.Writer().TopIs(TTagKind::TableRow))
        c.EnsureTextContext();
}

void THtmlListTags::StartList(THtmlRewriteContext& c, const THtmlToken& t)
{
    THtmlMarkupWriter& w = c.Writer();
    c.CloseParagraph();
    if (w.Count(TTagKind::List) >= THtmlRewriter::kMaxListDepth) {
        w.Ignore(t.name);
        return;
    }
    if (w.TopIs(TTagKind::Table) || w.TopIs(TTagKind::TableRow))
        c.EnsureTextContext();
    if (t.name == QLatin1String("ol")) {
        PushOrderedList(c, t);
        return;
    }
    QString type = t.Attr(QStringLiteral("type")).trimmed().toLower();
    if (!THtmlAttributes::IsOneOf(type, {"disc", "circle", "square"})) {
        // The engine draws discs at every level; browsers change the mark with the depth.
        static const char* const byDepth[] = {"disc", "circle", "square"};
        type = QLatin1String(byDepth[std::min(w.Count(TTagKind::List), 2)]);
    }
    const QString open = QStringLiteral("<ul type=\"") + type + u'"';
    c.PushBlock(t.name, THtmlAttributes::WithSelectors(open + u'>', t, c.Css()),
                QStringLiteral("</ul>"));
}

void THtmlListTags::PushOrderedList(THtmlRewriteContext& c, const THtmlToken& t)
{
    if (TListNumbering::EngineNumbers(t)) {
        c.PushBlock(t.name,
                    THtmlAttributes::WithSelectors(QStringLiteral("<ol type=\"") +
                                                       TListNumbering::OrderedType(t) +
                                                       QStringLiteral("\">"),
                                                   t, c.Css()),
                    QStringLiteral("</ol>"));
        return;
    }
    c.PushBlock(t.name, QStringLiteral("<ul style=\"list-style-type:none\">"),
                QStringLiteral("</ul>"));
    THtmlMarkupWriter::TBlock& list = c.Writer().Top();
    if (list.tag == t.name)
        list.numbering.Start(t);
}

void THtmlListTags::StartItem(THtmlRewriteContext& c, const THtmlToken& t)
{
    THtmlMarkupWriter& w = c.Writer();
    int list = w.FindBlock(TTagKind::List);
    if (list < 0) {
        LeaveText(c);
        StartList(c, THtmlToken::Implied("ul"));
        list = w.Depth() - 1;
        if (!w.TopIs(TTagKind::List))
            return;
    } else {
        w.PopTo(list + 1);
    }
    TListNumbering& numbering = w.At(list).numbering;
    const QString marker = numbering.IsActive() ? numbering.NextMarker(t) : QString();
    c.PushBlock(QStringLiteral("li"),
                THtmlAttributes::WithSelectors(QStringLiteral("<li>"), t, c.Css()),
                QStringLiteral("</li>"));
    if (w.TopIs(TTagKind::ListItem))
        w.Top().leadText = marker;
}

void THtmlListTags::StartDefinitionList(THtmlRewriteContext& c, const THtmlToken&)
{
    LeaveText(c);
    c.PushBlock(QStringLiteral("dl"), QStringLiteral("<dl>"), QStringLiteral("</dl>"));
}

void THtmlListTags::StartDefinitionItem(THtmlRewriteContext& c, const THtmlToken& t)
{
    THtmlMarkupWriter& w = c.Writer();
    const int dl = w.FindBlock(TTagKind::DefinitionList);
    if (dl < 0) {
        StartDefinitionList(c, t);
        if (!w.TopIs(TTagKind::DefinitionList))
            return;
    } else {
        w.PopTo(dl + 1);
    }
    c.PushBlock(t.name, THtmlAttributes::WithSelectors(u'<' + t.name + u'>', t, c.Css()),
                QStringLiteral("</") + t.name + u'>');
}
