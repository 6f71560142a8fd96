#include "components/paint/TCellLook.h"
#include <algorithm>

TCellLook TCellLook::Usable() const
{
    TCellLook look = *this;
    look.CellOutlineWidth = std::clamp(CellOutlineWidth, 0, MaxOutlineWidth);
    look.HitGap = std::max(0, HitGap);
    look.LeftGap = std::max(0, LeftGap);
    return look;
}
