#pragma once
// Writes small AVI clips byte by byte, so the clip tests know every pixel they decode.
#include <QByteArray>
#include <QRgb>
#include <QVector>
#include <QtEndian>
#include <algorithm>
#include <initializer_list>
#include <vector>

struct TTestAvi
{
    int Width = 4;
    int Height = 2; // negative: top-down rows
    int BitCount = 8;
    quint32 Compression = 0; // 0 uncompressed, 1 RLE8
    QByteArray Handler = QByteArray(4, '\0');
    quint32 MicroSecPerFrame = 50000;
    QVector<QRgb> Palette;          // 8-bit clips; written as it is (biClrUsed = its size)
    std::vector<QByteArray> Frames; // chunk payloads
    bool WithSound = false;
    bool WithIndex = true;
};

namespace TestAvi {

inline void U32(QByteArray& b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}
inline void U16(QByteArray& b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
inline QByteArray Chunk(const char* id, const QByteArray& data)
{
    QByteArray b(id, 4);
    U32(b, quint32(data.size()));
    b += data;
    if (data.size() & 1)
        b.append('\0');
    return b;
}
inline QByteArray List(const char* type, const QByteArray& body)
{
    return Chunk("LIST", QByteArray(type, 4) + body);
}

inline QByteArray Build(const TTestAvi& a)
{
    QByteArray avih;
    U32(avih, a.MicroSecPerFrame);
    U32(avih, 0);
    U32(avih, 0);
    U32(avih, a.WithIndex ? 0x10 : 0);
    U32(avih, quint32(a.Frames.size()));
    U32(avih, 0);
    U32(avih, a.WithSound ? 2 : 1);
    U32(avih, 0);
    U32(avih, quint32(a.Width));
    U32(avih, quint32(a.Height < 0 ? -a.Height : a.Height));
    for (int i = 0; i < 4; ++i)
        U32(avih, 0);

    QByteArray strh("vids", 4);
    strh += a.Handler;
    U32(strh, 0);                                                  // flags
    U16(strh, 0);                                                  // priority
    U16(strh, 0);                                                  // language
    U32(strh, 0);                                                  // initial frames
    U32(strh, 1);                                                  // scale
    U32(strh, 1000000 / std::max<quint32>(1, a.MicroSecPerFrame)); // rate
    U32(strh, 0);                                                  // start
    U32(strh, quint32(a.Frames.size()));                           // length
    U32(strh, 0);
    U32(strh, 0xFFFFFFFF);
    U32(strh, 0);
    for (int i = 0; i < 4; ++i)
        U16(strh, 0);

    QByteArray strf;
    U32(strf, 40);
    U32(strf, quint32(a.Width));
    U32(strf, quint32(a.Height));
    U16(strf, 1);
    U16(strf, quint16(a.BitCount));
    U32(strf, a.Compression);
    U32(strf, 0);
    U32(strf, 0);
    U32(strf, 0);
    U32(strf, quint32(a.Palette.size()));
    U32(strf, 0);
    for (QRgb c : a.Palette) {
        strf.append(char(qBlue(c)));
        strf.append(char(qGreen(c)));
        strf.append(char(qRed(c)));
        strf.append('\0');
    }

    QByteArray hdrl = Chunk("avih", avih) + List("strl", Chunk("strh", strh) + Chunk("strf", strf));
    if (a.WithSound) {
        QByteArray ash("auds", 4);
        ash += QByteArray(52, '\0');
        QByteArray wave;
        U16(wave, 1);
        U16(wave, 1);
        U32(wave, 8000);
        U32(wave, 8000);
        U16(wave, 1);
        U16(wave, 8);
        U16(wave, 0);
        hdrl += List("strl", Chunk("strh", ash) + Chunk("strf", wave));
    }

    const char* id = a.Compression == 1 ? "00dc" : "00db";
    QByteArray movi;
    QByteArray idx1;
    for (const QByteArray& f : a.Frames) {
        idx1 += QByteArray(id, 4);
        U32(idx1, 0x10);
        U32(idx1, quint32(4 + movi.size()));
        U32(idx1, quint32(f.size()));
        movi += Chunk(id, f);
    }
    QByteArray body = QByteArray("AVI ", 4) + List("hdrl", hdrl) + List("movi", movi);
    if (a.WithIndex)
        body += Chunk("idx1", idx1);
    QByteArray riff("RIFF", 4);
    U32(riff, quint32(body.size()));
    return riff + body;
}

// Uncompressed frame data from rows given top row first: 8-bit indexes or 24-bit colours,
// stored bottom row first and each row padded to four bytes.
inline QByteArray Raw8(const std::vector<std::vector<uchar>>& rowsTopFirst)
{
    QByteArray b;
    for (auto it = rowsTopFirst.rbegin(); it != rowsTopFirst.rend(); ++it) {
        for (uchar v : *it)
            b.append(char(v));
        while (b.size() % 4)
            b.append('\0');
    }
    return b;
}
inline QByteArray Raw24(const std::vector<std::vector<QRgb>>& rowsTopFirst)
{
    QByteArray b;
    for (auto it = rowsTopFirst.rbegin(); it != rowsTopFirst.rend(); ++it) {
        for (QRgb c : *it) {
            b.append(char(qBlue(c)));
            b.append(char(qGreen(c)));
            b.append(char(qRed(c)));
        }
        while (b.size() % 4)
            b.append('\0');
    }
    return b;
}
inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

} // namespace TestAvi
