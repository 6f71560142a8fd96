#pragma once
#include "html/TCssDeclarations.h"
#include <QColor>
#include <QString>
#include <initializer_list>

struct THtmlToken;

// Attribute values as pages of the time wrote them, turned into what the rich-text engine
// reads: whole numbers with junk after them, lengths, alignments, font faces, colours.
class THtmlAttributes
{
public:
    // A whole number at the start of the value ("12", " 12px", "+2"); false when none.
    static bool LeadingInt(const QString& value, int* result);
    // The attribute as a whole number clamped to lo..hi; fallback when absent or not a number.
    static int Int(const THtmlToken& t, const QString& name, int fallback, int lo, int hi);
    // A length for the engine: pixels or a percentage; "" when unusable.
    static QString Length(const THtmlToken& t, const QString& name);
    // ALIGN and VALIGN as attributes the engine knows, with a leading blank; "" when none.
    static QString Align(const QString& value);
    static QString Valign(const QString& value);
    // A FACE list as a CSS declaration, each face quoted; "" when it names none.
    static QString FontFamilyCss(const QString& faces);
    static QString ColourCss(const QColor& c) { return c.name(QColor::HexRgb); }
    // Text or an attribute value with the markup characters escaped.
    static QString Escape(const QString& text);
    // The start tag open with the element's CLASS and ID added, for the page's style sheets
    // to find it, and its STYLE, put in terms the engine reads (relative units from `base`).
    static QString WithSelectors(const QString& open, const THtmlToken& t,
                                 const TCssDeclarations::TBase& base);
    // The start tag open with declarations (escaped already) added after those it has.
    static QString WithStyle(const QString& open, const QString& css);
    static bool IsOneOf(const QString& s, std::initializer_list<const char*> list);
};
