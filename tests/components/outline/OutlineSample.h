#pragma once
#include "components/outline/EOutlineError.h"
#include <QString>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

// Runs f and gives the EOutlineError message it raised ("" when it raised none).
inline QString ErrorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const EOutlineError& e) {
        return e.Message();
    }
    return QString();
}

// Top(1) [Middle(2) [Leaf(3)], Second(4)], Other(5), in a tree or an outline control.
template <class TOutline>
void BuildSample(TOutline& o)
{
    ASSERT_EQ(o.AddChild(0, "Top"), 1);
    ASSERT_EQ(o.AddChild(1, "Middle"), 2);
    ASSERT_EQ(o.AddChild(2, "Leaf"), 3);
    ASSERT_EQ(o.AddChild(1, "Second"), 4);
    ASSERT_EQ(o.AddChild(0, "Other"), 5);
}

// The items' texts in index order.
template <class TOutline>
QStringList Texts(TOutline& o)
{
    QStringList r;
    for (int i = 1; i <= o.ItemCount(); ++i)
        r << o.Items(i)->Text();
    return r;
}
