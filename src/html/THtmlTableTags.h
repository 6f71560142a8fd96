#pragma once
#include "html/THtmlTagTable.h"

class THtmlRewriteContext;
struct THtmlToken;

// TABLE, TR, TD, TH and CAPTION. Cells and rows authors left out are supplied, attributes
// are clamped to what the engine lays out, row defaults reach their cells, and tables
// nested beyond the limit are read as text: rows become line breaks, cells blanks.
class THtmlTableTags
{
public:
    static void StartTable(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartRow(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartCell(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartCaption(THtmlRewriteContext& c, const THtmlToken& t);
    static void EndTable(THtmlRewriteContext& c, const THtmlToken& t);
    static void EndPart(THtmlRewriteContext& c, const THtmlToken& t); // TR, TD, TH, CAPTION

    // Opens a row and a cell where the top block is a table or a row.
    static void EnsureCell(THtmlRewriteContext& c);

    // Inside a table read as text: true when the tag was taken.
    static bool TakeStartWhileSuppressed(THtmlRewriteContext& c, TTagKind kind);
    static bool TakeEndWhileSuppressed(THtmlRewriteContext& c, TTagKind kind);

private:
    static QString TableOpen(const THtmlRewriteContext& c, const THtmlToken& t);
    static QString CellOpen(const THtmlRewriteContext& c, const THtmlToken& t,
                            const QString& rowAlign, const QString& rowValign,
                            const QString& rowBgcolor);
};
