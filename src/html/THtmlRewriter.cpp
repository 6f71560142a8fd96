#include "html/THtmlRewriter.h"
#include "html/THtmlColour.h"
#include "html/THtmlTokenizer.h"
#include <algorithm>
#include <utility>

namespace {

const QString kRoot = QStringLiteral("#root");
const QString kAnonymous = QStringLiteral("#text");

bool IsOneOf(const QString& s, std::initializer_list<const char*> list)
{
    for (const char* item : list)
        if (s == QLatin1String(item))
            return true;
    return false;
}

bool IsHeadingTag(const QString& t)
{
    return t.size() == 2 && t[0] == u'h' && t[1] >= u'1' && t[1] <= u'6';
}

bool IsListTag(const QString& t) { return IsOneOf(t, {"ul", "ol", "menu", "dir"}); }
bool IsPreTag(const QString& t) { return IsOneOf(t, {"pre", "xmp", "listing", "plaintext"}); }
bool IsTableInner(const QString& t) { return IsOneOf(t, {"tr", "td", "th", "caption"}); }

// Phrase and font elements the engine knows by the same name.
bool IsSimpleInline(const QString& t)
{
    return IsOneOf(
        t, {"b", "i", "u", "em", "strong", "cite", "dfn", "var", "sub", "sup", "big", "small"});
}
bool IsTeletype(const QString& t) { return IsOneOf(t, {"tt", "code", "kbd", "samp"}); }
bool IsInlineTag(const QString& t)
{
    return IsSimpleInline(t) || IsTeletype(t) ||
           IsOneOf(t, {"s", "strike", "font", "a", "basefont"});
}

// Elements that say nothing about whether a document is a frame set.
bool IsHeadTag(const QString& t)
{
    return IsOneOf(t, {"html", "head", "body", "title", "meta", "link", "base", "script", "style",
                       "basefont", "map", "area", "noscript", "form"});
}

bool IsRawTag(const QString& t)
{
    return IsOneOf(t, {"title", "textarea", "script", "style", "xmp", "listing", "plaintext"});
}

QString Escape(const QString& text)
{
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

// A whole number at the start of the value ("12", " 12px", "+2"); false when none.
bool LeadingInt(const QString& value, int* result)
{
    const QString v = value.trimmed();
    int i = 0;
    bool negative = false;
    if (i < v.size() && (v[i] == u'+' || v[i] == u'-')) {
        negative = v[i] == u'-';
        ++i;
    }
    const int digits = i;
    qint64 n = 0;
    while (i < v.size() && v[i].isDigit() && v[i].unicode() < 0x80) {
        if (n < 1000000)
            n = n * 10 + (v[i].unicode() - '0');
        ++i;
    }
    if (i == digits)
        return false;
    *result = int(negative ? -n : n);
    return true;
}

int IntAttr(const THtmlToken& t, const QString& name, int fallback, int lo, int hi)
{
    int v;
    if (!t.Has(name) || !LeadingInt(t.Attr(name), &v))
        return fallback;
    return std::clamp(v, lo, hi);
}

// A length attribute for the engine: pixels or a percentage; "" when unusable.
QString LengthAttr(const THtmlToken& t, const QString& name)
{
    int v;
    const QString raw = t.Attr(name).trimmed();
    if (!LeadingInt(raw, &v) || v < 0)
        return QString();
    if (raw.endsWith(u'%'))
        return QString::number(std::min(v, 100)) + u'%';
    return QString::number(std::min(v, 20000));
}

QString AlignAttr(const QString& value)
{
    const QString v = value.trimmed().toLower();
    if (IsOneOf(v, {"left", "right", "center", "justify"}))
        return QStringLiteral(" align=\"") + v + u'"';
    if (v == QLatin1String("middle"))
        return QStringLiteral(" align=\"center\"");
    return QString();
}

QString ValignAttr(const QString& value)
{
    QString v = value.trimmed().toLower();
    if (v == QLatin1String("center"))
        v = QStringLiteral("middle");
    if (IsOneOf(v, {"top", "middle", "bottom"}))
        return QStringLiteral(" valign=\"") + v + u'"';
    if (v == QLatin1String("baseline"))
        return QStringLiteral(" valign=\"top\"");
    return QString();
}

QString ToRoman(int n, bool upper)
{
    if (n <= 0 || n >= 4000)
        return QString::number(n);
    static const int values[] = {1000, 900, 500, 400, 100, 90, 50, 40, 10, 9, 5, 4, 1};
    static const char* numerals[] = {"m",  "cm", "d",  "cd", "c",  "xc", "l",
                                     "xl", "x",  "ix", "v",  "iv", "i"};
    QString r;
    for (int i = 0; i < 13; ++i)
        while (n >= values[i]) {
            r += QLatin1String(numerals[i]);
            n -= values[i];
        }
    return upper ? r.toUpper() : r;
}

QString ToAlpha(int n, bool upper)
{
    if (n <= 0)
        return QString::number(n);
    QString r;
    while (n > 0) {
        --n;
        r.prepend(QChar(u'a' + n % 26));
        n /= 26;
    }
    return upper ? r.toUpper() : r;
}

QString ListNumber(int n, const QString& type)
{
    if (type == QLatin1String("a") || type == QLatin1String("A"))
        return ToAlpha(n, type == QLatin1String("A"));
    if (type == QLatin1String("i") || type == QLatin1String("I"))
        return ToRoman(n, type == QLatin1String("I"));
    return QString::number(n);
}

QString FontFamilyCss(const QString& faces)
{
    QStringList out;
    for (QString f : faces.split(u',', Qt::SkipEmptyParts)) {
        f = f.trimmed();
        f.remove(u'\'');
        f.remove(u'"');
        f.remove(u';');
        if (!f.isEmpty())
            out << u'\'' + f + u'\'';
    }
    return out.isEmpty() ? QString() : QStringLiteral("font-family:") + out.join(u',') + u';';
}

THtmlToken Implicit(const char* name)
{
    THtmlToken t;
    t.kind = THtmlToken::StartTag;
    t.name = QLatin1String(name);
    return t;
}

} // namespace

THtmlRewriter::THtmlRewriter(const TOptions& options) : m_options(options) {}

double THtmlRewriter::FontPoints(int size, int basePt)
{
    static const double factors[7] = {0.625, 0.8125, 1.0, 1.125, 1.5, 2.0, 3.0};
    return basePt * factors[std::clamp(size, 1, 7) - 1];
}

QString THtmlRewriter::ColourCss(const QColor& c) const { return c.name(QColor::HexRgb); }

THtmlPage THtmlRewriter::Rewrite(const QString& source)
{
    m_page = THtmlPage();
    m_out.clear();
    m_out.reserve(source.size() + source.size() / 4);
    m_blocks.clear();
    TBlock root;
    root.tag = kRoot;
    m_blocks.push_back(root);

    THtmlTokenizer tokenizer(source);
    THtmlToken t;
    while (tokenizer.Next(t)) {
        if (!m_rawElement.isEmpty()) {
            const QString element = m_rawElement;
            m_rawElement.clear();
            if (t.kind == THtmlToken::Text) {
                RawText(element, t.text);
                continue;
            }
        }
        switch (t.kind) {
        case THtmlToken::Text: Text(t.text); break;
        case THtmlToken::StartTag:
            if (IsRawTag(t.name))
                m_rawElement = t.name;
            StartTag(t);
            break;
        case THtmlToken::EndTag: EndTag(t); break;
        }
    }
    EndSelect();
    PopTo(1);
    CloseEmittedInlines(m_blocks.front());
    for (const QString& a : m_pendingAnchors)
        Emit(QStringLiteral("<a name=\"") + a + QStringLiteral("\"></a>"));
    m_pendingAnchors.clear();
    m_page.html = QStringLiteral("<html><body>") + m_out + QStringLiteral("</body></html>");
    m_out.clear();
    return std::move(m_page);
}

// ---------------------------------------------------------------------------------------
// Blocks

bool THtmlRewriter::TopIs(const QString& tag) const { return m_blocks.back().tag == tag; }

bool THtmlRewriter::TopIsOneOf(std::initializer_list<const char*> tags) const
{
    return IsOneOf(m_blocks.back().tag, tags);
}

void THtmlRewriter::CloseEmittedInlines(TBlock& block)
{
    for (int k = block.emitted - 1; k >= 0; --k)
        Emit(block.inlines[k].close);
    block.emitted = 0;
}

void THtmlRewriter::EmitInlines()
{
    TBlock& top = m_blocks.back();
    for (int k = top.emitted; k < top.inlines.size(); ++k)
        Emit(top.heading ? top.inlines[k].openNoSize : top.inlines[k].open);
    top.emitted = int(top.inlines.size());
}

void THtmlRewriter::PushBlock(const QString& tag, const QString& open, const QString& close)
{
    if (int(m_blocks.size()) >= kMaxBlockDepth) {
        ++m_ignored[tag];
        return;
    }
    // Nothing but rows and cells lives directly in a table: anything else opens a cell.
    if (!IsTableInner(tag)) {
        if (TopIs(QStringLiteral("table")))
            StartRow(Implicit("tr"));
        if (TopIs(QStringLiteral("tr")))
            StartCell(Implicit("td"));
    }
    QVector<TInline> carry;
    {
        TBlock& parent = m_blocks.back();
        carry = parent.inlines;
        CloseEmittedInlines(parent);
        parent.inlines.clear();
    }
    TBlock b;
    b.tag = tag;
    b.close = close;
    b.heading = m_blocks.back().heading || IsHeadingTag(tag);
    if (tag == QLatin1String("table"))
        b.restore = carry;
    else if (!IsTableInner(tag))
        b.inlines = carry;
    if (tag == QLatin1String("caption"))
        b.captionPos = m_out.size();
    b.startPos = m_out.size();
    if (IsPreTag(tag)) {
        ++m_preDepth;
        m_preStart = true;
    }
    Emit(open);
    m_blocks.push_back(std::move(b));
    m_inlineContent = false;
}

void THtmlRewriter::PopBlock()
{
    if (m_blocks.size() <= 1)
        return;
    TBlock b = std::move(m_blocks.back());
    m_blocks.pop_back();
    CloseEmittedInlines(b);
    if (IsPreTag(b.tag))
        --m_preDepth;
    if ((b.tag == QLatin1String("table") || b.tag == QLatin1String("tr")) && b.cells == 0) {
        // A table or row without cells is dropped: the engine has nothing to lay out.
        m_out.truncate(b.startPos);
    } else {
        Emit(b.close);
    }
    if (b.tag == QLatin1String("caption") && b.captionPos >= 0) {
        // The caption goes above its table.
        const QString caption = m_out.mid(b.captionPos);
        m_out.truncate(b.captionPos);
        TBlock& table = m_blocks.back();
        if (table.tag == QLatin1String("table")) {
            m_out.insert(table.startPos, caption);
            table.startPos += caption.size();
        } else {
            m_out += caption;
        }
    }
    if (b.tag == QLatin1String("td") || b.tag == QLatin1String("th")) {
        for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it)
            if (it->tag == QLatin1String("tr") || it->tag == QLatin1String("table"))
                ++it->cells;
    }
    TBlock& parent = m_blocks.back();
    parent.hadChildBlock = true;
    if (b.tag == QLatin1String("table"))
        parent.inlines = b.restore;
    else if (!IsTableInner(b.tag))
        parent.inlines = b.inlines;
    parent.emitted = 0;
    m_inlineContent = false;
}

