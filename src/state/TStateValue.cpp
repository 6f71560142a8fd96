#include "state/TStateValue.h"
#include "platform/TIniFile.h"

bool TStateValue::ParseNumber(const QString& text, qint32* value)
{
    bool ok = false;
    const int number = TIniFile::ParseInteger(text, &ok);
    if (ok)
        *value = number;
    return ok;
}

qint32 TStateValue::Lenient(const QString& text)
{
    qint32 value = 0;
    return ParseNumber(text, &value) ? value : 0;
}

bool TStateValue::Boolean(const QString& text) { return Lenient(text) != 0; }

QString TStateValue::FontFace(const QString& text)
{
    if (text.size() <= MaxFontNameLength)
        return text;
    qsizetype cut = MaxFontNameLength;
    // Never keep half of a character outside the basic plane.
    if (text[cut - 1].isHighSurrogate())
        --cut;
    return text.left(cut);
}
