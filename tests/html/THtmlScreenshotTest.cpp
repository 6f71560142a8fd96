// Pages of the kinds webs of the time were made of, drawn by the view and compared with
// reference pictures kept beside them (tests/html/reference). Small differences of font
// smoothing are tolerated; a changed layout is not.
//
// To make new references after an intended change of the rendering, run this test with
// ZELMORA_UPDATE_REFERENCES=1 under the offscreen platform with the Liberation fonts (as
// CI has them), look at the new pictures, and commit them.
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QApplication>
#include <QDir>
#include <QImage>
#include <gtest/gtest.h>

namespace {

const QString kPages = QStringLiteral(ZELMORA_SOURCE_DIR "/tests/html/pages/");
const QString kReferences = QStringLiteral(ZELMORA_SOURCE_DIR "/tests/html/reference/");

// A pixel counts as different when a channel is off by more than this.
constexpr int kChannelTolerance = 64;
// And the picture as different when more than this share of its pixels is.
constexpr double kPixelShare = 0.01;

QImage Render(const QString& page)
{
    THtmlPane pane;
    pane.SetBorderStyle(htNone);
    pane.SetDefBackground(0xFFFFFF);
    pane.SetDefFontColor(0x000000);
    pane.resize(520, 380);
    pane.show();
    pane.LoadFile(kPages + page);
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    pane.grab();
    QApplication::processEvents();
    return pane.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

double DifferentShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1.0;
    qint64 different = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* pa = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* pb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qRed(pa[x]) - qRed(pb[x])) > kChannelTolerance ||
                std::abs(qGreen(pa[x]) - qGreen(pb[x])) > kChannelTolerance ||
                std::abs(qBlue(pa[x]) - qBlue(pb[x])) > kChannelTolerance)
                ++different;
    }
    return double(different) / (double(a.width()) * a.height());
}

class THtmlScreenshotTest : public ::testing::TestWithParam<const char*>
{};

TEST_P(THtmlScreenshotTest, MatchesTheReference)
{
    const QString page = QString::fromLatin1(GetParam());
    const QImage actual = Render(page);
    const QString reference =
        kReferences + QFileInfo(page).completeBaseName() + QStringLiteral(".png");
    if (qEnvironmentVariable("ZELMORA_UPDATE_REFERENCES") == QLatin1String("1")) {
        QDir().mkpath(kReferences);
        ASSERT_TRUE(actual.save(reference));
        GTEST_SKIP() << "reference written: " << reference.toStdString();
    }
    const QImage expected(reference);
    ASSERT_FALSE(expected.isNull()) << "no reference " << reference.toStdString()
                                    << "; run with ZELMORA_UPDATE_REFERENCES=1 to make it";
    const double share = DifferentShare(actual, expected.convertToFormat(QImage::Format_RGB32));
    if (share > kPixelShare) {
        const QString saved =
            QDir::currentPath() + QStringLiteral("/html-actual-") + QFileInfo(reference).fileName();
        actual.save(saved);
        FAIL() << share * 100 << "% of the pixels differ; this run drew " << saved.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, THtmlScreenshotTest,
    ::testing::Values("fonts.htm", "tables.htm", "imagemap.htm", "frameset.htm", "form.htm",
                      "misnested.htm"),
    [](const ::testing::TestParamInfo<const char*>& info) {
        return QFileInfo(QString::fromLatin1(info.param)).completeBaseName().toStdString();
    });

TEST(THtmlScreenshotSanityTest, TheComparisonNoticesAChangedPage)
{
    const QImage fonts = Render(QStringLiteral("fonts.htm"));
    const QImage tables = Render(QStringLiteral("tables.htm"));
    EXPECT_LT(DifferentShare(fonts, Render(QStringLiteral("fonts.htm"))), 0.0001)
        << "drawing is repeatable";
    EXPECT_GT(DifferentShare(fonts, tables), kPixelShare);
}

} // namespace
