#include "html/THtmlBoxTags.h"
#include "html/TCssBoxRules.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlBlockTags.h"
#include "html/THtmlColour.h"
#include "html/THtmlRewriteContext.h"

using A = THtmlAttributes;

const QString& THtmlBoxTags::FloatRestTag()
{
    static const QString tag = QStringLiteral("zfloat");
    return tag;
}

bool THtmlBoxTags::RoomForABox(THtmlRewriteContext& c)
{
    return c.Writer().TableDepth() < THtmlRewriter::kMaxTableDepth && !c.Writer().Full();
}

QString THtmlBoxTags::BoxOpen(const TCssBox& box)
{
    QString table =
        QStringLiteral("<table cellspacing=\"0\" cellpadding=\"0\" width=\"%1\"")
            .arg(box.floatLeft || box.width.isEmpty() ? QStringLiteral("100%") : box.width);
    QString tableStyle;
    if (box.borderWidth > 0 && !box.floatLeft) {
        table += QStringLiteral(" border=\"%1\"").arg(box.borderWidth);
        tableStyle = QStringLiteral("border-style:solid;border-collapse:collapse;");
        const QColor colour = THtmlColour::Parse(box.borderColor);
        if (colour.isValid())
            tableStyle += QStringLiteral("border-color:") + A::ColourCss(colour) + u';';
    }
    if (!box.marginTop.isEmpty())
        tableStyle += QStringLiteral("margin-top:") + box.marginTop + u';';
    if (!box.marginBottom.isEmpty())
        tableStyle += QStringLiteral("margin-bottom:") + box.marginBottom + u';';
    if (!tableStyle.isEmpty())
        table += QStringLiteral(" style=\"") + A::Escape(tableStyle) + u'"';
    QString cell = QStringLiteral("<td valign=\"top\"");
    if (box.floatLeft && !box.width.isEmpty())
        cell += QStringLiteral(" width=\"") + box.width + u'"';
    const QColor background = THtmlColour::Parse(box.background);
    if (background.isValid())
        cell += QStringLiteral(" bgcolor=\"") + A::ColourCss(background) + u'"';
    cell += QStringLiteral(" style=\"padding-top:%1px;padding-right:%2px;padding-bottom:%3px;"
                           "padding-left:%4px\">")
                .arg(box.padding[0])
                .arg(box.padding[1])
                .arg(box.padding[2])
                .arg(box.padding[3]);
    return table + QStringLiteral("><tr>") + cell;
}

void THtmlBoxTags::StartDivision(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.CloseParagraph();
    const QString style = t.Attr(QStringLiteral("style"));
    if (c.Boxes().Empty() && style.isEmpty()) {
        THtmlBlockTags::PushAligned(c, t);
        return;
    }
    const TCssBox box = c.Boxes().Box(t.name, t.Attr(QStringLiteral("class")).simplified(),
                                      t.Attr(QStringLiteral("id")).trimmed(),
                                      TCssDeclarations::ForEngine(style, c.Css()));
    if (box.clears && c.Writer().Top().tag == FloatRestTag())
        c.Writer().PopBlock();
    if (!box.Framed() || !RoomForABox(c)) {
        THtmlBlockTags::PushAligned(c, t);
        return;
    }
    // The division keeps its name and classes for the rest of its look; its margins are
    // the box's now.
    QString open = A::WithSelectors(
        u'<' + t.name + A::Align(t.Attr(QStringLiteral("align"))) + u'>', t, c.Css());
    open = A::WithStyle(open, QStringLiteral("margin:0"));
    const QString boxClose =
        box.floatLeft ? QStringLiteral("</td>") : QStringLiteral("</td></tr></table>");
    const int depth = c.Writer().Depth();
    c.PushBlock(t.name, BoxOpen(box) + open, QStringLiteral("</div>") + boxClose);
    if (c.Writer().Depth() <= depth)
        return; // dropped at the nesting limit
    c.Writer().Top().framed = true;
    c.Writer().Top().floated = box.floatLeft;
}

void THtmlBoxTags::EndDivision(THtmlRewriteContext& c, const THtmlToken& t)
{
    const int block = c.Writer().FindBlock(t.name);
    if (block <= 0)
        return;
    const bool floated = c.Writer().At(block).floated;
    c.Writer().PopTo(block);
    if (!floated)
        return;
    const int depth = c.Writer().Depth();
    c.PushBlock(FloatRestTag(), QStringLiteral("<td valign=\"top\">"),
                QStringLiteral("</td></tr></table>"));
    if (c.Writer().Depth() > depth)
        c.Writer().Top().framed = true;
}
