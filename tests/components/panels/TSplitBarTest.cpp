#include "components/panels/TSplitBar.h"
#include "components/panels/TAlignLayout.h"
#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

QWidget* Child(QWidget* parent, TAlign align, int w, int h)
{
    auto* child = new QWidget(parent);
    child->resize(w, h);
    TAlignLayout::SetAlign(child, align);
    return child;
}

bool HasOwnCursor(const QWidget* w) { return w->testAttribute(Qt::WA_SetCursor); }

// A 400 x 300 window: a bottom panel 100 high, a 7-pixel bar above it, the rest client.
struct BottomBar
{
    std::unique_ptr<QWidget> host = std::make_unique<QWidget>();
    QWidget* panel = nullptr;
    TSplitBar* bar = nullptr;
    QWidget* client = nullptr;
    int changed = 0;

    BottomBar()
    {
        host->resize(400, 300);
        new TAlignLayout(host.get());
        panel = Child(host.get(), alBottom, 10, 100);
        bar = new TSplitBar(host.get());
        bar->BeginLoading();
        bar->SetAlign(alBottom);
        bar->SetHeight(7);
        bar->SetControlFirst(panel);
        bar->EndLoading();
        client = Child(host.get(), alClient, 10, 10);
        bar->OnPosChanged = [this](QObject*) { ++changed; };
        host->show();
        TAlignLayout::Of(host.get())->Realign();
    }

    // Grips the bar at (10, 3) and drags it by dy, releasing unless told not to.
    void Drag(int dy, bool release = true)
    {
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 3));
        QTest::mouseMove(bar, QPoint(10, 3 + dy / 2));
        QTest::mouseMove(bar, QPoint(10, 3 + dy));
        if (release)
            QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 3 + dy));
    }
};

} // namespace

TEST(TSplitBarTest, BottomBarDraggedUpMakesThePanelTaller)
{
    BottomBar f;
    ASSERT_EQ(f.bar->geometry(), QRect(0, 193, 400, 7));
    EXPECT_EQ(f.bar->SplitType(), 1);
    EXPECT_EQ(f.bar->cursor().shape(), Qt::SplitVCursor);

    f.Drag(-20);
    EXPECT_FALSE(f.bar->IsDragging());
    EXPECT_EQ(f.panel->height(), 120);
    EXPECT_EQ(f.bar->geometry(), QRect(0, 173, 400, 7));
    EXPECT_EQ(f.client->geometry(), QRect(0, 0, 400, 173));
    EXPECT_EQ(f.changed, 1);

    // Gripping and releasing without a move changes nothing, wherever the bar is gripped.
    QTest::mousePress(f.bar, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, 5));
    EXPECT_EQ(f.panel->height(), 120);
    EXPECT_EQ(f.changed, 2);
}

TEST(TSplitBarTest, DropSizesAreKeptWithinTheContainer)
{
    BottomBar f;
    f.bar->SetLimitRightOffset(0);
    f.Drag(500);
    EXPECT_EQ(f.panel->height(), 1);

    BottomBar g;
    g.bar->SetLimitLeftOffset(0);
    g.Drag(-500);
    EXPECT_EQ(g.panel->height(), 300 - 7 - 3); // at the limit: the limit less 3
}

TEST(TSplitBarTest, LineStopsAtTheLimitsWithTheNoDropCursor)
{
    BottomBar f; // limits 20 and 20: the line may go from y 20 to y 280 of the window
    f.Drag(30, false);
    ASSERT_TRUE(f.bar->IsDragging());
    EXPECT_EQ(f.bar->SizingLinePoint().y(), 30);
    EXPECT_FALSE(f.bar->NoDrop());
    EXPECT_EQ(f.bar->cursor().shape(), Qt::SplitVCursor);

    QTest::mouseMove(f.bar, QPoint(10, 3 + 150));
    EXPECT_EQ(f.bar->SizingLinePoint().y(), 280 - 193);
    EXPECT_TRUE(f.bar->NoDrop());
    EXPECT_EQ(f.bar->cursor().shape(), Qt::ForbiddenCursor);

    QTest::mouseMove(f.bar, QPoint(10, 3 - 250));
    EXPECT_EQ(f.bar->SizingLinePoint().y(), 20 - 193);
    EXPECT_TRUE(f.bar->NoDrop());

    QTest::mouseMove(f.bar, QPoint(10, 3 - 10)); // back inside: the split cursor returns
    EXPECT_FALSE(f.bar->NoDrop());
    EXPECT_EQ(f.bar->cursor().shape(), Qt::SplitVCursor);

    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, 3 + 150));
    EXPECT_EQ(f.panel->height(), 100 - (280 - 193));
    EXPECT_EQ(f.bar->cursor().shape(), Qt::SplitVCursor);
}

