#pragma once
#include "components/paint/TRect.h"

// One rectangle copy of the strip effect: from the picture's own pixels (Source, in picture
// coordinates) to the control's surface (Dest, in control coordinates).
struct TStripCopy
{
    TRect Source;
    TRect Dest;

    bool operator==(const TStripCopy&) const = default;
};
