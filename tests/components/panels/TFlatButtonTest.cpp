#include "components/panels/TFlatButton.h"
#include "platform/TColorRef.h"
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QPalette>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr QRgb kBehind = 0xFF00FF00;

struct TInk
{
    int left = 1 << 30, right = -1, top = 1 << 30, bottom = -1;
};

// Where pixels of colour c lie inside the frame.
TInk InkOf(const QImage& img, QRgb c)
{
    TInk ink;
    for (int y = 1; y < img.height() - 1; ++y)
        for (int x = 1; x < img.width() - 1; ++x)
            if (img.pixel(x, y) == c) {
                ink.left = std::min(ink.left, x);
                ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y);
                ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

class TFlatButtonTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_window.resize(200, 100);
        m_button = new TFlatButton(&m_window);
        m_button->move(20, 20);
        m_button->SetCaption(QStringLiteral("site"));
        m_button->SetFontColour(TColours::clRed);
        QFont f = m_button->font();
        f.setStyleStrategy(QFont::NoAntialias);
        f.setPixelSize(14);
        m_button->setFont(f);
        m_button->OnClick = [this](QObject* sender) {
            ++m_clicks;
            m_sender = sender;
        };
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window));
    }

    QImage Render()
    {
        QImage img(m_button->size(), QImage::Format_RGB32);
        img.fill(kBehind);
        m_button->render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
        return img;
    }

    QPoint Centre() const { return m_button->rect().center(); }
    QRgb Light() const { return TColorRef::ToRgb(TSysColour::clBtnHighlight); }
    QRgb Shadow() const { return TColorRef::ToRgb(TSysColour::clBtnShadow); }

    QWidget m_window;
    TFlatButton* m_button = nullptr;
    int m_clicks = 0;
    QObject* m_sender = nullptr;
};
} // namespace

TEST_F(TFlatButtonTest, FlatWithACentredCaptionUntilTheMouseComes)
{
    TFlatButton fresh;
    EXPECT_EQ(fresh.size(), QSize(50, 40));
    EXPECT_EQ(fresh.Alignment(), TFlatAlignment::taCenter);

    const QImage img = Render();
    EXPECT_EQ(img.pixel(0, 0), kBehind); // transparent: no frame, no fill
    EXPECT_EQ(img.pixel(49, 39), kBehind);
    EXPECT_EQ(img.pixel(25, 2), kBehind);
    const TInk ink = InkOf(img, qRgb(255, 0, 0));
    ASSERT_GE(ink.right, 0);
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 24.5, 2.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 19.5, 3.0);
}

