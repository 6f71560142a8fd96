#include "components/panels/TAlignLayout.h"
#include <QApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "QRect(" << r.x() << ", " << r.y() << ", " << r.width() << ", " << r.height() << ")";
}

namespace {

QWidget* Child(QWidget* parent, TAlign align, int w, int h)
{
    auto* child = new QWidget(parent);
    child->resize(w, h);
    TAlignLayout::SetAlign(child, align);
    return child;
}

} // namespace

TEST(TAlignLayoutTest, DocksByAlignmentPassesThenChildOrder)
{
    QWidget box;
    box.resize(400, 300);
    auto* layout = new TAlignLayout(&box);
    QWidget* top1 = Child(&box, alTop, 5, 20);
    QWidget* bottom1 = Child(&box, alBottom, 5, 30);
    QWidget* left1 = Child(&box, alLeft, 50, 5);
    QWidget* client = Child(&box, alClient, 5, 5);
    QWidget* right1 = Child(&box, alRight, 40, 5);
    QWidget* top2 = Child(&box, alTop, 5, 10); // joins after the client, still docks first
    QWidget* bottom2 = Child(&box, alBottom, 5, 15);
    QWidget* loose = Child(&box, alNone, 33, 44);
    loose->move(7, 8);
    EXPECT_EQ(layout->count(), 8); // adopted as they were made
    box.show();
    layout->Realign();

    EXPECT_EQ(layout->count(), 8);
    EXPECT_EQ(top1->geometry(), QRect(0, 0, 400, 20));
    EXPECT_EQ(top2->geometry(), QRect(0, 20, 400, 10));
    EXPECT_EQ(bottom1->geometry(), QRect(0, 270, 400, 30));
    EXPECT_EQ(bottom2->geometry(), QRect(0, 255, 400, 15));
    EXPECT_EQ(left1->geometry(), QRect(0, 30, 50, 225));
    EXPECT_EQ(right1->geometry(), QRect(360, 30, 40, 225));
    EXPECT_EQ(client->geometry(), QRect(50, 30, 310, 225));
    EXPECT_EQ(loose->geometry(), QRect(7, 8, 33, 44));

    // The container grows: docked children keep their own thickness, the client takes the rest.
    box.resize(500, 400);
    QApplication::processEvents();
    EXPECT_EQ(bottom1->geometry(), QRect(0, 370, 500, 30));
    EXPECT_EQ(right1->geometry(), QRect(460, 30, 40, 325));
    EXPECT_EQ(client->geometry(), QRect(50, 30, 410, 325));
}

TEST(TAlignLayoutTest, ResizingOrRealigningAChildRedocksItsNeighbours)
{
    QWidget box;
    box.resize(200, 100);
    auto* layout = new TAlignLayout(&box);
    QWidget* client = Child(&box, alClient, 5, 5);
    QWidget* bottom = Child(&box, alBottom, 5, 30);
    box.show();
    layout->Realign();
    ASSERT_EQ(client->geometry(), QRect(0, 0, 200, 70));

    bottom->resize(bottom->width(), 50); // through the event loop, as any code would
    QApplication::processEvents();
    EXPECT_EQ(bottom->geometry(), QRect(0, 50, 200, 50));
    EXPECT_EQ(client->geometry(), QRect(0, 0, 200, 50));

    TAlignLayout::SetAlign(bottom, alLeft);
    QApplication::processEvents();
    EXPECT_EQ(bottom->geometry(), QRect(0, 0, 200, 100)); // its width was 200
    bottom->resize(60, 100);
    QApplication::processEvents();
    EXPECT_EQ(client->geometry(), QRect(60, 0, 140, 100));

    bottom->hide();
    QApplication::processEvents();
    EXPECT_EQ(client->geometry(), QRect(0, 0, 200, 100));

    delete client;
    EXPECT_EQ(layout->count(), 1);
    bottom->show();
    layout->Realign();
    EXPECT_EQ(bottom->geometry(), QRect(0, 0, 60, 100));
}

