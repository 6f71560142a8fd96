#include "components/media/TAviClip.h"
#include "components/media/TRle8Decoder.h"
#include "platform/TPath.h"
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr quint32 FourCC(const char (&s)[5])
{
    return quint32(uchar(s[0])) | quint32(uchar(s[1])) << 8 | quint32(uchar(s[2])) << 16 |
           quint32(uchar(s[3])) << 24;
}

constexpr quint32 kRiff = FourCC("RIFF");
constexpr quint32 kAvi = FourCC("AVI ");
constexpr quint32 kList = FourCC("LIST");
constexpr quint32 kHdrl = FourCC("hdrl");
constexpr quint32 kAvih = FourCC("avih");
constexpr quint32 kStrl = FourCC("strl");
constexpr quint32 kStrh = FourCC("strh");
constexpr quint32 kStrf = FourCC("strf");
constexpr quint32 kMovi = FourCC("movi");
constexpr quint32 kRec = FourCC("rec ");
constexpr quint32 kVids = FourCC("vids");
constexpr quint32 kAuds = FourCC("auds");

constexpr quint32 kBiRgb = 0;
constexpr quint32 kBiRle8 = 1;

// The header list holds a few small headers; anything much larger is not a clip's.
constexpr quint32 kMaxHeaderList = 1 << 20;
// Junk and index chunks may sit between frames, but not without end.
constexpr qint64 kMaxChunks = 4 * qint64(TAviClip::MaxFrames) + 1024;

quint32 U32(const char* p) { return qFromLittleEndian<quint32>(p); }
qint32 I32(const char* p) { return qFromLittleEndian<qint32>(p); }
quint16 U16(const char* p) { return qFromLittleEndian<quint16>(p); }

quint32 Lower(quint32 fourcc)
{
    quint32 result = 0;
    for (int i = 0; i < 4; ++i) {
        uchar c = uchar(fourcc >> (8 * i));
        if (c >= 'A' && c <= 'Z')
            c = uchar(c - 'A' + 'a');
        result |= quint32(c) << (8 * i);
    }
    return result;
}

bool PlayableHandler(quint32 handler)
{
    const quint32 h = Lower(handler);
    return handler == 0 || h == FourCC("dib ") || h == FourCC("rle ") || h == FourCC("mrle");
}

// Walks the chunks of an in-memory list body; visit(id, offset of data, size) returns
// false to stop with failure. False when a chunk runs past the end.
template <class F>
bool ForEachChunk(const QByteArray& bytes, qsizetype from, F visit)
{
    qsizetype at = from;
    while (at + 8 <= bytes.size()) {
        const quint32 id = U32(bytes.constData() + at);
        const quint32 size = U32(bytes.constData() + at + 4);
        const qsizetype data = at + 8;
        if (qint64(size) > qint64(bytes.size() - data))
            return false;
        if (!visit(id, data, size))
            return false;
        at = data + qsizetype(size) + (size & 1);
    }
    return true;
}

qsizetype RawStride(int width, int bitCount)
{
    return ((qsizetype(width) * bitCount + 31) / 32) * 4;
}
} // namespace

bool TAviClip::Fail(const QString& why)
{
    Close();
    m_error = why;
    return false;
}

void TAviClip::Close()
{
    m_file.close();
    m_open = false;
    m_fileSize = 0;
    m_chunksSeen = 0;
    m_haveHeader = false;
    m_haveVideo = false;
    m_microSecPerFrame = 0;
    m_streamMicroSecPerFrame = 0;
    m_width = m_height = m_bitCount = 0;
    m_topDown = false;
    m_rle = false;
    m_palette.clear();
    m_frames.clear();
    m_frames.shrink_to_fit();
    m_indexes.clear();
    m_decoded = -1;
    m_lastIndex = -1;
    m_lastImage = QImage();
}

bool TAviClip::Open(const QString& path)
{
    Close();
    m_error.clear();
    try {
        m_file.setFileName(TPath::Resolve(path));
        if (!TPath::FileExists(path) || !m_file.open(QIODevice::ReadOnly))
            return Fail(QStringLiteral("The clip file cannot be read"));
        m_fileSize = m_file.size();
        if (!Parse())
            return false;
        if (m_microSecPerFrame <= 0)
            m_microSecPerFrame = m_streamMicroSecPerFrame > 0 ? m_streamMicroSecPerFrame : 100000;
        m_open = true;
        QImage first;
        if (!Frame(0, &first))
            return Fail(QStringLiteral("The first frame of the clip cannot be read"));
        return true;
    } catch (const std::bad_alloc&) {
        return Fail(QStringLiteral("The clip is too large"));
    }
}

