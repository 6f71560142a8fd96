#include "platform/TRasterOp.h"
#include <QImage>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Red channel: P 0xF0, S 0xCC, D 0xAA, so every (P, S, D) combination occurs in one bit
// position and the result byte spells the code's operation byte. Green and blue carry
// arbitrary values checked against each code's own formula.
constexpr QRgb kP = 0xFFF0129A;
constexpr QRgb kS = 0xFFCC34BC;
constexpr QRgb kD = 0xFFAA56DE;

QImage Filled(int w, int h, QRgb c)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(c);
    return img;
}

struct TCase
{
    const char* name;
    quint32 code;
    std::function<quint32(quint32 p, quint32 s, quint32 d)> formula;
};

const TCase kCases[] = {
    {"cmBlackness", TCopyMode::cmBlackness, [](quint32, quint32, quint32) { return 0u; }},
    {"cmDstInvert", TCopyMode::cmDstInvert, [](quint32, quint32, quint32 d) { return ~d; }},
    {"cmMergeCopy", TCopyMode::cmMergeCopy, [](quint32 p, quint32 s, quint32) { return s & p; }},
    {"cmMergePaint", TCopyMode::cmMergePaint, [](quint32, quint32 s, quint32 d) { return ~s | d; }},
    {"cmNotSrcCopy", TCopyMode::cmNotSrcCopy, [](quint32, quint32 s, quint32) { return ~s; }},
    {"cmNotSrcErase", TCopyMode::cmNotSrcErase,
     [](quint32, quint32 s, quint32 d) { return ~(s | d); }},
    {"cmPatCopy", TCopyMode::cmPatCopy, [](quint32 p, quint32, quint32) { return p; }},
    {"cmPatInvert", TCopyMode::cmPatInvert, [](quint32 p, quint32, quint32 d) { return p ^ d; }},
    {"cmPatPaint", TCopyMode::cmPatPaint,
     [](quint32 p, quint32 s, quint32 d) { return p | ~s | d; }},
    {"cmSrcAnd", TCopyMode::cmSrcAnd, [](quint32, quint32 s, quint32 d) { return s & d; }},
    {"cmSrcCopy", TCopyMode::cmSrcCopy, [](quint32, quint32 s, quint32) { return s; }},
    {"cmSrcErase", TCopyMode::cmSrcErase, [](quint32, quint32 s, quint32 d) { return s & ~d; }},
    {"cmSrcInvert", TCopyMode::cmSrcInvert, [](quint32, quint32 s, quint32 d) { return s ^ d; }},
    {"cmSrcPaint", TCopyMode::cmSrcPaint, [](quint32, quint32 s, quint32 d) { return s | d; }},
    {"cmWhiteness", TCopyMode::cmWhiteness, [](quint32, quint32, quint32) { return ~0u; }},
};

} // namespace

TEST(TRasterOpTest, EveryCodeGivesItsFormulaOnEveryPixel)
{
    for (const TCase& c : kCases) {
        SCOPED_TRACE(c.name);
        // Odd width: the last pixel of a line takes the single-pixel path.
        QImage dst = Filled(7, 3, kD);
        const QImage src = Filled(7, 3, kS);
        TRasterOp::Copy(dst, 0, 0, src, src.rect(), c.code, kP);
        const QRgb expected = 0xFF000000u | (c.formula(kP, kS, kD) & 0x00FFFFFFu);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(dst.pixel(x, y), expected) << x << "," << y;
        EXPECT_EQ(qRed(dst.pixel(0, 0)), int((c.code >> 16) & 0xFF));
        EXPECT_EQ(TRasterOp::Apply(c.code, kP, kS, kD), expected & 0x00FFFFFFu);
    }
}

TEST(TRasterOpTest, AllOperationBytesAgreeWithThePerBitRule)
{
    // Neighbouring pixels differ so the two-pixels-at-a-time path sees mixed words.
    QImage src(4, 1, QImage::Format_RGB32), base(4, 1, QImage::Format_RGB32);
    const QRgb s[4] = {0xFF123456, 0xFFFEDCBA, 0xFF00FF00, 0xFF0F0F0F};
    const QRgb d[4] = {0xFF89ABCD, 0xFF13579B, 0xFFFF00FF, 0xFFF0F0F0};
    for (int i = 0; i < 4; ++i) {
        src.setPixel(i, 0, s[i]);
        base.setPixel(i, 0, d[i]);
    }
    const QRgb brush = 0xFF5A3CC3;
    for (quint32 op = 0; op < 256; ++op) {
        QImage dst = base.copy();
        TRasterOp::Copy(dst, 0, 0, src, src.rect(), op << 16, brush);
        for (int i = 0; i < 4; ++i)
            ASSERT_EQ(dst.pixel(i, 0), 0xFF000000u | TRasterOp::Apply(op << 16, brush, s[i], d[i]))
                << "op " << op << " pixel " << i;
    }
}

