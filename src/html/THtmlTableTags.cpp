#include "html/THtmlTableTags.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlColour.h"
#include "html/THtmlRewriteContext.h"

using A = THtmlAttributes;

void THtmlTableTags::EnsureCell(THtmlRewriteContext& c)
{
    if (c.Writer().TopIs(TTagKind::Table))
        StartRow(c, THtmlToken::Implied("tr"));
    if (c.Writer().TopIs(TTagKind::TableRow))
        StartCell(c, THtmlToken::Implied("td"));
}

void THtmlTableTags::StartTable(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.CloseParagraph();
    if (c.Writer().TableDepth() >= THtmlRewriter::kMaxTableDepth) {
        c.State().SuppressTable();
        c.EnsureTextContext();
        c.Writer().Emit(QStringLiteral("<br>"));
        return;
    }
    EnsureCell(c);
    c.PushBlock(QStringLiteral("table"), TableOpen(c, t), QStringLiteral("</table>"));
    THtmlMarkupWriter::TBlock& table = c.Writer().Top();
    const QString width = A::Length(t, QStringLiteral("width"));
    if (table.kind == TTagKind::Table && !width.isEmpty()) {
        // Characters of the default font in the table: a window of some 80 of them.
        const int value = width.toInt();
        table.columns.SetAvailable(width.endsWith(u'%') ? 80 * width.chopped(1).toInt() / 100
                                                        : value / 7);
    }
}

QString THtmlTableTags::TableOpen(const THtmlRewriteContext& c, const THtmlToken& t)
{
    int border = 0;
    if (t.Has(QStringLiteral("border")))
        border = A::Int(t, QStringLiteral("border"), 1, 0, 20);
    QString open = QStringLiteral("<table border=\"%1\" cellspacing=\"%2\" cellpadding=\"%3\"")
                       .arg(border)
                       .arg(A::Int(t, QStringLiteral("cellspacing"), 2, 0, 100))
                       .arg(A::Int(t, QStringLiteral("cellpadding"), 1, 0, 100));
    const QString width = A::Length(t, QStringLiteral("width"));
    if (!width.isEmpty())
        open += QStringLiteral(" width=\"") + width + u'"';
    const QString height = A::Length(t, QStringLiteral("height"));
    if (!height.isEmpty() && !height.endsWith(u'%'))
        open += QStringLiteral(" height=\"") + height + u'"';
    const QString align = t.Attr(QStringLiteral("align")).trimmed().toLower();
    if (A::IsOneOf(align, {"left", "right", "center"}))
        open += QStringLiteral(" align=\"") + align + u'"';
    const QColor bg = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    if (bg.isValid())
        open += QStringLiteral(" bgcolor=\"") + A::ColourCss(bg) + u'"';
    return A::WithSelectors(open + u'>', t, c.Css());
}

void THtmlTableTags::StartRow(THtmlRewriteContext& c, const THtmlToken& t)
{
    THtmlMarkupWriter& w = c.Writer();
    const int table = w.FindTable();
    if (table < 0)
        return;
    w.PopTo(table + 1);
    const QColor bg = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    c.PushBlock(QStringLiteral("tr"), A::WithSelectors(QStringLiteral("<tr>"), t, c.Css()),
                QStringLiteral("</tr>"));
    THtmlMarkupWriter::TBlock& row = w.Top();
    if (row.kind != TTagKind::TableRow)
        return;
    row.rowAlign = t.Attr(QStringLiteral("align"));
    row.rowValign = t.Attr(QStringLiteral("valign"));
    row.rowBgcolor = bg.isValid() ? A::ColourCss(bg) : QString();
}

void THtmlTableTags::StartCell(THtmlRewriteContext& c, const THtmlToken& t)
{
    THtmlMarkupWriter& w = c.Writer();
    const int table = w.FindTable();
    if (table < 0)
        return;
    if (table + 1 < w.Depth() && w.At(table + 1).kind == TTagKind::TableRow) {
        w.PopTo(table + 2);
    } else {
        w.PopTo(table + 1);
        StartRow(c, THtmlToken::Implied("tr"));
    }
    const THtmlMarkupWriter::TBlock& row = w.Top();
    if (row.kind != TTagKind::TableRow)
        return;
    const QString open = CellOpen(c, t, row.rowAlign, row.rowValign, row.rowBgcolor);
    const QString tag = t.name == QLatin1String("th") ? t.name : QStringLiteral("td");
    c.PushBlock(tag, open, QStringLiteral("</") + tag + u'>');
    THtmlMarkupWriter::TBlock& cell = w.Top();
    if (cell.kind == TTagKind::TableCell) {
        cell.hasWidth = !A::Length(t, QStringLiteral("width")).isEmpty();
        cell.spans = A::Int(t, QStringLiteral("colspan"), 1, 1, 100) > 1 ||
                     A::Int(t, QStringLiteral("rowspan"), 1, 1, 100) > 1;
    }
}

