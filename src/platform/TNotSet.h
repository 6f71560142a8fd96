#pragma once
#include <QString>

// The text "0" stands for "no value": a path nobody configured, a control's picture that
// came from no file, a search that found nothing. It is not the empty text, which is an
// ordinary path that names nothing. A few ini keys also take a word for "no value".
class TNotSet
{
public:
    static QString Value() { return QStringLiteral("0"); }
    static bool Is(const QString& text) { return text == QLatin1String("0"); }

    static inline const QString NullWord = QStringLiteral("NULL");
    static inline const QString EmptyWord = QStringLiteral("Empty");

    // "0" or "NULL": how the state file key says "no state file".
    static bool IsOrNullWord(const QString& text) { return Is(text) || text == NullWord; }
    // "0", "NULL" or "Empty": how the logo key says "no logo".
    static bool IsOrNullOrEmptyWord(const QString& text)
    {
        return IsOrNullWord(text) || text == EmptyWord;
    }
};
