#include "html/THtmlInlineTags.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlColour.h"
#include "html/THtmlRewriteContext.h"
#include <algorithm>

using A = THtmlAttributes;

THtmlMarkupWriter::TInline THtmlInlineTags::Element(const THtmlToken& t, const QString& open,
                                                    const QString& close)
{
    THtmlMarkupWriter::TInline inl;
    inl.tag = t.name;
    inl.open = open;
    inl.openNoSize = open;
    inl.close = close;
    inl.formatting = THtmlTagTable::Find(t.name).kind == TTagKind::Formatting;
    inl.attributes = t.attributes;
    return inl;
}

void THtmlInlineTags::StartPhrase(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.Writer().PushInline(Element(t, A::WithSelectors(u'<' + t.name + u'>', t, c.Css()),
                                  QStringLiteral("</") + t.name + u'>'));
}

void THtmlInlineTags::StartStrike(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.Writer().PushInline(Element(t, QStringLiteral("<s>"), QStringLiteral("</s>")));
}

void THtmlInlineTags::StartTeletype(THtmlRewriteContext& c, const THtmlToken& t)
{
    // Monospace text is 13/16 of the size around it, not of the default size.
    double points = THtmlRewriter::FontPoints(c.BaseFont(), c.Options().fontSize) * 13.0 / 16.0;
    const auto& inlines = c.Writer().Top().inlines.Elements();
    for (auto it = inlines.rbegin(); it != inlines.rend(); ++it)
        if (it->points > 0) {
            points = it->monospace ? it->points : it->points * 13.0 / 16.0;
            break;
        }
    // The element keeps its name (the engine knows all four), so the page's rules for it
    // apply.
    const QString open = u'<' + t.name + QStringLiteral(" style=\"") + c.PreFontStyleNoSize();
    THtmlMarkupWriter::TInline inl = Element(
        t, A::WithSelectors(open + QStringLiteral("font-size:%1pt;\">").arg(points), t, c.Css()),
        QStringLiteral("</") + t.name + u'>');
    inl.openNoSize = A::WithSelectors(open + QStringLiteral("\">"), t, c.Css());
    inl.points = points;
    inl.monospace = true;
    c.Writer().PushInline(std::move(inl));
}

void THtmlInlineTags::StartNoBreak(THtmlRewriteContext& c, const THtmlToken& t)
{
    // NOBR inside NOBR ends the first, as in browsers.
    if (c.Writer().HasOpenInline(t.name))
        c.Writer().EndInline(t.name);
    c.Writer().PushInline(Element(t, QString(), QString()));
}

bool THtmlInlineTags::FontSize(const THtmlRewriteContext& c, const THtmlToken& t, int* size)
{
    int v;
    if (!A::LeadingInt(t.Attr(QStringLiteral("size")), &v))
        return false;
    const QString raw = t.Attr(QStringLiteral("size")).trimmed();
    const bool relative = raw.startsWith(u'+') || raw.startsWith(u'-');
    *size = std::clamp(relative ? c.BaseFont() + v : v, 1, 7);
    return true;
}

QString THtmlInlineTags::FontSizeCss(THtmlRewriteContext& c, const THtmlToken& t)
{
    int size;
    if (!t.Has(QStringLiteral("size")) || !FontSize(c, t, &size))
        return QString();
    return c.FontSizeCss(size);
}

void THtmlInlineTags::StartFont(THtmlRewriteContext& c, const THtmlToken& t)
{
    // The colour goes as the engine's own attribute: a style attribute is parsed as a style
    // sheet of its own, which on a page of many FONT tags costs more than the rest of it.
    QString open = QStringLiteral("<font");
    const QColor colour = THtmlColour::Parse(t.Attr(QStringLiteral("color")));
    if (colour.isValid())
        open += QStringLiteral(" color=\"") + A::ColourCss(colour) + u'"';
    const auto withStyle = [&](const QString& css) {
        const QString tag = css.isEmpty() ? open + u'>'
                                          : open + QStringLiteral(" style=\"") + A::Escape(css) +
                                                QStringLiteral("\">");
        return A::WithSelectors(tag, t, c.Css());
    };
    const QString face = A::FontFamilyCss(t.Attr(QStringLiteral("face")));
    THtmlMarkupWriter::TInline inl =
        Element(t, withStyle(FontSizeCss(c, t) + face), QStringLiteral("</font>"));
    inl.openNoSize = withStyle(face);
    int size;
    if (t.Has(QStringLiteral("size")) && FontSize(c, t, &size))
        inl.points = THtmlRewriter::FontPoints(size, c.Options().fontSize);
    c.Writer().PushInline(std::move(inl));
}

