#include "html/THtmlTagTable.h"
#include "html/THtmlBlockTags.h"
#include "html/THtmlBoxTags.h"
#include "html/THtmlHeadTags.h"
#include "html/THtmlInlineTags.h"
#include "html/THtmlListTags.h"
#include "html/THtmlRewriteContext.h"
#include "html/THtmlTableTags.h"

namespace {

using C = THtmlRewriteContext;
using K = TTagKind;
using T = THtmlToken;
using Block = THtmlBlockTags;
using Box = THtmlBoxTags;
using Head = THtmlHeadTags;
using Inline = THtmlInlineTags;
using List = THtmlListTags;
using Table = THtmlTableTags;

struct TEntry
{
    const char* name;
    THtmlTagInfo info;
};

// Every element the rewriter reads. Tags of kinds FrameSet, Frame, NoFrames and Option
// have no handlers: the rewriter's modes read them (see THtmlRewriter).
const TEntry kTags[] = {
    // The page as a whole. None of these is body content.
    {"html", {.kind = K::Head, .content = false}},
    {"head", {.kind = K::Head, .content = false}},
    {"meta", {.kind = K::Head, .content = false}},
    {"link", {.kind = K::Head, .start = Head::StartLink, .content = false}},
    {"noscript", {.kind = K::Head, .content = false}},
    {"body", {.kind = K::Head, .start = Head::StartBody, .content = false}},
    {"base", {.kind = K::Head, .start = Head::StartBase, .content = false}},
    {"title", {.kind = K::Head, .text = Head::TitleText, .content = false, .rawText = true}},
    {"script", {.kind = K::Head, .content = false, .rawText = true}},
    {"style",
     {.kind = K::Head,
      .start = Head::StartStyle,
      .text = Head::StyleText,
      .content = false,
      .rawText = true}},

    // Blocks of text.
    {"p", {K::Block, Block::StartAligned, Block::EndParagraph}},
    {"div", {K::Block, Box::StartDivision, Box::EndDivision}},
    {"center", {K::Block, Block::StartCenter, Block::EndBlock}},
    {"blockquote", {K::Block, Block::StartQuotation, Block::EndBlock}},
    {"address", {K::Block, Block::StartAddress, Block::EndBlock}},
    {"h1", {K::Heading, Block::StartHeading, Block::EndHeading}},
    {"h2", {K::Heading, Block::StartHeading, Block::EndHeading}},
    {"h3", {K::Heading, Block::StartHeading, Block::EndHeading}},
    {"h4", {K::Heading, Block::StartHeading, Block::EndHeading}},
    {"h5", {K::Heading, Block::StartHeading, Block::EndHeading}},
    {"h6", {K::Heading, Block::StartHeading, Block::EndHeading}},
    {"pre", {K::Preformatted, Block::StartPreformatted, Block::EndBlock}},
    {"xmp",
     {.kind = K::Preformatted,
      .start = Block::StartPreformatted,
      .end = Block::EndBlock,
      .text = Block::PreformattedText,
      .rawText = true}},
    {"listing",
     {.kind = K::Preformatted,
      .start = Block::StartPreformatted,
      .end = Block::EndBlock,
      .text = Block::PreformattedText,
      .rawText = true}},
    // PLAINTEXT runs to the end of the document: its end tag is text.
    {"plaintext",
     {.kind = K::Preformatted,
      .start = Block::StartPreformatted,
      .text = Block::PreformattedText,
      .rawText = true}},
    {"hr", {K::Rule, Block::StartRule}},
    {"br", {K::Break, Block::StartBreak}},

    // Lists.
    {"ul", {K::List, List::StartList, Block::EndBlock}},
    {"ol", {K::List, List::StartList, Block::EndBlock}},
    {"menu", {K::List, List::StartList, Block::EndBlock}},
    {"dir", {K::List, List::StartList, Block::EndBlock}},
    {"li", {K::ListItem, List::StartItem, Block::EndBlock}},
    {"dl", {K::DefinitionList, List::StartDefinitionList, Block::EndBlock}},
    {"dt", {K::DefinitionItem, List::StartDefinitionItem, Block::EndBlock}},
    {"dd", {K::DefinitionItem, List::StartDefinitionItem, Block::EndBlock}},

    // Tables.
    {"table", {K::Table, Table::StartTable, Table::EndTable}},
    {"tr", {K::TableRow, Table::StartRow, Table::EndPart}},
    {"td", {K::TableCell, Table::StartCell, Table::EndPart}},
    {"th", {K::TableCell, Table::StartCell, Table::EndPart}},
    {"caption", {K::TableCaption, Table::StartCaption, Table::EndPart}},

    // Formatting within text, links and pictures. Formatting elements are reopened after
    // misnested tags and blocks, other inline elements are not (THtmlFormattingElements).
    {"b", {K::Formatting, Inline::StartPhrase, Inline::EndInline}},
    {"i", {K::Formatting, Inline::StartPhrase, Inline::EndInline}},
    {"u", {K::Formatting, Inline::StartPhrase, Inline::EndInline}},
    {"em", {K::Formatting, Inline::StartPhrase, Inline::EndInline}},
    {"strong", {K::Formatting, Inline::StartPhrase, Inline::EndInline}},
    {"cite", {K::Inline, Inline::StartPhrase, Inline::EndInline}},
    {"dfn", {K::Inline, Inline::StartPhrase, Inline::EndInline}},
    {"var", {K::Inline, Inline::StartPhrase, Inline::EndInline}},
    {"sub", {K::Inline, Inline::StartPhrase, Inline::EndInline}},
    {"sup", {K::Inline, Inline::StartPhrase, Inline::EndInline}},
    {"big", {K::Formatting, Inline::StartPhrase, Inline::EndInline}},
    {"small", {K::Formatting, Inline::StartPhrase, Inline::EndInline}},
    {"span", {K::Inline, Inline::StartPhrase, Inline::EndInline}},
    {"s", {K::Formatting, Inline::StartStrike, Inline::EndInline}},
    {"strike", {K::Formatting, Inline::StartStrike, Inline::EndInline}},
    {"tt", {K::Formatting, Inline::StartTeletype, Inline::EndInline}},
    {"code", {K::Formatting, Inline::StartTeletype, Inline::EndInline}},
    {"kbd", {K::Inline, Inline::StartTeletype, Inline::EndInline}},
    {"samp", {K::Inline, Inline::StartTeletype, Inline::EndInline}},
    {"font", {K::Formatting, Inline::StartFont, Inline::EndInline}},
    // BASEFONT holds to its end tag, or to the end, as browsers of the time had it.
    {"basefont",
     {.kind = K::Formatting,
      .start = Inline::StartBaseFont,
      .end = Inline::EndInline,
      .content = false}},
    {"nobr", {K::Formatting, Inline::StartNoBreak, Inline::EndInline}},
    {"a", {K::Formatting, Inline::StartAnchor, Inline::EndInline}},
    {"img", {K::Object, Inline::StartImage}},

    // Image maps.
    {"map",
     {.kind = K::ImageMap,
      .start = [](C& c, const T& t) { c.Maps().StartMap(t); },
      .end = [](C& c, const T&) { c.Maps().EndMap(); },
      .content = false}},
    {"area",
     {.kind = K::ImageMap,
      .start = [](C& c, const T& t) { c.Maps().StartArea(t); },
      .content = false}},

    // Forms.
    {"form",
     {.kind = K::Form,
      .start = [](C& c, const T&) { c.Forms().StartForm(); },
      .end = [](C& c, const T&) { c.Forms().EndForm(); },
      .content = false}},
    {"input", {K::FormControl, [](C& c, const T& t) { c.Forms().StartInput(t); }}},
    {"select", {K::FormControl, [](C& c, const T& t) { c.Forms().StartSelect(t); }}},
    {"option", {K::Option}},
    {"textarea",
     {.kind = K::FormControl,
      .start = [](C& c, const T& t) { c.Forms().StartTextArea(t); },
      .text = [](C& c, const QString& text) { c.Forms().TextAreaText(text); },
      .rawText = true}},
    {"isindex", {K::FormControl, [](C& c, const T& t) { c.Forms().StartIsIndex(t); }}},

    // Frame sets.
    {"frameset", {K::FrameSet}},
    {"frame", {K::Frame}},
    {"noframes", {K::NoFrames}},
};

// Tags are looked up once per tag read and once per block opened: an open-addressed
// table with a cheap hash costs a fraction of a general-purpose hash.
class TTagIndex
{
public:
    TTagIndex()
    {
        static_assert(std::size(kTags) < kSlots / 2);
        for (const TEntry& e : kTags) {
            const QString name = QLatin1String(e.name);
            size_t i = Hash(name);
            while (m_slots[i].info)
                i = (i + 1) % kSlots;
            m_slots[i] = {name, &e.info};
        }
    }

    const THtmlTagInfo* Find(QStringView name) const
    {
        for (size_t i = Hash(name); m_slots[i].info; i = (i + 1) % kSlots)
            if (m_slots[i].name == name)
                return m_slots[i].info;
        return nullptr;
    }

private:
    static constexpr size_t kSlots = 256;
    struct TSlot
    {
        QString name;
        const THtmlTagInfo* info = nullptr;
    };

    static size_t Hash(QStringView name)
    {
        size_t h = size_t(name.size());
        for (QChar c : name)
            h = h * 31 + c.unicode();
        return h % kSlots;
    }

    TSlot m_slots[kSlots];
};

} // namespace

const THtmlTagInfo& THtmlTagTable::Find(const QString& name)
{
    static const TTagIndex index;
    static const THtmlTagInfo unknown;
    const THtmlTagInfo* found = index.Find(name);
    return found ? *found : unknown;
}
