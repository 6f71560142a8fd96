#pragma once
#include "html/THtmlFormattingElements.h"
#include "html/THtmlTagTable.h"
#include "html/TListNumbering.h"
#include "html/TTableColumns.h"
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>
#include <utility>
#include <vector>

// The markup being written and the elements open in it. Blocks nest and always close in
// order; inline formatting is written lazily (only before text), is closed at every block
// boundary and reopened inside the next block, so no inline element ever crosses a block.
// Which inline elements a block boundary or an end tag leaves in effect is decided as
// browsers decide it (THtmlFormattingElements); nothing of it leaves a table cell. Starts
// dropped at a depth limit are counted, so their end tags are dropped too.
class THtmlMarkupWriter
{
public:
    using TInline = THtmlFormattingElements::TElement;
    struct TBlock
    {
        QString tag; // as the document wrote it (menu, dir, center...)
        TTagKind kind = TTagKind::Unknown;
        QString close;
        THtmlFormattingElements inlines; // formatting in effect, written or not
        int emitted = 0;                 // how many of inlines have been written
        THtmlFormattingElements restore; // a table puts back what was in effect around it
        bool heading = false;
        qsizetype startPos = 0;    // tables: where the table starts in the output
        qsizetype captionPos = -1; // captions: where their text starts in the output
        TListNumbering numbering;  // lists: numbers the engine cannot write itself
        QString leadText;          // written before the block's first text (an item number)
        QString rowAlign, rowValign, rowBgcolor; // rows: defaults for their cells
        int cells = 0;                           // tables and rows: cells closed inside them
        bool hadChildBlock = false;              // text from now on needs a block of its own
        TTableColumns columns;                   // tables: the widths their columns get
        TCellMeasure measure;                    // cells: how wide their content is
        qsizetype openEnd = 0;                   // cells: the ">" of their start tag
        bool hasWidth = false, spans = false;    // cells: WIDTH, COLSPAN or ROWSPAN given
        bool framed = false;                     // written inside a table of its own (THtmlBoxTags)
        bool floated = false;                    // a division floating left
    };

    THtmlMarkupWriter();

    void Reserve(qsizetype size) { m_out.reserve(size); }
    void Emit(const QString& html) { m_out += html; }
    // A line break; one that ends a line of text and is followed by nothing but the end of
    // its block is taken back when the block closes, as browsers draw no empty line for it.
    void EmitBreak(bool afterText);
    // Text, escaped; inside preformatted blocks with its line ends made plain.
    void EmitText(const QString& text);
    // The markup written, every block and inline element closed.
    QString Finish();

    // Blocks. The root block (index 0) is always open.
    bool Full() const; // the nesting limit is reached
    void OpenBlock(const QString& tag, TTagKind kind, const QString& open, const QString& close);
    void PopBlock();
    void PopTo(int index); // closes the blocks from index on
    int Depth() const { return int(m_blocks.size()); }
    TBlock& Top() { return m_blocks.back(); }
    TBlock& At(int index) { return m_blocks[size_t(index)]; }
    bool TopIs(TTagKind kind) const { return m_blocks.back().kind == kind; }
    // The innermost open block of that name or kind inside the current cell; -1 when none.
    int FindBlock(const QString& tag) const;
    int FindBlock(TTagKind kind) const;
    // The innermost block of that name inside the innermost table; -1 when none.
    int FindInTable(const QString& tag) const;
    int FindTable() const; // the innermost table; -1 when none
    int Count(TTagKind kind) const;
    // Tables open around the current block, the page's and those drawn around boxes.
    int TableDepth() const;

    // A start tag dropped at a depth limit: its end tag is dropped too.
    void Ignore(const QString& tag) { ++m_ignored[tag]; }
    bool TakeIgnoredEnd(const QString& tag);

    // A picture of that width (0: unknown) in the text of the current table cell.
    void MeasureObject(int width);

    // Inline formatting of the top block.
    void PushInline(TInline inl);
    // The end tag of an inline element; what it ends and what is reopened after it is
    // THtmlFormattingElements' business.
    void EndInline(const QString& tag);
    bool HasOpenInline(const QString& tag) const;
    bool InlinesWaiting() const { return m_blocks.back().inlines.Waiting(); }
    int CurrentLink() const; // the link the next text is in, or -1
    bool InNoBreak() const;  // inside NOBR: blanks do not break the line
    void EmitInlines();

    // What the next text needs written before it.
    void AddAnchor(const QString& name) { m_pendingAnchors << name; }
    void EmitAnchors();
    void EmitLeadText();

    // The current block has text: a blank is a space, not a gap between blocks.
    bool InlineContent() const { return m_inlineContent; }
    void SetInlineContent(bool on) { m_inlineContent = on; }
    bool InPre() const { return m_preDepth > 0; }
    // True once after a preformatted block opens: its leading line break is dropped.
    bool TakePreStart() { return std::exchange(m_preStart, false); }

    // Blocks opened and lines broken so far: what the engine's layout time grows with.
    int LayoutUnits() const { return m_layoutUnits; }
    void CountLine() { ++m_layoutUnits; }

private:
    void CloseEmittedInlines(TBlock& block) { CloseInlines(block, 0); }
    // Closes the written inlines of block from index from on.
    void CloseInlines(TBlock& block, int from);
    void DropTrailingBreak();
    void MoveCaptionAboveTable(const TBlock& caption);
    void CountCell();
    TCellMeasure* CellMeasure();
    void SetColumnWidths(TBlock& table);

    QString m_out;
    std::vector<int> m_cells;  // the open table cells, by block index
    qsizetype m_breakEnd = -1; // where the last line break that ends text ends in m_out
    std::vector<TBlock> m_blocks;
    QHash<QString, int> m_ignored; // end tags still owed for starts dropped by depth limits
    QStringList m_pendingAnchors;  // named anchors waiting for the next text
    bool m_preStart = false;
    int m_preDepth = 0;
    bool m_inlineContent = false;
    int m_layoutUnits = 0;
};
