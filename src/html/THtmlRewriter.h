#pragma once
#include "html/THtmlPage.h"
#include "html/THtmlToken.h"
#include <QColor>
#include <QHash>
#include <QString>
#include <QVector>
#include <vector>

// Reads a document of the HTML 3.2 generation, as forgivingly as the browsers of the time,
// and writes it again as balanced markup the rich-text engine lays out well: FONT sizes
// and faces become explicit styles, lists, tables and headings are closed where browsers
// closed them implicitly, and what the engine cannot do (pictures with ALT text and
// borders, image maps, form controls, frames, link targets, named anchors) is taken out
// into the page's lists. Nesting is bounded, so no page makes the layout explode.
class THtmlRewriter
{
public:
    struct TOptions
    {
        int fontSize = 12; // points of FONT SIZE=3
        QString preFontName = QStringLiteral("Courier New");
        QColor linkColour = QColor(0, 0, 255);
    };

    // Deeper nesting is flattened: tables laid out inside tables cost the engine twice
    // per level.
    static constexpr int kMaxTableDepth = 6;
    static constexpr int kMaxBlockDepth = 48;
    static constexpr int kMaxListDepth = 12;
    static constexpr int kMaxInlineDepth = 32;
    static constexpr int kMaxControls = 2000;

    explicit THtmlRewriter(const TOptions& options);
    THtmlPage Rewrite(const QString& source);

    // The point size FONT SIZE n (1 to 7) stands for at a base size of basePt.
    static double FontPoints(int size, int basePt);

private:
    struct TInline
    {
        QString tag;
        QString open;
        QString openNoSize; // the same without a font size, for use inside headings
        QString close;
        int linkIndex = -1;
    };
    struct TBlock
    {
        QString tag; // as the document wrote it (menu, dir, center...)
        QString close;
        QVector<TInline> inlines; // formatting in effect, emitted or pending
        int emitted = 0;          // how many of inlines have been written
        QVector<TInline> restore; // a table puts back what was in effect around it
        bool heading = false;
        qsizetype startPos = 0;    // tables: where the table starts in the output
        qsizetype captionPos = -1; // captions: where their text starts in the output
        int listCounter = 0;       // emulated ordered lists: the last number used
        QString listType;          // emulated ordered lists: the TYPE
        bool emulatedList = false;
        QString pendingMarker;                // list items of an emulated list: their number text
        QString trAlign, trValign, trBgcolor; // rows: defaults for their cells
        int cells = 0;                        // tables and rows: cells closed inside them
        bool hadChildBlock = false;           // text from now on needs a block of its own
    };

    void StartTag(const THtmlToken& t);
    void EndTag(const THtmlToken& t);
    void Text(const QString& text);
    void RawText(const QString& element, const QString& text);

    void FrameSetStart(const THtmlToken& t);
    void FrameStart(const THtmlToken& t);
    void FrameSetEnd();

    void PushBlock(const QString& tag, const QString& open, const QString& close);
    void PopBlock();
    void PopTo(int index);
    int FindBlock(const QStringList& tags, bool crossTables = false) const;
    int FindTable() const;
    bool TopIs(const QString& tag) const;
    bool TopIsOneOf(std::initializer_list<const char*> tags) const;
    void CloseParagraph();
    void EnsureTextContext();
    void EmitInlines();
    void CloseEmittedInlines(TBlock& block);
    void PushInline(const TInline& inl);
    void PopInline(const QString& tag);
    int CurrentLink() const;
    bool InHeading() const;
    int ListDepth() const;
    int TableDepth() const;

    void StartBody(const THtmlToken& t);
    void StartTable(const THtmlToken& t);
    void StartRow(const THtmlToken& t);
    void StartCell(const THtmlToken& t);
    void StartCaption(const THtmlToken& t);
    void EndCaption();
    void StartList(const THtmlToken& t);
    void StartListItem(const THtmlToken& t);
    void StartDefinition(const THtmlToken& t);
    void StartFont(const THtmlToken& t);
    void StartAnchor(const THtmlToken& t);
    void StartImage(const THtmlToken& t);
    void StartInput(const THtmlToken& t);
    void StartSelect(const THtmlToken& t);
    void StartOption(const THtmlToken& t);
    void EndOption();
    void EndSelect();
    void StartTextArea(const THtmlToken& t);
    void StartArea(const THtmlToken& t);
    void StartRule(const THtmlToken& t);
    void StartIsIndex(const THtmlToken& t);
    int AddObject(THtmlObjectInfo info, const QString& align = QString());
    int AddLink(const QString& href, const QString& target);
    void MarkContent();

    void Emit(const QString& html) { m_out += html; }
    void EmitText(const QString& text);
    QString FontStyle(const THtmlToken& t, bool withSize) const;
    QString ColourCss(const QColor& c) const;

    TOptions m_options;
    THtmlPage m_page;
    QString m_out;
    std::vector<TBlock> m_blocks;
    QHash<QString, int> m_ignored; // end tags still owed for starts dropped by depth limits
    int m_suppressedTables = 0;    // tables beyond the depth limit, read as plain text
    int m_baseFont = 3;
    int m_form = -1;
    int m_select = -1; // the SELECT whose options are being read
    int m_option = -1;
    QString m_optionText;
    QString m_map;           // the MAP whose areas are being read
    int m_skipDepth = 0;     // inside NOFRAMES
    QString m_rawElement;    // the element whose raw text comes next
    bool m_preStart = false; // a leading line break after PRE is dropped
    int m_preDepth = 0;
    bool m_sawContent = false; // body content seen: FRAMESET no longer counts
    bool m_sawBody = false;
    std::vector<std::shared_ptr<TFrameSetInfo>> m_frameSets; // open FRAMESETs
    bool m_frameSetDone = false;
    QStringList m_pendingAnchors; // named anchors waiting for the next text
    int m_controls = 0;
    int m_frameCount = 0;
    int m_textArea = -1; // the TEXTAREA whose text comes next
    bool m_optionHasValue = false;
    bool m_inlineContent = false; // the current block has text: a blank is a space
};
