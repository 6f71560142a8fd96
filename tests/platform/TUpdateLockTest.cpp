#include "platform/TUpdateLock.h"
#include <gtest/gtest.h>

TEST(TUpdateLockTest, RestoresAlsoWhenNestedInsideALockedParent)
{
    QWidget parent;
    QWidget* child = new QWidget(&parent);
    {
        TUpdateLock outer(&parent);
        EXPECT_FALSE(parent.updatesEnabled());
        EXPECT_FALSE(child->updatesEnabled());
        {
            TUpdateLock inner(child);
            EXPECT_FALSE(child->updatesEnabled());
        }
        EXPECT_FALSE(child->updatesEnabled()); // still under the parent's lock
    }
    EXPECT_TRUE(parent.updatesEnabled());
    EXPECT_TRUE(child->updatesEnabled());
}

TEST(TUpdateLockTest, KeepsAnExplicitLockAndSurvivesExceptions)
{
    QWidget w;
    w.setUpdatesEnabled(false);
    {
        TUpdateLock lock(&w);
    }
    EXPECT_FALSE(w.updatesEnabled());
    w.setUpdatesEnabled(true);
    try {
        TUpdateLock lock(&w);
        throw 1;
    } catch (int) {
    }
    EXPECT_TRUE(w.updatesEnabled());
    TUpdateLock none(nullptr); // no window: nothing happens
}