TEST(TSplitBarTest, SizingLineInvertsAThinBandOverTheWindowWhileDragging)
{
    BottomBar f;
    f.host->setStyleSheet("background: white");
    f.Drag(-40, false);
    QPointer<TSizingLineOverlay> line = f.bar->SizingLine();
    ASSERT_TRUE(line);
    EXPECT_EQ(line->Line(), QRect(0, 193 - 40 - 1, 400, 2));
    const QImage shot = f.host->grab().toImage();
    EXPECT_EQ(qGray(shot.pixel(200, 152)), 0);   // white inverted
    EXPECT_EQ(qGray(shot.pixel(200, 150)), 255); // untouched beside it

    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, 3 - 40));
    EXPECT_FALSE(line); // gone with the drag
}

TEST(TSplitBarTest, EscapeAbandonsTheDrag)
{
    BottomBar f;
    auto* focus = new QWidget(f.client);
    focus->setFocusPolicy(Qt::StrongFocus);
    focus->setFocus();
    f.Drag(-30, false);
    ASSERT_TRUE(f.bar->IsDragging());
    QTest::keyClick(focus, Qt::Key_Escape); // wherever the focus is
    EXPECT_FALSE(f.bar->IsDragging());
    EXPECT_EQ(f.bar->SizingLine(), nullptr);
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, -27));
    EXPECT_EQ(f.panel->height(), 100);
    EXPECT_EQ(f.bar->geometry(), QRect(0, 193, 400, 7));
    EXPECT_EQ(f.changed, 0);

    // Other keys pass by and the drag goes on.
    f.Drag(-30, false);
    QTest::keyClick(focus, Qt::Key_A);
    EXPECT_TRUE(f.bar->IsDragging());
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, -27));
    EXPECT_EQ(f.panel->height(), 130);
}

TEST(TSplitBarTest, RefusedPositionKeepsTheLastLine)
{
    BottomBar f;
    int asked = 0;
    f.bar->OnPosChanging = [&](QObject* sender, int, int y, bool& allow) {
        EXPECT_EQ(sender, f.bar);
        ++asked;
        allow = y > -30;
    };
    f.Drag(-10, false);
    QTest::mouseMove(f.bar, QPoint(10, 3 - 50));
    EXPECT_EQ(f.bar->SizingLinePoint().y(), -10);
    EXPECT_TRUE(f.bar->NoDrop());
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, 3 - 50));
    EXPECT_EQ(asked, 4); // three moves and the drop
    EXPECT_EQ(f.panel->height(), 110);
}

TEST(TSplitBarTest, SplitTypesAndCursors)
{
    QWidget host;
    host.resize(400, 300);
    new TAlignLayout(&host);
    QWidget* left = Child(&host, alLeft, 100, 10);
    auto* bar = new TSplitBar(&host);
    bar->SetAlign(alLeft);
    QWidget* client = Child(&host, alClient, 10, 10);
    host.show();
    TAlignLayout::Of(&host)->Realign();
    EXPECT_EQ(bar->ControlFirst(), left); // picked: the sibling just left of the bar
    EXPECT_EQ(bar->geometry(), QRect(100, 0, 3, 300));
    EXPECT_EQ(bar->SplitType(), 3);
    EXPECT_EQ(bar->cursor().shape(), Qt::SplitHCursor);

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(1, 10));
    QTest::mouseMove(bar, QPoint(31, 10));
    ASSERT_NE(bar->SizingLine(), nullptr);
    EXPECT_EQ(bar->SizingLine()->Line(), QRect(129, 0, 2, 300));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(31, 10));
    EXPECT_EQ(left->width(), 130);
    EXPECT_EQ(client->geometry(), QRect(133, 0, 267, 300));

    // The client area without a partner: default cursor, no drag.
    bar->SetControlFirst(client);
    EXPECT_EQ(bar->SplitType(), 0);
    EXPECT_FALSE(HasOwnCursor(bar));
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(1, 10));
    EXPECT_FALSE(bar->IsDragging());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(1, 10));

    bar->SetControlSecond(left); // client + left partner: the partner's width
    EXPECT_EQ(bar->SplitType(), 4);
    EXPECT_EQ(bar->ResizedControl(), left);
    EXPECT_EQ(bar->cursor().shape(), Qt::SplitHCursor);

    TAlignLayout::SetAlign(left, alTop); // partner no longer on the bar's side
    EXPECT_EQ(bar->SplitType(), 0);
}

