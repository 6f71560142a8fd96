#pragma once
#include "html/TFrameSpec.h"
#include <QString>
#include <vector>

// A FRAMESET: its ROWS and COLS lists as written and its cells in document order.
struct TFrameSetSpec
{
    QString rows;
    QString cols;
    int border = -1;        // BORDER or FRAMESPACING in pixels, -1 when not given
    bool frameBorder = true;
    std::vector<TFrameSpec> frames;
};
