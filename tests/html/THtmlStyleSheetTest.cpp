#include "html/THtmlStyleSheet.h"
#include "html/TCssBoxRules.h"
#include "html/TCssDeclarations.h"
#include <QFontDatabase>
#include <QStringList>
#include <gtest/gtest.h>
#include <utility>

namespace {

// Each sheet as it is written and as the engine is to get it.
using TSheets = std::initializer_list<std::pair<const char*, const char*>>;

void ExpectForEngine(TSheets cases)
{
    for (const auto& [sheet, engine] : cases)
        EXPECT_EQ(THtmlStyleSheet::ForEngine(QString::fromUtf8(sheet)), QString::fromUtf8(engine))
            << sheet;
}

} // namespace

TEST(THtmlStyleSheetTest, ElementNamesInSelectorsAreLowerCasedAndNothingElse)
{
    ExpectForEngine({
        {"TD {font-weight: Bold}", "td {font-weight: Bold}"},
        {"A:link, A:Visited { color: Red }", "a:link, a:Visited { color: Red }"},
        {"#Nav UL LI.Item>B { x: Y }", "#Nav ul li.Item>b { x: Y }"},
        {"INPUT[TYPE=\"Text\"] {}", "input[TYPE=\"Text\"] {}"},
        {"/* TD */ P {} H1 { content: \"X {Y}\" } BODY {}",
         "  p {} h1 { content: \"X {Y}\" } body {}"},
        {".page /* a note */\n{ color: red /* ; } */ }", ".page  \n{ color: red   }"},
        {"@media Screen { BODY { Color: Red } } EM {}",
         "@media Screen { body { Color: Red } } em {}"},
        {"@import \"A.css\"; @font-face { Font-Family: X } DIV {}",
         "@import \"A.css\"; @font-face { Font-Family: X } div {}"},
        {"TD { unclosed", "td { unclosed"},
        {"", ""},
    });
}

TEST(THtmlStyleSheetTest, SizesOfRulesForHeadingsComeInPixels)
{
    ExpectForEngine({
        {"H2 {font-size: 200%}", "h2 {font-size:32px}"},
        {"h2.docs, div > H3 {font-size: 12pt}", "h2.docs, div > h3 {font-size:16px}"},
        {"h1, p {font-size: 12px}", "h1, p {font-size:9pt}"},
        {"h10, hr {font-size: 12px}", "h10, hr {font-size:9pt}"},
    });
}

TEST(TCssDeclarationsTest, ValuesTheEngineMisreadsArePutInTermsItReads)
{
    // A default of 12 points (16 pixels); declarations that need nothing stay as written.
    const struct
    {
        const char* declarations;
        const char* engine;
    } cases[] = {
        {"font-size: 130%", "font-size:15.6pt"},
        {"font-size: .5rem; color: Red", "font-size:6pt; color: Red"},
        {"Font-Size: 2em !important", "font-size:24pt !important"},
        {"font-size: large", "font-size:13.5pt"},
        {"font-size: 12pt", "font-size: 12pt"},
        {"font-size: 12px", "font-size:9pt"},
        {"font-size: 0%; color: red", " color: red"},
        {"margin-top: .5rem", "margin-top:8px"},
        {"margin: 1em 0", "margin:16px 0"},
        {"margin-left: 1in; text-indent: 2em", "margin-left:96px;text-indent:32px"},
        {"padding-left: 35%; color: red", " color: red"},
        {"width: 50%", "width: 50%"},
        {"padding: 0", "padding:0;-qt-list-indent:0"},
        {"padding: 1em 0 0 0", "padding:16px 0 0 0;-qt-list-indent:0"},
        {"padding-left: 2px", "padding-left: 2px"},
        {"border: 0.5em solid red", "border:8px solid red"},
        {"font: 1em/1.5em arial,sans-serif", "font-size:12pt;font-family:arial,'Arial'"},
        {"font: italic bold 10pt serif", "font-style:italic;font-weight:bold;font-size:10pt;"
                                         "font-family:'Times New Roman'"},
        {"font: inherit", ""},
        {"font-family: cursive", ""},
        {"font-family: monospace", "font-family:'Courier New'"},
        {"content: \"a;b\"; font-size: 50%", "content: \"a;b\";font-size:6pt"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TCssDeclarations::ForEngine(QString::fromUtf8(c.declarations), {}),
                  QString::fromUtf8(c.engine))
            << c.declarations;
}

TEST(TCssDeclarationsTest, FacesThisMachineLacksGiveWayToTheNextInTheList)
{
    const QString missing = QStringLiteral("No Such Face 7f3a");
    ASSERT_FALSE(QFontDatabase::hasFamily(missing));
    const QString present = QFontDatabase::families().value(0);
    ASSERT_FALSE(present.isEmpty());
    EXPECT_EQ(TCssDeclarations::AvailableFamilies({missing, present}), QStringList{present});
    EXPECT_EQ(TCssDeclarations::AvailableFamilies({missing, QStringLiteral("'Arial'")}),
              QStringList{QStringLiteral("'Arial'")})
        << "a face the system's metric-compatible faces stand in for counts as present";
    EXPECT_EQ(TCssDeclarations::AvailableFamilies({missing}), QStringList{missing})
        << "none present: the system's nearest face is used";
}

TEST(TCssBoxRulesTest, TheBoxOfADivisionComesFromTheRulesThatPickItAndItsStyle)
{
    TCssBoxRules rules;
    rules.Add("div { padding: 1px } .note { border: 2px solid red } div.note { border-width: 4px }"
              "#top { border-style: none } div p { padding: 9px } a:hover, .x > .y { float: left }"
              "@media print { .note { border: 8px solid blue } }"
              "@media screen { .wide { width: 50%; background: #ffffcc url(a.png) } }");
    const struct
    {
        const char* classes;
        const char* id;
        const char* style;
        int border, padding;
        const char* colour;
        bool floats;
    } cases[] = {
        {"", "", "", 0, 1, "", false},
        {"note", "", "", 4, 1, "red", false}, // the more specific rule wins
        {"other note", "", "", 4, 1, "red", false},
        {"note", "top", "", 0, 1, "red", false}, // an id outweighs classes
        {"note", "", "border: thick dashed green", 5, 1, "green", false},
        {"note", "", "padding: 0 3px; float: left", 4, 0, "red", true},
        {"x y", "", "", 0, 1, "", false}, // combinators pick nothing here
    };
    for (const auto& c : cases) {
        const TCssBox box = rules.Box(QStringLiteral("div"), QString::fromLatin1(c.classes),
                                      QString::fromLatin1(c.id), QString::fromLatin1(c.style));
        EXPECT_EQ(box.borderWidth, c.border) << c.classes << " " << c.style;
        EXPECT_EQ(box.padding[0], c.padding) << c.classes << " " << c.style;
        EXPECT_EQ(box.borderColor, QString::fromLatin1(c.colour)) << c.classes << " " << c.style;
        EXPECT_EQ(box.floatLeft, c.floats) << c.classes << " " << c.style;
    }
    const TCssBox wide = rules.Box(QStringLiteral("div"), QStringLiteral("wide"), {}, {});
    EXPECT_EQ(wide.width, QStringLiteral("50%"));
    EXPECT_EQ(wide.background, QStringLiteral("#ffffcc"));
    EXPECT_FALSE(rules.Box(QStringLiteral("span"), QString(), QString(), QString()).Framed());
}
