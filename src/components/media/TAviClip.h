#pragma once
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>
#include <vector>

// A silent AVI clip read straight from its RIFF file: one video stream of 8-bit palette
// or 24-bit pictures, uncompressed or RLE8-compressed, rows stored bottom-up (top-down
// for uncompressed pictures with a negative height). Clips with a sound track, more than
// one stream or any other codec are refused, as are damaged files: every size and offset
// is checked against the file before it is used, frames are at most MaxDimension pixels
// each way and a clip has at most MaxFrames frames. Frames are read from the file when
// they are wanted; the file stays open while the clip is.
class TAviClip
{
public:
    static constexpr int MaxDimension = 4096;
    static constexpr int MaxFrames = 100000;

    TAviClip() = default;
    TAviClip(const TAviClip&) = delete;
    TAviClip& operator=(const TAviClip&) = delete;

    // Reads the clip's headers and frame list and decodes its first frame. On failure the
    // clip is closed and ErrorText() says why.
    bool Open(const QString& path);
    void Close();
    bool IsOpen() const { return m_open; }
    const QString& ErrorText() const { return m_error; }

    int FrameCount() const { return int(m_frames.size()); }
    QSize FrameSize() const { return QSize(m_width, m_height); }
    int BitCount() const { return m_bitCount; }
    bool RunLengthEncoded() const { return m_rle; }
    // The time one frame is shown, from the clip's header.
    qint64 MicroSecPerFrame() const { return m_microSecPerFrame; }

    // The picture of frame index as RGB32; false when there is no such frame or its data
    // cannot be read.
    bool Frame(int index, QImage* image);

private:
    struct TFrameChunk
    {
        qint64 Offset;
        quint32 Size;
    };
    // A chunk's head: its four-letter tag, size, where its data starts and, for a list,
    // the list's type (0 for other chunks).
    struct TChunkHead
    {
        char Tag[4];
        quint32 Id;
        quint32 Size;
        qint64 Data;
        quint32 ListType;
    };

    bool Fail(const QString& why);
    bool Parse();
    bool ReadHeaders(const QByteArray& list);
    bool ReadStream(const QByteArray& list, int* streams);
    bool ReadFormat(const char* data, quint32 size);
    bool ScanFrames(qint64 start, qint64 end, int depth);
    bool ReadChunkHead(qint64 at, qint64 end, const QString& pastEnd, TChunkHead* head);
    bool ReadAt(qint64 position, char* buffer, qint64 count);
    bool ReadChunk(const TFrameChunk& chunk, qint64 limit, QByteArray* bytes);
    bool DecodeRaw(int index, QImage* image);
    bool DecodeRunLength(int index, QImage* image);
    QImage FromIndexes(const uchar* rows, qsizetype stride, bool bottomUp) const;

    QFile m_file;
    bool m_open = false;
    QString m_error;
    qint64 m_fileSize = 0;
    qint64 m_chunksSeen = 0;

    bool m_haveHeader = false;
    bool m_haveVideo = false;
    qint64 m_microSecPerFrame = 0;
    qint64 m_streamMicroSecPerFrame = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_topDown = false;
    int m_bitCount = 0;
    bool m_rle = false;
    QVector<QRgb> m_palette;
    std::vector<TFrameChunk> m_frames;

    // Run-length frames build on the one before: the indexes after frame m_decoded.
    QByteArray m_indexes;
    int m_decoded = -1;
    int m_lastIndex = -1;
    QImage m_lastImage;
};
