// The outliner as the table of contents of an HTML view's headings.
#include "FakeHeadingView.h"
#include "common/TestSupport.h"
#include "components/outline/TROutliner.h"
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {
constexpr int kRow = 30; // ItemHeight
} // namespace

TEST(TROutlinerTest, HeadingLinesBuildTheTree)
{
    TROutliner o;
    const QStringList lines{
        QStringLiteral("Intro#1"), QStringLiteral("Scope#3"),  QStringLiteral("no hash"),
        QStringLiteral("#5"),      QStringLiteral("Detail#2"), QStringLiteral("Top#0"),
        QStringLiteral("Word#x7"), QStringLiteral("Deep#4#0"), QStringLiteral("Back#1")};
    o.FillFromHeadings(lines);
    EXPECT_EQ(o.HeadingLines(), lines);
    ASSERT_EQ(o.ItemCount(), 7);
    // Scope (level 3) goes one level below Intro; Detail (2) beside Scope; Top and Word
    // (level 0) at the top; Deep below Word; Back beside the top-level items.
    const QStringList expected{QStringLiteral("Intro"),    QStringLiteral("\tScope"),
                               QStringLiteral("\tDetail"), QStringLiteral("Top"),
                               QStringLiteral("Word"),     QStringLiteral("\tDeep"),
                               QStringLiteral("Back")};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(o.Items(i + 1)->Level() - 1, expected[i].count(QLatin1Char('\t'))) << i;
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(o.Items(i + 1)->Text(), expected[i].trimmed()) << i;
    EXPECT_FALSE(o.Updating());

    o.FillFromHeadings({QStringLiteral("Only#1")});
    EXPECT_EQ(o.ItemCount(), 1);
}

TEST(TROutlinerTest, AddHeadingPlacesByLevel)
{
    TROutliner o;
    EXPECT_FALSE(o.AddHeading(QString(), 1));
    EXPECT_FALSE(o.AddHeading(QStringLiteral("x"), -1));
    EXPECT_EQ(o.ItemCount(), 0);

    EXPECT_TRUE(o.AddHeading(QStringLiteral("A"), 4)); // an empty outline takes it on top
    EXPECT_TRUE(o.AddHeading(QStringLiteral("B"), 2));
    EXPECT_TRUE(o.AddHeading(QStringLiteral("C"), 3));
    EXPECT_TRUE(o.AddHeading(QStringLiteral("D"), 9));
    EXPECT_TRUE(o.AddHeading(QStringLiteral("E"), 2)); // nearest ancestor below level 2: A
    EXPECT_EQ(o.Items(1)->Level(), 1);
    EXPECT_EQ(o.Items(2)->Level(), 2);
    EXPECT_EQ(o.Items(3)->Level(), 3);
    EXPECT_EQ(o.Items(4)->Level(), 4);
    EXPECT_EQ(o.Items(5)->Level(), 2);
    EXPECT_EQ(o.Items(5)->Parent(), o.Items(1));
}

TEST(TROutlinerTest, HeadingsDeeperThanTheOutlineStayOnItsLastLevel)
{
    TMessageCapture capture;
    TROutliner o;
    for (int i = 1; i <= 300; ++i)
        ASSERT_TRUE(o.AddHeading(QStringLiteral("H%1").arg(i), i));
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(o.Items(300)->Level(), TROutliner::MaxLevel);
}

TEST(TROutlinerTest, GoToHeadingFindsTheTextBeforeTheFirstHash)
{
    TROutliner o;
    EXPECT_FALSE(o.GoToHeading(QStringLiteral("Intro"))); // no view
    FakeHeadingView view;
    view.headings = {QStringLiteral("Top#0"), QStringLiteral("Intro#1#0"),
                     QStringLiteral("Intro#2"), QStringLiteral("Plain")};
    o.SetViewer(&view);
    EXPECT_TRUE(o.GoToHeading(QStringLiteral("Intro")));
    EXPECT_TRUE(o.GoToHeading(QStringLiteral("Plain")));
    EXPECT_FALSE(o.GoToHeading(QStringLiteral("intro"))); // letter case counts
    EXPECT_FALSE(o.GoToHeading(QStringLiteral("Intro#1")));
    EXPECT_EQ(view.shown, (std::vector<int>{1, 3}));

    view.failList = true;
    EXPECT_FALSE(o.GoToHeading(QStringLiteral("Top")));
}

TEST(TROutlinerTest, ClickOnAnEntryShowsItsHeading)
{
    TROutliner o;
    o.SetScrollBars(ssNone);
    o.resize(300, 200);
    FakeHeadingView view;
    // The second line adds no entry, so the third entry stands for heading 2, not 1.
    view.headings = {QStringLiteral("Intro#1"), QStringLiteral("#0"), QStringLiteral("Scope#1")};
    o.SetViewer(&view);
    o.FillFromHeadings(view.headings);
    ASSERT_EQ(o.ItemCount(), 2);
    o.show();
    QCoreApplication::processEvents();

    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, QPoint(100, kRow + 10));
    EXPECT_EQ(o.SelectedItem(), 2);
    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(view.shown, (std::vector<int>{2, 0}));

    // Entries added one by one stand for the heading of their own position.
    o.AddHeading(QStringLiteral("Extra"), 0);
    o.SetSelectedItem(3);
    o.OnClick(&o);
    EXPECT_EQ(view.shown.back(), 2);

    // A window's own click handler replaces the default one.
    int ownClicks = 0;
    o.OnClick = [&](QObject*) { ++ownClicks; };
    view.shown.clear();
    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(ownClicks, 1);
    EXPECT_TRUE(view.shown.empty());
}

TEST(TROutlinerTest, DefaultClickWithoutViewOrItemsDoesNothing)
{
    TROutliner o;
    o.DefaultClick();
    FakeHeadingView view;
    o.SetViewer(&view);
    o.DefaultClick();
    EXPECT_TRUE(view.shown.empty());
}