bool TAviClip::ReadAt(qint64 position, char* buffer, qint64 count)
{
    if (position < 0 || count < 0 || position + count > m_fileSize)
        return false;
    return m_file.seek(position) && m_file.read(buffer, count) == count;
}

bool TAviClip::Parse()
{
    char head[12];
    if (!ReadAt(0, head, 12) || U32(head) != kRiff || U32(head + 8) != kAvi)
        return Fail(QStringLiteral("The file is not an AVI clip"));
    const qint64 riffEnd = 8 + qint64(U32(head + 4));
    if (riffEnd > m_fileSize)
        return Fail(QStringLiteral("The clip file is cut short"));

    bool haveFrames = false;
    qint64 at = 12;
    while (at + 8 <= riffEnd) {
        TChunkHead head;
        if (!ReadChunkHead(at, riffEnd, QStringLiteral("A part of the clip runs past its end"),
                           &head))
            return false;
        const quint32 size = head.Size;
        const qint64 data = head.Data;
        if (head.Id == kList && size >= 4) {
            const quint32 type = head.ListType;
            if (type == kHdrl) {
                if (m_haveHeader)
                    return Fail(QStringLiteral("The clip has two headers"));
                if (size > kMaxHeaderList)
                    return Fail(QStringLiteral("The clip's header is damaged"));
                QByteArray list(qsizetype(size), Qt::Uninitialized);
                if (!ReadAt(data, list.data(), size))
                    return Fail(QStringLiteral("The clip file is cut short"));
                if (!ReadHeaders(list))
                    return false;
            } else if (type == kMovi) {
                if (!m_haveHeader)
                    return Fail(QStringLiteral("The clip's frames come before its header"));
                if (haveFrames)
                    return Fail(QStringLiteral("The clip has two frame lists"));
                if (!ScanFrames(data + 4, data + size, 0))
                    return false;
                haveFrames = true;
            }
        }
        at = data + qint64(size) + (size & 1);
    }
    if (!m_haveHeader)
        return Fail(QStringLiteral("The clip has no header"));
    if (m_frames.empty())
        return Fail(QStringLiteral("The clip has no frames"));
    return true;
}

bool TAviClip::ReadHeaders(const QByteArray& list)
{
    bool mainHeader = false;
    int streams = 0;
    const bool walked = ForEachChunk(list, 4, [&](quint32 id, qsizetype data, quint32 size) {
        if (id == kAvih) {
            if (size < 40)
                return false;
            m_microSecPerFrame = U32(list.constData() + data);
            mainHeader = true;
        } else if (id == kList && size >= 4 && U32(list.constData() + data) == kStrl) {
            return ReadStream(list.mid(data, size), &streams);
        }
        return true;
    });
    if (!m_error.isEmpty())
        return false;
    if (!walked || !mainHeader)
        return Fail(QStringLiteral("The clip's header is damaged"));
    if (!m_haveVideo)
        return Fail(QStringLiteral("The clip has no pictures"));
    m_haveHeader = true;
    return true;
}

bool TAviClip::ReadStream(const QByteArray& list, int* streams)
{
    ++*streams;
    quint32 type = 0;
    bool haveStreamHeader = false;
    bool haveFormat = false;
    const bool walked = ForEachChunk(list, 4, [&](quint32 id, qsizetype data, quint32 size) {
        const char* p = list.constData() + data;
        if (id == kStrh) {
            if (size < 36)
                return false;
            type = U32(p);
            haveStreamHeader = true;
            if (type == kAuds) {
                Fail(QStringLiteral("The clip has a sound track"));
                return false;
            }
            if (type != kVids) {
                Fail(QStringLiteral("The clip has a stream other than its pictures"));
                return false;
            }
            if (m_haveVideo || *streams > 1) {
                Fail(QStringLiteral("The clip has more than one stream"));
                return false;
            }
            if (!PlayableHandler(U32(p + 4))) {
                Fail(QStringLiteral("The clip is compressed in a way that cannot be played"));
                return false;
            }
            const quint32 scale = U32(p + 20);
            const quint32 rate = U32(p + 24);
            if (scale > 0 && rate > 0)
                m_streamMicroSecPerFrame = qint64(scale) * 1000000 / rate;
        } else if (id == kStrf) {
            if (!haveStreamHeader)
                return false;
            if (!ReadFormat(p, size))
                return false;
            haveFormat = true;
        }
        return true;
    });
    if (!m_error.isEmpty())
        return false;
    if (!walked || !haveStreamHeader || !haveFormat)
        return Fail(QStringLiteral("The clip's stream header is damaged"));
    m_haveVideo = true;
    return true;
}