void THtmlInlineTags::StartBaseFont(THtmlRewriteContext& c, const THtmlToken& t)
{
    int size;
    if (!FontSize(c, t, &size))
        return;
    c.SetBaseFont(size);
    const QString open = QStringLiteral("<span style=\"font-size:%1pt;\">")
                             .arg(THtmlRewriter::FontPoints(size, c.Options().fontSize));
    THtmlMarkupWriter::TInline inl = Element(t, open, QStringLiteral("</span>"));
    inl.openNoSize = QStringLiteral("<span>");
    inl.points = THtmlRewriter::FontPoints(size, c.Options().fontSize);
    c.Writer().PushInline(std::move(inl));
}

void THtmlInlineTags::AddNamedAnchor(THtmlRewriteContext& c, const QString& name)
{
    if (name.isEmpty())
        return;
    // The engine tells formats with anchor names apart by comparing them one by one, so a
    // name per anchor would make loading quadratic. Anchors alternate between two names
    // instead (neighbours never merge) and are told apart by their order.
    QStringList& anchors = c.Page().anchors;
    c.Writer().AddAnchor(anchors.size() % 2 ? QStringLiteral("zan1") : QStringLiteral("zan0"));
    anchors << name;
}

void THtmlInlineTags::StartAnchor(THtmlRewriteContext& c, const THtmlToken& t)
{
    // An anchor inside an anchor ends the first, named or not, as in browsers.
    c.Writer().EndInline(QStringLiteral("a"));
    AddNamedAnchor(c, t.Attr(QStringLiteral("name")).trimmed());
    if (!t.Has(QStringLiteral("href"))) {
        c.Writer().PushInline(Element(t, QString(), QString()));
        return;
    }
    const int link = c.AddLink(t.Attr(QStringLiteral("href")), t.Attr(QStringLiteral("target")));
    const QColor& pageColour = c.Page().link;
    const QColor colour = pageColour.isValid() ? pageColour : c.Options().linkColour;
    // The engine draws a link in its own link colour unless told otherwise.
    QString open = QStringLiteral("<a href=\"zlk:%1\"").arg(link);
    if (colour != c.Options().engineLinkColour)
        open += QStringLiteral(" style=\"color:") + A::ColourCss(colour) + QStringLiteral(";\"");
    THtmlMarkupWriter::TInline inl =
        Element(t, A::WithSelectors(open + u'>', t, c.Css()), QStringLiteral("</a>"));
    inl.linkIndex = link;
    c.Writer().PushInline(std::move(inl));
}

void THtmlInlineTags::StartImage(THtmlRewriteContext& c, const THtmlToken& t)
{
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::Image;
    info.src = t.Attr(QStringLiteral("src")).trimmed();
    info.alt = t.Attr(QStringLiteral("alt"));
    int v;
    if (A::LeadingInt(t.Attr(QStringLiteral("width")), &v) &&
        !t.Attr(QStringLiteral("width")).contains(u'%'))
        info.width = std::clamp(v, 0, 4000);
    if (A::LeadingInt(t.Attr(QStringLiteral("height")), &v) &&
        !t.Attr(QStringLiteral("height")).contains(u'%'))
        info.height = std::clamp(v, 0, 4000);
    info.linkIndex = c.Writer().CurrentLink();
    info.border = A::Int(t, QStringLiteral("border"), info.linkIndex >= 0 ? 2 : -1, 0, 50);
    info.hspace = A::Int(t, QStringLiteral("hspace"), 0, 0, 200);
    info.vspace = A::Int(t, QStringLiteral("vspace"), 0, 0, 200);
    QString map = t.Attr(QStringLiteral("usemap")).trimmed();
    const qsizetype hash = map.indexOf(u'#');
    if (hash >= 0)
        map = map.mid(hash + 1);
    info.mapName = map.toLower();
    c.AddObject(std::move(info), ImageAlign(t.Attr(QStringLiteral("align"))));
}

QString THtmlInlineTags::ImageAlign(const QString& value)
{
    const QString a = value.trimmed().toLower();
    if (a == QLatin1String("left") || a == QLatin1String("right"))
        return a;
    if (A::IsOneOf(a, {"middle", "absmiddle", "center"}))
        return QStringLiteral("middle");
    if (A::IsOneOf(a, {"top", "texttop"}))
        return QStringLiteral("top");
    return QString();
}

void THtmlInlineTags::EndInline(THtmlRewriteContext& c, const THtmlToken& t)
{
    c.Writer().EndInline(t.name);
}