void THtmlRewriter::PopTo(int index)
{
    while (int(m_blocks.size()) > std::max(index, 1))
        PopBlock();
}

int THtmlRewriter::FindBlock(const QStringList& tags, bool crossTables) const
{
    for (int k = int(m_blocks.size()) - 1; k >= 1; --k) {
        const QString& tag = m_blocks[k].tag;
        if (tags.contains(tag))
            return k;
        if (!crossTables && (tag == QLatin1String("table") || tag == QLatin1String("td") ||
                             tag == QLatin1String("th") || tag == QLatin1String("caption")))
            return -1;
    }
    return -1;
}

int THtmlRewriter::FindTable() const
{
    for (int k = int(m_blocks.size()) - 1; k >= 1; --k)
        if (m_blocks[k].tag == QLatin1String("table"))
            return k;
    return -1;
}

int THtmlRewriter::TableDepth() const
{
    int n = 0;
    for (const TBlock& b : m_blocks)
        if (b.tag == QLatin1String("table"))
            ++n;
    return n;
}

int THtmlRewriter::ListDepth() const
{
    int n = 0;
    for (const TBlock& b : m_blocks)
        if (IsListTag(b.tag))
            ++n;
    return n;
}

void THtmlRewriter::CloseParagraph()
{
    if (TopIs(QStringLiteral("p")) || TopIs(kAnonymous))
        PopBlock();
}

