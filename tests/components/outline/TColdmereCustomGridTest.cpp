// The outline as a control: rows, scrolling, keyboard, mouse and painting.
#include "OutlineTestPrint.h"
#include "components/outline/TColdmereOutline.h"
#include "platform/TColorRef.h"
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace {

class TestOutline : public TColdmereOutline
{
public:
    int beeps = 0;
    using TColdmereCustomGrid::PaintVisibleRows;

protected:
    void Beep() override { ++beeps; }
};

// Top(1) [Middle(2) [Leaf(3)], Second(4)], Other(5) [Child(6)], Last(7)
void BuildSample(TColdmereOutline& o)
{
    o.AddChild(0, "Top");
    o.AddChild(1, "Middle");
    o.AddChild(2, "Leaf");
    o.AddChild(1, "Second");
    o.AddChild(0, "Other");
    o.AddChild(5, "Child");
    o.AddChild(0, "Last");
}

// An owner-drawn outline of fixed 20-pixel rows, shown 100 pixels high.
void Prepare(TestOutline& o, int height = 100)
{
    o.SetStyle(otOwnerDraw);
    o.SetItemHeight(20);
    o.SetBorderStyle(bsNone);
    o.SetScrollBars(ssVertical);
    o.resize(150, height);
    o.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&o));
}

QString RowText(TColdmereOutline& o)
{
    TOutlineNode* n = o.GetVisibleNode(o.Row());
    return n ? n->Text() : QString();
}

} // namespace

TEST(TColdmereCustomGrid, RowsScrollIntoView)
{
    TestOutline o;
    Prepare(o);
    o.BeginUpdate();
    for (int i = 0; i < 50; ++i)
        o.AddChild(0, QString::number(i));
    o.EndUpdate();
    EXPECT_EQ(o.RowCount(), 50);
    EXPECT_EQ(o.VisibleRowCount(), 5);
    EXPECT_EQ(o.RowRect(2), QRect(0, 40, o.viewport()->width(), 20));
    EXPECT_EQ(o.RowAt(45), 2);

    o.SetRow(20);
    EXPECT_EQ(o.TopRow(), 16);
    EXPECT_EQ(o.verticalScrollBar()->value(), 16);
    EXPECT_TRUE(o.RowRect(15).isEmpty());
    EXPECT_EQ(o.RowRect(16).top(), 0);
    o.SetRow(3);
    EXPECT_EQ(o.TopRow(), 3);
    o.SetRow(500);
    EXPECT_EQ(o.Row(), 49);
    EXPECT_EQ(o.TopRow(), 45);
    o.SetTopRow(100); // the last page stays full
    EXPECT_EQ(o.TopRow(), 45);
    o.verticalScrollBar()->setValue(10);
    EXPECT_EQ(o.TopRow(), 10);

    o.Clear();
    EXPECT_EQ(o.RowCount(), 1);
    EXPECT_EQ(o.TopRow(), 0);
}

TEST(TColdmereCustomGrid, NavigationKeysMoveTheRowAndTheSelection)
{
    TestOutline o;
    Prepare(o, 60); // three rows
    BuildSample(o);
    o.FullExpand();
    ASSERT_EQ(o.RowCount(), 7);

    QTest::keyClick(&o, Qt::Key_Down);
    EXPECT_EQ(RowText(o), "Middle");
    EXPECT_EQ(o.SelectedItem(), 2);
    QTest::keyClick(&o, Qt::Key_Up);
    EXPECT_EQ(o.SelectedItem(), 1);
    QTest::keyClick(&o, Qt::Key_PageDown);
    EXPECT_EQ(o.Row(), 3);
    EXPECT_EQ(o.TopRow(), 3);
    EXPECT_EQ(o.SelectedItem(), 4);
    QTest::keyClick(&o, Qt::Key_End);
    EXPECT_EQ(RowText(o), "Last");
    EXPECT_EQ(o.SelectedItem(), 7);
    QTest::keyClick(&o, Qt::Key_PageUp);
    EXPECT_EQ(o.Row(), 3);
    QTest::keyClick(&o, Qt::Key_Home);
    EXPECT_EQ(o.Row(), 0);
    EXPECT_EQ(o.TopRow(), 0);
    EXPECT_EQ(o.SelectedItem(), 1);
    EXPECT_EQ(o.beeps, 0);
}

TEST(TColdmereCustomGrid, EndSelectsTheLastVisibleItem)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    o.AddChild(7, "Under last");
    o.AddChild(8, "Deepest");
    o.Items(7)->Expand();
    QTest::keyClick(&o, Qt::Key_End);
    EXPECT_EQ(o.SelectedItem(), 8); // Deepest is hidden: its parent is collapsed
    o.Items(8)->Expand();
    QTest::keyClick(&o, Qt::Key_End);
    EXPECT_EQ(o.SelectedItem(), 9);
}

