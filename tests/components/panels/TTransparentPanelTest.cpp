#include "components/panels/TTransparentPanel.h"
#include "platform/TColorRef.h"
#include <QImage>
#include <gtest/gtest.h>

namespace {
constexpr QRgb kBehind = 0xFF00FF00;
QImage Render(QWidget& w)
{
    QImage img(w.size(), QImage::Format_RGB32);
    img.fill(kBehind);
    w.render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    return img;
}
} // namespace

TEST(TTransparentPanelTest, TransparentPanelDrawsNothingAtAll)
{
    TTransparentPanel panel;
    panel.resize(80, 40);
    panel.SetCaption(QStringLiteral("HomePanel"));
    panel.SetColor(TColours::clNavy);
    EXPECT_FALSE(panel.DrawAsTransparent());
    panel.SetDrawAsTransparent(true);
    const QImage img = Render(panel);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            ASSERT_EQ(img.pixel(x, y), kBehind) << x << "," << y;
}

TEST(TTransparentPanelTest, OtherwiseAPlainRaisedPanelWithItsCaption)
{
    TTransparentPanel panel;
    panel.resize(80, 40);
    panel.SetColor(TColours::clNavy);
    panel.SetFontColour(TColours::clWhite);
    panel.SetCaption(QStringLiteral("HomePanel"));
    const QImage img = Render(panel);
    EXPECT_EQ(img.pixel(0, 0), TColorRef::ToRgb(TSysColour::clBtnHighlight));
    EXPECT_EQ(img.pixel(79, 39), TColorRef::ToRgb(TSysColour::clBtnShadow));
    EXPECT_EQ(img.pixel(3, 3), qRgb(0, 0, 128));
    int captionPixels = 0;
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 79; ++x)
            captionPixels += img.pixel(x, y) != qRgb(0, 0, 128);
    EXPECT_GT(captionPixels, 10);
}
