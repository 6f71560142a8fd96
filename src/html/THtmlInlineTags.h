#pragma once
#include "html/THtmlMarkupWriter.h"
#include <QString>

class THtmlRewriteContext;
struct THtmlToken;

// Formatting within text (phrase and font elements, FONT and BASEFONT), anchors and links,
// and pictures, which stand in the text like a character.
class THtmlInlineTags
{
public:
    static void StartPhrase(THtmlRewriteContext& c, const THtmlToken& t); // B, I, EM...
    static void StartStrike(THtmlRewriteContext& c, const THtmlToken& t); // S, STRIKE
    // A run kept on one line: its blanks become no-break spaces (the engine ignores
    // white-space:nowrap), so a table column is at least as wide as the whole run.
    static void StartNoBreak(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartTeletype(THtmlRewriteContext& c, const THtmlToken& t); // TT, CODE...
    static void StartFont(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartBaseFont(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartAnchor(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartImage(THtmlRewriteContext& c, const THtmlToken& t);
    // Ends an element as browsers end misnested ones (see THtmlFormattingElements).
    static void EndInline(THtmlRewriteContext& c, const THtmlToken& t);

private:
    static THtmlMarkupWriter::TInline Element(const THtmlToken& t, const QString& open,
                                              const QString& close);
    static void AddNamedAnchor(THtmlRewriteContext& c, const QString& name);
    static QString ImageAlign(const QString& value);
    static QString FontSizeCss(THtmlRewriteContext& c, const THtmlToken& t);
    // A SIZE as an absolute size 1 to 7: "+1" and "-2" count from the base font.
    static bool FontSize(const THtmlRewriteContext& c, const THtmlToken& t, int* size);
};
