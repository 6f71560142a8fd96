#include "platform/TTextCodec.h"
#include <cstring>

namespace {

// Bytes 0x80-0x9F of Windows-1252. The five bytes the code page leaves undefined map to
// the C1 control of the same number, so that decoding and encoding give the bytes back.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char EncodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

} // namespace

bool TTextCodec::IsValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char b = p[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        // Shortest form only, no surrogates, nothing above U+10FFFF.
        qsizetype len;
        unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3;
            if (b == 0xE0)
                lo = 0xA0;
            else if (b == 0xED)
                hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (n - i < len)
            return false;
        if (p[i + 1] < lo || p[i + 1] > hi)
            return false;
        for (qsizetype k = 2; k < len; ++k) {
            if (!IsContinuation(p[i + k]))
                return false;
        }
        i += len;
    }
    return true;
}

QString TTextCodec::DecodeWindows1252(const QByteArray& bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        d[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return out;
}

QByteArray TTextCodec::EncodeWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // A character outside the basic plane is one character, so it becomes one "?".
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        out.append(EncodeOne(c.unicode()));
    }
    return out;
}

QString TTextCodec::Decode(const QByteArray& bytes)
{
    if (!IsValidUtf8(bytes))
        return DecodeWindows1252(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    return QString::fromUtf8(bytes);
}

QString TTextCodec::DecodePart(const QByteArray& bytes)
{
    return IsValidUtf8(bytes) ? DecodeUtf8Part(bytes) : DecodeWindows1252(bytes);
}

QString TTextCodec::DecodeUtf8Part(const QByteArray& bytes)
{
    // Qt drops a mark that opens the bytes it decodes, so the leading ones are put back.
    qsizetype from = 0;
    while (bytes.size() - from >= 3 &&
           std::memcmp(bytes.constData() + from, "\xEF\xBB\xBF", 3) == 0)
        from += 3;
    return QString(from / 3, QChar(0xFEFF)) +
           QString::fromUtf8(bytes.constData() + from, bytes.size() - from);
}
