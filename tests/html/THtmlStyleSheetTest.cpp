#include "html/THtmlStyleSheet.h"
#include <gtest/gtest.h>

TEST(THtmlStyleSheetTest, ElementNamesInSelectorsAreLowerCasedAndNothingElse)
{
    const struct
    {
        const char* sheet;
        const char* engine;
    } cases[] = {
        {"TD {font-family: Verdana,Arial}", "td {font-family: Verdana,Arial}"},
        {"A:link, A:Visited { color: Red }", "a:link, a:Visited { color: Red }"},
        {"#Nav UL LI.Item>B { x: Y }", "#Nav ul li.Item>b { x: Y }"},
        {"INPUT[TYPE=\"Text\"] {}", "input[TYPE=\"Text\"] {}"},
        {"/* TD */ P {} H1 { content: \"X {Y}\" } BODY {}",
         "/* TD */ p {} h1 { content: \"X {Y}\" } body {}"},
        {"@media Screen { BODY { Color: Red } } EM {}",
         "@media Screen { body { Color: Red } } em {}"},
        {"@import \"A.css\"; @font-face { Font-Family: X } DIV {}",
         "@import \"A.css\"; @font-face { Font-Family: X } div {}"},
        {"TD { unclosed", "td { unclosed"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(THtmlStyleSheet::ForEngine(QString::fromUtf8(c.sheet)),
                  QString::fromUtf8(c.engine))
            << c.sheet;
}