void THtmlRewriter::EnsureTextContext()
{
    if (TopIs(QStringLiteral("table")))
        StartRow(Implicit("tr"));
    if (TopIs(QStringLiteral("tr")))
        StartCell(Implicit("td"));
    if (IsListTag(m_blocks.back().tag))
        StartListItem(Implicit("li"));
    if (TopIs(QStringLiteral("dl")))
        StartDefinition(Implicit("dd"));
    // Text after a block inside the same parent gets a block of its own: the engine
    // would otherwise run it on at the end of the block before.
    if (m_blocks.back().hadChildBlock && !m_inlineContent)
        PushBlock(kAnonymous, QStringLiteral("<div>"), QStringLiteral("</div>"));
    for (const QString& a : m_pendingAnchors)
        Emit(QStringLiteral("<a name=\"") + a + QStringLiteral("\"></a>"));
    m_pendingAnchors.clear();
    EmitInlines();
    TBlock& top = m_blocks.back();
    if (!top.pendingMarker.isEmpty()) {
        const QString marker = top.pendingMarker;
        top.pendingMarker.clear();
        EmitText(marker);
    }
    m_inlineContent = true;
}

// ---------------------------------------------------------------------------------------
// Inline formatting

void THtmlRewriter::PushInline(const TInline& inl)
{
    TBlock& top = m_blocks.back();
    if (top.inlines.size() >= kMaxInlineDepth) {
        ++m_ignored[inl.tag];
        return;
    }
    top.inlines.append(inl);
}

void THtmlRewriter::PopInline(const QString& tag)
{
    TBlock& top = m_blocks.back();
    for (int j = int(top.inlines.size()) - 1; j >= 0; --j) {
        if (top.inlines[j].tag != tag)
            continue;
        // Close down to it; what was opened inside stays in effect and is reopened with
        // the next text.
        for (int k = top.emitted - 1; k >= j; --k)
            Emit(top.inlines[k].close);
        top.emitted = std::min(top.emitted, j);
        top.inlines.removeAt(j);
        return;
    }
}

int THtmlRewriter::CurrentLink() const
{
    const TBlock& top = m_blocks.back();
    for (int j = int(top.inlines.size()) - 1; j >= 0; --j)
        if (top.inlines[j].tag == QLatin1String("a"))
            return top.inlines[j].linkIndex;
    return -1;
}

QString THtmlRewriter::FontStyle(const THtmlToken& t, bool withSize) const
{
    QString css;
    int v;
    if (withSize && t.Has(QStringLiteral("size")) &&
        LeadingInt(t.Attr(QStringLiteral("size")), &v)) {
        const QString raw = t.Attr(QStringLiteral("size")).trimmed();
        const bool relative = raw.startsWith(u'+') || raw.startsWith(u'-');
        const int size = std::clamp(relative ? m_baseFont + v : v, 1, 7);
        css += QStringLiteral("font-size:%1pt;").arg(FontPoints(size, m_options.fontSize));
    }
    const QColor c = THtmlColour::Parse(t.Attr(QStringLiteral("color")));
    if (c.isValid())
        css += QStringLiteral("color:") + ColourCss(c) + u';';
    css += FontFamilyCss(t.Attr(QStringLiteral("face")));
    return css;
}

void THtmlRewriter::StartFont(const THtmlToken& t)
{
    TInline inl;
    inl.tag = t.name;
    inl.open =
        QStringLiteral("<span style=\"") + Escape(FontStyle(t, true)) + QStringLiteral("\">");
    inl.openNoSize =
        QStringLiteral("<span style=\"") + Escape(FontStyle(t, false)) + QStringLiteral("\">");
    inl.close = QStringLiteral("</span>");
    PushInline(inl);
}

int THtmlRewriter::AddLink(const QString& href, const QString& target)
{
    m_page.links.push_back({href.trimmed(), target.trimmed()});
    return int(m_page.links.size()) - 1;
}

void THtmlRewriter::StartAnchor(const THtmlToken& t)
{
    const QString name = t.Attr(QStringLiteral("name")).trimmed();
    if (!name.isEmpty()) {
        // The engine tells formats with anchor names apart by comparing them one by one,
        // so a name per anchor would make loading quadratic. Anchors alternate between two
        // names instead (neighbours never merge) and are told apart by their order.
        m_pendingAnchors << (m_page.anchors.size() % 2 ? QStringLiteral("zan1")
                                                       : QStringLiteral("zan0"));
        m_page.anchors << name;
    }
    if (!t.Has(QStringLiteral("href")))
        return;
    // An anchor inside an anchor ends the first, as browsers had it.
    PopInline(QStringLiteral("a"));
    const int link = AddLink(t.Attr(QStringLiteral("href")), t.Attr(QStringLiteral("target")));
    const QColor colour = m_page.link.isValid() ? m_page.link : m_options.linkColour;
    TInline inl;
    inl.tag = QStringLiteral("a");
    inl.open =
        QStringLiteral("<a href=\"zlk:%1\" style=\"color:%2;\">").arg(link).arg(ColourCss(colour));
    inl.openNoSize = inl.open;
    inl.close = QStringLiteral("</a>");
    inl.linkIndex = link;
    PushInline(inl);
}

