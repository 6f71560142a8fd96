#pragma once
#include <QString>

class THtmlRewriteContext;
struct THtmlToken;

// Paragraphs, divisions, headings, quotations, addresses, preformatted text, rules and
// line breaks. A new block ends an open paragraph, as browsers of the time had it.
class THtmlBlockTags
{
public:
    static void StartAligned(THtmlRewriteContext& c, const THtmlToken& t); // P, DIV
    static void StartCenter(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartHeading(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartQuotation(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartAddress(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartPreformatted(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartRule(THtmlRewriteContext& c, const THtmlToken& t);
    static void StartBreak(THtmlRewriteContext& c, const THtmlToken& t);
    // The raw text of XMP, LISTING and PLAINTEXT.
    static void PreformattedText(THtmlRewriteContext& c, const QString& text);

    static void EndParagraph(THtmlRewriteContext& c, const THtmlToken& t);
    // Closes the innermost open block of the tag's name, and all inside it.
    static void EndBlock(THtmlRewriteContext& c, const THtmlToken& t);
    // Closes the innermost open heading, whichever level it is.
    static void EndHeading(THtmlRewriteContext& c, const THtmlToken& t);

    // A P or DIV of its own alignment.
    static void PushAligned(THtmlRewriteContext& c, const THtmlToken& t);
};
