#pragma once
#include <QString>
#include <QStringView>
#include <optional>

// The declarations of one style rule or style attribute, with the values Qt's text engine
// reads wrongly put in terms it reads as browsers do. The engine takes font sizes only in
// points or pixels (130%, 2em and .8rem leave the size as it was), measures margins given
// in percent as pixels and in rem or centimetres not at all, reads the `font` shorthand
// with a line height as nothing, and gives the generic families its own faces where
// browsers give the reader's. Relative sizes count from the default size, as they do for
// an element whose parent has that size; declarations that need nothing stay as written.
class TCssDeclarations
{
public:
    struct TBase
    {
        double fontPoints = 12; // the default size: 1em, 1rem and 100 %
        QString serif = QStringLiteral("Times New Roman");
        QString sansSerif = QStringLiteral("Arial");
        QString monospace = QStringLiteral("Courier New");
        // Font sizes as pixels rather than points: what marks a size set for a heading,
        // which the engine's own size of headings would otherwise hide (THtmlDocument).
        bool sizesInPixels = false;
    };

    static QString ForEngine(QStringView declarations, const TBase& base);

    // A character of a CSS name (an element, a class, an id, a property).
    static bool IsNameChar(QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u'_'; }

    // A length in CSS units as pixels (1em = the default size); false for a percentage,
    // a keyword or anything else that is not a plain length.
    static bool LengthPixels(QStringView value, double fontPoints, double* pixels);

    // A page's list of faces as browsers read it: the first face this machine has is used,
    // so the faces it lacks are left out (the common ones its metric-compatible faces
    // stand in for are kept). A list of faces none of which it has stays as it is: the
    // system's nearest face is closer to the author's wish than the reader's default.
    static QStringList AvailableFamilies(const QStringList& families);

private:
    // Nothing: the declaration stays as written; an empty text: it is left out; otherwise
    // what replaces it, declarations apart by ";".
    using TResult = std::optional<QString>;
    static TResult Translate(const QString& property, const QString& value, const TBase& base);
    static TResult FontSize(const QString& value, const TBase& base);
    static TResult FontFamily(const QString& value, const TBase& base);
    static TResult FontShorthand(const QString& value, const TBase& base);
    static TResult ListPadding(const QString& property, const QString& value, const TBase& base);
    static TResult Lengths(const QString& property, const QString& value, const TBase& base);
};