bool TAviClip::ReadFormat(const char* p, quint32 size)
{
    if (size < 40)
        return false;
    const quint32 headerSize = U32(p);
    const qint32 width = I32(p + 4);
    const qint32 height = I32(p + 8);
    const quint16 bitCount = U16(p + 14);
    const quint32 compression = U32(p + 16);
    const quint32 coloursUsed = U32(p + 32);
    if (headerSize < 40 || headerSize > size)
        return false;
    if (width < 1 || width > MaxDimension || height == 0 || height < -MaxDimension ||
        height > MaxDimension) {
        Fail(QStringLiteral("The clip's pictures are too large or have no size"));
        return false;
    }
    if (bitCount != 8 && bitCount != 24) {
        Fail(QStringLiteral("The clip's pictures are neither 8-bit nor 24-bit"));
        return false;
    }
    if (compression == kBiRle8) {
        if (bitCount != 8 || height < 0) {
            Fail(QStringLiteral("The clip's run-length pictures are damaged"));
            return false;
        }
    } else if (compression != kBiRgb) {
        Fail(QStringLiteral("The clip is compressed in a way that cannot be played"));
        return false;
    }
    m_width = width;
    m_height = height < 0 ? -height : height;
    m_topDown = height < 0;
    m_bitCount = bitCount;
    m_rle = compression == kBiRle8;
    m_palette = QVector<QRgb>(256, qRgb(0, 0, 0));
    if (bitCount == 8) {
        const quint32 entries = coloursUsed == 0 ? 256 : coloursUsed;
        if (entries > 256 || qint64(headerSize) + 4 * qint64(entries) > qint64(size)) {
            Fail(QStringLiteral("The clip's colour table is damaged"));
            return false;
        }
        for (quint32 i = 0; i < entries; ++i) {
            const uchar* q = reinterpret_cast<const uchar*>(p + headerSize + 4 * i);
            m_palette[int(i)] = qRgb(q[2], q[1], q[0]);
        }
    }
    return true;
}

bool TAviClip::ReadChunkHead(qint64 at, qint64 end, const QString& pastEnd, TChunkHead* head)
{
    char bytes[8];
    if (!ReadAt(at, bytes, 8))
        return Fail(QStringLiteral("The clip file is cut short"));
    std::memcpy(head->Tag, bytes, 4);
    head->Id = U32(bytes);
    head->Size = U32(bytes + 4);
    head->Data = at + 8;
    head->ListType = 0;
    if (head->Data + qint64(head->Size) > end)
        return Fail(pastEnd);
    if (++m_chunksSeen > kMaxChunks)
        return Fail(QStringLiteral("The clip has too many parts"));
    if (head->Id == kList && head->Size >= 4) {
        if (!ReadAt(head->Data, bytes, 4))
            return Fail(QStringLiteral("The clip file is cut short"));
        head->ListType = U32(bytes);
    }
    return true;
}

bool TAviClip::ScanFrames(qint64 start, qint64 end, int depth)
{
    qint64 at = start;
    while (at + 8 <= end) {
        TChunkHead head;
        if (!ReadChunkHead(at, end, QStringLiteral("A frame of the clip runs past its end"), &head))
            return false;
        const quint32 size = head.Size;
        const qint64 data = head.Data;
        const char* chunk = head.Tag;
        if (head.Id == kList) {
            if (size >= 4 && depth == 0 && head.ListType == kRec &&
                !ScanFrames(data + 4, data + size, depth + 1))
                return false;
        } else if (chunk[0] == '0' && chunk[1] == '0' && chunk[2] == 'd' &&
                   (chunk[3] == 'b' || chunk[3] == 'c')) {
            if (int(m_frames.size()) >= MaxFrames)
                return Fail(QStringLiteral("The clip has too many frames"));
            m_frames.push_back({data, size});
        }
        at = data + qint64(size) + (size & 1);
    }
    return true;
}

