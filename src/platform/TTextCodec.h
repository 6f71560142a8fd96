#pragma once
#include <QByteArray>
#include <QString>

// Text files are UTF-8; a file that is not valid UTF-8 is read as Windows-1252.
class TTextCodec
{
public:
    static bool IsValidUtf8(const QByteArray& bytes);
    static QString DecodeWindows1252(const QByteArray& bytes);
    // Characters Windows-1252 cannot hold become "?".
    static QByteArray EncodeWindows1252(const QString& text);
    // UTF-8 when valid (a byte-order mark is dropped), else Windows-1252.
    static QString Decode(const QByteArray& bytes);
    // The same for a piece cut from within a file, where a byte-order mark is text.
    static QString DecodePart(const QByteArray& bytes);
    // Valid UTF-8 cut from within a file, a byte-order mark in it kept as text.
    static QString DecodeUtf8Part(const QByteArray& bytes);
};
