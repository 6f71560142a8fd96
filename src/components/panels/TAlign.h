#pragma once

// How a child docks inside a container laid out by TAlignLayout: against one side of the
// room the earlier children left, or filling what remains. Stored by ordinal.
enum TAlign { alNone = 0, alTop = 1, alBottom = 2, alLeft = 3, alRight = 4, alClient = 5 };
