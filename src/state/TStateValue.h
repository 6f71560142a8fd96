#pragma once
#include <QString>
#include <QtGlobal>

// How the values of a state file are read. Every value is text; numbers are decimal, or
// hexadecimal after "$" or "0x", with blanks before them skipped. Readers differ in what a
// value that is not a number means: a strict key fails, a lenient key reads as 0.
class TStateValue
{
public:
    // The longest font face a state file can set; longer names are cut.
    static constexpr int MaxFontNameLength = 31;

    // True and the value when the text is a number.
    static bool ParseNumber(const QString& text, qint32* value);
    // The number, or 0 when the text is not one.
    static qint32 Lenient(const QString& text);
    // A number other than 0 is true; anything else, a word included, is false.
    static bool Boolean(const QString& text);
    // The face a FontName value names: its first 31 characters.
    static QString FontFace(const QString& text);

    // An enumeration's value from its stored ordinal. An ordinal outside the enumeration
    // names nothing a control can draw, so it reads as the first value, as a word does.
    template <class E>
    static E Ordinal(qint32 ordinal, E last)
    {
        return ordinal >= 0 && ordinal <= qint32(last) ? E(ordinal) : E(0);
    }
};
