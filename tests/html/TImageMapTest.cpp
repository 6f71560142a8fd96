// Client-side image maps: hit testing per shape, and clicks on a mapped picture in the view.
#include "html/TImageMap.h"
#include "common/TestSupport.h"
#include "html/THtmlPane.h"
#include "html/THtmlView.h"
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

TEST(TImageMapTest, RectanglesIncludeTheirEdgesInEitherCornerOrder)
{
    TImageMap map;
    ASSERT_TRUE(map.AddArea(QStringLiteral("RECT"), QStringLiteral("10,20,30,40"), 7));
    ASSERT_TRUE(map.AddArea(QStringLiteral("rectangle"), QStringLiteral("90 90 50 50"), 8));
    EXPECT_EQ(map.HitTest({10, 20}), 0);
    EXPECT_EQ(map.HitTest({30, 40}), 0);
    EXPECT_EQ(map.HitTest({31, 40}), -1);
    EXPECT_EQ(map.HitTest({9, 25}), -1);
    EXPECT_EQ(map.HitTest({70, 60}), 1);
    EXPECT_EQ(map.Areas()[1].linkIndex, 8);
}

TEST(TImageMapTest, CirclesMeasureTheDistanceFromTheCentre)
{
    TImageMap map;
    ASSERT_TRUE(map.AddArea(QStringLiteral("circle"), QStringLiteral("50,50,10"), 1));
    EXPECT_EQ(map.HitTest({50, 50}), 0);
    EXPECT_EQ(map.HitTest({60, 50}), 0);
    EXPECT_EQ(map.HitTest({57, 57}), 0);
    EXPECT_EQ(map.HitTest({58, 58}), -1);
    EXPECT_EQ(map.HitTest({61, 50}), -1);
}

TEST(TImageMapTest, PolygonsUseTheCrossingRule)
{
    TImageMap map;
    // A "U": the notch between the arms is outside.
    ASSERT_TRUE(map.AddArea(QStringLiteral("poly"),
                            QStringLiteral("0,0, 30,0, 30,30, 20,30, 20,10, 10,10, 10,30, 0,30"),
                            1));
    EXPECT_EQ(map.HitTest({5, 20}), 0);
    EXPECT_EQ(map.HitTest({25, 20}), 0);
    EXPECT_EQ(map.HitTest({15, 5}), 0);
    EXPECT_EQ(map.HitTest({15, 20}), -1);
    EXPECT_EQ(map.HitTest({40, 5}), -1);
}

TEST(TImageMapTest, TheFirstAreaWinsAndDefaultCatchesTheRest)
{
    TImageMap map;
    ASSERT_TRUE(map.AddArea(QStringLiteral("default"), QString(), 9));
    ASSERT_TRUE(map.AddArea(QStringLiteral("rect"), QStringLiteral("0,0,20,20"), -1)); // NOHREF
    ASSERT_TRUE(map.AddArea(QStringLiteral("rect"), QStringLiteral("0,0,50,50"), 2));
    EXPECT_EQ(map.HitTest({10, 10}), 1) << "a NOHREF area still takes the click";
    EXPECT_EQ(map.HitTest({30, 30}), 2);
    EXPECT_EQ(map.HitTest({80, 80}), 0);
}

TEST(TImageMapTest, UnknownShapesAndShortCoordinatesAreRefused)
{
    TImageMap map;
    EXPECT_FALSE(map.AddArea(QStringLiteral("triangle"), QStringLiteral("0,0,1,1,2,2"), 1));
    EXPECT_FALSE(map.AddArea(QStringLiteral("rect"), QStringLiteral("0,0,1"), 1));
    EXPECT_FALSE(map.AddArea(QStringLiteral("circle"), QStringLiteral("5,5"), 1));
    EXPECT_FALSE(map.AddArea(QStringLiteral("poly"), QStringLiteral("0,0,10,10"), 1));
    EXPECT_FALSE(map.AddArea(QStringLiteral("rect"), QStringLiteral("a,b,c,d"), 1));
    EXPECT_TRUE(map.AddArea(QString(), QStringLiteral("0,0,1,1"), 1))
        << "the shape defaults to a rectangle";
    EXPECT_EQ(map.Areas().size(), 1u);
}

class TMappedPictureTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        ASSERT_TRUE(picture.save(m_dir.path() + QStringLiteral("/map.png")));
        WriteTestFile(
            m_dir.path() + QStringLiteral("/page.htm"),
            "<p>Above</p><p><a href=\"whole.htm\"><img src=map.png usemap=\"#nav\" border=0></a> "
            "beside</p>"
            "<table><tr><td><img src=map.png usemap=#NAV></td></tr></table>"
            "<map name=nav><area shape=rect coords=\"0,0,99,99\" href=\"left.htm\" target=main>"
            "<area shape=circle coords=\"150,50,30\" href=\"round.htm\">"
            "<area shape=poly coords=\"100,0,200,0,200,10\" href=\"sliver.htm\">"
            "<area shape=default nohref></map>");
        m_pane.resize(500, 400);
        m_pane.show();
        m_pane.OnHotSpotClick = [this](QObject*, const QString& src, bool& handled) {
            m_clicked << src;
            handled = true;
        };
        m_pane.LoadFile(m_dir.path() + QStringLiteral("/page.htm"));
        m_pane.grab(); // the pictures find their places by being drawn
    }
    void ClickPicture(int object, QPoint inPicture)
    {
        const THtmlObject& o = m_pane.View()->Objects()[object];
        ASSERT_TRUE(o.wasDrawn);
        const QPointF doc = o.ContentRect(o.drawn).topLeft() + QPointF(inPicture);
        const QPoint view(int(doc.x()) - m_pane.HorzPosition(), int(doc.y()) - m_pane.Position());
        QTest::mouseClick(m_pane.View()->viewport(), Qt::LeftButton, {}, view);
    }

    QTemporaryDir m_dir;
    THtmlPane m_pane;
    QStringList m_clicked;
};

TEST_F(TMappedPictureTest, AClickInsideAnAreaReportsItsTarget)
{
    ClickPicture(0, {20, 20});
    ClickPicture(0, {150, 60});
    ClickPicture(0, {195, 3});
    ClickPicture(1, {50, 80}); // the same map on a picture inside a table
    EXPECT_EQ(m_clicked, (QStringList{QStringLiteral("left.htm"), QStringLiteral("round.htm"),
                                      QStringLiteral("sliver.htm"), QStringLiteral("left.htm")}));
}

TEST_F(TMappedPictureTest, OutsideEveryAreaTheMapWinsOverTheEnclosingLink)
{
    ClickPicture(0, {110, 95}); // only the NOHREF default is there
    EXPECT_TRUE(m_clicked.isEmpty());
}

TEST_F(TMappedPictureTest, ThePictureIsDrawnWhereTheLayoutPutsIt)
{
    const THtmlObject& o = m_pane.View()->Objects()[0];
    EXPECT_EQ(o.drawn, m_pane.View()->ObjectLayoutRect(0));
    EXPECT_EQ(o.size, QSize(200, 100));
}

} // namespace
