// Reading the editor's number fields, its combo tables and its dialog filters.
#include "editor/TNumberField.h"
#include "editor/TDialogFilter.h"
#include "editor/TStyleTables.h"
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TEST(NumberFieldTest, DecimalHexadecimalAndEverythingElseZero)
{
    EXPECT_EQ(TNumberField::Value("20"), 20);
    EXPECT_EQ(TNumberField::Value("-7"), -7);
    EXPECT_EQ(TNumberField::Value("+7"), 7);
    EXPECT_EQ(TNumberField::Value("  15"), 15);
    EXPECT_EQ(TNumberField::Value("$1F"), 31);
    EXPECT_EQ(TNumberField::Value("$ff"), 255);
    EXPECT_EQ(TNumberField::Value("-$10"), -16);
    EXPECT_EQ(TNumberField::Value("$FFFFFFFF"), -1);
    EXPECT_EQ(TNumberField::Value("2147483647"), 2147483647);
    EXPECT_EQ(TNumberField::Value("-2147483648"), -2147483647 - 1);

    for (const char* text : {"", " ", "abc", "12a", "1 2", "20 ", "$", "-", "$G1", "0x10", "1.5",
                             "2147483648", "$100000000", "99999999999999999999"})
        EXPECT_EQ(TNumberField::Value(QString::fromLatin1(text)), 0) << text;
}

TEST(StyleTablesTest, ValuesAndIndexesRoundTrip)
{
    for (int i = 0; i < TStyleTables::CopyModeCount(); ++i)
        EXPECT_EQ(TStyleTables::CopyModeIndex(TStyleTables::CopyModeValue(i)), i);
    EXPECT_EQ(TStyleTables::CopyModeIndex(12345), -1);
    EXPECT_EQ(TStyleTables::CopyModeValue(3), 12255782u);
    EXPECT_EQ(TStyleTables::ShadowIndex(ssShadBottom), 6);
    EXPECT_EQ(TStyleTables::ShadowIndex(TShadowStyle(9)), -1);
    EXPECT_EQ(TStyleTables::CellDrawIndex(TCellStyle(-1)), -1);
    EXPECT_EQ(TStyleTables::BackStyleValue(2), rbsGradient);
}

TEST(DialogFilterTest, PairsBecomeQtFilters)
{
    EXPECT_EQ(TDialogFilter::ToQt("BMP Files (*.bmp)|*.bmp"), QStringList({"BMP Files (*.bmp)"}));
    EXPECT_EQ(TDialogFilter::ToQt("HTML Files (*.htm,*.html)|*.htm;*.html"),
              QStringList({"HTML Files (*.htm *.html)"}));
    EXPECT_EQ(TDialogFilter::ToQt("Bitmap Files (*.BMP)|*.bmp"),
              QStringList({"Bitmap Files (*.bmp)"}));
    EXPECT_EQ(TDialogFilter::ToQt("All Files (*.*)|*.*"), QStringList({"All Files (*.*)"}));
    EXPECT_EQ(TDialogFilter::ToQt("A|*.a|B|*.b;*.c"), QStringList({"A (*.a)", "B (*.b *.c)"}));
    EXPECT_TRUE(TDialogFilter::ToQt("").isEmpty());
}

TEST(DialogFilterTest, PatternsCanIgnoreLetterCase)
{
    const QStringList filters =
        TDialogFilter::IgnoringCase({"BMP Files (*.bmp)", "All Files (*.*)"});
    EXPECT_EQ(filters, QStringList({"BMP Files (*.[bB][mM][pP])", "All Files (*)"}));
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression("*.[bB][mM][pP]"));
    EXPECT_TRUE(re.match("LOGO.BMP").hasMatch());
    EXPECT_TRUE(re.match("logo.bmp").hasMatch());
    EXPECT_FALSE(re.match("logo.png").hasMatch());
}

} // namespace