TEST(TAlignLayoutTest, OverfullContainerKeepsDockedSizesForLater)
{
    QWidget box;
    box.resize(100, 100);
    auto* layout = new TAlignLayout(&box);
    QWidget* top = Child(&box, alTop, 5, 70);
    QWidget* bottom = Child(&box, alBottom, 5, 60);
    QWidget* client = Child(&box, alClient, 5, 5);
    layout->Realign();
    EXPECT_EQ(top->geometry(), QRect(0, 0, 100, 70));
    EXPECT_EQ(bottom->geometry(), QRect(0, 40, 100, 60));
    EXPECT_EQ(client->size(), QSize(100, 0));

    box.resize(100, 200);
    layout->Realign();
    EXPECT_EQ(bottom->geometry(), QRect(0, 140, 100, 60));
    EXPECT_EQ(client->geometry(), QRect(0, 70, 100, 70));
}

TEST(TAlignLayoutTest, OrderAdoptionAndMargins)
{
    QWidget box;
    box.resize(100, 100);
    box.setContentsMargins(2, 3, 4, 5);
    QWidget* a = Child(&box, alTop, 5, 10); // exists before the layout: adopted
    auto layoutOwner = std::make_unique<TAlignLayout>();
    box.setLayout(layoutOwner.release());
    auto* layout = TAlignLayout::Of(&box);
    ASSERT_NE(layout, nullptr);
    QWidget* b = Child(&box, alTop, 5, 20);
    auto* c = new QWidget; // parentless, added explicitly: adopted once
    c->resize(5, 7);
    TAlignLayout::SetAlign(c, alTop);
    layout->addWidget(c);
    layout->Realign();
    EXPECT_EQ(layout->count(), 3);
    EXPECT_EQ(a->geometry(), QRect(2, 3, 94, 10));
    EXPECT_EQ(b->geometry(), QRect(2, 13, 94, 20));
    EXPECT_EQ(c->geometry(), QRect(2, 33, 94, 7));

    layout->insertWidget(0, c);
    layout->Realign();
    EXPECT_EQ(layout->count(), 3);
    EXPECT_EQ(c->geometry(), QRect(2, 3, 94, 7));
    EXPECT_EQ(a->geometry(), QRect(2, 10, 94, 10));
    EXPECT_EQ(layout->sizeHint().height(), 37);
    EXPECT_EQ(box.sizeHint().height(), 37 + 3 + 5);
}

TEST(TAlignLayoutTest, WindowEmbeddedLaterFillsTheClientArea)
{
    QWidget host;
    host.resize(300, 200);
    auto* layout = new TAlignLayout(&host);
    QWidget* bottom = Child(&host, alBottom, 10, 50);
    host.show();
    auto* form = new QWidget; // a window of its own first, as the browsing window is
    form->resize(500, 500);
    form->show();
    form->setParent(&host);
    TAlignLayout::SetAlign(form, alClient);
    form->show();
    layout->Realign();
    EXPECT_EQ(form->geometry(), QRect(0, 0, 300, 150));
    EXPECT_EQ(bottom->geometry(), QRect(0, 150, 300, 50));
}

TEST(TAlignLayoutTest, AlignPropertyReadsSafely)
{
    QWidget w;
    EXPECT_EQ(TAlignLayout::AlignOf(&w), alNone);
    EXPECT_EQ(TAlignLayout::AlignOf(nullptr), alNone);
    w.setProperty(TAlignLayout::AlignProperty, 99);
    EXPECT_EQ(TAlignLayout::AlignOf(&w), alNone);
    TAlignLayout::SetAlign(&w, alRight);
    EXPECT_EQ(TAlignLayout::AlignOf(&w), alRight);
    TAlignLayout::SetAlign(nullptr, alTop); // no crash
    EXPECT_EQ(TAlignLayout::Of(&w), nullptr);
}
