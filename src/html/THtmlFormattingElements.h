#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QVector>

// The inline elements in effect where the next text goes, outermost first, and what end
// tags and block ends do to them. Misnested markup is read as browsers read it, so text
// gets the formatting and the link it has there:
// - A formatting element (kind Formatting: A, B, I, FONT...) stays in effect until its own
//   end tag. Ended early, by the end of its block or of an element around it, it waits
//   and is reopened before the next text. Its end tag ends it wherever it was opened, and
//   with it the other inline elements opened inside it.
// - Any other inline element (SPAN, SUP, CITE...) ends with the block it was opened in,
//   or with a formatting element around it, and is never reopened; its end tag does not
//   reach out of the block it is read in.
// Work per tag stays bounded as in browsers: of formatting elements alike (same name and
// attributes) only the three innermost are reopened; an end tag that cuts a formatting
// element at a block keeps only the three innermost elements opened inside it before that
// block; and there are never more than THtmlRewriter::kMaxInlineDepth elements.
//
// Blocks are counted by their index in the markup writer's stack (their level). What is
// written already is the writer's business.
class THtmlFormattingElements
{
public:
    struct TElement
    {
        QString tag;
        QString open;
        QString openNoSize; // the same without a font size, for use inside headings
        QString close;
        int linkIndex = -1;
        double points = 0;      // the font size it sets; 0 for none
        bool monospace = false; // TT and its kin: their size is already the monospace one
        bool formatting = false;
        QList<QPair<QString, QString>> attributes; // what makes formatting elements alike
        int level = -1; // the block it is open in; -1 while it waits to be reopened
    };

    const QVector<TElement>& Elements() const { return m_elements; }
    int Size() const { return int(m_elements.size()); }
    // Elements ended early wait to be reopened.
    bool Waiting() const { return !m_elements.isEmpty() && m_elements.back().level < 0; }
    const TElement& operator[](int i) const { return m_elements[i]; }

    // An element opened in block level, after the waiting ones are reopened there; false
    // when there are too many, and it is dropped.
    bool Push(TElement element, int level);
    // The waiting elements open again, in block level.
    void Reopen(int level);
    // The element an end tag of that name, read in block level, ends; -1 when it ends
    // nothing.
    int FindEnd(const QString& tag, int level) const;
    // The innermost open element of that name; -1 when none.
    int FindOpen(const QString& tag) const;
    // Ends element index as its end tag read in block level does.
    void End(int index, int level);
    // Block level and the blocks inside it end.
    void EndBlock(int level);
    // Adds the waiting formatting elements of other, which ends: what a table opened
    // outside its cells takes effect after it.
    void AppendWaiting(const THtmlFormattingElements& other);

private:
    // Of formatting elements alike, a fourth makes the outermost no longer reopened.
    void LimitAlike(const TElement& element);

    QVector<TElement> m_elements;
};
