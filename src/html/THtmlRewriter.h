#pragma once
#include "html/TCssDeclarations.h"
#include "html/THtmlPage.h"
#include <QColor>
#include <QString>
#include <functional>

class THtmlRewriteContext;
struct THtmlTagInfo;
struct THtmlToken;

// Reads a document of the HTML 3.2 generation, as forgivingly as the browsers of the time,
// and writes it again as balanced markup the rich-text engine lays out well: FONT sizes
// and faces become explicit styles, lists, tables and headings are closed where browsers
// closed them implicitly, and what the engine cannot do (pictures with ALT text and
// borders, image maps, form controls, frames, link targets, named anchors) is taken out
// into the page's lists. Nesting is bounded, so no page makes the layout explode.
//
// Each element has one entry in THtmlTagTable (its kind and its handlers); this class
// reads the tokens and lets the mode (THtmlRewriteState) decide which of them reach it.
class THtmlRewriter
{
public:
    struct TOptions
    {
        int fontSize = 12; // points of FONT SIZE=3
        QString preFontName = QStringLiteral("Courier New");
        QString fontName = QStringLiteral("Times New Roman"); // the default face
        QColor linkColour = QColor(0, 0, 255);
        QColor engineLinkColour; // what the engine gives a link without a colour of its own
        // Reads a linked style sheet, made ready for the engine (empty: not read). Without
        // it linked sheets are not read.
        std::function<QString(const QString& href)> linkedStyleSheet;
    };

    // Deeper nesting is flattened: tables laid out inside tables cost the engine twice
    // per level.
    static constexpr int kMaxTableDepth = 6;
    static constexpr int kMaxBlockDepth = 48;
    static constexpr int kMaxListDepth = 12;
    static constexpr int kMaxInlineDepth = 32;
    static constexpr int kMaxControls = 2000;
    // A document with more of these is read up to there and shown with a note: the engine
    // lays a page out in time that grows with its blocks and anchors, and the window must
    // not wait on it for more than a moment.
    static constexpr int kMaxLayoutUnits = 20000; // blocks opened and lines broken
    static constexpr int kMaxAnchors = 10000;
    static constexpr int kMaxObjects = 5000;
    static constexpr int kMaxLinks = 50000;

    explicit THtmlRewriter(const TOptions& options);
    // Every call starts afresh: nothing of one document carries into the next.
    THtmlPage Rewrite(const QString& source);

    // The markup that ends a document shown only in part; reason completes "This document
    // ...".
    static QString ShortenedNote(const QString& reason);

    // The point size FONT SIZE n (1 to 7) stands for at a base size of basePt.
    // What relative sizes and generic families in the page's styles count from.
    static TCssDeclarations::TBase CssBase(const TOptions& options);
    static double FontPoints(int size, int basePt);

private:
    static void StartTag(THtmlRewriteContext& c, const THtmlTagInfo& tag, const THtmlToken& t);
    static void EndTag(THtmlRewriteContext& c, const THtmlTagInfo& tag, const THtmlToken& t);
    static void Text(THtmlRewriteContext& c, const QString& text);
    static void RawText(THtmlRewriteContext& c, const THtmlTagInfo& tag, const QString& text);
    // False when the mode took the tag and its handler is not to run.
    static bool StartPassesModes(THtmlRewriteContext& c, const THtmlTagInfo& tag,
                                 const THtmlToken& t);
    static bool EndPassesModes(THtmlRewriteContext& c, const THtmlTagInfo& tag,
                               const THtmlToken& t);

    TOptions m_options;
};
