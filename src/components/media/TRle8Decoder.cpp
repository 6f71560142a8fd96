#include "components/media/TRle8Decoder.h"
#include <algorithm>
#include <cstring>

namespace {
// Writes count pixels of a row from x on, dropping what lies outside the frame.
class TRowWriter
{
public:
    TRowWriter(uchar* pixels, int width, int height, qsizetype stride)
        : m_pixels(pixels), m_width(width), m_height(height), m_stride(stride)
    {}

    void Fill(qint64 x, qint64 y, int count, uchar index) const
    {
        const int from = Start(x, y);
        const int to = End(x, y, count);
        if (from < to)
            std::memset(Row(y) + from, index, size_t(to - from));
    }

    void Copy(qint64 x, qint64 y, const uchar* indexes, int count) const
    {
        const int from = Start(x, y);
        const int to = End(x, y, count);
        if (from < to)
            std::memcpy(Row(y) + from, indexes + (from - x), size_t(to - from));
    }

private:
    bool RowInside(qint64 y) const { return y >= 0 && y < m_height; }
    int Start(qint64 x, qint64 y) const
    {
        return RowInside(y) ? int(std::clamp<qint64>(x, 0, m_width)) : 0;
    }
    int End(qint64 x, qint64 y, int count) const
    {
        return RowInside(y) ? int(std::clamp<qint64>(x + count, 0, m_width)) : 0;
    }
    uchar* Row(qint64 y) const { return m_pixels + qsizetype(y) * m_stride; }

    uchar* m_pixels;
    int m_width;
    int m_height;
    qsizetype m_stride;
};
} // namespace

bool TRle8Decoder::Decode(const uchar* data, qsizetype size, uchar* pixels, int width, int height,
                          qsizetype stride)
{
    const TRowWriter writer(pixels, width, height, stride);
    qint64 x = 0;
    qint64 y = 0;
    qsizetype at = 0;
    while (at < size) {
        if (y >= height)
            return true; // nothing more can land inside the frame
        if (at + 2 > size)
            return false;
        const uchar count = data[at];
        const uchar code = data[at + 1];
        at += 2;
        if (count > 0) {
            writer.Fill(x, y, count, code);
            x += count;
            continue;
        }
        switch (code) {
        case 0: // end of line
            x = 0;
            ++y;
            break;
        case 1: // end of bitmap
            return true;
        case 2: // delta
            if (at + 2 > size)
                return false;
            x += data[at];
            y += data[at + 1];
            at += 2;
            break;
        default: { // absolute run
            const int run = code;
            const qsizetype padded = run + (run & 1);
            if (at + run > size)
                return false;
            writer.Copy(x, y, data + at, run);
            x += run;
            at = std::min(size, at + padded);
            break;
        }
        }
    }
    return true;
}
