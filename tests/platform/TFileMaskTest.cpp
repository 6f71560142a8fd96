#include "platform/TFileMask.h"
#include <gtest/gtest.h>

TEST(TFileMaskTest, WildcardsIgnoreCase)
{
    EXPECT_TRUE(TFileMask::Matches("*.htm", "index.htm"));
    EXPECT_TRUE(TFileMask::Matches("*.htm", "INDEX.HTM"));
    EXPECT_TRUE(TFileMask::Matches("*.bmp", "Advert.BMP"));
    EXPECT_FALSE(TFileMask::Matches("*.htm", "index.txt"));
    EXPECT_FALSE(TFileMask::Matches("*.htm", "htm"));
    EXPECT_TRUE(TFileMask::Matches("a?c.*", "abc.x"));
    EXPECT_FALSE(TFileMask::Matches("a?c.*", "ac.x"));
    EXPECT_FALSE(TFileMask::Matches("", "a"));
}

TEST(TFileMaskTest, ThreeCharacterExtensionMatchesLongerOnes)
{
    EXPECT_TRUE(TFileMask::Matches("*.htm", "page.html"));
    EXPECT_TRUE(TFileMask::Matches("*.htm", "Page.HTMLX"));
    EXPECT_TRUE(TFileMask::Matches("*.htm", "report.final.html"));
    EXPECT_FALSE(TFileMask::Matches("*.html", "page.htm"));
    EXPECT_FALSE(TFileMask::Matches("*.htm", "page.ht"));
    EXPECT_FALSE(TFileMask::Matches("*.htm", "page.xhtml"));
}

TEST(TFileMaskTest, StarDotStarMatchesEverything)
{
    EXPECT_TRUE(TFileMask::Matches("*.*", "readme"));
    EXPECT_TRUE(TFileMask::Matches("*.*", "."));
    EXPECT_TRUE(TFileMask::Matches("*.*", ".."));
    EXPECT_TRUE(TFileMask::Matches("*.*", "a.b.c"));
    EXPECT_TRUE(TFileMask::Matches("*", "anything.at.all"));
    EXPECT_FALSE(TFileMask::Matches("*.htm", "."));
}

TEST(TFileMaskTest, HostileMaskStaysFast)
{
    // Many stars against a long name that never matches: linear backtracking only.
    const QString mask = QString("*a").repeated(200) + "b";
    const QString name = QString(5000, 'a');
    EXPECT_FALSE(TFileMask::Matches(mask, name));
}
