#include "html/THtmlDecoder.h"
#include "platform/TTextCodec.h"
#include <QStringDecoder>

namespace {

constexpr int kMetaScanLength = 1024;

bool IsCharsetChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' ||
           c == ':';
}

bool NamesWindows1252(const QByteArray& cs)
{
    return cs == "iso-8859-1" || cs == "iso8859-1" || cs == "latin1" || cs == "latin-1" ||
           cs == "l1" || cs == "windows-1252" || cs == "cp1252" || cs == "x-ansi" ||
           cs == "us-ascii" || cs == "ascii" || cs == "iso_8859-1" || cs == "ansi_x3.4-1968";
}

} // namespace

QByteArray THtmlDecoder::MetaCharset(const QByteArray& bytes)
{
    const QByteArray head = bytes.left(kMetaScanLength).toLower();
    qsizetype meta = 0;
    while ((meta = head.indexOf("<meta", meta)) >= 0) {
        qsizetype end = head.indexOf('>', meta);
        if (end < 0)
            end = head.size();
        const QByteArray tag = head.mid(meta, end - meta);
        const qsizetype at = tag.indexOf("charset");
        if (at >= 0) {
            qsizetype i = at + 7;
            while (i < tag.size() && (tag[i] == ' ' || tag[i] == '\t'))
                ++i;
            if (i < tag.size() && tag[i] == '=') {
                ++i;
                while (i < tag.size() &&
                       (tag[i] == ' ' || tag[i] == '\t' || tag[i] == '"' || tag[i] == '\''))
                    ++i;
                const qsizetype start = i;
                while (i < tag.size() && IsCharsetChar(tag[i]))
                    ++i;
                if (i > start)
                    return tag.mid(start, i - start);
            }
        }
        meta = end;
    }
    return QByteArray();
}

QString THtmlDecoder::Decode(const QByteArray& bytes, TEncoding* used)
{
    TEncoding dummy;
    TEncoding& enc = used ? *used : dummy;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        enc = TEncoding::Utf8;
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    }
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        const bool le = bytes.startsWith("\xFF\xFE");
        enc = le ? TEncoding::Utf16LE : TEncoding::Utf16BE;
        QStringDecoder decoder(le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        return decoder.decode(bytes.mid(2));
    }
    const QByteArray charset = MetaCharset(bytes);
    if (charset == "utf-8" || charset == "utf8") {
        enc = TEncoding::Utf8;
        return QString::fromUtf8(bytes);
    }
    if (NamesWindows1252(charset)) {
        enc = TEncoding::Windows1252;
        return TTextCodec::DecodeWindows1252(bytes);
    }
    if (!charset.isEmpty()) {
        // Any other code page the system knows (Cyrillic, Central European, Japanese...).
        QStringDecoder declared(charset.constData());
        if (declared.isValid()) {
            enc = TEncoding::Declared;
            return declared.decode(bytes);
        }
    }
    if (TTextCodec::IsValidUtf8(bytes)) {
        enc = TEncoding::Utf8;
        return QString::fromUtf8(bytes);
    }
    enc = TEncoding::Windows1252;
    return TTextCodec::DecodeWindows1252(bytes);
}
