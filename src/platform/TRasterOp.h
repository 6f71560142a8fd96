#pragma once
#include <QImage>
#include <QRect>
#include <QRgb>
#include <QtGlobal>

// The fifteen raster-operation codes of a bit-block transfer, by their standard names.
namespace TCopyMode {
constexpr quint32 cmBlackness = 66;        // 0x00000042
constexpr quint32 cmDstInvert = 5570569;   // 0x00550009
constexpr quint32 cmMergeCopy = 12583114;  // 0x00C000CA
constexpr quint32 cmMergePaint = 12255782; // 0x00BB0226
constexpr quint32 cmNotSrcCopy = 3342344;  // 0x00330008
constexpr quint32 cmNotSrcErase = 1114278; // 0x001100A6
constexpr quint32 cmPatCopy = 15728673;    // 0x00F00021
constexpr quint32 cmPatInvert = 5898313;   // 0x005A0049
constexpr quint32 cmPatPaint = 16452105;   // 0x00FB0A09
constexpr quint32 cmSrcAnd = 8913094;      // 0x008800C6
constexpr quint32 cmSrcCopy = 13369376;    // 0x00CC0020
constexpr quint32 cmSrcErase = 4457256;    // 0x00440328
constexpr quint32 cmSrcInvert = 6684742;   // 0x00660046
constexpr quint32 cmSrcPaint = 15597702;   // 0x00EE0086
constexpr quint32 cmWhiteness = 16711778;  // 0x00FF0062
} // namespace TCopyMode

// A copy with a raster-operation code, computed per pixel and per bit from the code's
// operation byte (bits 16-23): result bit = bit (P*4 + S*2 + D) of that byte, where S is
// the source, D the destination and P the brush colour. One function serves every copy
// mode; it works on whole scan lines of RGB32 surfaces.
class TRasterOp
{
public:
    // Copies srcRect of src onto dst with its top-left at (dx, dy), clipped to both
    // surfaces. dst must be Format_RGB32 or Format_ARGB32(_Premultiplied); src is
    // converted when it is not. The alpha byte of dst is kept opaque.
    static void Copy(QImage& dst, int dx, int dy, const QImage& src, const QRect& srcRect,
                     quint32 rop, QRgb brush);

    // The raw per-pixel rule, for one 24-bit pixel triple.
    static quint32 Apply(quint32 rop, quint32 pattern, quint32 source, quint32 dest)
    {
        const quint32 op = (rop >> 16) & 0xFF;
        quint32 r = 0;
        for (int bit = 0; bit < 24; ++bit) {
            const quint32 p = (pattern >> bit) & 1u, s = (source >> bit) & 1u,
                          d = (dest >> bit) & 1u;
            r |= ((op >> (p * 4 + s * 2 + d)) & 1u) << bit;
        }
        return r;
    }
};
