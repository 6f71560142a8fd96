#include "app/TIdleReset.h"
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class TIdleResetTest : public ::testing::Test
{
protected:
    TIdleResetTest() : m_watch(nullptr, [this] { return m_now; })
    {
        m_watch.OnReset = [this] { ++m_resets; };
    }
    // The clock moves on; the watch looks when its timer would have fired.
    void At(qint64 ms)
    {
        m_now = ms;
        m_watch.Check();
    }

    qint64 m_now = 0;
    int m_resets = 0;
    TIdleReset m_watch;
};

} // namespace

TEST_F(TIdleResetTest, FiresOnceAfterExactlyTheSetTime)
{
    m_watch.SetSeconds(5);
    ASSERT_TRUE(m_watch.Timer()->isActive());
    EXPECT_EQ(m_watch.Timer()->interval(), 5000);
    At(4999);
    EXPECT_EQ(m_resets, 0);
    EXPECT_EQ(m_watch.Timer()->interval(), 1); // armed again for what is left
    At(5000);
    EXPECT_EQ(m_resets, 1);
    EXPECT_FALSE(m_watch.Timer()->isActive());
    At(60000); // a display at its start is not reset again without input
    EXPECT_EQ(m_resets, 1);
}

TEST_F(TIdleResetTest, EveryKindOfInputRestartsTheCount)
{
    m_watch.SetSeconds(5);
    QWidget target;
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(3, 3), QPointF(3, 3), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), QPointF(3, 3), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QEvent paint(QEvent::UpdateRequest);
    for (QEvent::Type type : {QEvent::TouchBegin, QEvent::TouchUpdate, QEvent::TouchEnd,
                              QEvent::Wheel, QEvent::KeyRelease}) {
        const QEvent touch(type);
        EXPECT_TRUE(TIdleReset::IsInput(&touch)) << type;
    }
    qint64 t = 0;
    for (QEvent* input :
         {static_cast<QEvent*>(&key), static_cast<QEvent*>(&move), static_cast<QEvent*>(&press)}) {
        t += 4000;
        m_now = t;
        QCoreApplication::sendEvent(&target, input);
        At(t + 4999);
        EXPECT_EQ(m_resets, 0) << input->type();
    }
    // Events that are no input do not count.
    m_now = t + 4999;
    QCoreApplication::sendEvent(&target, &paint);
    At(t + 5000);
    EXPECT_EQ(m_resets, 1);
    // Input after a reset arms the watch again.
    m_now = t + 9000;
    QCoreApplication::sendEvent(&target, &key);
    EXPECT_TRUE(m_watch.Timer()->isActive());
    At(t + 14000);
    EXPECT_EQ(m_resets, 2);
}

TEST_F(TIdleResetTest, BlockedOrOffNeverFires)
{
    bool editorOpen = true;
    m_watch.Blocked = [&] { return editorOpen; };
    m_watch.SetSeconds(5);
    At(5000);
    At(20000);
    EXPECT_EQ(m_resets, 0);
    // The editor closed: the count starts from the last look, not from long ago.
    editorOpen = false;
    At(24999);
    EXPECT_EQ(m_resets, 0);
    At(25000);
    EXPECT_EQ(m_resets, 1);

    m_watch.SetSeconds(0);
    EXPECT_FALSE(m_watch.Timer()->isActive());
    At(1000000);
    EXPECT_EQ(m_resets, 1);
}