// ---------------------------------------------------------------------------------------
// Tags

void THtmlRewriter::MarkContent() { m_sawContent = true; }

void THtmlRewriter::StartTag(const THtmlToken& t)
{
    const QString& n = t.name;
    if (!m_frameSets.empty()) {
        if (n == QLatin1String("frameset"))
            FrameSetStart(t);
        else if (n == QLatin1String("frame"))
            FrameStart(t);
        return;
    }
    if (m_frameSetDone)
        return;
    if (n == QLatin1String("noframes")) {
        ++m_skipDepth;
        return;
    }
    if (m_skipDepth > 0)
        return;
    if (n == QLatin1String("frameset")) {
        if (!m_sawContent)
            FrameSetStart(t);
        return;
    }
    if (!IsHeadTag(n))
        MarkContent();
    if (m_select >= 0) {
        if (n == QLatin1String("option")) {
            StartOption(t);
            return;
        }
        if (IsInlineTag(n))
            return;
        EndSelect();
    }
    if (m_suppressedTables > 0) {
        if (n == QLatin1String("table")) {
            ++m_suppressedTables;
            return;
        }
        if (n == QLatin1String("tr")) {
            EnsureTextContext();
            Emit(QStringLiteral("<br>"));
            return;
        }
        if (n == QLatin1String("td") || n == QLatin1String("th")) {
            EnsureTextContext();
            Emit(QStringLiteral(" "));
            return;
        }
        if (n == QLatin1String("caption"))
            return;
    }

    if (n == QLatin1String("p")) {
        CloseParagraph();
        PushBlock(n, QStringLiteral("<p") + AlignAttr(t.Attr(QStringLiteral("align"))) + u'>',
                  QStringLiteral("</p>"));
    } else if (n == QLatin1String("div")) {
        CloseParagraph();
        PushBlock(n, QStringLiteral("<div") + AlignAttr(t.Attr(QStringLiteral("align"))) + u'>',
                  QStringLiteral("</div>"));
    } else if (n == QLatin1String("center")) {
        CloseParagraph();
        PushBlock(n, QStringLiteral("<div align=\"center\">"), QStringLiteral("</div>"));
    } else if (IsHeadingTag(n)) {
        CloseParagraph();
        if (IsHeadingTag(m_blocks.back().tag))
            PopBlock();
        PushBlock(n, u'<' + n + AlignAttr(t.Attr(QStringLiteral("align"))) + u'>',
                  QStringLiteral("</") + n + u'>');
    } else if (n == QLatin1String("blockquote")) {
        CloseParagraph();
        PushBlock(n, QStringLiteral("<blockquote>"), QStringLiteral("</blockquote>"));
    } else if (n == QLatin1String("address")) {
        // The engine's own ADDRESS breaks its line at a link when a quotation precedes it.
        CloseParagraph();
        PushBlock(n, QStringLiteral("<div style=\"font-style:italic\">"), QStringLiteral("</div>"));
    } else if (IsPreTag(n)) {
        CloseParagraph();
        PushBlock(n,
                  QStringLiteral("<pre style=\"") + Escape(FontFamilyCss(m_options.preFontName)) +
                      QStringLiteral("\">"),
                  QStringLiteral("</pre>"));
    } else if (IsListTag(n)) {
        StartList(t);
    } else if (n == QLatin1String("li")) {
        StartListItem(t);
    } else if (n == QLatin1String("dl")) {
        CloseParagraph();
        if (TopIs(QStringLiteral("table")) || TopIs(QStringLiteral("tr")))
            EnsureTextContext();
        PushBlock(n, QStringLiteral("<dl>"), QStringLiteral("</dl>"));
    } else if (n == QLatin1String("dt") || n == QLatin1String("dd")) {
        StartDefinition(t);
    } else if (n == QLatin1String("table")) {
        StartTable(t);
    } else if (n == QLatin1String("tr")) {
        StartRow(t);
    } else if (n == QLatin1String("td") || n == QLatin1String("th")) {
        StartCell(t);
    } else if (n == QLatin1String("caption")) {
        StartCaption(t);
    } else if (n == QLatin1String("hr")) {
        StartRule(t);
    } else if (n == QLatin1String("br")) {
        if (TopIs(QStringLiteral("table")) || TopIs(QStringLiteral("tr")))
            return;
        EnsureTextContext();
        Emit(QStringLiteral("<br>"));
    } else if (IsSimpleInline(n)) {
        PushInline({n, u'<' + n + u'>', u'<' + n + u'>', QStringLiteral("</") + n + u'>', -1});
    } else if (n == QLatin1String("s") || n == QLatin1String("strike")) {
        PushInline({n, QStringLiteral("<s>"), QStringLiteral("<s>"), QStringLiteral("</s>"), -1});
    } else if (IsTeletype(n)) {
        const QString open = QStringLiteral("<span style=\"") +
                             Escape(FontFamilyCss(m_options.preFontName)) + QStringLiteral("\">");
        PushInline({n, open, open, QStringLiteral("</span>"), -1});
    } else if (n == QLatin1String("font")) {
        StartFont(t);
    } else if (n == QLatin1String("basefont")) {
        int v;
        if (LeadingInt(t.Attr(QStringLiteral("size")), &v)) {
            const QString raw = t.Attr(QStringLiteral("size")).trimmed();
            const bool relative = raw.startsWith(u'+') || raw.startsWith(u'-');
            m_baseFont = std::clamp(relative ? m_baseFont + v : v, 1, 7);
            const QString open = QStringLiteral("<span style=\"font-size:%1pt;\">")
                                     .arg(FontPoints(m_baseFont, m_options.fontSize));
            PushInline({n, open, QStringLiteral("<span>"), QStringLiteral("</span>"), -1});
        }
    } else if (n == QLatin1String("a")) {
        StartAnchor(t);
    } else if (n == QLatin1String("img")) {
        StartImage(t);
    } else if (n == QLatin1String("input")) {
        StartInput(t);
    } else if (n == QLatin1String("select")) {
        StartSelect(t);
    } else if (n == QLatin1String("textarea")) {
        StartTextArea(t);
    } else if (n == QLatin1String("form")) {
        m_form = m_page.formCount++;
    } else if (n == QLatin1String("map")) {
        QString name = t.Attr(QStringLiteral("name")).trimmed().toLower();
        if (name.startsWith(u'#'))
            name.remove(0, 1);
        m_map = name;
        if (!name.isEmpty() && !m_page.maps.contains(name))
            m_page.maps.insert(name, TImageMap());
    } else if (n == QLatin1String("area")) {
        StartArea(t);
    } else if (n == QLatin1String("isindex")) {
        StartIsIndex(t);
    } else if (n == QLatin1String("body")) {
        StartBody(t);
    } else if (n == QLatin1String("base")) {
        m_page.baseTarget = t.Attr(QStringLiteral("target")).trimmed();
    }
    // Everything else (head elements, applets, unknown tags) is dropped; its content shows.
}

