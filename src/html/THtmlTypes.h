#pragma once

// The frame of the HTML view: drawn only while it has the focus, never, or always.
enum THTMLBorderStyle { htFocused = 0, htNone = 1, htSingle = 2 };
