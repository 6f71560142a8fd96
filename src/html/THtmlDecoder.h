#pragma once
#include <QByteArray>
#include <QString>

// Turns the bytes of a document into text: a byte-order mark wins, then a META charset in
// the first 1024 bytes (an unknown name is passed over), then UTF-8 when the bytes are valid UTF-8, else Windows-1252
// (the code page nearly every page of the time was written on).
class THtmlDecoder
{
public:
    // Declared: another code page named by the META charset and known to the system.
    enum class TEncoding { Utf8, Utf16LE, Utf16BE, Windows1252, Declared };

    static QString Decode(const QByteArray& bytes, TEncoding* used = nullptr);

    // The charset a META element in the first 1024 bytes names, in lower case; "" if none.
    static QByteArray MetaCharset(const QByteArray& bytes);
};