TEST(TColdmereCustomGrid, LeftRightMoveBetweenParentAndChildOrBeep)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    o.SetSelectedItem(1);
    QTest::keyClick(&o, Qt::Key_Left); // top level
    EXPECT_EQ(o.beeps, 1);
    QTest::keyClick(&o, Qt::Key_Right); // collapsed
    EXPECT_EQ(o.beeps, 2);
    o.Items(1)->Expand();
    QTest::keyClick(&o, Qt::Key_Right);
    EXPECT_EQ(o.SelectedItem(), 2);
    EXPECT_EQ(RowText(o), "Middle");
    QTest::keyClick(&o, Qt::Key_Right); // Middle has items but is collapsed
    EXPECT_EQ(o.beeps, 3);
    QTest::keyClick(&o, Qt::Key_Left);
    EXPECT_EQ(o.SelectedItem(), 1);
    EXPECT_EQ(o.Row(), 0);
    o.SetSelectedItem(7);
    QTest::keyClick(&o, Qt::Key_Right); // no items
    EXPECT_EQ(o.beeps, 4);
}

TEST(TColdmereCustomGrid, CtrlUpDownMoveAmongSiblings)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    o.FullExpand();
    o.SetSelectedItem(2); // Middle, first child of Top
    QTest::keyClick(&o, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(o.beeps, 1);
    EXPECT_EQ(o.SelectedItem(), 2);
    QTest::keyClick(&o, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(o.SelectedItem(), 4); // Second, skipping Leaf
    EXPECT_EQ(RowText(o), "Second");
    QTest::keyClick(&o, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(o.beeps, 2);
    o.SetSelectedItem(5);
    QTest::keyClick(&o, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(o.SelectedItem(), 1);
    QTest::keyClick(&o, Qt::Key_Down, Qt::ControlModifier);
    QTest::keyClick(&o, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(o.SelectedItem(), 7);
}

TEST(TColdmereCustomGrid, EnterTogglesAndTypedCharactersExpand)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    o.SetSelectedItem(1);
    QTest::keyClick(&o, Qt::Key_Return);
    EXPECT_TRUE(o.Items(1)->Expanded());
    QTest::keyClick(&o, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(o.Items(1)->Expanded());

    QTest::keyClick(&o, '+');
    EXPECT_TRUE(o.Items(1)->Expanded());
    EXPECT_FALSE(o.Items(2)->Expanded());
    QTest::keyClick(&o, '-');
    EXPECT_FALSE(o.Items(1)->Expanded());
    QTest::keyClick(&o, '*');
    EXPECT_TRUE(o.Items(1)->Expanded());
    EXPECT_TRUE(o.Items(2)->Expanded());
    EXPECT_FALSE(o.Items(5)->Expanded()); // only the selected node's subtree

    QTest::keyClick(&o, Qt::Key_Asterisk, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_TRUE(o.Items(5)->Expanded());
    EXPECT_EQ(o.RowCount(), 7);
}

TEST(TColdmereCustomGrid, KeysOnAnEmptyOutlineDoNothing)
{
    TestOutline o;
    Prepare(o);
    for (int key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return,
                    Qt::Key_Home, Qt::Key_PageDown})
        QTest::keyClick(&o, Qt::Key(key));
    QTest::keyClick(&o, Qt::Key_Up, Qt::ControlModifier);
    QTest::keyClick(&o, '+');
    QTest::keyClick(&o, '*');
    EXPECT_EQ(o.beeps, 0);
    EXPECT_EQ(o.Row(), 0);
    EXPECT_EQ(o.SelectedItem(), 0);
}

TEST(TColdmereCustomGrid, NotificationsComeBeforeTheOutlinesOwnHandling)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    std::vector<QString> events;
    o.OnKeyDown = [&](QObject*, int& key, Qt::KeyboardModifiers) {
        events.push_back(QStringLiteral("down %1").arg(o.Row()));
        if (key == Qt::Key_Return)
            key = 0; // swallowed
    };
    o.OnKeyPress = [&](QObject*, QChar& key) {
        events.push_back(QStringLiteral("press ") + key);
        if (key == QLatin1Char('+'))
            key = QChar();
    };
    QTest::keyClick(&o, Qt::Key_Down);
    EXPECT_EQ(o.Row(), 1);
    QTest::keyClick(&o, Qt::Key_Return);
    EXPECT_FALSE(o.Items(5)->Expanded());
    QTest::keyClick(&o, '+');
    EXPECT_FALSE(o.Items(5)->Expanded());
    // Enter's key-down was swallowed; its character still comes as a key press.
    EXPECT_EQ(events, (std::vector<QString>{"down 0", "down 1", "press \r", "down 1", "press +"}));
}

TEST(TColdmereCustomGrid, ClickSelectsTheRowBeforeOnClick)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    o.FullExpand();
    int clicks = 0;
    int selectedInClick = -1;
    o.OnClick = [&](QObject* sender) {
        EXPECT_EQ(sender, &o);
        ++clicks;
        selectedInClick = o.SelectedItem();
    };
    o.SetSelectedItem(1);
    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, QPoint(30, 3 * 20 + 5));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(o.Row(), 3);
    EXPECT_EQ(selectedInClick, 4);

    // Below the last row nothing is clicked.
    o.SetRow(0);
    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, QPoint(30, 95));
    o.Items(1)->Collapse();
    o.Items(5)->Collapse();
    QTest::mouseClick(o.viewport(), Qt::LeftButton, {}, QPoint(30, 90));
    EXPECT_EQ(clicks, 2);
}