void THtmlRewriter::EndTag(const THtmlToken& t)
{
    const QString& n = t.name;
    if (!m_frameSets.empty()) {
        if (n == QLatin1String("frameset"))
            FrameSetEnd();
        return;
    }
    if (n == QLatin1String("noframes")) {
        if (m_skipDepth > 0)
            --m_skipDepth;
        return;
    }
    if (m_skipDepth > 0 || m_frameSetDone)
        return;
    if (m_select >= 0) {
        if (n == QLatin1String("select")) {
            EndSelect();
            return;
        }
        if (n == QLatin1String("option")) {
            EndOption();
            return;
        }
        if (IsInlineTag(n))
            return;
        EndSelect();
    }
    if (m_suppressedTables > 0) {
        if (n == QLatin1String("table")) {
            --m_suppressedTables;
            return;
        }
        if (IsTableInner(n))
            return;
    }
    auto ignored = m_ignored.find(n);
    if (ignored != m_ignored.end() && ignored.value() > 0) {
        --ignored.value();
        return;
    }

    if (n == QLatin1String("p")) {
        CloseParagraph();
    } else if (IsOneOf(n, {"div", "center", "blockquote", "address", "pre", "xmp", "listing"}) ||
               IsListTag(n) || IsOneOf(n, {"dl", "li", "dt", "dd"})) {
        const int i = FindBlock({n});
        if (i > 0)
            PopTo(i);
    } else if (IsHeadingTag(n)) {
        const int i = FindBlock({"h1", "h2", "h3", "h4", "h5", "h6"});
        if (i > 0)
            PopTo(i);
    } else if (n == QLatin1String("table")) {
        const int i = FindTable();
        if (i > 0)
            PopTo(i);
    } else if (IsTableInner(n)) {
        for (int k = int(m_blocks.size()) - 1; k >= 1; --k) {
            if (m_blocks[k].tag == n) {
                PopTo(k);
                break;
            }
            if (m_blocks[k].tag == QLatin1String("table"))
                break;
        }
    } else if (IsInlineTag(n)) {
        PopInline(n);
    } else if (n == QLatin1String("form")) {
        m_form = -1;
    } else if (n == QLatin1String("map")) {
        m_map.clear();
    }
}

void THtmlRewriter::StartBody(const THtmlToken& t)
{
    if (m_sawBody)
        return;
    m_sawBody = true;
    m_page.background = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    m_page.text = THtmlColour::Parse(t.Attr(QStringLiteral("text")));
    m_page.link = THtmlColour::Parse(t.Attr(QStringLiteral("link")));
    m_page.backgroundImage = t.Attr(QStringLiteral("background")).trimmed();
}

void THtmlRewriter::StartTable(const THtmlToken& t)
{
    CloseParagraph();
    if (TableDepth() >= kMaxTableDepth) {
        ++m_suppressedTables;
        EnsureTextContext();
        Emit(QStringLiteral("<br>"));
        return;
    }
    if (TopIs(QStringLiteral("table")))
        StartRow(Implicit("tr"));
    if (TopIs(QStringLiteral("tr")))
        StartCell(Implicit("td"));
    int border = 0;
    if (t.Has(QStringLiteral("border")))
        border = IntAttr(t, QStringLiteral("border"), 1, 0, 20);
    QString open = QStringLiteral("<table border=\"%1\" cellspacing=\"%2\" cellpadding=\"%3\"")
                       .arg(border)
                       .arg(IntAttr(t, QStringLiteral("cellspacing"), 2, 0, 100))
                       .arg(IntAttr(t, QStringLiteral("cellpadding"), 1, 0, 100));
    const QString width = LengthAttr(t, QStringLiteral("width"));
    if (!width.isEmpty())
        open += QStringLiteral(" width=\"") + width + u'"';
    const QString align = t.Attr(QStringLiteral("align")).trimmed().toLower();
    if (IsOneOf(align, {"left", "right", "center"}))
        open += QStringLiteral(" align=\"") + align + u'"';
    const QColor bg = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    if (bg.isValid())
        open += QStringLiteral(" bgcolor=\"") + ColourCss(bg) + u'"';
    open += u'>';
    PushBlock(QStringLiteral("table"), open, QStringLiteral("</table>"));
}

void THtmlRewriter::StartRow(const THtmlToken& t)
{
    const int table = FindTable();
    if (table < 0)
        return;
    PopTo(table + 1);
    QString open = QStringLiteral("<tr>");
    const QColor bg = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    PushBlock(QStringLiteral("tr"), open, QStringLiteral("</tr>"));
    TBlock& row = m_blocks.back();
    if (row.tag != QLatin1String("tr"))
        return;
    row.trAlign = t.Attr(QStringLiteral("align"));
    row.trValign = t.Attr(QStringLiteral("valign"));
    row.trBgcolor = bg.isValid() ? ColourCss(bg) : QString();
}

