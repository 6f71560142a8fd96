#pragma once
#include <QString>
#include <QStringView>

// Character references of documents of the HTML 3.2 generation: the Latin-1 set, the four
// markup characters, a handful of typographic names authors of the time already used, and
// numeric references (decimal and hexadecimal). Numbers 128-159 are read as Windows-1252,
// as the pages were written on that code page.
class THtmlEntities
{
public:
    // The character a name stands for (without "&" and ";"); 0 when unknown. Names match
    // exactly; the few that have no upper/lower-case pair also match in capitals.
    static char32_t Lookup(QStringView name);

    // The text with every reference replaced. An unknown or malformed reference stays as
    // written. Known names are also accepted without their ";", as browsers of the time did.
    // In an attribute value a name without ";" followed by "=" or a letter or digit stays
    // as written, so query strings such as "a.cgi?x=1&copy=2" survive.
    static QString Decode(QStringView text, bool inAttribute = false);

    // Decodes the reference starting at text[pos] (an "&"); on success appends the
    // character(s) to out and returns the length consumed, otherwise 0.
    static int DecodeAt(QStringView text, qsizetype pos, QString& out, bool inAttribute = false);

    // The character a numeric reference names: control and out-of-range numbers become
    // U+FFFD, 128-159 the Windows-1252 character.
    static char32_t FromNumber(qint64 n);
};