TEST_F(TFlatButtonTest, HoverShowsARaisedFrameAndPressSinksItAndMovesTheCaption)
{
    QTest::mouseMove(m_button, Centre());
    ASSERT_TRUE(m_button->MouseInside());
    const QImage hover = Render();
    EXPECT_EQ(hover.pixel(0, 0), Light());
    EXPECT_EQ(hover.pixel(0, 20), Light());
    EXPECT_EQ(hover.pixel(49, 39), Shadow());
    EXPECT_EQ(hover.pixel(25, 39), Shadow());

    QTest::mousePress(m_button, Qt::LeftButton, {}, Centre());
    ASSERT_TRUE(m_button->Pressed());
    const QImage down = Render();
    EXPECT_EQ(down.pixel(0, 0), Shadow());
    EXPECT_EQ(down.pixel(49, 39), Light());
    const TInk up = InkOf(hover, qRgb(255, 0, 0)), pressed = InkOf(down, qRgb(255, 0, 0));
    EXPECT_EQ(pressed.left, up.left + 1);
    EXPECT_EQ(pressed.top, up.top + 1);
    EXPECT_EQ(m_clicks, 0); // the press alone does not click

    QTest::mouseRelease(m_button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(m_clicks, 1);
    EXPECT_EQ(m_sender, m_button);
    EXPECT_FALSE(m_button->Pressed());
}

TEST_F(TFlatButtonTest, NoFrameWhileItsWindowIsNotActive)
{
    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    QTest::mouseMove(m_button, Centre());
    const QImage img = Render();
    EXPECT_EQ(img.pixel(0, 0), kBehind);
}

TEST_F(TFlatButtonTest, ClickOnlyWhenReleasedOverThePressedButton)
{
    int signals_ = 0;
    QObject::connect(m_button, &TFlatButton::clicked, [&] { ++signals_; });

    QTest::mousePress(m_button, Qt::LeftButton, {}, Centre());
    QTest::mouseMove(m_button, QPoint(120, 60)); // dragged off: the button pops up
    EXPECT_FALSE(m_button->MouseInside());
    EXPECT_EQ(Render().pixel(0, 0), kBehind);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(120, 60));
    EXPECT_EQ(m_clicks, 0);

    // A release without a press before it does nothing either.
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(m_clicks, 0);
    // Nor does the right button.
    QTest::mouseClick(m_button, Qt::RightButton, {}, Centre());
    EXPECT_EQ(m_clicks, 0);

    QTest::mouseClick(m_button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(m_clicks, 1);
    EXPECT_EQ(signals_, 1);
}

TEST_F(TFlatButtonTest, DisabledCaptionIsEmbossedGrey)
{
    m_button->setEnabled(false);
    const QImage img = Render();
    const TInk text = InkOf(img, qRgb(255, 0, 0));
    EXPECT_LT(text.right, 0); // never in its own colour
    const TInk light = InkOf(img, Light()), dark = InkOf(img, Shadow());
    ASSERT_GE(light.right, 0);
    ASSERT_GE(dark.right, 0);
    EXPECT_EQ(light.left, dark.left + 1);
    QTest::mouseClick(m_button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(m_clicks, 0);
}

TEST_F(TFlatButtonTest, LeftAndRightCaptionsKeepThreePixelsFromTheEdge)
{
    m_button->resize(120, 30);
    m_button->SetAlignment(TFlatAlignment::taLeftJustify);
    TInk ink = InkOf(Render(), qRgb(255, 0, 0));
    EXPECT_GE(ink.left, 3);
    EXPECT_LE(ink.left, 6);
    m_button->SetAlignment(TFlatAlignment::taRightJustify);
    ink = InkOf(Render(), qRgb(255, 0, 0));
    EXPECT_LE(ink.right, 116);
    EXPECT_GE(ink.right, 112);
}

TEST_F(TFlatButtonTest, BitmapSitsAboveTheCaptionGreyedUntilHovered)
{
    QImage bitmap(8, 8, QImage::Format_RGB32);
    bitmap.fill(qRgb(0, 0, 255));
    m_button->SetBitmap(bitmap);
    const QImage idle = Render();
    const TInk blue = InkOf(idle, qRgb(0, 0, 255));
    EXPECT_LT(blue.right, 0); // greyed
    const TInk caption = InkOf(idle, qRgb(255, 0, 0));
    int greyTop = -1;
    for (int y = 1; y < 39 && greyTop < 0; ++y) {
        const QRgb c = idle.pixel(24, y);
        if (c != kBehind && qRed(c) == qGreen(c) && qGreen(c) == qBlue(c))
            greyTop = y;
    }
    ASSERT_GE(greyTop, 0);
    EXPECT_LT(greyTop + 8, caption.top + 1);

    QTest::mouseMove(m_button, Centre());
    const TInk hot = InkOf(Render(), qRgb(0, 0, 255));
    EXPECT_EQ(hot.bottom - hot.top, 7);
}

TEST_F(TFlatButtonTest, DropDownMenuOpensOnThePressInsteadOfAClick)
{
    QMenu menu;
    menu.addAction(QStringLiteral("One"));
    m_button->SetDropDownMenu(&menu);
    QTest::mousePress(m_button, Qt::LeftButton, {}, Centre());
    EXPECT_TRUE(menu.isVisible());
    EXPECT_NEAR(menu.pos().y(), m_button->mapToGlobal(QPoint(0, m_button->height())).y(), 2);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, Centre());
    EXPECT_EQ(m_clicks, 0);
    menu.hide();
}