void THtmlRewriter::StartCell(const THtmlToken& t)
{
    const int table = FindTable();
    if (table < 0)
        return;
    if (table + 1 < int(m_blocks.size()) && m_blocks[table + 1].tag == QLatin1String("tr")) {
        PopTo(table + 2);
    } else {
        PopTo(table + 1);
        StartRow(Implicit("tr"));
    }
    const TBlock& row = m_blocks.back();
    if (row.tag != QLatin1String("tr"))
        return;
    QString open = u'<' + t.name;
    const QString align =
        t.Has(QStringLiteral("align")) ? t.Attr(QStringLiteral("align")) : row.trAlign;
    open += AlignAttr(align);
    const QString valign =
        t.Has(QStringLiteral("valign")) ? t.Attr(QStringLiteral("valign")) : row.trValign;
    open += ValignAttr(valign.isEmpty() ? QStringLiteral("middle") : valign);
    const QColor bg = THtmlColour::Parse(t.Attr(QStringLiteral("bgcolor")));
    if (bg.isValid())
        open += QStringLiteral(" bgcolor=\"") + ColourCss(bg) + u'"';
    else if (!row.trBgcolor.isEmpty())
        open += QStringLiteral(" bgcolor=\"") + row.trBgcolor + u'"';
    const int colspan = IntAttr(t, QStringLiteral("colspan"), 1, 1, 100);
    const int rowspan = IntAttr(t, QStringLiteral("rowspan"), 1, 1, 100);
    if (colspan > 1)
        open += QStringLiteral(" colspan=\"%1\"").arg(colspan);
    if (rowspan > 1)
        open += QStringLiteral(" rowspan=\"%1\"").arg(rowspan);
    const QString width = LengthAttr(t, QStringLiteral("width"));
    if (!width.isEmpty())
        open += QStringLiteral(" width=\"") + width + u'"';
    const QString height = LengthAttr(t, QStringLiteral("height"));
    if (!height.isEmpty() && !height.endsWith(u'%'))
        open += QStringLiteral(" height=\"") + height + u'"';
    if (t.Has(QStringLiteral("nowrap")))
        open += QStringLiteral(" nowrap");
    open += u'>';
    const QString tag = t.name == QLatin1String("th") ? t.name : QStringLiteral("td");
    PushBlock(tag, open, QStringLiteral("</") + tag + u'>');
}

void THtmlRewriter::StartCaption(const THtmlToken& t)
{
    const int table = FindTable();
    if (table < 0)
        return;
    PopTo(table + 1);
    QString align = t.Attr(QStringLiteral("align")).trimmed().toLower();
    if (!IsOneOf(align, {"left", "right"}))
        align = QStringLiteral("center");
    PushBlock(QStringLiteral("caption"),
              QStringLiteral("<div align=\"") + align + QStringLiteral("\">"),
              QStringLiteral("</div>"));
}

void THtmlRewriter::StartList(const THtmlToken& t)
{
    CloseParagraph();
    if (ListDepth() >= kMaxListDepth) {
        ++m_ignored[t.name];
        return;
    }
    if (TopIs(QStringLiteral("table")) || TopIs(QStringLiteral("tr")))
        EnsureTextContext();
    const QString type = t.Attr(QStringLiteral("type")).trimmed();
    if (t.name == QLatin1String("ol")) {
        const QString olType =
            IsOneOf(type, {"1", "a", "A", "i", "I"}) ? type : QStringLiteral("1");
        const int start = IntAttr(t, QStringLiteral("start"), 1, -1000000, 1000000);
        if (start != 1) {
            // The engine always counts from 1: the numbers are written as text instead.
            PushBlock(t.name, QStringLiteral("<ul style=\"list-style-type:none\">"),
                      QStringLiteral("</ul>"));
            TBlock& list = m_blocks.back();
            if (list.tag == t.name) {
                list.emulatedList = true;
                list.listCounter = start - 1;
                list.listType = olType;
            }
            return;
        }
        PushBlock(t.name, QStringLiteral("<ol type=\"") + olType + QStringLiteral("\">"),
                  QStringLiteral("</ol>"));
        return;
    }
    const QString ulType = type.toLower();
    QString open = QStringLiteral("<ul");
    if (IsOneOf(ulType, {"disc", "circle", "square"}))
        open += QStringLiteral(" type=\"") + ulType + u'"';
    PushBlock(t.name, open + u'>', QStringLiteral("</ul>"));
}

void THtmlRewriter::StartListItem(const THtmlToken& t)
{
    int list = FindBlock({"ul", "ol", "menu", "dir"});
    if (list < 0) {
        CloseParagraph();
        if (TopIs(QStringLiteral("table")) || TopIs(QStringLiteral("tr")))
            EnsureTextContext();
        StartList(Implicit("ul"));
        list = int(m_blocks.size()) - 1;
        if (!IsListTag(m_blocks.back().tag))
            return;
    } else {
        PopTo(list + 1);
    }
    QString marker;
    TBlock& l = m_blocks[list];
    if (l.emulatedList) {
        int value;
        if (t.Has(QStringLiteral("value")) && LeadingInt(t.Attr(QStringLiteral("value")), &value))
            l.listCounter = value - 1;
        ++l.listCounter;
        marker = ListNumber(l.listCounter, l.listType) + QStringLiteral(". ");
    }
    PushBlock(QStringLiteral("li"), QStringLiteral("<li>"), QStringLiteral("</li>"));
    if (m_blocks.back().tag == QLatin1String("li"))
        m_blocks.back().pendingMarker = marker;
}

void THtmlRewriter::StartDefinition(const THtmlToken& t)
{
    const int dl = FindBlock({"dl"});
    if (dl < 0) {
        CloseParagraph();
        if (TopIs(QStringLiteral("table")) || TopIs(QStringLiteral("tr")))
            EnsureTextContext();
        PushBlock(QStringLiteral("dl"), QStringLiteral("<dl>"), QStringLiteral("</dl>"));
        if (!TopIs(QStringLiteral("dl")))
            return;
    } else {
        PopTo(dl + 1);
    }
    PushBlock(t.name, u'<' + t.name + u'>', QStringLiteral("</") + t.name + u'>');
}

