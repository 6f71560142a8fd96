#pragma once
#include <QRect>
#include <algorithm>

// A rectangle by its four edges, the right and bottom edges exclusive: the pixels covered
// are Left..Right-1 and Top..Bottom-1, so Right - Left is the width. Layout arithmetic
// with gaps ("right edge minus right gap") is written in this convention; QRect's right()
// and bottom() are inclusive and would be one pixel short.
struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool operator==(const TRect&) const = default;

    static constexpr TRect FromQRect(const QRect& r)
    {
        return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
    }
    QRect ToQRect() const { return QRect(Left, Top, std::max(0, Width()), std::max(0, Height())); }
};
