#include "state/TStateValue.h"
#include "components/paint/TLookTypes.h"
#include <gtest/gtest.h>

TEST(TStateValueTest, NumbersAreDecimalOrHexadecimalAfterDollarOrZeroX)
{
    qint32 v = -1;
    EXPECT_TRUE(TStateValue::ParseNumber("10", &v));
    EXPECT_EQ(v, 10);
    EXPECT_TRUE(TStateValue::ParseNumber("  \t-2147483633", &v));
    EXPECT_EQ(v, -2147483633);
    for (const char* text : {"0x0000FF", "$0000FF", "0X0000ff", " $ff"}) {
        v = 0;
        EXPECT_TRUE(TStateValue::ParseNumber(text, &v)) << text;
        EXPECT_EQ(v, 255) << text;
    }
    // A colour number with the top bit set reads back as the negative number it is.
    EXPECT_TRUE(TStateValue::ParseNumber("$8000000F", &v));
    EXPECT_EQ(v, -2147483633);

    v = 77;
    for (const char* text : {"", "word", "12abc", "$", "0x", "1.5", "99999999999", "$1FFFFFFFF"}) {
        EXPECT_FALSE(TStateValue::ParseNumber(text, &v)) << text;
        EXPECT_EQ(v, 77) << text;
        EXPECT_EQ(TStateValue::Lenient(text), 0) << text;
    }
}

TEST(TStateValueTest, BooleansAreNonzeroNumbers)
{
    EXPECT_TRUE(TStateValue::Boolean("1"));
    EXPECT_TRUE(TStateValue::Boolean("-3"));
    EXPECT_TRUE(TStateValue::Boolean("$10"));
    EXPECT_FALSE(TStateValue::Boolean("0"));
    EXPECT_FALSE(TStateValue::Boolean("0x0"));
    EXPECT_FALSE(TStateValue::Boolean("true"));
    EXPECT_FALSE(TStateValue::Boolean(""));
}

TEST(TStateValueTest, FontFacesAreCutTo31Characters)
{
    const QString forty = QString("Abcdefghij").repeated(4);
    EXPECT_EQ(TStateValue::FontFace(forty), forty.left(31));
    EXPECT_EQ(TStateValue::FontFace("MS Sans Serif"), "MS Sans Serif");
    // A character outside the basic plane is never split.
    const QString astral = QString(30, 'a') + QString::fromUtf8("\xF0\x9F\x98\x80") + "z";
    EXPECT_EQ(TStateValue::FontFace(astral), QString(30, 'a'));
}

TEST(TStateValueTest, OrdinalsOutsideTheEnumerationReadAsTheFirstValue)
{
    EXPECT_EQ(TStateValue::Ordinal(2, rbsGradient), rbsGradient);
    EXPECT_EQ(TStateValue::Ordinal(3, rbsGradient), rbsNone);
    EXPECT_EQ(TStateValue::Ordinal(-1, rcsRoundLeft), rcsNone);
    EXPECT_EQ(TStateValue::Ordinal(6, ssShadBottom), ssShadBottom);
    EXPECT_EQ(TStateValue::Ordinal(7, ssShadBottom), ssNoShad);
}
