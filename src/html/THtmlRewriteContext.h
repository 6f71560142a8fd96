#pragma once
#include "html/TCssBoxRules.h"
#include "html/TFrameSetCollector.h"
#include "html/THtmlFormCollector.h"
#include "html/THtmlMarkupWriter.h"
#include "html/THtmlPage.h"
#include "html/THtmlRewriteState.h"
#include "html/THtmlRewriter.h"
#include "html/THtmlToken.h"
#include "html/TImageMapCollector.h"
#include <array>

// One rewrite in progress: what every tag handler works on (the markup written so far, the
// page being collected, the mode, the collectors) and the few operations that keep the
// markup balanced whichever tag asks for them. A collector is a class that takes this
// context, a member here with its accessor, and the entries of its tags in THtmlTagTable.
class THtmlRewriteContext
{
public:
    explicit THtmlRewriteContext(const THtmlRewriter::TOptions& options);
    THtmlRewriteContext(const THtmlRewriteContext&) = delete;
    THtmlRewriteContext& operator=(const THtmlRewriteContext&) = delete;

    const THtmlRewriter::TOptions& Options() const { return m_options; }
    THtmlPage& Page() { return m_page; }
    THtmlMarkupWriter& Writer() { return m_writer; }
    THtmlRewriteState& State() { return m_state; }
    THtmlFormCollector& Forms() { return m_forms; }
    TImageMapCollector& Maps() { return m_maps; }
    TFrameSetCollector& Frames() { return m_frames; }

    // BASEFONT SIZE, 1 to 7: what relative FONT sizes count from.
    int BaseFont() const { return m_baseFont; }
    void SetBaseFont(int size) { m_baseFont = size; }
    // Whether the STYLE element being read applies to the screen.
    bool StyleForScreen() const { return m_styleForScreen; }
    void SetStyleForScreen(bool on) { m_styleForScreen = on; }
    // The style attribute value that sets the font of preformatted text, escaped: its face,
    // and with its size, 13/16 of the default size as browsers draw monospace text.
    const QString& PreFontStyle() const { return m_preFontStyle; }
    const QString& PreFontStyleNoSize() const { return m_preFontStyleNoSize; }
    // "font-size:<points>pt;" for FONT SIZE 1 to 7, made once per rewrite.
    const QString& FontSizeCss(int size);
    // What relative units and generic families in the page's styles count from.
    const TCssDeclarations::TBase& Css() const { return m_css; }
    // The page's rules for boxes, from its style sheets read so far.
    TCssBoxRules& Boxes() { return m_boxes; }

    // Opens a block; nothing but rows and cells lives directly in a table, so anything else
    // first gets a cell.
    void PushBlock(const QString& tag, const QString& open, const QString& close);
    // Ends an open paragraph (or a block made for loose text) where a new block begins.
    void CloseParagraph();
    // Makes the top block one that holds text (a cell, a list item, a definition) and
    // writes what waits for the text: anchors, formatting, an item number.
    void EnsureTextContext();
    // A run of body text.
    void Text(const QString& text);
    // Places an object in the text; its index in the page's objects.
    int AddObject(THtmlObjectInfo info, const QString& align = QString());
    // A link; its index in the page's links.
    int AddLink(const QString& href, const QString& target);

    // Whether the page holds as many blocks, anchors, objects or links as one page may;
    // what follows is then left out (Cut) and a note ends the page.
    bool WorkLimitReached() const;
    void Cut() { m_cut = true; }

    // The page, its markup complete.
    THtmlPage Finish();

private:
    void PreformattedText(const QString& text);

    THtmlRewriter::TOptions m_options;
    TCssDeclarations::TBase m_css;
    TCssBoxRules m_boxes;
    QString m_preFontStyle;
    QString m_preFontStyleNoSize;
    std::array<QString, 7> m_fontSizeCss;
    THtmlPage m_page;
    THtmlMarkupWriter m_writer;
    THtmlRewriteState m_state;
    THtmlFormCollector m_forms;
    TImageMapCollector m_maps;
    TFrameSetCollector m_frames;
    int m_baseFont = 3;
    bool m_styleForScreen = true;
    bool m_sawBody = false;
    bool m_cut = false;
};