void THtmlRewriter::StartRule(const THtmlToken& t)
{
    CloseParagraph();
    if (TopIs(QStringLiteral("table")) || TopIs(QStringLiteral("tr")))
        return;
    QString hr = QStringLiteral("<hr");
    const QString width = LengthAttr(t, QStringLiteral("width"));
    if (!width.isEmpty())
        hr += QStringLiteral(" width=\"") + width + u'"';
    Emit(hr + u'>');
    m_blocks.back().hadChildBlock = true;
    m_inlineContent = false;
}

int THtmlRewriter::AddObject(THtmlObjectInfo info, const QString& align)
{
    if (info.kind != THtmlObjectInfo::Image && ++m_controls > kMaxControls)
        return -1;
    const int index = int(m_page.objects.size());
    m_page.objects.push_back(std::move(info));
    EnsureTextContext();
    QString img = QStringLiteral("<img src=\"zel:%1\"").arg(index);
    if (!align.isEmpty())
        img += QStringLiteral(" align=\"") + align + u'"';
    Emit(img + u'>');
    return index;
}

void THtmlRewriter::StartImage(const THtmlToken& t)
{
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::Image;
    info.src = t.Attr(QStringLiteral("src")).trimmed();
    info.alt = t.Attr(QStringLiteral("alt"));
    int v;
    if (LeadingInt(t.Attr(QStringLiteral("width")), &v) &&
        !t.Attr(QStringLiteral("width")).contains(u'%'))
        info.width = std::clamp(v, 0, 4000);
    if (LeadingInt(t.Attr(QStringLiteral("height")), &v) &&
        !t.Attr(QStringLiteral("height")).contains(u'%'))
        info.height = std::clamp(v, 0, 4000);
    info.linkIndex = CurrentLink();
    info.border = IntAttr(t, QStringLiteral("border"), info.linkIndex >= 0 ? 2 : -1, 0, 50);
    info.hspace = IntAttr(t, QStringLiteral("hspace"), 0, 0, 200);
    info.vspace = IntAttr(t, QStringLiteral("vspace"), 0, 0, 200);
    QString map = t.Attr(QStringLiteral("usemap")).trimmed();
    const qsizetype hash = map.indexOf(u'#');
    if (hash >= 0)
        map = map.mid(hash + 1);
    info.mapName = map.toLower();
    const QString a = t.Attr(QStringLiteral("align")).trimmed().toLower();
    QString align;
    if (a == QLatin1String("left") || a == QLatin1String("right"))
        align = a;
    else if (IsOneOf(a, {"middle", "absmiddle", "center"}))
        align = QStringLiteral("middle");
    else if (IsOneOf(a, {"top", "texttop"}))
        align = QStringLiteral("top");
    AddObject(std::move(info), align);
}

void THtmlRewriter::StartInput(const THtmlToken& t)
{
    const QString type = t.Attr(QStringLiteral("type"), QStringLiteral("text")).trimmed().toLower();
    if (type == QLatin1String("hidden"))
        return;
    static const std::pair<const char*, THtmlObjectInfo::Kind> kKinds[] = {
        {"password", THtmlObjectInfo::Password}, {"checkbox", THtmlObjectInfo::CheckBox},
        {"radio", THtmlObjectInfo::Radio},       {"submit", THtmlObjectInfo::Submit},
        {"reset", THtmlObjectInfo::Reset},       {"button", THtmlObjectInfo::Button},
        {"image", THtmlObjectInfo::ImageButton}, {"file", THtmlObjectInfo::File},
    };
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::TextInput;
    for (const auto& [name, kind] : kKinds) {
        if (type == QLatin1String(name))
            info.kind = kind;
    }
    info.form = m_form;
    info.name = t.Attr(QStringLiteral("name"));
    info.value = t.Attr(QStringLiteral("value"));
    info.checked = t.Has(QStringLiteral("checked"));
    info.size = IntAttr(t, QStringLiteral("size"), -1, 1, 300);
    info.maxLength = IntAttr(t, QStringLiteral("maxlength"), -1, 0, 1000000);
    if (info.kind == THtmlObjectInfo::ImageButton) {
        info.src = t.Attr(QStringLiteral("src")).trimmed();
        info.alt = t.Attr(QStringLiteral("alt"), info.value);
        int v;
        if (LeadingInt(t.Attr(QStringLiteral("width")), &v))
            info.width = std::clamp(v, 0, 4000);
        if (LeadingInt(t.Attr(QStringLiteral("height")), &v))
            info.height = std::clamp(v, 0, 4000);
        info.border = IntAttr(t, QStringLiteral("border"), -1, 0, 50);
    }
    AddObject(std::move(info));
}

void THtmlRewriter::StartSelect(const THtmlToken& t)
{
    EndSelect();
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::Select;
    info.form = m_form;
    info.name = t.Attr(QStringLiteral("name"));
    info.multiple = t.Has(QStringLiteral("multiple"));
    info.size = IntAttr(t, QStringLiteral("size"), -1, 1, 100);
    m_select = AddObject(std::move(info));
}

void THtmlRewriter::StartOption(const THtmlToken& t)
{
    EndOption();
    if (m_select < 0)
        return;
    THtmlObjectInfo& s = m_page.objects[m_select];
    if (s.options.size() >= 10000)
        return;
    m_option = int(s.options.size());
    s.options << QString();
    s.optionValues << (t.Has(QStringLiteral("value")) ? t.Attr(QStringLiteral("value"))
                                                      : QString());
    s.optionSelected << t.Has(QStringLiteral("selected"));
    m_optionHasValue = t.Has(QStringLiteral("value"));
    m_optionText.clear();
}

void THtmlRewriter::EndOption()
{
    if (m_select < 0 || m_option < 0)
        return;
    THtmlObjectInfo& s = m_page.objects[m_select];
    s.options[m_option] = m_optionText.simplified();
    if (!m_optionHasValue)
        s.optionValues[m_option] = s.options[m_option];
    m_option = -1;
    m_optionText.clear();
}

