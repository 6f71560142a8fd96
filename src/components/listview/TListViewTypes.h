#pragma once
#include "components/paint/TOwnerDrawState.h"

// Enumerations of the sorting list view. Their ordinals are what forms and state files use.
enum TViewStyle { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };
enum TAutoColumnSort { acsNoSort = 0, acsSort = 1, acsSortToggle = 2 };
enum TLVStyle { lvStandard = 0, lvOwnerDrawFixed = 1 };
