#pragma once
#include <QString>
#include <QtGlobal>

class THtmlRewriteContext;
struct THtmlToken;

// What an element is to the rewriter. The modes and the block stack decide by kind, so an
// element added to the table behaves like the others of its kind.
enum class TTagKind : quint8 {
    Unknown,        // dropped; its content shows
    Head,           // page properties or nothing: HTML, HEAD, BODY, TITLE, META, BASE...
    Block,          // P, DIV, CENTER, BLOCKQUOTE, ADDRESS
    Heading,        // H1 to H6
    Preformatted,   // PRE, XMP, LISTING, PLAINTEXT
    Rule,           // HR
    Break,          // BR
    List,           // UL, OL, MENU, DIR
    ListItem,       // LI
    DefinitionList, // DL
    DefinitionItem, // DT, DD
    Table,          // TABLE
    TableRow,       // TR
    TableCell,      // TD, TH
    TableCaption,   // CAPTION
    Formatting,     // A, B, BIG, CODE, EM, FONT, I, NOBR, S, SMALL, STRIKE, STRONG, TT, U;
                    // BASEFONT
    Inline,         // the other phrase elements: SPAN, CITE, SUB, SUP, KBD...
    Object,         // IMG
    Form,           // FORM
    FormControl,    // INPUT, SELECT, TEXTAREA, ISINDEX
    Option,         // OPTION, read only inside a SELECT
    ImageMap,       // MAP, AREA
    FrameSet,       // FRAMESET
    Frame,          // FRAME, read only inside a FRAMESET
    NoFrames,       // NOFRAMES
};

// One element's entry: its kind and what its start tag, its end tag and its raw text do.
// A handler left empty means the tag is read and dropped.
struct THtmlTagInfo
{
    using TTagHandler = void (*)(THtmlRewriteContext&, const THtmlToken&);
    using TTextHandler = void (*)(THtmlRewriteContext&, const QString&);

    TTagKind kind = TTagKind::Unknown;
    TTagHandler start = nullptr;
    TTagHandler end = nullptr;
    TTextHandler text = nullptr; // the element's raw text; dropped when empty
    bool content = true;         // counts as body content: a FRAMESET after it is not read
    bool rawText = false;        // its content is text, not markup
};

// Every element the rewriter knows, by lower-case name. A new element is one entry in the
// table (THtmlTagTable.cpp) and its handlers in the class of its feature.
class THtmlTagTable
{
public:
    // The entry of a tag; an entry of kind Unknown for a name it does not know.
    static const THtmlTagInfo& Find(const QString& name);

    // Elements within text: formatting and other phrase elements.
    static bool IsInline(TTagKind kind)
    {
        return kind == TTagKind::Formatting || kind == TTagKind::Inline;
    }

    // Rows, cells and captions: they live only in a table and carry no formatting into it.
    static bool IsTablePart(TTagKind kind)
    {
        return kind == TTagKind::TableRow || kind == TTagKind::TableCell ||
               kind == TTagKind::TableCaption;
    }
};
