#pragma once
#include <QFlags>

// Which scroll bars a grid may show; each appears only while its content overflows.
enum TScrollStyle { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

// The frame around a control: none, or a single sunken line.
enum TBorderStyle { bsNone = 0, bsSingle = 1 };

// What a grid cell is when it is drawn: the current row, and whether the grid has focus.
enum TGridDrawStateFlag { gdSelected = 0x1, gdFocused = 0x2 };
Q_DECLARE_FLAGS(TGridDrawState, TGridDrawStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridDrawState)
