#include "components/listview/TSortCompare.h"
#include "components/listview/LocaleScope.h"
#include <gtest/gtest.h>

TEST(TSortCompare, DecimalNumbersMustParseCompletely)
{
    for (const char* text : {"10", "-1.5e3", "+2", ".5", "7.", " 3 ", "1E+2", "0.000"})
        EXPECT_TRUE(TSortCompare::ParseDecimal(QString::fromLatin1(text)).has_value()) << text;
    EXPECT_DOUBLE_EQ(*TSortCompare::ParseDecimal("-1.5e3"), -1500.0);
    EXPECT_DOUBLE_EQ(*TSortCompare::ParseDecimal(" 3 "), 3.0);
    for (const char* text : {"1,5", "1,000", "abc", "1e", "1e+", "inf", "nan", "", " ", "1.2.3",
                             "0x10", "--1", "+", ".", "12KB", "1 000", "1e999"})
        EXPECT_FALSE(TSortCompare::ParseDecimal(QString::fromLatin1(text)).has_value()) << text;
}

TEST(TSortCompare, DateSeparatorComesFromTheShortFormat)
{
    EXPECT_EQ(TSortCompare::DateSeparator(QLocale(QLocale::English, QLocale::UnitedStates)),
              QChar(u'/'));
    EXPECT_EQ(TSortCompare::DateSeparator(QLocale(QLocale::German, QLocale::Germany)), QChar(u'.'));
}

TEST(TSortCompare, ShortDatesCompareByWholeDays)
{
    LocaleScope scope(QLocale(QLocale::English, QLocale::UnitedStates));
    const TSortCompare compare;
    EXPECT_EQ(compare.Compare("1/15/2023", "1/10/2023"), 5);
    EXPECT_EQ(compare.Compare("1/10/2023", "1/15/2023"), -5);
    EXPECT_EQ(compare.Compare("12/31/2022", "1/1/2023"), -1);
    EXPECT_EQ(compare.Compare("3/1/2024", "2/28/2024"), 2); // leap year
    EXPECT_EQ(compare.Compare("1/15/23", "1/15/2023"), 0);  // two-digit year, this century
    EXPECT_EQ(compare.Compare("7/4/2001", "7/4/2001"), 0);
    // Day counts, not text order: as texts "10/1/2023" < "9/1/2023".
    EXPECT_GT(compare.Compare("10/1/2023", "9/1/2023"), 0);
}

TEST(TSortCompare, GermanShortDates)
{
    LocaleScope scope(QLocale(QLocale::German, QLocale::Germany));
    const TSortCompare compare;
    EXPECT_EQ(compare.Compare("15.01.2023", "10.01.2023"), 5);
    EXPECT_EQ(compare.Compare("01.02.23", "31.01.23"), 1);
    // "10.5" holds the separator but is no date: compared as numbers.
    EXPECT_EQ(compare.Compare("10.5", "9"), 1);
}

TEST(TSortCompare, OnlyBothDatesCompareAsDates)
{
    LocaleScope scope(QLocale(QLocale::English, QLocale::UnitedStates));
    const TSortCompare compare;
    // One side no date: text order, where "1/2/2023" sorts before "5".
    EXPECT_LT(compare.Compare("1/2/2023", "5"), 0);
    EXPECT_GT(compare.Compare("5", "1/2/2023"), 0);
    // An impossible date is text: "2/30/2023" after "10/1/2023", where a real date is before.
    EXPECT_FALSE(TSortCompare::ParseShortDate("2/30/2023", QLocale()).has_value());
    EXPECT_GT(compare.Compare("2/30/2023", "10/1/2023"), 0);
    EXPECT_LT(compare.Compare("2/28/2023", "10/1/2023"), 0);
}

TEST(TSortCompare, NumbersBeforeText)
{
    LocaleScope scope(QLocale(QLocale::English, QLocale::UnitedStates));
    const TSortCompare compare;
    EXPECT_EQ(compare.Compare("9", "10"), -1);
    EXPECT_EQ(compare.Compare("100", "10"), 1);
    EXPECT_EQ(compare.Compare("1.0", "1"), 0);
    EXPECT_EQ(compare.Compare("-2", "1e0"), -1);
    // A comma is no decimal mark: "3,5" against "20" is text, and "3" sorts after "2".
    EXPECT_GT(compare.Compare("3,5", "20"), 0);
    EXPECT_LT(compare.Compare("3.5", "20"), 0);
}

TEST(TSortCompare, CommaDecimalIsTextEvenInACommaLocale)
{
    LocaleScope scope(QLocale(QLocale::German, QLocale::Germany));
    const TSortCompare compare;
    EXPECT_GT(compare.Compare("3,5", "20"), 0);
}

TEST(TSortCompare, TextIsLocaleAwareAndCaseSensitive)
{
    LocaleScope scope(QLocale(QLocale::English, QLocale::UnitedStates));
    const TSortCompare compare;
    EXPECT_NE(compare.Compare("apple", "Apple"), 0);
    EXPECT_EQ(compare.Compare("apple", "apple"), 0);
    // Locale-aware: letters in dictionary order regardless of case, unlike code points.
    EXPECT_LT(compare.Compare("apple", "Banana"), 0);
    EXPECT_LT(compare.Compare("Apple", "banana"), 0);
    EXPECT_LT(compare.Compare("", "a"), 0);
}
