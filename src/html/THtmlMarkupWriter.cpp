#include "html/THtmlMarkupWriter.h"
#include "html/THtmlAttributes.h"
#include "html/THtmlRewriter.h"

namespace {

const QString kRoot = QStringLiteral("#root");

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

void THtmlMarkupWriter::EmitText(const QString& text)
{
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
    CloseEmittedInlines(parent);
    QVector<TInline> carry = std::move(parent.inlines);
    parent.inlines.clear();
    TBlock b;
    b.tag = tag;
    b.kind = kind;
    b.close = close;
    b.heading = parent.heading || kind == TTagKind::Heading;
    if (kind == TTagKind::Table)
        b.restore = std::move(carry);
    else if (!THtmlTagTable::IsTablePart(kind))
        b.inlines = std::move(carry);
    if (kind == TTagKind::TableCaption)
        b.captionPos = m_out.size();
    b.startPos = m_out.size();
    if (kind == TTagKind::Preformatted) {
        ++m_preDepth;
        m_preStart = true;
    }
    Emit(open);
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
    if (b.kind == TTagKind::Preformatted)
        --m_preDepth;
    if ((b.kind == TTagKind::Table || b.kind == TTagKind::TableRow) && b.cells == 0)
        m_out.truncate(b.startPos); // nothing for the engine to lay out
    else
        Emit(b.close);
    if (b.kind == TTagKind::TableCaption && b.captionPos >= 0)
        MoveCaptionAboveTable(b);
    if (b.kind == TTagKind::TableCell)
        CountCell();
    TBlock& parent = m_blocks.back();
    parent.hadChildBlock = true;
    if (b.kind == TTagKind::Table)
        parent.inlines = std::move(b.restore);
    else if (!THtmlTagTable::IsTablePart(b.kind))
        parent.inlines = std::move(b.inlines);
    parent.emitted = 0;
    m_inlineContent = false;
}

void THtmlMarkupWriter::MoveCaptionAboveTable(const TBlock& caption)
{
    const QString text = m_out.mid(caption.captionPos);
    m_out.truncate(caption.captionPos);
    TBlock& table = m_blocks.back();
    if (table.kind == TTagKind::Table) {
        m_out.insert(table.startPos, text);
        table.startPos += text.size();
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

void THtmlMarkupWriter::CloseEmittedInlines(TBlock& block)
{
    for (int k = block.emitted - 1; k >= 0; --k)
        Emit(block.inlines[k].close);
    block.emitted = 0;
}

void THtmlMarkupWriter::EmitInlines()
{
    TBlock& top = m_blocks.back();
    for (int k = top.emitted; k < top.inlines.size(); ++k)
        Emit(top.heading ? top.inlines[k].openNoSize : top.inlines[k].open);
    top.emitted = int(top.inlines.size());
}

void THtmlMarkupWriter::PushInline(const TInline& inl)
{
    TBlock& top = m_blocks.back();
    if (top.inlines.size() >= THtmlRewriter::kMaxInlineDepth) {
        Ignore(inl.tag);
        return;
    }
    top.inlines.append(inl);
}

void THtmlMarkupWriter::PopInline(const QString& tag)
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

int THtmlMarkupWriter::CurrentLink() const
{
    const TBlock& top = m_blocks.back();
    for (int j = int(top.inlines.size()) - 1; j >= 0; --j)
        if (top.inlines[j].tag == QLatin1String("a"))
            return top.inlines[j].linkIndex;
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
