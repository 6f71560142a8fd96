#include "html/THtmlMarkupWriter.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlRewriter.h"

namespace {

const QString kRoot = QStringLiteral("#root");

// Pixels per character of the default font, near enough to weigh pictures against text.
constexpr int kCharWidth = 7;

// The blocks a search for an enclosing element does not leave: what is open outside a
// table cell belongs to another part of the page.
bool IsCellBoundary(TTagKind kind)
{
    return kind == TTagKind::Table || kind == TTagKind::TableCell || kind == TTagKind::TableCaption;
}

} // namespace

THtmlMarkupWriter::THtmlMarkupWriter()
{
    TBlock root;
    root.tag = kRoot;
    m_blocks.push_back(root);
}

TCellMeasure* THtmlMarkupWriter::CellMeasure()
{
    return m_cells.empty() ? nullptr : &m_blocks[size_t(m_cells.back())].measure;
}

void THtmlMarkupWriter::MeasureObject(int width)
{
    // Pictures without a size leave the table to the engine, which knows their sizes.
    if (TCellMeasure* m = CellMeasure()) {
        if (width > 0)
            m->AddUnbreakable(width / kCharWidth);
        else
            m->unknown = true;
    }
}

void THtmlMarkupWriter::EmitText(const QString& text)
{
    if (TCellMeasure* m = CellMeasure())
        m->AddText(text, m_preDepth > 0);
    if (m_preDepth > 0) {
        QString t = text;
        t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        t.replace(u'\r', u'\n');
        m_layoutUnits += int(t.count(u'\n'));
        Emit(THtmlAttributes::Escape(t));
    } else {
        Emit(THtmlAttributes::Escape(text));
    }
}

void THtmlMarkupWriter::EmitBreak(bool afterText)
{
    Emit(QStringLiteral("<br>"));
    if (TCellMeasure* m = CellMeasure())
        m->EndLine();
    m_breakEnd = afterText ? m_out.size() : -1;
}

void THtmlMarkupWriter::DropTrailingBreak()
{
    if (m_breakEnd < 4 || m_breakEnd > m_out.size() ||
        QStringView(m_out).sliced(m_breakEnd - 4, 4) != QLatin1String("<br>"))
        return;
    // Only blanks and end tags may follow: anything else is a line the break began.
    for (qsizetype i = m_breakEnd; i < m_out.size();) {
        if (m_out.at(i) == u' ') {
            ++i;
        } else if (m_out.at(i) == u'<' && i + 1 < m_out.size() && m_out.at(i + 1) == u'/') {
            const qsizetype end = m_out.indexOf(u'>', i);
            if (end < 0)
                return;
            i = end + 1;
        } else {
            return;
        }
    }
    m_out.remove(m_breakEnd - 4, 4);
    m_breakEnd = -1;
}

QString THtmlMarkupWriter::Finish()
{
    PopTo(1);
    CloseEmittedInlines(m_blocks.front());
    EmitAnchors();
    return std::move(m_out);
}

// ---------------------------------------------------------------------------------------
// Blocks

bool THtmlMarkupWriter::Full() const
{
    return int(m_blocks.size()) >= THtmlRewriter::kMaxBlockDepth;
}

void THtmlMarkupWriter::OpenBlock(const QString& tag, TTagKind kind, const QString& open,
                                  const QString& close)
{
    TBlock& parent = m_blocks.back();
    if (TCellMeasure* m = CellMeasure()) {
        m->EndLine();
        if (kind == TTagKind::Table)
            m->unknown = true;
    }
    CloseEmittedInlines(parent);
    TBlock b;
    b.tag = tag;
    b.kind = kind;
    b.close = close;
    b.heading = parent.heading || kind == TTagKind::Heading;
    if (THtmlTagTable::IsTablePart(kind)) {
        // What was opened in the table outside its cells takes effect after the table.
        parent.inlines.EndBlock(Depth() - 1);
    } else {
        (kind == TTagKind::Table ? b.restore : b.inlines) = std::exchange(parent.inlines, {});
    }
    if (kind == TTagKind::TableCaption)
        b.captionPos = m_out.size();
    b.startPos = m_out.size();
    if (kind == TTagKind::Preformatted) {
        ++m_preDepth;
        m_preStart = true;
    }
    Emit(open);
    if (kind == TTagKind::TableCell) {
        b.openEnd = m_out.size() - 1;
        m_cells.push_back(int(m_blocks.size()));
    }
    if (kind == TTagKind::TableRow) {
        const int table = FindTable();
        if (table > 0)
            m_blocks[size_t(table)].columns.StartRow();
    }
    ++m_layoutUnits;
    m_blocks.push_back(std::move(b));
    m_inlineContent = false;
}

