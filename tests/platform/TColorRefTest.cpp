#include "platform/TColorRef.h"
#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

TEST(TColorRefTest, ColourNumbersAreBlueGreenRed)
{
    EXPECT_EQ(TColorRef::ToQColor(TColours::clNavy), QColor(0, 0, 128));
    EXPECT_EQ(TColorRef::ToQColor(TColours::clRed), QColor(255, 0, 0));
    EXPECT_EQ(TColorRef::ToQColor(0x00336699), QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(TColorRef::ToRgb(TColours::clSilver), qRgb(192, 192, 192));
    EXPECT_EQ(TColorRef::FromQColor(QColor(0x99, 0x66, 0x33)), 0x00336699);
    EXPECT_EQ(TColorRef::FromQColor(QColor(Qt::white)), TColours::clWhite);
    // Round trip over a spread of numbers.
    for (qint32 c : {0, 1, 0x123456, 0xFFFFFF, 0x800000, 0x00FF00})
        EXPECT_EQ(TColorRef::FromQColor(TColorRef::ToQColor(c)), c);
}

TEST(TColorRefTest, SystemColoursFollowTheApplicationPalette)
{
    const QPalette saved = QGuiApplication::palette();
    QPalette p = saved;
    p.setColor(QPalette::Base, QColor(1, 2, 3));
    p.setColor(QPalette::Text, QColor(4, 5, 6));
    p.setColor(QPalette::Highlight, QColor(7, 8, 9));
    p.setColor(QPalette::HighlightedText, QColor(10, 11, 12));
    p.setColor(QPalette::Button, QColor(13, 14, 15));
    p.setColor(QPalette::Dark, QColor(16, 17, 18));
    p.setColor(QPalette::ButtonText, QColor(19, 20, 21));
    p.setColor(QPalette::Light, QColor(22, 23, 24));
    QGuiApplication::setPalette(p);

    EXPECT_TRUE(TColorRef::IsSystem(TSysColour::clBtnFace));
    EXPECT_FALSE(TColorRef::IsSystem(TColours::clWhite));
    EXPECT_EQ(TSysColour::clBtnFace, -2147483633);
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clWindow), QColor(1, 2, 3));
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clWindowText), QColor(4, 5, 6));
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clHighlight), QColor(7, 8, 9));
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clHighlightText), QColor(10, 11, 12));
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clBtnFace), QColor(13, 14, 15));
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clBtnShadow), QColor(16, 17, 18));
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clBtnText), QColor(19, 20, 21));
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::clBtnHighlight), QColor(22, 23, 24));
    // Unknown indexes still give an opaque colour rather than failing.
    EXPECT_TRUE(TColorRef::ToQColor(TSysColour::Make(200)).isValid());
    EXPECT_EQ(TColorRef::ToQColor(TSysColour::Make(200)).alpha(), 255);
    QGuiApplication::setPalette(saved);
}