TEST(TRasterOpTest, SourcePaintBrightensWhereSourceCopyCovers)
{
    const QImage silver = Filled(4, 4, 0xFFC0C0C0);
    QImage painted = Filled(4, 4, 0xFF203F80);
    QImage copied = painted.copy();
    TRasterOp::Copy(painted, 0, 0, silver, silver.rect(), TCopyMode::cmSrcPaint, 0);
    TRasterOp::Copy(copied, 0, 0, silver, silver.rect(), TCopyMode::cmSrcCopy, 0);
    EXPECT_EQ(painted.pixel(1, 1), 0xFFE0FFC0u); // 0x20|0xC0, 0x3F|0xC0, 0x80|0xC0
    EXPECT_EQ(copied.pixel(1, 1), 0xFFC0C0C0u);
}

TEST(TRasterOpTest, ClipsToBothSurfacesAndKeepsTheRest)
{
    QImage dst = Filled(10, 10, 0xFF000000);
    const QImage src = Filled(6, 6, 0xFFFFFFFF);
    // Target partly outside at the top-left; source rectangle partly outside its image.
    TRasterOp::Copy(dst, -2, -3, src, QRect(-1, 0, 6, 6), TCopyMode::cmSrcCopy, 0);
    // Source column -1 does not exist: valid source x 0..4 lands at dst x -1..3, rows y -3..2.
    EXPECT_EQ(dst.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(dst.pixel(3, 2), 0xFFFFFFFFu);
    EXPECT_EQ(dst.pixel(4, 2), 0xFF000000u);
    EXPECT_EQ(dst.pixel(3, 3), 0xFF000000u);
    // Entirely outside: nothing happens, no crash.
    TRasterOp::Copy(dst, 50, 50, src, src.rect(), TCopyMode::cmWhiteness, 0);
    TRasterOp::Copy(dst, 0, 0, src, QRect(20, 20, 5, 5), TCopyMode::cmWhiteness, 0);
    EXPECT_EQ(dst.pixel(9, 9), 0xFF000000u);
}

TEST(TRasterOpTest, CopyWithinOneSurfaceReadsTheOriginalPixels)
{
    QImage img(4, 1, QImage::Format_RGB32);
    for (int i = 0; i < 4; ++i)
        img.setPixel(i, 0, qRgb(i * 10, 0, 0));
    TRasterOp::Copy(img, 1, 0, img, QRect(0, 0, 3, 1), TCopyMode::cmSrcCopy, 0);
    EXPECT_EQ(qRed(img.pixel(1, 0)), 0);
    EXPECT_EQ(qRed(img.pixel(2, 0)), 10);
    EXPECT_EQ(qRed(img.pixel(3, 0)), 20);
}

TEST(TRasterOpTest, OtherFormatsAreConvertedAndAlphaStaysOpaque)
{
    QImage dst(2, 2, QImage::Format_ARGB32_Premultiplied);
    dst.fill(0xFF000000);
    QImage src(2, 2, QImage::Format_RGB888);
    src.fill(QColor(0x11, 0x22, 0x33));
    TRasterOp::Copy(dst, 0, 0, src, src.rect(), TCopyMode::cmSrcInvert, 0);
    EXPECT_EQ(dst.pixel(0, 0), 0xFF112233u);
    TRasterOp::Copy(dst, 0, 0, src, src.rect(), TCopyMode::cmBlackness, 0);
    EXPECT_EQ(qAlpha(dst.pixel(1, 1)), 255);

    QImage indexed(2, 2, QImage::Format_Grayscale8);
    indexed.fill(0);
    TRasterOp::Copy(indexed, 0, 0, src, src.rect(), TCopyMode::cmSrcCopy, 0);
    EXPECT_EQ(indexed.format(), QImage::Format_RGB32);
    EXPECT_EQ(indexed.pixel(0, 0), 0xFF112233u);
}