void THtmlMarkupWriter::PopBlock()
{
    if (m_blocks.size() <= 1)
        return;
    TBlock b = std::move(m_blocks.back());
    m_blocks.pop_back();
    CloseEmittedInlines(b);
    b.inlines.EndBlock(Depth());
    DropTrailingBreak();
    if (b.kind == TTagKind::Preformatted)
        --m_preDepth;
    if (b.kind == TTagKind::TableCell && !m_cells.empty())
        m_cells.pop_back();
    if ((b.kind == TTagKind::Table || b.kind == TTagKind::TableRow) && b.cells == 0) {
        m_out.truncate(b.startPos); // nothing for the engine to lay out
    } else {
        Emit(b.close);
        if (b.kind == TTagKind::Table)
            SetColumnWidths(b);
    }
    if (b.kind == TTagKind::TableCell) {
        const int table = FindTable();
        if (table > 0)
            m_blocks[size_t(table)].columns.AddCell(b.measure, b.hasWidth, b.spans, b.openEnd);
    } else if (TCellMeasure* m = CellMeasure()) {
        m->EndLine();
    }
    if (b.kind == TTagKind::TableCaption && b.captionPos >= 0)
        MoveCaptionAboveTable(b);
    if (b.kind == TTagKind::TableCell)
        CountCell();
    TBlock& parent = m_blocks.back();
    parent.hadChildBlock = true;
    if (b.kind == TTagKind::Table) {
        parent.inlines = std::move(b.restore);
        parent.inlines.AppendWaiting(b.inlines);
    } else if (b.kind == TTagKind::TableRow) {
        parent.inlines.AppendWaiting(b.inlines);
    } else if (!THtmlTagTable::IsTablePart(b.kind)) {
        parent.inlines = std::move(b.inlines);
    }
    parent.emitted = 0;
    m_inlineContent = false;
}

void THtmlMarkupWriter::SetColumnWidths(TBlock& table)
{
    const auto widths = table.columns.Widths();
    for (const auto& [pos, attr] : widths)
        if (pos > table.startPos && pos < m_out.size())
            m_out.insert(pos, attr);
    if (!widths.empty())
        m_breakEnd = -1;
}

void THtmlMarkupWriter::MoveCaptionAboveTable(const TBlock& caption)
{
    const QString text = m_out.mid(caption.captionPos);
    m_out.truncate(caption.captionPos);
    TBlock& table = m_blocks.back();
    if (table.kind == TTagKind::Table) {
        m_out.insert(table.startPos, text);
        table.startPos += text.size();
        table.columns.Shift(text.size());
        m_breakEnd = -1;
    } else {
        m_out += text;
    }
}

void THtmlMarkupWriter::CountCell()
{
    for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it)
        if (it->kind == TTagKind::TableRow || it->kind == TTagKind::Table)
            ++it->cells;
}

void THtmlMarkupWriter::PopTo(int index)
{
    while (int(m_blocks.size()) > std::max(index, 1))
        PopBlock();
}

int THtmlMarkupWriter::FindBlock(const QString& tag) const
{
    for (int k = int(m_blocks.size()) - 1; k >= 1; --k) {
        if (m_blocks[k].tag == tag)
            return k;
        if (IsCellBoundary(m_blocks[k].kind))
            return -1;
    }
    return -1;
}

int THtmlMarkupWriter::FindBlock(TTagKind kind) const
{
    for (int k = int(m_blocks.size()) - 1; k >= 1; --k) {
        if (m_blocks[k].kind == kind)
            return k;
        if (IsCellBoundary(m_blocks[k].kind))
            return -1;
    }
    return -1;
}

int THtmlMarkupWriter::FindInTable(const QString& tag) const
{
    for (int k = int(m_blocks.size()) - 1; k >= 1; --k) {
        if (m_blocks[k].tag == tag)
            return k;
        if (m_blocks[k].kind == TTagKind::Table)
            return -1;
    }
    return -1;
}