TEST(TColdmereCustomGrid, DoubleClickTogglesTheSelectedNode)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    std::vector<bool> expandedWhenNotified;
    o.OnDblClick = [&](QObject*) { expandedWhenNotified.push_back(o.Items(5)->Expanded()); };
    QTest::mouseDClick(o.viewport(), Qt::LeftButton, {}, QPoint(30, 25));
    EXPECT_EQ(o.SelectedItem(), 5);
    EXPECT_TRUE(o.Items(5)->Expanded());
    QTest::mouseDClick(o.viewport(), Qt::LeftButton, {}, QPoint(30, 25));
    EXPECT_FALSE(o.Items(5)->Expanded());
    // The notification comes before the outline toggles.
    EXPECT_EQ(expandedWhenNotified, (std::vector<bool>{false, true}));
}

TEST(TColdmereCustomGrid, OwnerDrawHandlerGetsOnlyTheVisibleRows)
{
    TestOutline o;
    Prepare(o, 95); // four full rows and part of a fifth
    std::vector<std::pair<int, TOwnerDrawState>> calls;
    o.OnDrawItem = [&](QObject* control, int row, QRect rect, TOwnerDrawState state) {
        EXPECT_EQ(control, &o);
        EXPECT_EQ(rect, o.RowRect(row));
        calls.push_back({row, state});
        o.Canvas()->fillRect(rect, Qt::green);
    };
    o.BeginUpdate();
    for (int i = 0; i < 100000; ++i)
        o.AddChild(0, QString::number(i));
    o.EndUpdate();
    o.SetRow(50000);

    QImage image(o.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        o.PaintVisibleRows(p);
    }
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls.front().first, o.TopRow());
    EXPECT_EQ(calls.back().first, o.TopRow() + 4);
    for (const auto& [row, state] : calls)
        EXPECT_EQ((state & odSelected) != 0, row == 50000);
    EXPECT_EQ(image.pixel(10, 94), QColor(Qt::green).rgb());
    EXPECT_EQ(o.Canvas(), nullptr);
}

TEST(TColdmereCustomGrid, FocusedRowGetsTheFocusedStateAndAFocusRectangle)
{
    TestOutline o;
    Prepare(o);
    BuildSample(o);
    TOwnerDrawState current = 0;
    o.OnDrawItem = [&](QObject*, int row, QRect rect, TOwnerDrawState state) {
        if (row == o.Row())
            current = state;
        o.Canvas()->fillRect(rect, Qt::black);
    };
    o.activateWindow();
    o.setFocus();
    if (!QTest::qWaitFor([&] { return o.hasFocus(); }, 1000))
        GTEST_SKIP() << "the platform gives no focus";
    auto litOnTopEdge = [&](const QImage& image) {
        int lit = 0;
        for (int x = 0; x < 12; ++x)
            lit += image.pixel(x, 0) != QColor(Qt::black).rgb();
        return lit;
    };
    const QImage withRect = o.viewport()->grab().toImage();
    EXPECT_EQ(current, unsigned(odSelected | odFocused));
    // The dotted rectangle shows on the black cell.
    EXPECT_GT(litOnTopEdge(withRect), 2);
    o.SetOptions({});
    EXPECT_EQ(litOnTopEdge(o.viewport()->grab().toImage()), 0);
}

TEST(TColdmereCustomGrid, EmptyOutlineFillsItsRowWithColor)
{
    TestOutline o;
    Prepare(o);
    int calls = 0;
    o.OnDrawItem = [&](QObject*, int, QRect, TOwnerDrawState) { ++calls; };
    o.SetColor(TColours::clRed);
    const QImage image = o.viewport()->grab().toImage();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(image.pixel(5, 5), QColor(Qt::red).rgb());
    EXPECT_EQ(image.pixel(5, 80), QColor(Qt::red).rgb());
}

TEST(TColdmereCustomGrid, StandardRowsDrawTheTextAndHighlightTheCurrentRow)
{
    TColdmereOutline o;
    o.SetBorderStyle(bsNone);
    o.resize(200, 120);
    o.SetColor(TColours::clWhite);
    o.SetFontColour(TColours::clBlack);
    o.SetOutlineStyle(osText);
    o.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&o));
    o.AddChild(0, QString(30, QLatin1Char('W')));
    o.AddChild(0, "W");
    o.SetRow(1);
    ASSERT_GT(o.ColumnWidth(), 160); // as wide as the widest row
    const QImage image = o.viewport()->grab().toImage();
    const int h = o.ItemHeight();
    const QRgb highlight = o.palette().color(QPalette::Highlight).rgb();
    bool darkInFirst = false;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < h; ++y)
            darkInFirst |= qGray(image.pixel(x, y)) < 100;
    EXPECT_TRUE(darkInFirst);
    EXPECT_EQ(image.pixel(150, h + h / 2), highlight);
    EXPECT_EQ(image.pixel(150, 3 * h), qRgb(255, 255, 255));
}
