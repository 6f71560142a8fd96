#include "components/paint/TTextPainter.h"
#include "platform/TColorRef.h"
#include <QGuiApplication>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace {
// Distinct, unsmoothed colours so each copy can be told apart by its pixels.
class TTextPainterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = QGuiApplication::palette();
        QPalette p = m_saved;
        p.setColor(QPalette::Light, QColor(255, 255, 255));
        p.setColor(QPalette::Dark, QColor(0, 0, 255));
        QGuiApplication::setPalette(p);
        TTextPainter::ResetCopiesDrawn();
    }
    void TearDown() override { QGuiApplication::setPalette(m_saved); }

    static QFont Font(int points)
    {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPointSize(points);
        f.setStyleStrategy(QFont::NoAntialias);
        return f;
    }
    static int Count(const QImage& img, QRgb c)
    {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                n += img.pixel(x, y) == c;
        return n;
    }
    static QImage Render(int points, bool embossed, int* copies, const QString& text = "Harbour")
    {
        QImage img(300, 60, QImage::Format_RGB32);
        img.fill(Qt::black);
        QPainter p(&img);
        *copies = TTextPainter::Draw(p, QRect(10, 5, 280, 50), text, Font(points), TColours::clRed,
                                     embossed);
        return img;
    }

    QPalette m_saved;
};
} // namespace

TEST_F(TTextPainterTest, EmbossedLargeFontDrawsHighlightShadowAndText)
{
    int copies = 0;
    const QImage img = Render(18, true, &copies);
    EXPECT_EQ(copies, 3);
    EXPECT_EQ(TTextPainter::CopiesDrawn(), 3);
    EXPECT_GT(Count(img, qRgb(255, 255, 255)), 0); // highlight copy
    EXPECT_GT(Count(img, qRgb(0, 0, 255)), 0);     // shadow copy
    EXPECT_GT(Count(img, qRgb(255, 0, 0)), 0);     // the text
}

TEST_F(TTextPainterTest, EmbossedSmallFontHasNoShadowCopy)
{
    int copies = 0;
    const QImage img = Render(10, true, &copies);
    EXPECT_EQ(copies, 2);
    EXPECT_EQ(TTextPainter::CopiesDrawn(), 2);
    EXPECT_GT(Count(img, qRgb(255, 255, 255)), 0);
    EXPECT_EQ(Count(img, qRgb(0, 0, 255)), 0);
    EXPECT_GT(Count(img, qRgb(255, 0, 0)), 0);
    // 16 points is still "16 or less".
    Render(16, true, &copies);
    EXPECT_EQ(copies, 2);
}

TEST_F(TTextPainterTest, PlainTextIsOneCopyInItsColour)
{
    int copies = 0;
    const QImage img = Render(18, false, &copies);
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(Count(img, qRgb(255, 255, 255)), 0);
    EXPECT_GT(Count(img, qRgb(255, 0, 0)), 0);
    // Empty text draws nothing at all.
    const QImage none = Render(18, true, &copies, QString());
    EXPECT_EQ(copies, 0);
    EXPECT_EQ(Count(none, qRgb(0, 0, 0)), 300 * 60);
}

TEST_F(TTextPainterTest, TextStaysOnOneLineInsideItsRectangleVerticallyCentred)
{
    QImage img(120, 40, QImage::Format_RGB32);
    img.fill(Qt::black);
    {
        QPainter p(&img);
        TTextPainter::Draw(p, QRect(10, 0, 60, 40),
                           "A caption far too long for the cell it is drawn in\nsecond line",
                           Font(10), TColours::clRed, false);
    }
    int top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x)
            if (img.pixel(x, y) == qRgb(255, 0, 0)) {
                ASSERT_GE(x, 10);
                ASSERT_LT(x, 70); // clipped with an ellipsis, never past the rectangle
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(bottom, 0);
    EXPECT_LT(bottom - top, 20); // one line only
    EXPECT_NEAR((top + bottom) / 2.0, 20.0, 4.0);
}

TEST_F(TTextPainterTest, PixelSizedFontsAreMeasuredInPoints)
{
    QFont f;
    f.setPixelSize(24); // 18 points at 96 dots per inch
    QImage img(10, 10, QImage::Format_RGB32);
    EXPECT_NEAR(TTextPainter::PointSize(f, &img), 18.0, 0.2);
    EXPECT_NEAR(TTextPainter::PointSize(Font(10), &img), 10.0, 0.01);
}