QString THtmlTableTags::CellOpen(const THtmlRewriteContext& c, const THtmlToken& t,
                                 const QString& rowAlign, const QString& rowValign,
                                 const QString& rowBgcolor)
{
    QString open = u'<' + t.name;
    open += A::Align(t.Has(QStringLiteral("align")) ? t.Attr(QStringLiteral("align")) : rowAlign);
    const QString valign =
        t.Has(QStringLiteral("valign")) ? t.Attr(QStringLiteral("valign")) : rowValign;
    open += A::Valign(valign.isEmpty() ? QStringLiteral("middle") : valign);
    const QColor bg = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    if (bg.isValid())
        open += QStringLiteral(" bgcolor=\"") + A::ColourCss(bg) + u'"';
    else if (!rowBgcolor.isEmpty())
        open += QStringLiteral(" bgcolor=\"") + rowBgcolor + u'"';
    const int colspan = A::Int(t, QStringLiteral("colspan"), 1, 1, 100);
    const int rowspan = A::Int(t, QStringLiteral("rowspan"), 1, 1, 100);
    if (colspan > 1)
        open += QStringLiteral(" colspan=\"%1\"").arg(colspan);
    if (rowspan > 1)
        open += QStringLiteral(" rowspan=\"%1\"").arg(rowspan);
    const QString width = A::Length(t, QStringLiteral("width"));
    if (!width.isEmpty())
        open += QStringLiteral(" width=\"") + width + u'"';
    const QString height = A::Length(t, QStringLiteral("height"));
    if (!height.isEmpty() && !height.endsWith(u'%'))
        open += QStringLiteral(" height=\"") + height + u'"';
    if (t.Has(QStringLiteral("nowrap")))
        open += QStringLiteral(" nowrap");
    return A::WithSelectors(open + u'>', t, c.Css());
}

void THtmlTableTags::StartCaption(THtmlRewriteContext& c, const THtmlToken& t)
{
    const int table = c.Writer().FindTable();
    if (table < 0)
        return;
    c.Writer().PopTo(table + 1);
    QString align = t.Attr(QStringLiteral("align")).trimmed().toLower();
    if (!A::IsOneOf(align, {"left", "right"}))
        align = QStringLiteral("center");
    c.PushBlock(QStringLiteral("caption"),
                QStringLiteral("<div align=\"") + align + QStringLiteral("\">"),
                QStringLiteral("</div>"));
}

void THtmlTableTags::EndTable(THtmlRewriteContext& c, const THtmlToken&)
{
    const int table = c.Writer().FindTable();
    if (table > 0)
        c.Writer().PopTo(table);
}

void THtmlTableTags::EndPart(THtmlRewriteContext& c, const THtmlToken& t)
{
    const int part = c.Writer().FindInTable(t.name);
    if (part > 0)
        c.Writer().PopTo(part);
}

bool THtmlTableTags::TakeStartWhileSuppressed(THtmlRewriteContext& c, TTagKind kind)
{
    switch (kind) {
    case TTagKind::Table: c.State().SuppressTable(); return true;
    case TTagKind::TableRow:
        c.EnsureTextContext();
        c.Writer().Emit(QStringLiteral("<br>"));
        return true;
    case TTagKind::TableCell:
        c.EnsureTextContext();
        c.Writer().Emit(QStringLiteral(" "));
        return true;
    case TTagKind::TableCaption: return true;
    default: return false;
    }
}

bool THtmlTableTags::TakeEndWhileSuppressed(THtmlRewriteContext& c, TTagKind kind)
{
    if (kind == TTagKind::Table) {
        c.State().EndSuppressedTable();
        return true;
    }
    return THtmlTagTable::IsTablePart(kind);
}