bool TAviClip::ReadChunk(const TFrameChunk& chunk, qint64 limit, QByteArray* bytes)
{
    const qint64 count = std::min<qint64>(chunk.Size, limit);
    bytes->resize(qsizetype(count));
    return ReadAt(chunk.Offset, bytes->data(), count);
}

bool TAviClip::Frame(int index, QImage* image)
{
    if (!m_open || index < 0 || index >= FrameCount())
        return false;
    if (index == m_lastIndex) {
        *image = m_lastImage;
        return true;
    }
    try {
        QImage decoded;
        const bool ok = m_rle ? DecodeRunLength(index, &decoded) : DecodeRaw(index, &decoded);
        if (!ok)
            return false;
        m_lastIndex = index;
        m_lastImage = decoded;
        *image = decoded;
        return true;
    } catch (const std::bad_alloc&) {
        m_lastIndex = -1;
        m_decoded = -1;
        return false;
    }
}

QImage TAviClip::FromIndexes(const uchar* rows, qsizetype stride, bool bottomUp) const
{
    QImage image(m_width, m_height, QImage::Format_RGB32);
    for (int y = 0; y < m_height; ++y) {
        const uchar* from = rows + qsizetype(bottomUp ? m_height - 1 - y : y) * stride;
        QRgb* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < m_width; ++x)
            to[x] = m_palette[from[x]];
    }
    return image;
}

bool TAviClip::DecodeRaw(int index, QImage* image)
{
    // An empty chunk repeats the frame before it.
    int source = index;
    while (source >= 0 && m_frames[size_t(source)].Size == 0)
        --source;
    if (source < 0) {
        QImage blank(m_width, m_height, QImage::Format_RGB32);
        blank.fill(m_bitCount == 8 ? m_palette[0] : qRgb(0, 0, 0));
        *image = blank;
        return true;
    }
    const qsizetype stride = RawStride(m_width, m_bitCount);
    const qint64 needed = qint64(stride) * m_height;
    const TFrameChunk& chunk = m_frames[size_t(source)];
    if (chunk.Size < needed)
        return false;
    QByteArray bytes;
    if (!ReadChunk(chunk, needed, &bytes))
        return false;
    const uchar* rows = reinterpret_cast<const uchar*>(bytes.constData());
    const bool bottomUp = !m_topDown;
    if (m_bitCount == 8) {
        *image = FromIndexes(rows, stride, bottomUp);
        return true;
    }
    QImage picture(m_width, m_height, QImage::Format_RGB32);
    for (int y = 0; y < m_height; ++y) {
        const uchar* from = rows + qsizetype(bottomUp ? m_height - 1 - y : y) * stride;
        QRgb* to = reinterpret_cast<QRgb*>(picture.scanLine(y));
        for (int x = 0; x < m_width; ++x, from += 3)
            to[x] = qRgb(from[2], from[1], from[0]);
    }
    *image = picture;
    return true;
}

bool TAviClip::DecodeRunLength(int index, QImage* image)
{
    const qsizetype pixels = qsizetype(m_width) * m_height;
    if (m_decoded > index || m_decoded < 0 || m_indexes.size() != pixels) {
        m_indexes.fill('\0', pixels);
        m_decoded = -1;
    }
    // A run-length frame never needs more than two bytes per pixel and a line end per row.
    const qint64 limit = 2 * qint64(pixels) + 4 * qint64(m_height) + 64;
    QByteArray bytes;
    uchar* buffer = reinterpret_cast<uchar*>(m_indexes.data());
    for (int f = m_decoded + 1; f <= index; ++f) {
        if (!ReadChunk(m_frames[size_t(f)], limit, &bytes)) {
            m_decoded = -1;
            return false;
        }
        // A damaged frame still shows what could be decoded of it.
        TRle8Decoder::Decode(reinterpret_cast<const uchar*>(bytes.constData()), bytes.size(),
                             buffer, m_width, m_height, m_width);
        m_decoded = f;
    }
    *image = FromIndexes(buffer, m_width, true);
    return true;
}