int THtmlMarkupWriter::FindTable() const
{
    for (int k = int(m_blocks.size()) - 1; k >= 1; --k)
        if (m_blocks[k].kind == TTagKind::Table)
            return k;
    return -1;
}

int THtmlMarkupWriter::TableDepth() const
{
    int n = 0;
    for (const TBlock& b : m_blocks)
        if (b.kind == TTagKind::Table || b.framed)
            ++n;
    return n;
}

int THtmlMarkupWriter::Count(TTagKind kind) const
{
    int n = 0;
    for (const TBlock& b : m_blocks)
        if (b.kind == kind)
            ++n;
    return n;
}

bool THtmlMarkupWriter::TakeIgnoredEnd(const QString& tag)
{
    auto ignored = m_ignored.find(tag);
    if (ignored == m_ignored.end() || ignored.value() <= 0)
        return false;
    --ignored.value();
    return true;
}

// ---------------------------------------------------------------------------------------
// Inline formatting

void THtmlMarkupWriter::CloseInlines(TBlock& block, int from)
{
    if (from >= block.emitted)
        return;
    // The engine underlines a link's blanks up to a line end: they go after the link.
    bool link = false;
    for (int k = from; k < block.emitted; ++k)
        link = link || block.inlines[k].linkIndex >= 0;
    bool blanks = false;
    if (link && m_preDepth == 0) {
        // Blanks before the end tags of elements inside the link count as well.
        qsizetype i = m_out.size();
        while (i > 0) {
            const QChar ch = m_out.at(i - 1);
            if (ch.isSpace() && ch.unicode() != 0xA0) {
                m_out.remove(--i, 1);
                blanks = true;
            } else if (ch == u'>') {
                const qsizetype lt = m_out.lastIndexOf(u'<', i - 1);
                if (lt < 0 || lt + 1 >= i || m_out.at(lt + 1) != u'/')
                    break;
                i = lt;
            } else {
                break;
            }
        }
    }
    for (int k = block.emitted - 1; k >= from; --k)
        Emit(block.inlines[k].close);
    if (blanks)
        Emit(QStringLiteral(" "));
    block.emitted = from;
}

void THtmlMarkupWriter::EmitInlines()
{
    TBlock& top = m_blocks.back();
    top.inlines.Reopen(Depth() - 1);
    for (int k = top.emitted; k < top.inlines.Size(); ++k)
        Emit(top.heading ? top.inlines[k].openNoSize : top.inlines[k].open);
    top.emitted = top.inlines.Size();
}

void THtmlMarkupWriter::PushInline(TInline inl)
{
    const QString tag = inl.tag;
    if (!m_blocks.back().inlines.Push(std::move(inl), Depth() - 1))
        Ignore(tag);
}

void THtmlMarkupWriter::EndInline(const QString& tag)
{
    TBlock& top = m_blocks.back();
    const int j = top.inlines.FindEnd(tag, Depth() - 1);
    if (j < 0)
        return;
    // Close down to it; what stays in effect is reopened with the next text.
    CloseInlines(top, j);
    top.inlines.End(j, Depth() - 1);
}

bool THtmlMarkupWriter::HasOpenInline(const QString& tag) const
{
    return m_blocks.back().inlines.FindOpen(tag) >= 0;
}

bool THtmlMarkupWriter::InNoBreak() const
{
    for (const TInline& inl : m_blocks.back().inlines.Elements())
        if (inl.tag == QLatin1String("nobr"))
            return true;
    return false;
}

int THtmlMarkupWriter::CurrentLink() const
{
    const THtmlFormattingElements& inlines = m_blocks.back().inlines;
    for (int j = inlines.Size() - 1; j >= 0; --j)
        if (inlines[j].tag == QLatin1String("a"))
            return inlines[j].linkIndex;
    return -1;
}

// ---------------------------------------------------------------------------------------
// What comes before text

void THtmlMarkupWriter::EmitAnchors()
{
    for (const QString& a : m_pendingAnchors)
        Emit(QStringLiteral("<a name=\"") + a + QStringLiteral("\"></a>"));
    m_pendingAnchors.clear();
}

void THtmlMarkupWriter::EmitLeadText()
{
    TBlock& top = m_blocks.back();
    if (!top.leadText.isEmpty())
        EmitText(std::exchange(top.leadText, QString()));
}