void THtmlRewriter::EndSelect()
{
    EndOption();
    m_select = -1;
}

void THtmlRewriter::StartTextArea(const THtmlToken& t)
{
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::TextArea;
    info.form = m_form;
    info.name = t.Attr(QStringLiteral("name"));
    info.rows = IntAttr(t, QStringLiteral("rows"), 2, 1, 100);
    info.cols = IntAttr(t, QStringLiteral("cols"), 20, 1, 300);
    m_textArea = AddObject(std::move(info));
}

void THtmlRewriter::StartArea(const THtmlToken& t)
{
    if (m_map.isEmpty())
        return;
    int link = -1;
    if (t.Has(QStringLiteral("href")) && !t.Has(QStringLiteral("nohref")))
        link = AddLink(t.Attr(QStringLiteral("href")), t.Attr(QStringLiteral("target")));
    m_page.maps[m_map].AddArea(t.Attr(QStringLiteral("shape")), t.Attr(QStringLiteral("coords")),
                               link, t.Attr(QStringLiteral("alt")));
}

void THtmlRewriter::StartIsIndex(const THtmlToken& t)
{
    CloseParagraph();
    Emit(QStringLiteral("<hr>"));
    EnsureTextContext();
    EmitText(t.Attr(QStringLiteral("prompt"),
                    QStringLiteral("This is a searchable index. Enter search keywords: ")));
    THtmlObjectInfo info;
    info.kind = THtmlObjectInfo::TextInput;
    info.size = 30;
    AddObject(std::move(info));
    CloseParagraph();
    Emit(QStringLiteral("<hr>"));
    m_inlineContent = false;
}

// ---------------------------------------------------------------------------------------
// Frame sets

void THtmlRewriter::FrameSetStart(const THtmlToken& t)
{
    if (m_frameSets.size() >= 8 || m_frameCount >= 64) {
        m_frameSets.push_back(nullptr); // too deep: read, but nothing is kept
        return;
    }
    auto info = std::make_shared<TFrameSetInfo>();
    info->rows = t.Attr(QStringLiteral("rows")).trimmed();
    info->cols = t.Attr(QStringLiteral("cols")).trimmed();
    if (t.Has(QStringLiteral("border")))
        info->border = IntAttr(t, QStringLiteral("border"), 0, 0, 50);
    else if (t.Has(QStringLiteral("framespacing")))
        info->border = IntAttr(t, QStringLiteral("framespacing"), 0, 0, 50);
    const QString fb = t.Attr(QStringLiteral("frameborder")).trimmed().toLower();
    info->frameBorder = !(fb == QLatin1String("0") || fb == QLatin1String("no"));
    if (m_frameSets.empty()) {
        m_page.frameSet = info;
    } else if (m_frameSets.back()) {
        TFrameInfo cell;
        cell.frameSet = info;
        m_frameSets.back()->frames.push_back(cell);
        ++m_frameCount;
    }
    m_frameSets.push_back(info);
}

void THtmlRewriter::FrameStart(const THtmlToken& t)
{
    if (m_frameSets.empty() || !m_frameSets.back() || m_frameCount >= 64)
        return;
    TFrameInfo f;
    f.src = t.Attr(QStringLiteral("src")).trimmed();
    f.name = t.Attr(QStringLiteral("name")).trimmed();
    f.scrolling = t.Attr(QStringLiteral("scrolling"), QStringLiteral("auto")).trimmed().toLower();
    f.noResize = t.Has(QStringLiteral("noresize"));
    f.marginWidth = IntAttr(t, QStringLiteral("marginwidth"), -1, 0, 200);
    f.marginHeight = IntAttr(t, QStringLiteral("marginheight"), -1, 0, 200);
    m_frameSets.back()->frames.push_back(f);
    ++m_frameCount;
}

void THtmlRewriter::FrameSetEnd()
{
    m_frameSets.pop_back();
    if (m_frameSets.empty())
        m_frameSetDone = true;
}

// ---------------------------------------------------------------------------------------
// Text

void THtmlRewriter::EmitText(const QString& text)
{
    if (m_preDepth > 0) {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(u'\r', u'\n');
        Emit(Escape(t));
    } else {
        Emit(Escape(text));
    }
}

void THtmlRewriter::Text(const QString& text)
{
    if (!m_frameSets.empty() || m_frameSetDone || m_skipDepth > 0)
        return;
    if (m_select >= 0) {
        if (m_option >= 0)
            m_optionText += text;
        return;
    }
    QString t = text;
    if (m_preDepth > 0) {
        if (m_preStart) {
            m_preStart = false;
            if (t.startsWith(QLatin1String("\r\n")))
                t.remove(0, 2);
            else if (t.startsWith(u'\n') || t.startsWith(u'\r'))
                t.remove(0, 1);
        }
        if (t.isEmpty())
            return;
        MarkContent();
        EnsureTextContext();
        EmitText(t);
        return;
    }
    bool blank = true;
    for (QChar c : t)
        if (!c.isSpace() || c.unicode() == 0xA0) {
            blank = false;
            break;
        }
    if (blank) {
        // Blanks between blocks are no text; between words and tags they are one space.
        if (m_inlineContent)
            Emit(QStringLiteral(" "));
        return;
    }
    MarkContent();
    EnsureTextContext();
    EmitText(t);
}

void THtmlRewriter::RawText(const QString& element, const QString& text)
{
    if (!m_frameSets.empty() || m_frameSetDone || m_skipDepth > 0)
        return;
    if (element == QLatin1String("title")) {
        if (m_page.title.isEmpty())
            m_page.title = text.simplified();
    } else if (element == QLatin1String("textarea")) {
        if (m_textArea >= 0 && m_textArea < int(m_page.objects.size())) {
            QString t = text;
            if (t.startsWith(QLatin1String("\r\n")))
                t.remove(0, 2);
            else if (t.startsWith(u'\n'))
                t.remove(0, 1);
            m_page.objects[m_textArea].text = t;
        }
        m_textArea = -1;
    } else if (IsPreTag(element)) {
        Text(text);
    }
}