TEST(TSplitBarTest, RightAndTopPartnersGrowTowardsTheBar)
{
    QWidget host;
    host.resize(400, 300);
    new TAlignLayout(&host);
    QWidget* top = Child(&host, alTop, 10, 80);
    auto* hbar = new TSplitBar(&host);
    hbar->SetAlign(alTop);
    QWidget* right = Child(&host, alRight, 90, 10);
    auto* vbar = new TSplitBar(&host);
    vbar->SetAlign(alRight);
    QWidget* client = Child(&host, alClient, 10, 10);
    hbar->SetControlFirst(client);
    hbar->SetControlSecond(top);
    host.show();
    TAlignLayout::Of(&host)->Realign();
    EXPECT_EQ(vbar->ControlFirst(), right);
    EXPECT_EQ(hbar->SplitType(), 2);
    EXPECT_EQ(vbar->SplitType(), 3);

    QTest::mousePress(hbar, Qt::LeftButton, {}, QPoint(50, 1));
    QTest::mouseMove(hbar, QPoint(50, 26));
    QTest::mouseRelease(hbar, Qt::LeftButton, {}, QPoint(50, 26));
    EXPECT_EQ(top->height(), 105);

    QTest::mousePress(vbar, Qt::LeftButton, {}, QPoint(1, 50));
    QTest::mouseMove(vbar, QPoint(-39, 50));
    QTest::mouseRelease(vbar, Qt::LeftButton, {}, QPoint(-39, 50));
    EXPECT_EQ(right->width(), 130);
    EXPECT_EQ(client->geometry(), QRect(0, 108, 400 - 130 - 3, 300 - 108));
}

TEST(TSplitBarTest, AlignSetsThicknessUnlessLoading)
{
    QWidget host;
    host.resize(300, 200);
    auto* bar = new TSplitBar(&host);
    EXPECT_EQ(bar->size(), QSize(185, 3));
    bar->resize(185, 12);
    bar->SetAlign(alBottom);
    EXPECT_EQ(bar->height(), 3);
    bar->resize(12, 50);
    bar->SetAlign(alLeft);
    EXPECT_EQ(bar->width(), 3);
    bar->BeginLoading();
    bar->resize(9, 50);
    bar->SetAlign(alRight);
    EXPECT_EQ(bar->width(), 9);
    EXPECT_TRUE(bar->IsLoading());
    bar->EndLoading();
    EXPECT_FALSE(bar->IsLoading());
    bar->SetWidth(-4);
    EXPECT_EQ(bar->Width(), 0);
}

TEST(TSplitBarTest, RefusedAndVanishingControlsClearTheLink)
{
    QWidget host;
    auto* bar = new TSplitBar(&host);
    bar->SetControlFirst(bar);
    EXPECT_EQ(bar->ControlFirst(), nullptr);
    QWidget window; // a window, not a control
    bar->SetControlSecond(&window);
    EXPECT_EQ(bar->ControlSecond(), nullptr);

    auto* panel = Child(&host, alBottom, 10, 40);
    TAlignLayout::SetAlign(bar, alBottom);
    bar->SetControlFirst(panel);
    bar->SetControlSecond(panel);
    EXPECT_EQ(bar->cursor().shape(), Qt::SplitVCursor);
    delete panel;
    EXPECT_EQ(bar->ControlFirst(), nullptr);
    EXPECT_EQ(bar->ControlSecond(), nullptr);
    EXPECT_FALSE(HasOwnCursor(bar));
}

TEST(TSplitBarTest, DragEndsWhenTheBarIsDisabledOrTheControlGoes)
{
    BottomBar f;
    f.Drag(-20, false);
    f.bar->setEnabled(false);
    EXPECT_FALSE(f.bar->IsDragging());
    EXPECT_EQ(f.bar->SizingLine(), nullptr);
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, -17));
    EXPECT_EQ(f.panel->height(), 100);
    QTest::mousePress(f.bar, Qt::LeftButton, {}, QPoint(10, 3));
    EXPECT_FALSE(f.bar->IsDragging());
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, 3));

    f.bar->setEnabled(true);
    f.Drag(-20, false);
    delete f.panel;
    QTest::mouseRelease(f.bar, Qt::LeftButton, {}, QPoint(10, -17)); // nothing to resize
    EXPECT_FALSE(f.bar->IsDragging());
    EXPECT_EQ(f.changed, 1);
}
