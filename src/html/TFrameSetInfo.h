#pragma once
#include "html/TFrameInfo.h"
#include <QString>
#include <vector>

// A FRAMESET: its ROWS and COLS lists as written and its cells in document order.
struct TFrameSetInfo
{
    QString rows;
    QString cols;
    int border = -1; // BORDER or FRAMESPACING in pixels, -1 when not given
    bool frameBorder = true;
    std::vector<TFrameInfo> frames;
};
