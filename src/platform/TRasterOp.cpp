#include "TRasterOp.h"
#include <cstring>

namespace {

// With the brush fixed for a whole copy, every three-input operation collapses into a
// choice between four 32-bit masks picked by the source and destination bits:
//   result = (m00 & ~s & ~d) | (m01 & ~s & d) | (m10 & s & ~d) | (m11 & s & d)
// where mSD holds, bit for bit, the operation's result for that source/destination pair
// and the brush bit at that position. That is a handful of word operations per pixel
// whatever the code, and it works on two pixels at once in a 64-bit word.
struct TMinterms
{
    quint64 m00, m01, m10, m11;
};

TMinterms MintermsFor(quint32 rop, QRgb brush)
{
    const quint32 op = (rop >> 16) & 0xFFu;
    const quint32 p = brush & 0x00FFFFFFu;
    auto mask = [&](int s, int d) -> quint64 {
        // Bit (P*4 + S*2 + D): the P=1 entry where the brush bit is set, P=0 elsewhere.
        const quint32 whenP1 = ((op >> (4 + s * 2 + d)) & 1u) ? 0xFFFFFFFFu : 0u;
        const quint32 whenP0 = ((op >> (s * 2 + d)) & 1u) ? 0xFFFFFFFFu : 0u;
        const quint32 m = ((p & whenP1) | (~p & whenP0)) & 0x00FFFFFFu;
        return (quint64(m) << 32) | m;
    };
    return {mask(0, 0), mask(0, 1), mask(1, 0), mask(1, 1)};
}

constexpr quint64 kOpaque2 = 0xFF000000FF000000ull;

inline quint64 Combine(const TMinterms& m, quint64 s, quint64 d)
{
    const quint64 ns = ~s, nd = ~d;
    return (m.m00 & ns & nd) | (m.m01 & ns & d) | (m.m10 & s & nd) | (m.m11 & s & d) | kOpaque2;
}

void CombineLine(const TMinterms& m, quint32* dst, const quint32* src, int count)
{
    int i = 0;
    for (; i + 2 <= count; i += 2) {
        quint64 s, d;
        std::memcpy(&s, src + i, sizeof s);
        std::memcpy(&d, dst + i, sizeof d);
        const quint64 r = Combine(m, s, d);
        std::memcpy(dst + i, &r, sizeof r);
    }
    if (i < count)
        dst[i] = quint32(Combine(m, src[i], dst[i]));
}

void SourceCopyLine(quint32* dst, const quint32* src, int count)
{
    for (int i = 0; i < count; ++i)
        dst[i] = src[i] | 0xFF000000u;
}

bool IsRgb32Like(QImage::Format f)
{
    return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
           f == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

void TRasterOp::Copy(QImage& dst, int dx, int dy, const QImage& src, const QRect& srcRect,
                     quint32 rop, QRgb brush)
{
    if (dst.isNull() || src.isNull())
        return;
    if (!IsRgb32Like(dst.format()))
        dst = dst.convertToFormat(QImage::Format_RGB32);

    // Clip the source rectangle to the source, then the target to the destination.
    QRect s = srcRect.intersected(src.rect());
    if (s.isEmpty())
        return;
    dx += s.x() - srcRect.x();
    dy += s.y() - srcRect.y();
    QRect d(dx, dy, s.width(), s.height());
    const QRect clipped = d.intersected(dst.rect());
    if (clipped.isEmpty())
        return;
    s.translate(clipped.x() - d.x(), clipped.y() - d.y());
    s.setSize(clipped.size());

    // A source in another format, or one that is the destination itself (overlapping
    // rows), is read from a private copy of the piece needed.
    QImage piece;
    const QImage* from = &src;
    QRect fromRect = s;
    if (!IsRgb32Like(src.format()) || src.constBits() == dst.constBits()) {
        piece = src.copy(s).convertToFormat(QImage::Format_RGB32);
        if (piece.isNull())
            return;
        from = &piece;
        fromRect = piece.rect();
    }

    const quint32 op = (rop >> 16) & 0xFFu;
    const TMinterms m = MintermsFor(rop, brush);
    const bool plainCopy = op == 0xCC;
    const int w = clipped.width();
    for (int row = 0; row < clipped.height(); ++row) {
        auto* out = reinterpret_cast<quint32*>(dst.scanLine(clipped.y() + row)) + clipped.x();
        const auto* in = reinterpret_cast<const quint32*>(from->constScanLine(fromRect.y() + row)) +
                         fromRect.x();
        if (plainCopy)
            SourceCopyLine(out, in, w);
        else
            CombineLine(m, out, in, w);
    }
}
